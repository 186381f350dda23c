// The built programs on a private Xvfb server, as a person uses them: a second copy started
// while the program runs ends at once, "刷新" and "保存" are clicked and a file name typed into
// the save dialog with real input (through quillmere-drive), the saved list and a screenshot
// are checked, and closing the window ends the program; the updater replaces the database in
// its folder and ends when its window is closed; started with another skin, the window's
// controls wear it.

#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XTestClient.h"
#include "tests/platform/display/XvfbServer.h"
#include "tests/platform/process/TestFolder.h"

#include "app/ConnectionColumns.h"
#include "app/LocationText.h"
#include "app/updater/DatabaseUpdate.h"
#include "ipdb/GeoIPReader.h"
#include "platform/base/CodePage.h"
#include "platform/user/WinUser.h"
#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/WinSkinData.h"
#include "tests/app/TestFiles.h"

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

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(
        static_cast<unsigned char>(bytes[at]) << 24 | static_cast<unsigned char>(bytes[at + 1]) << 16 |
        static_cast<unsigned char>(bytes[at + 2]) << 8 | static_cast<unsigned char>(bytes[at + 3]));
}

// The size a window designed at this size with the classic frame has in the default skin's frame.
SIZE SkinnedWindowSize(int width, int height) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    TSkinData skin(nullptr);
    const auto archive = DefaultSkinArchive();
    skin.SkinArchive().WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    skin.LoadSkinData();
    const TSkinElements& elements = skin.Elements();
    const int left = elements.BorderLeft->Image->Width() / elements.BorderLeft->FrameCount;
    const int right = elements.BorderRight->Image->Width() / elements.BorderRight->FrameCount;
    const int caption = elements.BorderTop->Image->Height() / elements.BorderTop->FrameCount;
    const int bottom = elements.BorderBottom->Image->Height() / elements.BorderBottom->FrameCount;
    return {width - (frame.right - frame.left) + left + right,
            height - (frame.bottom - frame.top) + caption + bottom};
}

// A private Xvfb server and a folder of the program's own, holding a database, that is the
// current folder and the runtime folder (the single-instance lock lives there) while a test
// runs; the test's own are restored afterwards.
class ProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        server = XvfbServer::Start(whyNot, 800, 600);
        if (!server)
            GTEST_SKIP() << whyNot;
        char cwd[4096];
        m_oldFolder = ::getcwd(cwd, sizeof cwd);
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        m_oldRuntime = runtime ? runtime : "";
        ::setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
        ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
        folder.Write(LocationDatabaseName, TwoRecordDatabase());
        drive = "DISPLAY=" + server->Name() + " " + bin + "/quillmere-drive";
    }
    void TearDown() override {
        if (!server)
            return;
        EXPECT_EQ(::chdir(m_oldFolder.c_str()), 0);
        if (m_oldRuntime.empty())
            ::unsetenv("XDG_RUNTIME_DIR");
        else
            ::setenv("XDG_RUNTIME_DIR", m_oldRuntime.c_str(), 1);
    }

    // Starts a program of the build on the server; its error output goes to the file.
    pid_t Start(const std::string& program, const std::string& errors,
                const std::vector<std::string>& arguments = {}) {
        return StartDemoProgram(bin + "/" + program, arguments, server->Name(), folder / errors);
    }

    std::unique_ptr<XvfbServer> server;
    TestFolder folder;
    const std::string bin = QUILLMERE_BIN_DIR;
    std::string drive;

private:
    std::string m_oldFolder;
    std::string m_oldRuntime;
};

