// The time from a process start to the program's window on the screen of a private Xvfb
// server: wearing its skin (the caption drawn from the skin's caption image) against the same
// window with its skin switched off (the classic caption), started alternately in the same run.
// Both are this program started again with `--window skinned|classic`, which builds the window
// as the program's entry does, in the folder of the build's database (build/run). The first
// skinned frame should come at most 150 ms after the first classic one.

#include "app/Unit1.h"
#include "bench/BenchClock.h"
#include "framework/forms/Application.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/WinSkinData.h"
#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XTestClient.h"
#include "tests/platform/display/XvfbServer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace testing_support;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
// A caption shows once this many pixels of one row have its colour side by side.
constexpr int CaptionRun = 120;
constexpr double GiveUpSeconds = 60;

// The window as the program's entry makes it; with its skin switched off before it first
// shows, it keeps the classic frame.
int RunWindow(bool skinned) {
    Application()->Initialize();
    Application()->SetTitle("Quillmere");
    TForm1* form = nullptr;
    Application()->CreateForm(form);
    if (!skinned)
        form->SkinData1->SetActive(false);
    Application()->Run();
    delete form;
    return 0;
}

std::string ThisProgram() {
    char path[4096] = {};
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

std::uint32_t ScreenColour(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// The colour of the middle row of the skin's active caption, as the screen shows it.
std::uint32_t SkinCaptionColour() {
    TSkinData skin(nullptr);
    const auto archive = DefaultSkinArchive();
    skin.SkinArchive().WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    if (!skin.LoadSkinData())
        return 0xFFFFFFFF;
    TBitmap& image = *skin.Elements().BorderTop->Image;
    const int frameHeight = image.Height() / std::max(skin.Elements().BorderTop->FrameCount, 1);
    return ScreenColour(GetPixel(image.Canvas()->Handle(), image.Width() / 2, frameHeight / 2));
}

bool ShowsCaption(XTestClient& client, std::uint32_t colour) {
    const ScreenArea screen = client.ReadScreen(0, 0, ScreenWidth, ScreenHeight);
    for (int y = 0; y < ScreenHeight; ++y) {
        int run = 0;
        for (int x = 0; x < ScreenWidth; ++x) {
            run = screen.Pixel(x, y) == colour ? run + 1 : 0;
            if (run >= CaptionRun)
                return true;
        }
    }
    return false;
}

// Seconds from starting the window to the screen showing a caption of the colour; negative
// when it never shows.
double TimeToCaption(XvfbServer& server, XTestClient& client, bool skinned, std::uint32_t colour) {
    const double start = MonotonicSeconds();
    const pid_t window = StartDemoProgram(ThisProgram(), {"--window", skinned ? "skinned" : "classic"},
                                          server.Name(), "/dev/null");
    if (window <= 0)
        return -1;
    double shown = -1;
    while (MonotonicSeconds() - start < GiveUpSeconds) {
        if (ShowsCaption(client, colour)) {
            shown = MonotonicSeconds() - start;
            break;
        }
    }
    ::kill(window, SIGKILL);
    int status = 0;
    ::waitpid(window, &status, 0);
    // The screen is clear again before the next start.
    while (ShowsCaption(client, colour))
        ::usleep(1000);
    return shown;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_FirstSkinnedFrameAgainstFirstClassicFrame(benchmark::State& state) {
    std::string whyNot;
    std::unique_ptr<XvfbServer> server = XvfbServer::Start(whyNot, ScreenWidth, ScreenHeight);
    if (!server) {
        state.SkipWithError(whyNot.c_str());
        return;
    }
    std::unique_ptr<XTestClient> client = XTestClient::Connect(server->Name());
    const std::string bin = ThisProgram().substr(0, ThisProgram().rfind('/'));
    if (!client || ::chdir((bin + "/../run").c_str()) != 0) {
        state.SkipWithError("no X connection or no build/run folder");
        return;
    }
    client->PaintDesktop(0x000000);
    const std::uint32_t skinCaption = SkinCaptionColour();
    const std::uint32_t classicCaption = ScreenColour(GetSysColor(COLOR_ACTIVECAPTION));
    std::vector<double> skinnedTimes, classicTimes, addedTimes;
    for (auto _ : state) {
        // Alternating, so that what the machine does meanwhile falls on both alike.
        const bool skinnedFirst = skinnedTimes.size() % 2 == 1;
        double skinned = 0, classic = 0;
        for (int i = 0; i < 2; ++i) {
            const bool skin = (i == 0) == skinnedFirst;
            (skin ? skinned : classic) =
                TimeToCaption(*server, *client, skin, skin ? skinCaption : classicCaption);
        }
        if (skinned < 0 || classic < 0) {
            state.SkipWithError("a window did not show its caption");
            return;
        }
        state.SetIterationTime(skinned);
        skinnedTimes.push_back(skinned);
        classicTimes.push_back(classic);
        addedTimes.push_back(skinned - classic);
    }
    // Medians: a start that the loaded machine delays now and then moves them little.
    state.counters["skinned_ms"] = Median(skinnedTimes) * 1000;
    state.counters["classic_ms"] = Median(classicTimes) * 1000;
    state.counters["added_ms"] = Median(addedTimes) * 1000;
    state.counters["ratio"] = Median(skinnedTimes) / Median(classicTimes);
}
BENCHMARK(BM_FirstSkinnedFrameAgainstFirstClassicFrame)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

// Started with `--window skinned|classic`, the program is the window being timed.
int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--window")
        return RunWindow(std::string(argv[2]) == "skinned");
    // The benchmark itself reads the skin on the headless display; the windows it starts are
    // given the Xvfb server's.
    ::setenv("QUILLMERE_DISPLAY", "headless", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
