// The string grid: cells and row storage, selection with OnSelectCell, MouseToCell, column
// sizing by the header border, the keyboard, scrolling that paints only what comes into view,
// and 10,000 rows.

#include "FrameworkTestSupport.h"

#include "framework/grid/StringGrid.h"

#include <set>

namespace {

// A grid that counts the cells it draws, by row.
class TCountingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::multiset<int> drawnRows;

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override {
        drawnRows.insert(row);
        TStringGrid::DrawCell(col, row, rect, state);
    }
};

} // namespace

class Grid : public FrameworkTest {
protected:
    // The program's grid: 9 columns, one header row, rows 20 pixels high, whole rows selected.
    TCountingGrid* MakeGrid(int rows) {
        form = NewForm(636, 400);
        grid = new TCountingGrid(form);
        grid->SetParent(form);
        grid->SetAlign(alClient);
        grid->SetColCount(9);
        grid->SetFixedCols(0);
        grid->SetRowCount(rows);
        grid->SetDefaultRowHeight(20);
        grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                          goRowSelect, goColSizing, goThumbTracking});
        for (int row = 1; row < rows; ++row)
            grid->SetCells(0, row, "TCP" + std::to_string(row));
        form->Show();
        Pump();
        grid->SetFocus();
        Pump();
        return grid;
    }
    TForm* form = nullptr;
    TCountingGrid* grid = nullptr;
};

TEST_F(Grid, KeepsCellsInRowsThatExchangeAndMoveWhole) {
    TStringGrid strings(nullptr);
    strings.SetColCount(3);
    strings.SetRowCount(4);
    strings.SetCells(1, 2, "本机地址");
    EXPECT_EQ(strings.Cells(1, 2), "本机地址");
    EXPECT_EQ(strings.Cells(2, 2), "");
    EXPECT_EQ(strings.Cells(9, 9), ""); // outside: empty, no error
    strings.SetCells(0, 3, "UDP");
    strings.ExchangeRows(2, 3);
    EXPECT_EQ(strings.Cells(0, 2), "UDP");
    EXPECT_EQ(strings.Cells(1, 3), "本机地址");
    strings.MoveRow(3, 1);
    EXPECT_EQ(strings.Cells(1, 1), "本机地址");
    strings.InsertRow(1);
    EXPECT_EQ(strings.RowCount(), 5);
    EXPECT_EQ(strings.Cells(1, 2), "本机地址");
    strings.DeleteRow(1);
    EXPECT_EQ(strings.Rows(1).Strings(1), "本机地址");
    TStringList column = strings.Cols(0);
    EXPECT_EQ(column.Count(), 4);
    EXPECT_EQ(strings.DefaultColWidth(), 64);
    EXPECT_EQ(strings.DefaultRowHeight(), 24);
}

TEST_F(Grid, ClicksSelectWholeRowsAfterAskingOnSelectCell) {
    MakeGrid(50);
    std::vector<int> asked;
    bool allow = true;
    grid->OnSelectCell = [&](TObject*, int, int row, bool& canSelect) {
        asked.push_back(row);
        canSelect = allow;
    };
    int downs = 0;
    grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    const TRect cell = grid->CellRect(3, 4);
    int col = -1;
    int row = -1;
    grid->MouseToCell(cell.left + 2, cell.top + 2, col, row);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 4);
    const TPoint point = OnScreen(grid, cell.left + 2, cell.top + 2);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_EQ(asked, std::vector<int>{4});
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 4, 8, 4}));
    EXPECT_EQ(downs, 1);

    allow = false;
    const TRect other = grid->CellRect(0, 6);
    const TPoint refused = OnScreen(grid, other.left + 2, other.top + 2);
    platform::headless::Click(refused.x, refused.y);
    Pump();
    EXPECT_EQ(grid->Row(), 4);

    grid->MouseToCell(-5, 3, col, row);
    EXPECT_EQ(col, -1);
}

TEST_F(Grid, KeysMoveTheCurrentRowAndScrollItIntoView) {
    MakeGrid(500);
    const int page = grid->VisibleRowCount();
    ASSERT_GT(page, 5);
    platform::headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_EQ(grid->Row(), 2);
    platform::headless::TypeKey(VK_NEXT);
    Pump();
    EXPECT_EQ(grid->Row(), 2 + page);
    EXPECT_GT(grid->TopRow(), 1);
    platform::headless::PressKey(VK_CONTROL);
    platform::headless::TypeKey(VK_END);
    platform::headless::ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(grid->Row(), 499);
    EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount() - 1, 499);
    platform::headless::PressKey(VK_CONTROL);
    platform::headless::TypeKey(VK_HOME);
    platform::headless::ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    platform::headless::TypeKey(VK_UP); // the header row is never current
    Pump();
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(Grid, ScrollingPaintsOnlyTheRowsThatComeIntoView) {
    MakeGrid(10001);
    grid->drawnRows.clear();
    grid->Invalidate();
    grid->Update();
    const int page = grid->VisibleRowCount();
    // A full paint draws the header and the rows in view (a partly visible one too), nothing else.
    EXPECT_LE(static_cast<int>(grid->drawnRows.size()), (page + 3) * 9);
    EXPECT_EQ(grid->drawnRows.count(0), 9u);

    grid->drawnRows.clear();
    SendMessageA(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    grid->Update();
    EXPECT_EQ(grid->TopRow(), 2);
    std::set<int> rows(grid->drawnRows.begin(), grid->drawnRows.end());
    EXPECT_LE(rows.size(), 3u);   // the new bottom row (and the partial one below it)
    EXPECT_EQ(rows.count(2), 0u); // rows already on screen were moved, not drawn
    const TRect cell = grid->CellRect(0, 2);
    const TPoint point = OnScreen(grid, cell.left + 1, cell.top + 1);
    EXPECT_NE(platform::headless::ReadScreenPixel(point.x, point.y), CLR_INVALID);

    // Thumb tracking follows the scroll box straight to the end of 10,000 rows.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(grid->Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nMax, 9999);
    EXPECT_EQ(static_cast<int>(info.nPage), page);
    grid->SetTopRow(10000);
    EXPECT_EQ(grid->TopRow(), 10001 - page);
    grid->drawnRows.clear();
    grid->Update();
    EXPECT_EQ(grid->drawnRows.count(10000), 9u);
}

TEST_F(Grid, DraggingAHeaderBorderSizesTheColumn) {
    MakeGrid(10);
    grid->SetColWidths(0, 38);
    Pump();
    const TRect header = grid->CellRect(0, 0);
    const TPoint border = OnScreen(grid, header.right, header.top + 5);
    platform::headless::PressButton(border.x, border.y);
    Pump();
    platform::headless::MoveMouse(border.x + 30, border.y);
    Pump();
    platform::headless::ReleaseButton(border.x + 30, border.y);
    Pump();
    EXPECT_EQ(grid->ColWidths(0), 68);
    EXPECT_EQ(grid->Row(), 1); // sizing selects nothing

    // Without goColSizing the border is just a header cell.
    grid->SetOptions(grid->Options() - TGridOptions{goColSizing});
    const TRect moved = grid->CellRect(0, 0);
    const TPoint again = OnScreen(grid, moved.right, moved.top + 5);
    platform::headless::PressButton(again.x, again.y);
    platform::headless::MoveMouse(again.x + 30, again.y);
    platform::headless::ReleaseButton(again.x + 30, again.y);
    Pump();
    EXPECT_EQ(grid->ColWidths(0), 68);
}
