#pragma once
// TCustomGrid: a grid of cells that draws itself. Rows and columns have their own heights and
// widths (the default ones cost nothing per row); the first rows and columns may be fixed
// (headers). It keeps a current cell and a selection, follows the keyboard and the mouse
// (asking OnSelectCell first), sizes columns by their header borders, keeps window scroll bars
// in step, and paints only the cells the update region touches; scrolling moves the pixels
// already drawn and paints only what comes into view.

#include "framework/controls/GraphicControl.h"
#include "framework/controls/StdTypes.h"

#include <functional>
#include <vector>

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;
enum TGridDrawStateBit { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateBit>;

const TEnumInfo& GridOptionIdents();

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

struct TGridCoord {
    int X = 0;
    int Y = 0;
};

using TSelectCellEvent = std::function<void(TObject* sender, int col, int row, bool& canSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* sender, int col, int row, TRect rect, TGridDrawState state)>;

class TCustomGrid : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomGrid(TComponent* owner);
    ~TCustomGrid() override;

    int ColCount() const { return static_cast<int>(m_colWidths.size()); }
    void SetColCount(int count);
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int count);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int count);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height);
    int ColWidths(int col) const { return m_colWidths.at(static_cast<std::size_t>(col)); }
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return m_gridLineWidth; }
    void SetGridLineWidth(int width);
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions options);
    TColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColor color);
    // The colour of the fixed cells' text; clDefault: the font's colour, as in the other cells.
    TColor FixedFontColor() const { return m_fixedFontColor; }
    void SetFixedFontColor(TColor color);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);

    int Col() const { return m_current.X; }
    void SetCol(int col) { FocusCell(col, m_current.Y, true); }
    int Row() const { return m_current.Y; }
    void SetRow(int row) { FocusCell(m_current.X, row, true); }
    TGridRect Selection() const;
    void SetSelection(TGridRect selection);
    int TopRow() const { return m_topLeft.Y; }
    void SetTopRow(int row) { MoveTopLeft(m_topLeft.X, row); }
    int LeftCol() const { return m_topLeft.X; }
    void SetLeftCol(int col) { MoveTopLeft(col, m_topLeft.Y); }
    // Rows (columns) wholly visible below (beside) the fixed ones.
    int VisibleRowCount();
    int VisibleColCount();

    // The cell under a client point; -1 for each coordinate outside the cells.
    TGridCoord MouseCoord(int x, int y);
    void MouseToCell(int x, int y, int& col, int& row);
    // The client rectangle of a cell (empty when it is not in view).
    TRect CellRect(int col, int row);

    TSelectCellEvent OnSelectCell;
    TDrawCellEvent OnDrawCell;
    TNotifyEvent OnTopLeftChanged;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    // Draws one cell's inside (lines are drawn around it); TStringGrid writes its text.
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    virtual bool SelectCell(int col, int row);
    // Rows were inserted, removed or exchanged: their cells are drawn again.
    void InvalidateRow(int row);
    void InvalidateCell(int col, int row);
    void InvalidateGrid() { Invalidate(); }
    void RowCountChanged();

private:
    // The pixel offset of a row's top from the first scrollable row, and its inverse.
    int RowOffset(int row) const;
    int RowAtOffset(int offset) const;
    int FixedHeight() const;
    int FixedWidth() const;
    int ColumnLeft(int col) const;
    void FocusCell(int col, int row, bool moveAnchor);
    void MoveTopLeft(int col, int row);
    // Brings the current cell into view.
    void ClampInView();
    void UpdateScrollBars();
    void ScrollMessage(TMessage& message, bool vertical);
    // The column whose right border lies under x within the fixed rows, or -1.
    int SizingBorderAt(int x, int y);
    void WMGetDlgCode(TMessage& message);
    void WMSetCursor(TMessage& message);

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights; // empty while every row has the default height
    int m_rowCount = 5;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_gridLineWidth = 1;
    TGridOptions m_options{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TColor m_fixedColor = clBtnFace;
    TColor m_fixedFontColor = clDefault;
    TScrollStyle m_scrollBars = ssBoth;
    TGridCoord m_current{1, 1};
    TGridCoord m_anchor{1, 1};
    TGridCoord m_topLeft{1, 1};
    int m_sizingCol = -1;
    int m_sizingOrigin = 0;
    bool m_selecting = false;
};
