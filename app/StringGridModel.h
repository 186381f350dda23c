#pragma once
// The main window's string grid seen as the listing engine's GridModel: the listings, the
// header-click sort and the save command work on the grid the user sees.

#include "app/GridModel.h"

class TStringGrid;

class StringGridModel : public GridModel {
public:
    explicit StringGridModel(TStringGrid& grid) : m_grid(grid) {}

    int ColCount() const override;
    int RowCount() const override;
    void SetRowCount(int rows) override;
    int FixedRows() const override;
    std::string Cell(int column, int row) const override;
    void SetCell(int column, int row, const std::string& text) override;

private:
    TStringGrid& m_grid;
};