TEST_F(ProgramEndToEnd, StartsOnceRefreshesSavesAndCloses) {
    pid_t first = Start("quillmere", "first.err");
    ASSERT_GT(first, 0);
    // The driver waits for the first window; then a second copy must end at once, silently.
    ASSERT_EQ(std::system((drive + " > waited.txt").c_str()), 0) << ReadBytes(folder / "waited.txt");
    pid_t second = Start("quillmere", "second.err");
    int status = -1;
    ASSERT_TRUE(WaitForExit(second, status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(folder / "second.err"), "");
    EXPECT_EQ(::kill(first, 0), 0) << "the first copy runs on";

    int result = std::system(
        (drive + " --refresh --screenshot window.png --save list.txt --close > drive.txt 2>&1").c_str());
    std::string report = ReadBytes(folder / "drive.txt");
    EXPECT_EQ(result, 0) << report;
    EXPECT_TRUE(WaitForExit(first, status)) << "closing the window ends the program";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(folder / "first.err"), "");

    // The saved list: the title line, one line per row, every line ended by CR, LF and a blank.
    std::string list = ReadBytes(folder / "list.txt");
    ASSERT_FALSE(list.empty()) << report;
    EXPECT_EQ(list.rfind(ConnectionColumnTitles[0], 0), 0u);
    EXPECT_NE(list.find(ConnectionColumnTitles[8]), std::string::npos);
    EXPECT_EQ(list.substr(list.size() - 3), "\r\n ");
    std::size_t lines = 0;
    for (std::size_t at = list.find("\r\n"); at != std::string::npos; at = list.find("\r\n", at + 2))
        ++lines;
    EXPECT_GE(lines, 2u);
    EXPECT_NE(report.find("count: "), std::string::npos) << report;

    // The screenshot is a PNG of the whole window: the client area of the 636 x 525 classic
    // window in the default skin's frame.
    std::string png = ReadBytes(folder / "window.png");
    ASSERT_GT(png.size(), 24u) << report;
    EXPECT_EQ(png.substr(1, 3), "PNG");
    const SIZE size = SkinnedWindowSize(636, 525);
    EXPECT_EQ(BigEndian32(png, 16), static_cast<std::uint32_t>(size.cx));
    EXPECT_EQ(BigEndian32(png, 20), static_cast<std::uint32_t>(size.cy));
}

TEST_F(ProgramEndToEnd, TheUpdaterReplacesTheDatabaseAndCloses) {
    if (!HaveGeoIP() || !std::filesystem::exists(DefaultGeoIPDatabase))
        GTEST_SKIP() << DefaultGeoIPDatabase << " or libgeoip is absent (geoip-database, libgeoip-dev)";
    pid_t updater = Start("Skerrow.exe", "updater.err");
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
    const std::string closeUpdater =
        drive + " --window '" + platform::GbkToUtf8("升级IP数据库") + "' --screenshot updater.png --close";
    EXPECT_EQ(std::system((closeUpdater + " > drive.txt 2>&1").c_str()), 0)
        << ReadBytes(folder / "drive.txt");
    int status = -1;
    EXPECT_TRUE(WaitForExit(updater, status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(folder / "updater.err"), "");
    EXPECT_EQ(ReadBytes(folder / "updater.png").substr(1, 3), "PNG");
}

// The background colour of a skin the build draws, as the screen shows it (0x00RRGGBB).
std::uint32_t SkinBackground(const std::string& path) {
    TSkinData skin(nullptr);
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    skin.SkinArchive().WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    if (!skin.LoadSkinData())
        return 0xFFFFFFFF;
    const COLORREF colour = ColorToRGB(skin.Elements().Colours[3]);
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 |
           static_cast<std::uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

// How many pixels of the screen show the colour.
int CountPixels(XTestClient& client, std::uint32_t colour) {
    const ScreenArea screen = client.ReadScreen(0, 0, 800, 600);
    int count = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x)
            count += screen.Pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

TEST_F(ProgramEndToEnd, WearsTheSkinItIsStartedWithAndKeepsItUnderRealInput) {
    const std::string dark = bin + "/../skins/dark.skn";
    const std::uint32_t background = SkinBackground(dark);
    ASSERT_NE(background, 0xFFFFFFFFu) << dark;
    std::unique_ptr<XTestClient> client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    // Before the program the screen has none of the colour.
    client->PaintDesktop(0x000000);
    ASSERT_EQ(CountPixels(*client, background), 0);

    pid_t program = Start("quillmere", "skin.err", {"--skin", dark});
    ASSERT_GT(program, 0);
    ASSERT_EQ(std::system((drive + " > waited.txt").c_str()), 0) << ReadBytes(folder / "waited.txt");
    // The panels above and below the grid wear the skin's background once the skin runs.
    EXPECT_TRUE(WaitFor([&] { return CountPixels(*client, background) > 20000; }))
        << CountPixels(*client, background);
    int result = std::system((drive + " --refresh --screenshot skinned.png > drive.txt 2>&1").c_str());
    EXPECT_EQ(result, 0) << ReadBytes(folder / "drive.txt");
    EXPECT_GT(CountPixels(*client, background), 20000) << "the skin stays after a real click";
    EXPECT_EQ(std::system((drive + " --close > close.txt 2>&1").c_str()), 0)
        << ReadBytes(folder / "close.txt");
    int status = -1;
    EXPECT_TRUE(WaitForExit(program, status));
    EXPECT_EQ(ReadBytes(folder / "skin.err"), "");
}

} // namespace
