#include "app/StringGridModel.h"

#include "framework/grid/StringGrid.h"

int StringGridModel::ColCount() const {
    return m_grid.ColCount();
}

int StringGridModel::RowCount() const {
    return m_grid.RowCount();
}

void StringGridModel::SetRowCount(int rows) {
    m_grid.SetRowCount(rows);
}

int StringGridModel::FixedRows() const {
    return m_grid.FixedRows();
}

std::string StringGridModel::Cell(int column, int row) const {
    return m_grid.Cells(column, row);
}

void StringGridModel::SetCell(int column, int row, const std::string& text) {
    m_grid.SetCells(column, row, text);
}
