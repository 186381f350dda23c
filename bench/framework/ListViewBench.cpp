// The list view's drawing cost against the string grid's, in the same run: a report-view
// TListView and a TStringGrid of 10,000 rows and 5 columns of connection-like texts, each
// filling a 636 x 525 form on the headless display. A full repaint and a one-row scroll each
// run through the window manager's painting as on screen; the list view's figures report
// their time as a ratio of the grid's same figure (the target is 1.5 at most).

#include "framework/comctrls/ListView.h"
#include "framework/forms/Form.h"
#include "framework/grid/StringGrid.h"
#include "platform/display/Headless.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include <time.h>

namespace {

constexpr int Rows = 10000;
constexpr int Columns = 5;
constexpr int Widths[Columns] = {60, 150, 150, 110, 140};

std::string Cell(int column, int row) {
    switch (column) {
    case 0:
        return row % 3 ? "TCP" : "UDP";
    case 1:
        return "192.168.1.23:" + std::to_string(1024 + row % 60000);
    case 2:
        return "61.135.169." + std::to_string(row % 255) + ":80";
    case 3:
        return "ESTABLISHED";
    default:
        return "北京市 联通";
    }
}

class Scene {
public:
    Scene() {
        setenv("QUILLMERE_DISPLAY", "headless", 0);
        platform::headless::Use();
        gridForm = MakeForm();
        grid = new TStringGrid(gridForm);
        grid->SetParent(gridForm);
        grid->SetAlign(alClient);
        grid->SetColCount(Columns);
        grid->SetFixedCols(0);
        grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect, goColSizing,
                          goThumbTracking});
        grid->SetRowCount(Rows + 1);
        for (int column = 0; column < Columns; ++column)
            grid->SetColWidths(column, Widths[column]);
        for (int row = 1; row <= Rows; ++row) {
            for (int column = 0; column < Columns; ++column)
                grid->SetCells(column, row, Cell(column, row));
        }

        listForm = MakeForm();
        list = new TListView(listForm);
        list->SetParent(listForm);
        list->SetAlign(alClient);
        list->SetRowSelect(true);
        list->SetGridLines(true);
        for (int column = 0; column < Columns; ++column)
            list->Columns()->Add()->SetWidth(Widths[column]);
        for (int row = 1; row <= Rows; ++row) {
            TListItem* item = list->Items()->Add();
            item->SetCaption(Cell(0, row));
            for (int column = 1; column < Columns; ++column)
                item->SubItems()->Add(Cell(column, row));
        }
        // Both show the same number of rows: the grid's rows are as tall as the list's.
        listForm->AfterConstruction();
        listForm->Show();
        platform::headless::RunUntilIdle();
        RECT first{LVIR_BOUNDS, 0, 0, 0};
        RECT second{LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(list->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageA(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
        grid->SetDefaultRowHeight(second.top - first.top - 1);
        gridForm->AfterConstruction();
        gridForm->Show();
        platform::headless::RunUntilIdle();
    }

    static TForm* MakeForm() {
        auto* form = new TForm(nullptr);
        form->SetBounds(0, 0, 636, 525);
        return form;
    }

    TForm* gridForm;
    TStringGrid* grid;
    TForm* listForm;
    TListView* list;
};

// The scene lives as long as the process: its windows must not outlive the display, whose
// statics go first at exit.
Scene& TheScene() {
    static Scene* scene = new Scene;
    return *scene;
}

// The thread's CPU time, not the wall clock: drawing here waits for nothing, and on a shared
// machine the wall clock mostly measures the other programs.
double NowNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

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

double g_gridRepaintNs = 0;
double g_gridRowScrollNs = 0;

void Repaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

// One row down, then back up: a scroll each time.
void ScrollOneRow(HWND window, bool& down) {
    SendMessageA(window, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
    UpdateWindow(window);
    down = !down;
}

void Report(benchmark::State& state, double meanNs, double gridNs) {
    state.counters["ms"] = meanNs / 1e6;
    if (gridNs > 0)
        state.counters["ratio_to_grid"] = meanNs / gridNs;
}

void BM_GridFullRepaint(benchmark::State& state) {
    HWND window = TheScene().grid->Handle();
    g_gridRepaintNs = Measure(state, [&] { Repaint(window); });
    state.counters["ms"] = g_gridRepaintNs / 1e6;
}

void BM_ListViewFullRepaint(benchmark::State& state) {
    HWND window = TheScene().list->Handle();
    Report(state, Measure(state, [&] { Repaint(window); }), g_gridRepaintNs);
}

void BM_GridRowScroll(benchmark::State& state) {
    HWND window = TheScene().grid->Handle();
    bool down = true;
    g_gridRowScrollNs = Measure(state, [&] { ScrollOneRow(window, down); });
    state.counters["ms"] = g_gridRowScrollNs / 1e6;
}

void BM_ListViewRowScroll(benchmark::State& state) {
    HWND window = TheScene().list->Handle();
    bool down = true;
    Report(state, Measure(state, [&] { ScrollOneRow(window, down); }), g_gridRowScrollNs);
}

} // namespace

BENCHMARK(BM_GridFullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListViewFullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridRowScroll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListViewRowScroll)->Unit(benchmark::kMillisecond);
