// The built program on a private Xvfb server, as a person uses it: a second copy started while
// it runs ends at once, "刷新" and "保存" are clicked and a file name typed into the save dialog
// with real input (through quillmere-drive), the saved list and a screenshot are checked, and
// closing the window ends the program.

#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XvfbServer.h"
#include "tests/platform/process/TestFolder.h"

#include "app/ConnectionColumns.h"
#include "app/LocationText.h"
#include "app/updater/DatabaseUpdate.h"
#include "ipdb/GeoIPReader.h"
#include "ipdb/QQWryWriter.h"
#include "platform/base/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(
        static_cast<unsigned char>(bytes[at]) << 24 | static_cast<unsigned char>(bytes[at + 1]) << 16 |
        static_cast<unsigned char>(bytes[at + 2]) << 8 | static_cast<unsigned char>(bytes[at + 3]));
}

// Runs the program's folder as its current folder and its own runtime folder (the
// single-instance lock lives there), restoring the test's afterwards.
class ProgramFolder {
public:
    ProgramFolder() {
        char cwd[4096];
        m_oldFolder = ::getcwd(cwd, sizeof cwd);
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        m_oldRuntime = runtime ? runtime : "";
        ::setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
        if (::chdir(folder.Path().c_str()) != 0)
            ADD_FAILURE() << "cannot enter " << folder.Path();
    }
    ~ProgramFolder() {
        if (::chdir(m_oldFolder.c_str()) != 0)
            ADD_FAILURE() << "cannot return to " << m_oldFolder;
        if (m_oldRuntime.empty())
            ::unsetenv("XDG_RUNTIME_DIR");
        else
            ::setenv("XDG_RUNTIME_DIR", m_oldRuntime.c_str(), 1);
    }

    TestFolder folder;

private:
    std::string m_oldFolder;
    std::string m_oldRuntime;
};

TEST(ProgramEndToEnd, StartsOnceRefreshesSavesAndCloses) {
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, 800, 600);
    if (!server)
        GTEST_SKIP() << whyNot;
    ProgramFolder program;
    std::vector<std::uint8_t> database = QQWryWriter::Build(
        {{0, 0xFFFFFFFE, "测试", "地区"}, {0xFFFFFFFF, 0xFFFFFFFF, "纯真网络", "2010年5月23日IP数据"}});
    program.folder.Write(LocationDatabaseName, std::string(database.begin(), database.end()));
    const std::string bin = QUILLMERE_BIN_DIR;

    pid_t first = StartDemoProgram(bin + "/quillmere", server->Name(), program.folder / "first.err");
    ASSERT_GT(first, 0);
    // The driver waits for the first window; then a second copy must end at once, silently.
    const std::string drive = "DISPLAY=" + server->Name() + " " + bin + "/quillmere-drive";
    ASSERT_EQ(std::system((drive + " > waited.txt").c_str()), 0) << ReadBytes(program.folder / "waited.txt");
    pid_t second = StartDemoProgram(bin + "/quillmere", server->Name(), program.folder / "second.err");
    int status = -1;
    ASSERT_TRUE(WaitForExit(second, status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(program.folder / "second.err"), "");
    EXPECT_EQ(::kill(first, 0), 0) << "the first copy runs on";

    int result = std::system(
        (drive + " --refresh --screenshot window.png --save list.txt --close > drive.txt 2>&1").c_str());
    std::string report = ReadBytes(program.folder / "drive.txt");
    EXPECT_EQ(result, 0) << report;
    EXPECT_TRUE(WaitForExit(first, status)) << "closing the window ends the program";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(program.folder / "first.err"), "");

    // The saved list: the title line, one line per row, every line ended by CR, LF and a blank.
    std::string list = ReadBytes(program.folder / "list.txt");
    ASSERT_FALSE(list.empty()) << report;
    EXPECT_EQ(list.rfind(ConnectionColumnTitles[0], 0), 0u);
    EXPECT_NE(list.find(ConnectionColumnTitles[8]), std::string::npos);
    EXPECT_EQ(list.substr(list.size() - 3), "\r\n ");
    std::size_t lines = 0;
    for (std::size_t at = list.find("\r\n"); at != std::string::npos; at = list.find("\r\n", at + 2))
        ++lines;
    EXPECT_GE(lines, 2u);
    EXPECT_NE(report.find("count: "), std::string::npos) << report;

    // The screenshot is a PNG of the whole window, 636 x 525.
    std::string png = ReadBytes(program.folder / "window.png");
    ASSERT_GT(png.size(), 24u) << report;
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(BigEndian32(png, 16), 636u);
    EXPECT_EQ(BigEndian32(png, 20), 525u);
}

TEST(ProgramEndToEnd, TheUpdaterReplacesTheDatabaseAndCloses) {
    if (!HaveGeoIP() || !std::filesystem::exists(DefaultGeoIPDatabase))
        GTEST_SKIP() << DefaultGeoIPDatabase << " or libgeoip is absent (geoip-database, libgeoip-dev)";
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, 800, 600);
    if (!server)
        GTEST_SKIP() << whyNot;
    ProgramFolder program;
    std::vector<std::uint8_t> database = QQWryWriter::Build(
        {{0, 0xFFFFFFFE, "测试", "地区"}, {0xFFFFFFFF, 0xFFFFFFFF, "纯真网络", "2010年5月23日IP数据"}});
    program.folder.Write(LocationDatabaseName, std::string(database.begin(), database.end()));
    const std::string bin = QUILLMERE_BIN_DIR;

    pid_t updater = StartDemoProgram(bin + "/Skerrow.exe", server->Name(), program.folder / "updater.err");
    ASSERT_GT(updater, 0);
    // The import takes a while on a loaded machine (and several times longer under the
    // sanitizers): up to a minute.
    bool replaced = false;
    for (int attempt = 0; attempt < 3000 && !replaced; ++attempt) {
        replaced = SummarizeDatabase(LocationDatabaseName).records > 100000;
        if (!replaced)
            ::usleep(20000);
    }
    EXPECT_TRUE(replaced) << "the database in the updater's folder is replaced";
    const std::string drive = "DISPLAY=" + server->Name() + " " + bin + "/quillmere-drive --window '" +
                              platform::GbkToUtf8("升级IP数据库") + "' --screenshot updater.png --close";
    EXPECT_EQ(std::system((drive + " > drive.txt 2>&1").c_str()), 0)
        << ReadBytes(program.folder / "drive.txt");
    int status = -1;
    EXPECT_TRUE(WaitForExit(updater, status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(program.folder / "updater.err"), "");
    EXPECT_EQ(ReadBytes(program.folder / "updater.png").substr(1, 3), "PNG");
}

} // namespace
