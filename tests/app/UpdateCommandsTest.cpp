// The maintenance commands: "更新" opens this version's update page through the desktop's
// opener, and the updater is started from beside the program only when it is there.

#include "MainWindowFixture.h"

#include "app/UpdateCommands.h"
#include "framework/stdctrls/Buttons.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// A program that writes its arguments into a file, then "end".
std::string RecordingScript(const TestFolder& folder, const std::string& name, const std::string& output) {
    std::string path = folder.Write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > '" +
                                              output + "'\necho end >> '" + output + "'\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

// What the started program recorded, waited for boundedly (it runs on its own).
std::string AwaitRecord(const std::string& path) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        std::ifstream file(path);
        std::stringstream text;
        text << file.rdbuf();
        if (text.str().find("end\n") != std::string::npos)
            return text.str();
        ::usleep(10000);
    }
    return "<not started>";
}

TEST_F(MainWindowTest, UpdateOpensThisVersionsPageInTheBrowser) {
    WriteDatabase();
    TestFolder bin;
    RecordingScript(bin, "xdg-open", bin / "opened");
    std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", bin.Path().c_str(), 1);
    OpenWindow();
    ClickControl(form->Button1);
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(AwaitRecord(bin / "opened"), "[" + std::string(UpdatePageAddress) + "?qq=1.0.20100523]end\n");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(errors.empty());
}

TEST(UpdaterStart, StartsTheUpdaterBesideTheProgramOnlyWhenItIsThere) {
    TestFolder folder;
    EXPECT_FALSE(StartUpdater(folder / UpdaterFileName));
    EXPECT_FALSE(StartUpdater(folder.Path())) << "a folder is no updater";
    std::string updater = RecordingScript(folder, UpdaterFileName, folder / "started");
    EXPECT_TRUE(StartUpdater(updater));
    EXPECT_EQ(AwaitRecord(folder / "started"), "end\n");
}

TEST(UpdaterStart, TheUpdaterIsLookedForInTheProgramsFolder) {
    EXPECT_EQ(UpdaterPath(), std::string(QUILLMERE_BIN_DIR) + "/" + UpdaterFileName);
}

} // namespace
