#include "platform/sys/ProcessStart.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "tests/platform/process/TestFolder.h"
#include "tests/platform/sys/RecordingScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, SplitsAsThePlatformsRuntimeDoes) {
    EXPECT_EQ(platform::SplitCommandLine("  a  b\tc "), (Arguments{"a", "b", "c"}));
    EXPECT_EQ(platform::SplitCommandLine(R"("a b" c"d e"f)"), (Arguments{"a b", "cd ef"}));
    EXPECT_EQ(platform::SplitCommandLine(R"(a\\b \"c\" d\\\"e "f\\")"),
              (Arguments{R"(a\\b)", R"("c")", R"(d\"e)", R"(f\)"}));
    EXPECT_EQ(platform::SplitCommandLine(R"("say ""hi""")"), (Arguments{R"(say "hi")"}));
    EXPECT_EQ(platform::SplitCommandLine(R"("" x)"), (Arguments{"", "x"}));
    EXPECT_TRUE(platform::SplitCommandLine("   ").empty());
}

TEST(WinExec, StartsTheProgramWithItsArgumentsAndNoShell) {
    TestFolder folder;
    std::string program = Script(folder, "my tool", folder / "out");
    // The unquoted name holds a blank; the shortest prefix that names a file is the program.
    std::string line = program + " one \"two words\" $(touch " + (folder / "pwned") + ") ;x";
    EXPECT_GT(WinExec(line.c_str(), 5), 31u);
    EXPECT_EQ(AwaitFile(folder / "out"), "[one][two words][$(touch][" + (folder / "pwned)") + "][;x]\nend\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "pwned"));
}

TEST(WinExec, ReportsWhyAProgramCouldNotStart) {
    TestFolder folder;
    EXPECT_EQ(WinExec((folder / "missing.exe").c_str(), 5), ERROR_FILE_NOT_FOUND);
    std::string text = folder.Write("plain.txt", "not a program");
    EXPECT_EQ(WinExec(text.c_str(), 5), ERROR_ACCESS_DENIED);
    std::string garbage = folder.Write("garbage", "\x01\x02\x03\x04 not a program");
    std::filesystem::permissions(garbage, std::filesystem::perms::owner_all);
    EXPECT_EQ(WinExec(garbage.c_str(), 5), ERROR_BAD_FORMAT);
}

class ShellExecute : public ::testing::Test {
protected:
    void SetUp() override {
        oldPath = std::getenv("PATH");
        Script(folder, "bin/xdg-open", folder / "opened");
        ::setenv("PATH", (folder / "bin").c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", oldPath.c_str(), 1); }

    TestFolder folder;
    std::string oldPath;
};

TEST_F(ShellExecute, OpenHandsTheAddressToTheOpenerAsOneArgument) {
    const char* address = "http://example.invalid/update?qq=1.0 ; $(id) `id`";
    HINSTANCE result = ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<ULONG_PTR>(result), 32u);
    EXPECT_EQ(AwaitFile(folder / "opened"), "[http://example.invalid/update?qq=1.0 ; $(id) `id`]\nend\n");
}

TEST_F(ShellExecute, OtherOperationsAndAMissingOpenerHaveNoAssociation) {
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(ShellExecuteA(nullptr, "print", "x.txt", nullptr, nullptr, 1)),
              static_cast<ULONG_PTR>(SE_ERR_NOASSOC));
    ::setenv("PATH", (folder / "empty").c_str(), 1);
    EXPECT_EQ(
        reinterpret_cast<ULONG_PTR>(ShellExecuteA(nullptr, "open", "http://x.invalid/", nullptr, nullptr, 1)),
        static_cast<ULONG_PTR>(SE_ERR_NOASSOC));
}

TEST_F(ShellExecute, AnExecutableIsStartedWithItsParameters) {
    std::string program = Script(folder, "run me", folder / "ran");
    HINSTANCE result =
        ShellExecuteA(nullptr, nullptr, program.c_str(), "-x \"a b\"", folder.Path().c_str(), 1);
    EXPECT_GT(reinterpret_cast<ULONG_PTR>(result), 32u);
    EXPECT_EQ(AwaitFile(folder / "ran"), "[-x][a b]\nend\n");
}

} // namespace
