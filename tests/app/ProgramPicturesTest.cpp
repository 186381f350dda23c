// Pictures of the skinned program for a person to look at (the README's): the window in the
// build's other skins, the save dialog and the information box that follows it.

#include "MainWindowFixture.h"

#include "app/ProgramSkin.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "platform/display/Headless.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

namespace {

std::string Picture(const std::string& name) {
    return std::string(QUILLMERE_BIN_DIR) + "/" + name + ".png";
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class ProgramPicturesTest : public MainWindowTest {};

TEST_F(ProgramPicturesTest, TheWindowInTheDarkAndTheRectangularSkin) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ClickControl(window->Radio_TcpUDP);
    ClickControl(window->Button_Refresh);
    for (const std::string design : {"dark", "rectangular"}) {
        ASSERT_EQ(
            WearSkinFile(*window->SkinData1, std::string(QUILLMERE_BIN_DIR) + "/../skins/" + design + ".skn"),
            "");
        platform::headless::RunFor(250);
        Pump();
        ASSERT_NE(SkinManager()->FindSkinnedWindow(window->Handle()), nullptr);
        EXPECT_TRUE(
            platform::headless::SaveWindowPng(window->Handle(), Picture("quillmere-window-" + design)));
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(ProgramPicturesTest, TheSaveDialogAndTheInformationBoxWearTheSkin) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    std::vector<std::string> pictured;
    onModal = [&](HWND dialog) {
        TWinSkinForm* skin = SkinManager()->FindSkinnedWindow(dialog);
        EXPECT_NE(skin, nullptr) << ClassOf(dialog);
        const std::string name = pictured.empty() ? "quillmere-save-dialog" : "quillmere-message-box";
        EXPECT_TRUE(platform::headless::SaveWindowPng(dialog, Picture(name)));
        pictured.push_back(name);
        if (pictured.size() == 1)
            platform::headless::TypeText(u"connections");
        platform::headless::TypeKey(VK_RETURN);
    };
    ClickControl(window->Button2);
    EXPECT_EQ(pictured, (std::vector<std::string>{"quillmere-save-dialog", "quillmere-message-box"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "保存完毕");
}

} // namespace
