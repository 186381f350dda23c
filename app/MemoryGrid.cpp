#include "app/MemoryGrid.h"

#include <algorithm>

MemoryGrid::MemoryGrid(int columns, int rows) : m_columns(std::max(columns, 0)) {
    SetRowCount(rows);
}

void MemoryGrid::SetRowCount(int rows) {
    m_rows.resize(static_cast<std::size_t>(std::max(rows, 0)), std::vector<std::string>(m_columns));
}

bool MemoryGrid::Contains(int column, int row) const {
    return column >= 0 && column < m_columns && row >= 0 && row < RowCount();
}

std::string MemoryGrid::Cell(int column, int row) const {
    return Contains(column, row) ? m_rows[row][column] : std::string();
}

void MemoryGrid::SetCell(int column, int row, const std::string& text) {
    if (Contains(column, row))
        m_rows[row][column] = text;
}
