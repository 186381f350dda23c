#pragma once
// A GridModel held in memory, with one fixed header row.

#include "app/GridModel.h"

#include <vector>

class MemoryGrid : public GridModel {
public:
    MemoryGrid(int columns, int rows);

    int ColCount() const override { return m_columns; }
    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    void SetRowCount(int rows) override;
    int FixedRows() const override { return 1; }
    // Cells outside the grid read as empty and ignore writes.
    std::string Cell(int column, int row) const override;
    void SetCell(int column, int row, const std::string& text) override;

private:
    bool Contains(int column, int row) const;

    int m_columns;
    std::vector<std::vector<std::string>> m_rows;
};
