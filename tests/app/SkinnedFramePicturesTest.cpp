// The program's window in its skinned frame, for a person to look at: active and inactive,
// maximised, and a message box over it, in the default and the dark skin
// (build/skinned-frame-*.png).

#include "MainWindowFixture.h"

#include "framework/forms/Application.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <string>

namespace {

std::string g_menuPicture;

// Takes the picture of the menu that is open, then closes it.
void CALLBACK PictureOfOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || g_menuPicture.empty())
        return;
    platform::headless::SaveWindowPng(menu, g_menuPicture);
    g_menuPicture.clear();
    EndMenu();
}

std::string PicturePath(const std::string& name) {
    return std::string(QUILLMERE_BIN_DIR) + "/../skinned-frame-" + name + ".png";
}

class SkinnedFramePictures : public MainWindowTest {
protected:
    // The pictures of one skin: the window active, behind another window, maximised, and a
    // message box over it.
    void TakePictures(TForm1& window, const std::string& design) {
        HWND handle = window.Handle();
        TWinSkinForm* skin = SkinManager()->FindSkinnedWindow(handle);
        ASSERT_NE(skin, nullptr);
        ASSERT_TRUE(skin->Started());
        EXPECT_TRUE(platform::headless::SaveWindowPng(handle, PicturePath(design + "-active")));

        TForm other(nullptr);
        other.SetBounds(700, 600, 100, 80);
        other.AfterConstruction();
        other.Show();
        Pump();
        EXPECT_FALSE(skin->Active());
        EXPECT_TRUE(platform::headless::SaveWindowPng(handle, PicturePath(design + "-inactive")));
        other.Hide();
        window.SetFocus();
        Pump();

        ShowWindow(handle, SW_MAXIMIZE);
        Pump();
        EXPECT_EQ(skin->WindowState(), TSkinWindowState::Maximised);
        EXPECT_TRUE(platform::headless::SaveWindowPng(handle, PicturePath(design + "-maximised")));
        ShowWindow(handle, SW_RESTORE);
        Pump();

        bool seen = false;
        onModal = [&](HWND box) {
            if (!IsMessageBox(box) || seen)
                return;
            seen = true;
            Pump();
            EXPECT_NE(SkinManager()->FindSkinnedWindow(box), nullptr) << "the message box wears the skin";
            EXPECT_TRUE(platform::headless::SaveWindowPng(box, PicturePath(design + "-dialog")));
            platform::headless::TypeKey(VK_RETURN);
        };
        Application()->MessageBox("数据库已是最新版本。", "Quillmere", MB_OK | MB_ICONINFORMATION);
        EXPECT_TRUE(seen);

        // Not within the double-click time of an earlier opening, which would be a double click.
        platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
        g_menuPicture = PicturePath(design + "-system-menu");
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &PictureOfOpenMenu);
        SendMessageA(handle, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        KillTimer(nullptr, timer);
        EXPECT_TRUE(g_menuPicture.empty()) << "the system menu opened";
    }
};

TEST_F(SkinnedFramePictures, InTheDefaultAndTheDarkSkin) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    TakePictures(*window, "default");
    window->SkinData1->SetSkinFile(std::string(QUILLMERE_BIN_DIR) + "/../skins/dark.skn");
    platform::headless::RunFor(250);
    Pump();
    TakePictures(*window, "dark");
    EXPECT_TRUE(errors.empty());
}

} // namespace
