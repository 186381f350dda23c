// A header click on a grid of connection-like rows against the exchange sort as written
// (every pair of rows compared as texts, whole rows exchanged in place), both on copies of
// the same grid in the same run. The rows: loopback connections of 250 processes, in the
// table's order (local endpoint ascending), so the process id column has many equal keys and
// a descending click on the local endpoints meets the rows in the reverse of their order.

#include "ConnectionRows.h"

#include "app/ConnectionColumns.h"
#include "app/GridSort.h"
#include "app/MemoryGrid.h"

#include "bench/BenchClock.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

MemoryGrid ConnectionGrid(int rows) {
    MemoryGrid grid(ConnectionColumnCount, 1);
    FillConnectionRows(grid, rows);
    return grid;
}

void WrittenExchangeSort(GridModel& grid, int column, bool descending) {
    int rows = grid.RowCount();
    for (int i = grid.FixedRows(); i <= rows - 2; ++i) {
        for (int j = i + 1; j <= rows - 1; ++j) {
            std::string a = grid.Cell(column, i);
            std::string b = grid.Cell(column, j);
            if (descending ? a < b : a > b)
                ExchangeGridRows(&grid, i, j);
        }
    }
}

double SecondsOf(void (*sort)(GridModel&, int, bool), GridModel& grid, int column, bool descending) {
    double start = MonotonicSeconds();
    sort(grid, column, descending);
    return MonotonicSeconds() - start;
}

void HeaderClick(GridModel& grid, int column, bool descending) {
    SortGridRows(&grid, column, descending);
}

bool SameRows(const GridModel& a, const GridModel& b) {
    for (int row = 0; row < a.RowCount(); ++row) {
        for (int column = 0; column < a.ColCount(); ++column) {
            if (a.Cell(column, row) != b.Cell(column, row))
                return false;
        }
    }
    return true;
}

// Args: rows, column, descending.
void BM_HeaderClickAgainstWrittenSort(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int column = static_cast<int>(state.range(1));
    const bool descending = state.range(2) != 0;
    const MemoryGrid original = ConnectionGrid(rows);
    double click = 0;
    double written = 0;
    for (auto _ : state) {
        MemoryGrid fast = original;
        MemoryGrid plain = original;
        double one = SecondsOf(HeaderClick, fast, column, descending);
        written += SecondsOf(WrittenExchangeSort, plain, column, descending);
        click += one;
        state.SetIterationTime(one);
        if (!SameRows(fast, plain)) {
            std::fprintf(stderr, "the header click and the written sort disagree\n");
            std::exit(1);
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["click_ms"] = click * 1000 / iterations;
    state.counters["written_ms"] = written * 1000 / iterations;
    state.counters["click/written"] = click / written;
}
BENCHMARK(BM_HeaderClickAgainstWrittenSort)
    ->ArgNames({"rows", "column", "desc"})
    ->Args({10000, ColumnProcessId, 0})
    ->Args({10000, ColumnLocal, 1})
    ->Args({36000, ColumnProcessId, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The header click alone on more columns and both directions.
void BM_HeaderClick(benchmark::State& state) {
    const MemoryGrid original = ConnectionGrid(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        MemoryGrid grid = original;
        state.SetIterationTime(
            SecondsOf(HeaderClick, grid, static_cast<int>(state.range(1)), state.range(2) != 0));
    }
}
BENCHMARK(BM_HeaderClick)
    ->ArgNames({"rows", "column", "desc"})
    ->Args({36000, ColumnLocal, 0})
    ->Args({36000, ColumnLocal, 1})
    ->Args({36000, ColumnProcessName, 1})
    ->Args({36000, ColumnState, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
