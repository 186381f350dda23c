#pragma once
// TStringGrid: a grid of texts. Each row keeps its texts in a list of its own, held by
// pointer, so that inserting, exchanging and moving rows touches pointers only, however many
// rows there are.

#include "framework/grid/Grid.h"

#include "core/StringList.h"

#include <memory>
#include <string>
#include <vector>

class TStringGrid : public TCustomGrid {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TStringGrid(TComponent* owner);
    ~TStringGrid() override;

    // The text of a cell; empty outside the grid.
    const std::string& Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    // A row's texts, one per column.
    const TStringList& Rows(int row) const;
    void SetRows(int row, const TStringList& texts);
    // A column's texts, one per row.
    TStringList Cols(int col) const;
    void SetCols(int col, const TStringList& texts);

    void ExchangeRows(int a, int b);
    void InsertRow(int before);
    void DeleteRow(int row);
    void MoveRow(int from, int to);

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;

private:
    void SyncRowStorage();
    TStringList& RowList(int row);

    std::vector<std::unique_ptr<TStringList>> m_rows;
};
