#include "app/GridSort.h"

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
    int rows = grid->RowCount();
    for (int i = grid->FixedRows(); i <= rows - 2; ++i) {
        for (int j = i + 1; j <= rows - 1; ++j) {
            // std::string compares its bytes as unsigned values, as the grid's order wants.
            std::string a = grid->Cell(column, i);
            std::string b = grid->Cell(column, j);
            if (descending ? a < b : a > b)
                ExchangeGridRows(grid, i, j);
        }
    }
    return true;
}

bool SortByHeaderClick(GridModel* grid, int column, int& lastSortColumn) {
    bool descending = lastSortColumn == column;
    if (!SortGridRows(grid, column, descending))
        return false;
    lastSortColumn = descending ? NoSortColumn : column;
    return true;
}
