// `make run` on a machine without a display: scripts/run-program runs the program on a virtual
// display and leaves the screenshot and the saved list in the run folder, printing where they
// are and the count, and ends with status 0.

#include "tests/platform/process/TestFolder.h"

#include "app/LocationText.h"
#include "platform/base/CodePage.h"
#include "tests/app/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace {

bool HaveXvfb() {
    return std::system("command -v Xvfb >/dev/null 2>&1") == 0;
}

TEST(RunProgramScript, WithoutADisplayLeavesTheScreenshotAndTheListAndTellsTheCount) {
    if (!HaveXvfb())
        GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb; make deps installs it)";
    // A build folder of its own: the built programs, and a run folder with a database.
    TestFolder build;
    std::filesystem::create_directory_symlink(QUILLMERE_BIN_DIR, build / "bin");
    build.Write(std::string("run/") + LocationDatabaseName, TwoRecordDatabase());

    const std::string command = "env -u DISPLAY -u QUILLMERE_DISPLAY " + std::string(QUILLMERE_SOURCE_DIR) +
                                "/scripts/run-program " + build.Path() + " > " + (build / "out.txt") +
                                " 2>&1";
    int status = std::system(command.c_str());
    std::string output = ReadBytes(build / "out.txt");
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(output.find(build / "run/quillmere-window.png"), std::string::npos) << output;
    EXPECT_NE(output.find(build / "run/quillmere-list.txt"), std::string::npos) << output;
    // Printed for a person: UTF-8.
    EXPECT_NE(output.find(platform::GbkToUtf8("发现 TCP 连接端口：")), std::string::npos) << output;
    EXPECT_EQ(ReadBytes(build / "run/quillmere-window.png").substr(1, 3), "PNG");
    std::string list = ReadBytes(build / "run/quillmere-list.txt");
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ(list.substr(list.size() - 3), "\r\n ");
}

} // namespace
