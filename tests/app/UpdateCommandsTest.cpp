// The maintenance commands: "更新" opens this version's update page through the desktop's
// opener, and the updater is started from beside the program only when it is there.

#include "MainWindowFixture.h"

#include "app/UpdateCommands.h"
#include "framework/stdctrls/Buttons.h"
#include "tests/platform/sys/RecordingScript.h"

namespace {

TEST_F(MainWindowTest, UpdateOpensThisVersionsPageInTheBrowser) {
    WriteDatabase();
    TestFolder bin;
    Script(bin, "xdg-open", bin / "opened");
    std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", bin.Path().c_str(), 1);
    OpenWindow();
    ClickControl(form->Button1);
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(AwaitFile(bin / "opened"), "[" + std::string(UpdatePageAddress) + "?qq=1.0.20100523]\nend\n");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(errors.empty());
}

TEST(UpdaterStart, StartsTheUpdaterBesideTheProgramOnlyWhenItIsThere) {
    TestFolder folder;
    EXPECT_FALSE(StartUpdater(folder / UpdaterFileName));
    EXPECT_FALSE(StartUpdater(folder.Path())) << "a folder is no updater";
    std::string updater = Script(folder, UpdaterFileName, folder / "started");
    EXPECT_TRUE(StartUpdater(updater));
    EXPECT_EQ(AwaitFile(folder / "started"), "\nend\n");
}

TEST(UpdaterStart, TheUpdaterIsLookedForInTheProgramsFolder) {
    EXPECT_EQ(UpdaterPath(), std::string(QUILLMERE_BIN_DIR) + "/" + UpdaterFileName);
}

} // namespace
