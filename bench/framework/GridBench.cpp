// The connection grid's drawing cost: a TStringGrid of 10,000 rows and 9 columns of
// connection-like texts in a 636 x 525 form on the headless display. A full repaint, a one-page
// scroll and a one-row scroll each run through the window manager's painting as on screen;
// the plain baseline draws the same visible texts with bare ExtTextOut calls. The scrolls and
// the baseline report their time as a share of the full repaint measured in the same run.

#include "framework/forms/Form.h"
#include "framework/grid/StringGrid.h"
#include "platform/display/Headless.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include <time.h>

namespace {

constexpr int Rows = 10001;

class Scene {
public:
    Scene() {
        setenv("QUILLMERE_DISPLAY", "headless", 0);
        platform::headless::Use();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 636, 525);
        grid = new TStringGrid(form);
        grid->SetParent(form);
        grid->SetAlign(alClient);
        grid->SetColCount(9);
        grid->SetFixedCols(0);
        grid->SetDefaultRowHeight(20);
        grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect, goColSizing,
                          goThumbTracking});
        grid->SetRowCount(Rows);
        const int widths[] = {38, 120, 118, 165, 72, 51, 162, 530, 64};
        for (int col = 0; col < 9; ++col)
            grid->SetColWidths(col, widths[col]);
        for (int row = 1; row < Rows; ++row) {
            const std::string port = std::to_string(1024 + row % 60000);
            grid->SetCells(0, row, row % 3 ? "TCP" : "UDP");
            grid->SetCells(1, row, "192.168.1.23:" + port);
            grid->SetCells(2, row, "61.135.169." + std::to_string(row % 255) + ":80");
            grid->SetCells(3, row, "北京市 联通");
            grid->SetCells(4, row, "ESTABLISHED");
            grid->SetCells(5, row, std::to_string(1000 + row % 250));
            grid->SetCells(6, row, "firefox-esr");
            grid->SetCells(7, row, "/usr/lib/firefox-esr/firefox-esr");
            grid->SetCells(8, row, "Mozilla Firefox / Mozilla");
        }
        form->AfterConstruction();
        form->Show();
        platform::headless::RunUntilIdle();
    }
    TForm* form;
    TStringGrid* grid;
};

// The scene lives as long as the process: its windows must not outlive the display, whose
// statics go first at exit.
Scene& TheScene() {
    static Scene* scene = new Scene;
    return *scene;
}

double g_fullRepaintNs = 0;

// <chrono> cannot be compiled with the GBK execution character set (its "µs" literal). The
// thread's CPU time, not the wall clock: drawing here waits for nothing, and on a shared
// machine the wall clock mostly measures the other programs.
double NowNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Runs the body per iteration and reports the mean time; the full repaint keeps its own.
template <typename Body>
double Measure(benchmark::State& state, Body body) {
    double total = 0;
    for (auto _ : state) {
        const double start = NowNs();
        body();
        total += NowNs() - start;
    }
    return total / static_cast<double>(state.iterations());
}

void ReportShare(benchmark::State& state, double meanNs) {
    state.counters["ms"] = meanNs / 1e6;
    if (g_fullRepaintNs > 0)
        state.counters["share_of_full_repaint"] = meanNs / g_fullRepaintNs;
}

void BM_GridFullRepaint(benchmark::State& state) {
    Scene& scene = TheScene();
    HWND window = scene.grid->Handle();
    g_fullRepaintNs = Measure(state, [&] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    });
    state.counters["ms"] = g_fullRepaintNs / 1e6;
}

void BM_GridPageScroll(benchmark::State& state) {
    Scene& scene = TheScene();
    HWND window = scene.grid->Handle();
    bool down = true;
    ReportShare(state, Measure(state, [&] {
                    SendMessageA(window, WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
                    UpdateWindow(window);
                    down = !down;
                }));
}

void BM_GridRowScroll(benchmark::State& state) {
    Scene& scene = TheScene();
    HWND window = scene.grid->Handle();
    bool down = true;
    ReportShare(state, Measure(state, [&] {
                    SendMessageA(window, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
                    UpdateWindow(window);
                    down = !down;
                }));
}

// The plain baseline: the visible page's texts drawn cell by cell with ExtTextOut into a
// memory bitmap, without the grid.
void BM_PlainTextPage(benchmark::State& state) {
    Scene& scene = TheScene();
    TStringGrid& grid = *scene.grid;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(636, 525, 1, 32, nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, grid.Font()->Handle());
    const int rows = grid.VisibleRowCount() + 1;
    ReportShare(state, Measure(state, [&] {
                    for (int row = 0; row <= rows; ++row) {
                        int left = 0;
                        for (int col = 0; col < 9; ++col) {
                            const std::string& text = grid.Cells(col, row + grid.TopRow());
                            const RECT cell{left, row * 21, left + grid.ColWidths(col), row * 21 + 20};
                            ExtTextOutA(dc, cell.left + 2, cell.top + 2, ETO_CLIPPED | ETO_OPAQUE, &cell,
                                        text.data(), static_cast<UINT>(text.size()), nullptr);
                            left += grid.ColWidths(col) + 1;
                        }
                    }
                }));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace

BENCHMARK(BM_GridFullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPageScroll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridRowScroll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainTextPage)->Unit(benchmark::kMillisecond);
