// Pictures of the skinned program for a person to look at (the README's): the window in the
// build's other skins, the save dialog and the information box that follows it.

#include "MainWindowFixture.h"

#include "app/LocationText.h"
#include "app/ProgramSkin.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "platform/display/Headless.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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

// The save dialog starts in the program's folder. For the picture that is the folder the
// installed program uses, under a home of its own, rather than the test's temporary folder: the
// test runs again where /home is an empty file system of a private mount namespace, when the
// system lets an ordinary process make one; otherwise here, in the temporary folder.
constexpr const char* PictureFolderVariable = "QUILLMERE_PICTURE_FOLDER";
constexpr const char* PictureHome = "/home/user";
constexpr const char* PictureFolder = "/home/user/.local/share/quillmere";

bool MountNamespacesWork() {
    return std::system(
               "unshare --user --map-root-user --mount sh -c 'mount -t tmpfs tmpfs /home' > /dev/null "
               "2>&1") == 0;
}

std::string ThisProgram() {
    char path[4096] = {};
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return std::string(path, static_cast<std::size_t>(std::max<ssize_t>(length, 0)));
}

// Runs this test again in a private mount namespace; its exit status.
int RunInPrivateHome(const std::string& test) {
    const std::string command = std::string("unshare --user --map-root-user --mount sh -c '") +
                                "mount -t tmpfs tmpfs /home && mkdir -p " + PictureFolder + " && " +
                                PictureFolderVariable + "=" + PictureFolder + " HOME=" + PictureHome +
                                " exec " + ThisProgram() + " --gtest_filter=" + test + "'";
    return std::system(command.c_str());
}

TEST_F(ProgramPicturesTest, TheSaveDialogAndTheInformationBoxWearTheSkin) {
    const char* pictureFolder = std::getenv(PictureFolderVariable);
    if (!pictureFolder && MountNamespacesWork()) {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        EXPECT_EQ(RunInPrivateHome(std::string(info->test_suite_name()) + "." + info->name()), 0)
            << "the test in a private home";
        return;
    }
    WriteDatabase();
    if (pictureFolder) {
        std::filesystem::copy_file(work / LocationDatabaseName,
                                   std::string(pictureFolder) + "/" + LocationDatabaseName);
        ASSERT_EQ(::chdir(pictureFolder), 0);
    }
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
