// A header click in the window: 10,000 connection-like rows sorted in the main window's string
// grid (shown on the headless display, through the same model the window sorts) against the
// same click on a grid held in memory, in the same run; the ratio is what the window adds.

#include "ConnectionRows.h"

#include "app/ConnectionColumns.h"
#include "app/GridSort.h"
#include "app/MemoryGrid.h"
#include "app/StringGridModel.h"
#include "framework/forms/Form.h"
#include "framework/grid/StringGrid.h"
#include "platform/display/Headless.h"

#include "bench/BenchClock.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

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
        FillConnectionRows(window, rows);
        MemoryGrid memory(ConnectionColumnCount, 1);
        FillConnectionRows(memory, rows);
        platform::headless::RunUntilIdle();
        double start = MonotonicSeconds();
        int last = NoSortColumn;
        SortByHeaderClick(&window, column, last);
        platform::headless::RunUntilIdle(); // the grid repaints what the sort changed
        double one = MonotonicSeconds() - start;
        start = MonotonicSeconds();
        last = NoSortColumn;
        SortByHeaderClick(&memory, column, last);
        inMemory += MonotonicSeconds() - start;
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
