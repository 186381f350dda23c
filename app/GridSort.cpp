#include "app/GridSort.h"

#include "app/ExchangeOrder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

namespace {

// The key column of rows [first, end) as ranks: equal texts get equal ranks, and a smaller
// rank means a text that sorts first in the direction asked for. The exchange sort only ever
// compares keys, so the order it leaves follows from the ranks alone.
std::vector<std::uint32_t> KeyRanks(const GridModel& grid, int column, int first, int end, bool descending,
                                    std::uint32_t& rankCount) {
    const std::size_t count = static_cast<std::size_t>(end - first);
    std::vector<std::string> keys(count);
    for (std::size_t i = 0; i < count; ++i)
        keys[i] = grid.Cell(column, first + static_cast<int>(i));
    std::vector<std::uint32_t> byKey(count);
    std::iota(byKey.begin(), byKey.end(), 0u);
    // std::string compares its bytes as unsigned values, as the grid's order wants.
    std::sort(byKey.begin(), byKey.end(),
              [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    std::vector<std::uint32_t> ranks(count);
    std::uint32_t rank = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0 && keys[byKey[k - 1]] != keys[byKey[k]])
            ++rank;
        ranks[byKey[k]] = rank;
    }
    rankCount = rank + 1;
    if (descending) {
        for (std::uint32_t& value : ranks)
            value = rank - value;
    }
    return ranks;
}

// Puts the rows [first, end) into the order given (order[k]: the row, counted from first,
// that goes to place k), moving each row's texts once.
void MoveRows(GridModel& grid, int first, const std::vector<std::uint32_t>& order) {
    const int columns = grid.ColCount();
    std::vector<std::string> texts(order.size() * static_cast<std::size_t>(columns));
    for (std::size_t k = 0; k < order.size(); ++k) {
        for (int column = 0; column < columns; ++column)
            texts[k * columns + column] = grid.Cell(column, first + static_cast<int>(k));
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (order[k] == k)
            continue;
        for (int column = 0; column < columns; ++column)
            grid.SetCell(column, first + static_cast<int>(k), texts[order[k] * columns + column]);
    }
}

} // namespace

bool ExchangeGridRows(GridModel* grid, int a, int b) {
    if (a == b || !grid || a < 0 || b < 0 || a >= grid->RowCount() || b >= grid->RowCount())
        return false;
    for (int column = 0; column < grid->ColCount(); ++column) {
        std::string textOfA = grid->Cell(column, a);
        grid->SetCell(column, a, grid->Cell(column, b));
        grid->SetCell(column, b, textOfA);
    }
    return true;
}

bool SortGridRows(GridModel* grid, int column, bool descending) {
    if (!grid || column < 0 || column >= grid->ColCount())
        return false;
    const int first = std::max(grid->FixedRows(), 0);
    const int end = grid->RowCount();
    if (end - first < 2)
        return true;
    std::uint32_t rankCount = 0;
    std::vector<std::uint32_t> ranks = KeyRanks(*grid, column, first, end, descending, rankCount);
    MoveRows(*grid, first, ExchangeSortOrder(ranks, rankCount));
    return true;
}

bool SortByHeaderClick(GridModel* grid, int column, int& lastSortColumn) {
    bool descending = lastSortColumn == column;
    if (!SortGridRows(grid, column, descending))
        return false;
    lastSortColumn = descending ? NoSortColumn : column;
    return true;
}
