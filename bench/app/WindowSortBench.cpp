// A header click in the window: 10,000 connection-like rows sorted in the main window's string
// grid (shown on the headless display, through the same model the window sorts) against the
// same click on a grid held in memory, in the same run; the ratio is what the window adds.

#include "app/ConnectionColumns.h"
#include "app/GridSort.h"
#include "app/MemoryGrid.h"
#include "app/StringGridModel.h"
#include "framework/forms/Form.h"
#include "framework/grid/StringGrid.h"
#include "platform/display/Headless.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <time.h>

namespace {

// The row texts of a listing of many loopback connections of 250 processes.
void FillRows(GridModel& grid, int rows) {
    grid.SetRowCount(rows + 1);
    for (int column = 0; column < ConnectionColumnCount; ++column)
        grid.SetCell(column, 0, ConnectionColumnTitles[column]);
    for (int row = 1; row <= rows; ++row) {
        int process = 1000 + (row * 7919) % 250;
        std::string name = "worker" + std::to_string(process % 40);
        grid.SetCell(ColumnProtocol, row, "TCP");
        grid.SetCell(ColumnLocal, row, "127.0.0.1:" + std::to_string(10000 + row));
        grid.SetCell(ColumnRemote, row, "127.0.0.2:" + std::to_string(40000 + (row * 31) % 20000));
        grid.SetCell(ColumnLocation, row, "本机地址");
        grid.SetCell(ColumnState, row, row % 17 == 0 ? "等待时间" : "已建立");
        grid.SetCell(ColumnProcessId, row, std::to_string(process));
        grid.SetCell(ColumnProcessName, row, name);
        grid.SetCell(ColumnPath, row, "/usr/bin/" + name);
        grid.SetCell(ColumnDescription, row, "Worker " + std::to_string(process % 40) + " / Quillmere");
    }
}

double Seconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void BM_HeaderClickInTheWindowAgainstMemory(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int column = static_cast<int>(state.range(1));
    platform::headless::Use();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 636, 525);
    form->AfterConstruction();
    auto* grid = new TStringGrid(form.get());
    grid->SetParent(form.get());
    grid->SetAlign(alClient);
    grid->SetColCount(ConnectionColumnCount);
    grid->SetFixedCols(0);
    form->Show();
    platform::headless::RunUntilIdle();
    StringGridModel window(*grid);
    double inWindow = 0;
    double inMemory = 0;
    for (auto _ : state) {
        FillRows(window, rows);
        MemoryGrid memory(ConnectionColumnCount, 1);
        FillRows(memory, rows);
        platform::headless::RunUntilIdle();
        double start = Seconds();
        int last = NoSortColumn;
        SortByHeaderClick(&window, column, last);
        platform::headless::RunUntilIdle(); // the grid repaints what the sort changed
        double one = Seconds() - start;
        start = Seconds();
        last = NoSortColumn;
        SortByHeaderClick(&memory, column, last);
        inMemory += Seconds() - start;
        inWindow += one;
        state.SetIterationTime(one);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["window_ms"] = inWindow * 1000 / iterations;
    state.counters["memory_ms"] = inMemory * 1000 / iterations;
    state.counters["window/memory"] = inWindow / inMemory;
}
BENCHMARK(BM_HeaderClickInTheWindowAgainstMemory)
    ->ArgNames({"rows", "column"})
    ->Args({10000, ColumnProcessId})
    ->Args({10000, ColumnRemote})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
