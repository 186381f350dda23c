// Pictures of the skinned menus for a person to look at, in the default and the dark skin: a
// popup menu with a selected item, a check mark, a separator, a disabled item, shortcuts and a
// cascade, a skinned form's menu bar in its frame with a drop-down open, and an MDI frame's bar
// with a maximised child's buttons. Written next to the test programs as skinned-menu-*.png.

#include "tests/skin/forms/SkinEngineFixture.h"
#include "tests/skin/forms/SkinMenuTestSupport.h"

#include "framework/menus/Menus.h"
#include "framework/menus/ShortCuts.h"
#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/mdi/WinMdi.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/SkinMenuOwnerDraw.h"
#include "skin/forms/WinSkinForm.h"

#include <string>

using namespace skinmenus;
namespace headless = platform::headless;

namespace {

bool SaveScreen(const RECT& area, const std::string& name) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bits = CreateBitmap(width, height, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            SetPixel(dc, x, y, headless::ReadScreenPixel(area.left + x, area.top + y));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    const bool written = platform::WriteBitmapPng(bits, std::string(QUILLMERE_BIN_DIR) + "/" + name);
    DeleteObject(bits);
    return written;
}

class SkinnedMenuPicturesTest : public SkinEngineTest, public ::testing::WithParamInterface<const char*> {
protected:
    static TMenuItem* AddItem(TMenuItem& parent, const std::string& caption) {
        auto* item = new TMenuItem(parent.Owner());
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }
};

TEST_P(SkinnedMenuPicturesTest, PopupMenu) {
    const std::string design = GetParam();
    skinengine::Design skin;
    skin.archive = skinengine::SkinFileBytes(design);
    ASSERT_FALSE(skin.archive.empty()) << skinengine::SkinFilePath(design);
    TSkinData* data = NewSkinData(skin);
    TForm* form = NewForm();
    auto* popup = new TPopupMenu(form);
    AddItem(*popup->Items(), "刷新(&R)")->SetShortCut(TextToShortCut("F5"));
    AddItem(*popup->Items(), "保存(&S)...")->SetShortCut(TextToShortCut("Ctrl+S"));
    AddItem(*popup->Items(), "-");
    AddItem(*popup->Items(), "显示 UDP(&U)")->SetChecked(true);
    AddItem(*popup->Items(), "显示端口名(&P)")->SetEnabled(false);
    TMenuItem* more = AddItem(*popup->Items(), "更多(&M)");
    AddItem(*more, "关于(&A)");
    SwitchPopupMenus(*data, *form, true);
    form->Show();
    Pump();
    bool written = false;
    Script({[] { headless::TypeKey(VK_DOWN); },
            [&] {
                HWND window = OpenMenuWindow();
                written = headless::SaveWindowPng(window, std::string(QUILLMERE_BIN_DIR) +
                                                              "/skinned-menu-popup-" + design + ".png");
                headless::TypeKey(VK_ESCAPE);
            }});
    popup->Popup(150, 150);
    EXPECT_TRUE(written);
}

TEST_P(SkinnedMenuPicturesTest, MenuBarWithADropDown) {
    const std::string design = GetParam();
    skinengine::Design skin;
    skin.archive = skinengine::SkinFileBytes(design);
    NewSkinData(skin);
    TForm* form = NewForm(360, 220);
    auto* mainMenu = new TMainMenu(form);
    TMenuItem* file = AddItem(*mainMenu->Items(), "文件(&F)");
    AddItem(*file, "刷新(&R)")->SetShortCut(TextToShortCut("F5"));
    AddItem(*file, "保存(&S)...")->SetShortCut(TextToShortCut("Ctrl+S"));
    AddItem(*file, "-");
    AddItem(*file, "退出(&X)");
    AddItem(*AddItem(*mainMenu->Items(), "查看(&V)"), "显示 UDP(&U)")->SetChecked(true);
    AddItem(*AddItem(*mainMenu->Items(), "帮助(&H)"), "关于(&A)");
    form->SetMenu(mainMenu);
    form->Show();
    Pump();
    TWinSkinForm* frame = Manager().FindSkinnedWindow(form->Handle());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->MenuBar(), nullptr) << "the frame took the menu over";
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    bool written = false;
    Script({[&] {
        HWND menuWindow = OpenMenuWindow();
        RECT shown{};
        GetWindowRect(menuWindow, &shown);
        RECT area = window;
        area.bottom = std::max(area.bottom, shown.bottom + 4);
        area.right = std::max(area.right, shown.right + 4);
        written = SaveScreen(area, "skinned-menu-bar-" + design + ".png");
        headless::TypeKey(VK_ESCAPE);
    }});
    // Alt+F, as the keyboard opens it.
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(written);
}

TEST_P(SkinnedMenuPicturesTest, MdiFrameWithAMaximisedChild) {
    const std::string design = GetParam();
    skinengine::Design skin;
    skin.archive = skinengine::SkinFileBytes(design);
    NewSkinData(skin);
    auto* frame = new TForm(nullptr);
    forms.emplace_back(frame);
    frame->SetCaption("Frame");
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(100, 100, 360, 220);
    auto* mainMenu = new TMainMenu(frame);
    AddItem(*AddItem(*mainMenu->Items(), "文件(&F)"), "打开(&O)");
    AddItem(*AddItem(*mainMenu->Items(), "窗口(&W)"), "层叠(&C)");
    frame->SetMenu(mainMenu);
    frame->AfterConstruction();
    frame->Show();
    auto* child = new TForm(nullptr);
    forms.emplace_back(child);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption("Child");
    child->SetBounds(0, 0, 200, 120);
    child->AfterConstruction();
    child->Show();
    Pump();
    SendMessageA(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    Pump();
    RECT window{};
    GetWindowRect(frame->Handle(), &window);
    EXPECT_TRUE(SaveScreen(window, "skinned-menu-mdi-" + design + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinnedMenuPicturesTest, ::testing::Values("default", "dark"));

} // namespace
