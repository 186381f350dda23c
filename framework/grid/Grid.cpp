#include "framework/grid/Grid.h"

#include "framework/classes/PropertyTable.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

const TEnumInfo& GridOptionIdents() {
    static const TEnumInfo idents{{"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine",
                                   "goRangeSelect", "goDrawFocusSelected", "goRowSizing", "goColSizing",
                                   "goRowMoving", "goColMoving", "goEditing", "goTabs", "goRowSelect",
                                   "goAlwaysShowEditor", "goThumbTracking"}};
    return idents;
}

const TClass& TCustomGrid::ClassInfo() {
    static const TClass info(
        "TCustomGrid", &TCustomControl::ClassInfo(),
        {
            OrdProperty("Color", &TControl::Color, &TControl::SetColor),
            OrdProperty("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount),
            OrdProperty("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth),
            OrdProperty("DefaultRowHeight", &TCustomGrid::DefaultRowHeight,
                        &TCustomGrid::SetDefaultRowHeight),
            OrdProperty("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor),
            OrdProperty("FixedFontColor", &TCustomGrid::FixedFontColor, &TCustomGrid::SetFixedFontColor),
            OrdProperty("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols),
            OrdProperty("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows),
            ObjProperty("Font", &TControl::Font, &TControl::SetFont),
            OrdProperty("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth),
            SetProperty("Options", GridOptionIdents(), &TCustomGrid::Options, &TCustomGrid::SetOptions),
            EnumProperty("ParentColor", BooleanIdents(), &TControl::ParentColor, &TControl::SetParentColor),
            EnumProperty("ParentFont", BooleanIdents(), &TControl::ParentFont, &TControl::SetParentFont),
            OrdProperty("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount),
            EnumProperty("ScrollBars", ScrollStyleIdents(), &TCustomGrid::ScrollBars,
                         &TCustomGrid::SetScrollBars),
            MethodProperty("OnDrawCell", &TCustomGrid::OnDrawCell),
            MethodProperty("OnMouseDown", &TControl::OnMouseDown),
            MethodProperty("OnSelectCell", &TCustomGrid::OnSelectCell),
        });
    return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner), m_colWidths(5, 64) {
    SetBounds(0, 0, 320, 120);
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
    m_controlStyle.Exclude(csClickEvents);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_TABSTOP;
    if (m_scrollBars == ssVertical || m_scrollBars == ssBoth)
        params.Style |= WS_VSCROLL;
    if (m_scrollBars == ssHorizontal || m_scrollBars == ssBoth)
        params.Style |= WS_HSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

// ---- sizes ------------------------------------------------------------------------------

void TCustomGrid::SetColCount(int count) {
    count = std::max(count, 1);
    if (count == ColCount())
        return;
    m_colWidths.resize(static_cast<std::size_t>(count), m_defaultColWidth);
    m_fixedCols = std::min(m_fixedCols, count - 1);
    m_current.X = std::clamp(m_current.X, m_fixedCols, count - 1);
    m_anchor.X = std::clamp(m_anchor.X, m_fixedCols, count - 1);
    m_topLeft.X = std::clamp(m_topLeft.X, m_fixedCols, count - 1);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetRowCount(int count) {
    count = std::max(count, 1);
    if (count == m_rowCount)
        return;
    m_rowCount = count;
    if (!m_rowHeights.empty())
        m_rowHeights.resize(static_cast<std::size_t>(count), m_defaultRowHeight);
    m_fixedRows = std::min(m_fixedRows, count - 1);
    RowCountChanged();
}

void TCustomGrid::RowCountChanged() {
    const int last = std::max(m_rowCount - 1, m_fixedRows);
    m_current.Y = std::clamp(m_current.Y, m_fixedRows, last);
    m_anchor.Y = std::clamp(m_anchor.Y, m_fixedRows, last);
    const int top = m_topLeft.Y;
    m_topLeft.Y = std::clamp(m_topLeft.Y, m_fixedRows, last);
    if (top != m_topLeft.Y)
        MoveTopLeft(m_topLeft.X, m_topLeft.Y);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedCols(int count) {
    count = std::clamp(count, 0, ColCount() - 1);
    m_fixedCols = count;
    m_current.X = std::max(m_current.X, count);
    m_anchor.X = std::max(m_anchor.X, count);
    m_topLeft.X = count;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int count) {
    count = std::clamp(count, 0, m_rowCount - 1);
    m_fixedRows = count;
    m_current.Y = std::max(m_current.Y, count);
    m_anchor.Y = std::max(m_anchor.Y, count);
    m_topLeft.Y = count;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int width) {
    m_defaultColWidth = width;
    std::fill(m_colWidths.begin(), m_colWidths.end(), width);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int height) {
    m_defaultRowHeight = height;
    m_rowHeights.clear();
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetColWidths(int col, int width) {
    int& current = m_colWidths.at(static_cast<std::size_t>(col));
    width = std::max(width, 0);
    if (current == width)
        return;
    current = width;
    UpdateScrollBars();
    Invalidate();
}

int TCustomGrid::RowHeights(int row) const {
    if (row < 0 || row >= m_rowCount)
        return 0;
    return m_rowHeights.empty() ? m_defaultRowHeight : m_rowHeights[static_cast<std::size_t>(row)];
}

void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= m_rowCount || RowHeights(row) == height)
        return;
    if (m_rowHeights.empty())
        m_rowHeights.assign(static_cast<std::size_t>(m_rowCount), m_defaultRowHeight);
    m_rowHeights[static_cast<std::size_t>(row)] = std::max(height, 0);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int width) {
    m_gridLineWidth = std::max(width, 0);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions options) {
    if (options == m_options)
        return;
    m_options = options;
    if (options.Contains(goRowSelect))
        m_anchor.X = m_current.X;
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor color) {
    if (color == m_fixedColor)
        return;
    m_fixedColor = color;
    Invalidate();
}

void TCustomGrid::SetFixedFontColor(TColor color) {
    if (color == m_fixedFontColor)
        return;
    m_fixedFontColor = color;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle scrollBars) {
    if (scrollBars == m_scrollBars)
        return;
    m_scrollBars = scrollBars;
    RecreateWnd();
}

// ---- geometry -----------------------------------------------------------------------------

int TCustomGrid::RowOffset(int row) const {
    const int line = m_gridLineWidth;
    if (m_rowHeights.empty())
        return (row - m_fixedRows) * (m_defaultRowHeight + line);
    int offset = 0;
    for (int i = m_fixedRows; i < row; ++i)
        offset += m_rowHeights[static_cast<std::size_t>(i)] + line;
    return offset;
}

int TCustomGrid::RowAtOffset(int offset) const {
    const int line = m_gridLineWidth;
    if (m_rowHeights.empty()) {
        const int step = std::max(m_defaultRowHeight + line, 1);
        return m_fixedRows + std::max(offset, 0) / step;
    }
    int row = m_fixedRows;
    for (int top = 0; row < m_rowCount; ++row) {
        top += m_rowHeights[static_cast<std::size_t>(row)] + line;
        if (top > offset)
            break;
    }
    return row;
}

int TCustomGrid::FixedHeight() const {
    int height = 0;
    for (int row = 0; row < m_fixedRows; ++row)
        height += RowHeights(row) + m_gridLineWidth;
    return height;
}

int TCustomGrid::FixedWidth() const {
    int width = 0;
    for (int col = 0; col < m_fixedCols; ++col)
        width += m_colWidths[static_cast<std::size_t>(col)] + m_gridLineWidth;
    return width;
}

int TCustomGrid::ColumnLeft(int col) const {
    int left = 0;
    if (col < m_fixedCols) {
        for (int i = 0; i < col; ++i)
            left += m_colWidths[static_cast<std::size_t>(i)] + m_gridLineWidth;
        return left;
    }
    left = FixedWidth();
    for (int i = m_topLeft.X; i < col; ++i)
        left += m_colWidths[static_cast<std::size_t>(i)] + m_gridLineWidth;
    return left;
}

TRect TCustomGrid::CellRect(int col, int row) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= m_rowCount)
        return {};
    if ((col >= m_fixedCols && col < m_topLeft.X) || (row >= m_fixedRows && row < m_topLeft.Y))
        return {};
    int top = 0;
    if (row < m_fixedRows) {
        for (int i = 0; i < row; ++i)
            top += RowHeights(i) + m_gridLineWidth;
    } else {
        top = FixedHeight() + RowOffset(row) - RowOffset(m_topLeft.Y);
    }
    const int left = ColumnLeft(col);
    const TRect client = ClientRect();
    if (top >= client.bottom || left >= client.right)
        return {};
    return Rect(left, top, left + ColWidths(col), top + RowHeights(row));
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) {
    TGridCoord cell{-1, -1};
    const int fixedHeight = FixedHeight();
    if (y >= 0 && y < fixedHeight) {
        int top = 0;
        for (int row = 0; row < m_fixedRows; ++row) {
            top += RowHeights(row) + m_gridLineWidth;
            if (y < top) {
                cell.Y = row;
                break;
            }
        }
    } else if (y >= fixedHeight) {
        const int row = RowAtOffset(y - fixedHeight + RowOffset(m_topLeft.Y));
        if (row < m_rowCount)
            cell.Y = row;
    }
    if (x >= 0) {
        for (int col = 0; col < ColCount(); ++col) {
            if (col >= m_fixedCols && col < m_topLeft.X)
                continue;
            const int left = ColumnLeft(col);
            if (x >= left && x < left + ColWidths(col) + m_gridLineWidth) {
                cell.X = col;
                break;
            }
        }
    }
    return cell;
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) {
    const TGridCoord cell = MouseCoord(x, y);
    col = cell.X;
    row = cell.Y;
}

int TCustomGrid::VisibleRowCount() {
    const int available = ClientHeight() - FixedHeight();
    int count = 0;
    for (int row = m_topLeft.Y, used = 0; row < m_rowCount; ++row) {
        used += RowHeights(row) + m_gridLineWidth;
        if (used > available + m_gridLineWidth)
            break;
        ++count;
    }
    return count;
}

int TCustomGrid::VisibleColCount() {
    const int available = ClientWidth() - FixedWidth();
    int count = 0;
    for (int col = m_topLeft.X, used = 0; col < ColCount(); ++col) {
        used += ColWidths(col) + m_gridLineWidth;
        if (used > available + m_gridLineWidth)
            break;
        ++count;
    }
    return count;
}

// ---- selection and scrolling -----------------------------------------------------------------

TGridRect TCustomGrid::Selection() const {
    TGridRect selection{std::min(m_anchor.X, m_current.X), std::min(m_anchor.Y, m_current.Y),
                        std::max(m_anchor.X, m_current.X), std::max(m_anchor.Y, m_current.Y)};
    if (m_options.Contains(goRowSelect)) {
        selection.Left = m_fixedCols;
        selection.Right = ColCount() - 1;
    }
    return selection;
}

void TCustomGrid::SetSelection(TGridRect selection) {
    InvalidateGrid();
    m_anchor = {selection.Left, selection.Top};
    m_current = {selection.Right, selection.Bottom};
    ClampInView();
}

bool TCustomGrid::SelectCell(int col, int row) {
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, col, row, canSelect);
    return canSelect;
}

void TCustomGrid::InvalidateCell(int col, int row) {
    if (!HandleAllocated())
        return;
    TRect rect = CellRect(col, row);
    rect.right += m_gridLineWidth;
    rect.bottom += m_gridLineWidth;
    InvalidateRect(Handle(), &rect, FALSE);
}

void TCustomGrid::InvalidateRow(int row) {
    if (!HandleAllocated())
        return;
    TRect rect = CellRect(0, row);
    if (rect.bottom <= rect.top && row >= m_fixedRows && row >= m_topLeft.Y) {
        // A row below the fixed columns' rectangle: its band is still the row's.
        rect = CellRect(m_topLeft.X, row);
    }
    if (rect.bottom <= rect.top)
        return;
    rect.left = 0;
    rect.right = ClientWidth();
    rect.bottom += m_gridLineWidth;
    InvalidateRect(Handle(), &rect, FALSE);
}

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor) {
    if (m_rowCount <= m_fixedRows || ColCount() <= m_fixedCols)
        return;
    col = std::clamp(col, m_fixedCols, ColCount() - 1);
    row = std::clamp(row, m_fixedRows, m_rowCount - 1);
    if (col == m_current.X && row == m_current.Y && (!moveAnchor || (m_anchor.X == col && m_anchor.Y == row)))
        return;
    if (!SelectCell(col, row))
        return;
    const TGridRect old = Selection();
    m_current = {col, row};
    if (moveAnchor || !m_options.Contains(goRangeSelect))
        m_anchor = m_current;
    const TGridRect now = Selection();
    for (int r = std::min(old.Top, now.Top); r <= std::max(old.Bottom, now.Bottom); ++r) {
        const bool inOld = r >= old.Top && r <= old.Bottom;
        const bool inNew = r >= now.Top && r <= now.Bottom;
        if (inOld || inNew)
            InvalidateRow(r);
    }
    ClampInView();
}

void TCustomGrid::ClampInView() {
    if (!HandleAllocated())
        return;
    int top = m_topLeft.Y;
    int left = m_topLeft.X;
    if (m_current.Y < top)
        top = m_current.Y;
    else {
        const int visible = std::max(VisibleRowCount(), 1);
        if (m_current.Y >= top + visible)
            top = m_current.Y - visible + 1;
    }
    if (!m_options.Contains(goRowSelect)) {
        if (m_current.X < left)
            left = m_current.X;
        else {
            const int visible = std::max(VisibleColCount(), 1);
            if (m_current.X >= left + visible)
                left = m_current.X - visible + 1;
        }
    }
    MoveTopLeft(left, top);
}

void TCustomGrid::MoveTopLeft(int col, int row) {
    // The last row (column) may not scroll above the bottom (right) edge.
    const int available = ClientHeight() - FixedHeight();
    int maxTop = m_rowCount - 1;
    for (int used = RowHeights(maxTop) + m_gridLineWidth; maxTop > m_fixedRows; --maxTop) {
        used += RowHeights(maxTop - 1) + m_gridLineWidth;
        if (used > available + m_gridLineWidth)
            break;
    }
    const int width = ClientWidth() - FixedWidth();
    int maxLeft = ColCount() - 1;
    for (int used = ColWidths(maxLeft) + m_gridLineWidth; maxLeft > m_fixedCols; --maxLeft) {
        used += ColWidths(maxLeft - 1) + m_gridLineWidth;
        if (used > width + m_gridLineWidth)
            break;
    }
    row = std::clamp(row, m_fixedRows, std::max(maxTop, m_fixedRows));
    col = std::clamp(col, m_fixedCols, std::max(maxLeft, m_fixedCols));
    if (row == m_topLeft.Y && col == m_topLeft.X)
        return;
    const int dy = RowOffset(m_topLeft.Y) - RowOffset(row);
    const TGridCoord old = m_topLeft;
    m_topLeft = {col, row};
    if (HandleAllocated()) {
        const TRect client = ClientRect();
        if (old.X == col && std::abs(dy) < client.bottom - FixedHeight()) {
            // Rows move by their pixels; only the rows coming into view are painted.
            const RECT area{0, FixedHeight(), client.right, client.bottom};
            ScrollWindowEx(Handle(), 0, dy, &area, &area, nullptr, nullptr, SW_INVALIDATE);
        } else if (old.Y == row) {
            int shift = 0;
            if (col > old.X) {
                for (int c = old.X; c < col; ++c)
                    shift -= ColWidths(c) + m_gridLineWidth;
            } else {
                for (int c = col; c < old.X; ++c)
                    shift += ColWidths(c) + m_gridLineWidth;
            }
            const RECT area{FixedWidth(), 0, client.right, client.bottom};
            if (std::abs(shift) < client.right - FixedWidth())
                ScrollWindowEx(Handle(), shift, 0, &area, &area, nullptr, nullptr, SW_INVALIDATE);
            else
                InvalidateRect(Handle(), nullptr, FALSE);
        } else {
            InvalidateRect(Handle(), nullptr, FALSE);
        }
    }
    UpdateScrollBars();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TCustomGrid::UpdateScrollBars() {
    if (!HandleAllocated())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (m_scrollBars == ssVertical || m_scrollBars == ssBoth) {
        info.nMin = 0;
        info.nMax = std::max(m_rowCount - m_fixedRows - 1, 0);
        info.nPage = static_cast<UINT>(std::max(VisibleRowCount(), 1));
        info.nPos = m_topLeft.Y - m_fixedRows;
        SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    }
    if (m_scrollBars == ssHorizontal || m_scrollBars == ssBoth) {
        info.nMin = 0;
        info.nMax = std::max(ColCount() - m_fixedCols - 1, 0);
        info.nPage = static_cast<UINT>(std::max(VisibleColCount(), 1));
        info.nPos = m_topLeft.X - m_fixedCols;
        SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
    }
}

void TCustomGrid::ScrollMessage(TMessage& message, bool vertical) {
    const int first = vertical ? m_fixedRows : m_fixedCols;
    const int position = vertical ? m_topLeft.Y : m_topLeft.X;
    const int page = std::max(vertical ? VisibleRowCount() : VisibleColCount(), 1);
    const int last = vertical ? m_rowCount - 1 : ColCount() - 1;
    int target = position;
    switch (LOWORD(message.WParam)) {
    case SB_LINEUP:
        target = position - 1;
        break;
    case SB_LINEDOWN:
        target = position + 1;
        break;
    case SB_PAGEUP:
        target = position - page;
        break;
    case SB_PAGEDOWN:
        target = position + page;
        break;
    case SB_TOP:
        target = first;
        break;
    case SB_BOTTOM:
        target = last;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        if (LOWORD(message.WParam) == SB_THUMBTRACK && !m_options.Contains(goThumbTracking))
            break;
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), vertical ? SB_VERT : SB_HORZ, &info);
        target = first + info.nTrackPos;
        break;
    }
    default:
        break;
    }
    if (vertical)
        MoveTopLeft(m_topLeft.X, target);
    else
        MoveTopLeft(target, m_topLeft.Y);
    message.Result = 0;
}

// ---- painting -------------------------------------------------------------------------------

void TCustomGrid::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect clip = canvas.ClipRect();
    const TRect client = ClientRect();
    const TGridRect selection = Selection();
    const bool focused = Focused();
    const int line = m_gridLineWidth;
    HBRUSH fixedLine = CreateSolidBrush(ColorToRGB(clBlack));
    HBRUSH cellLine = CreateSolidBrush(ColorToRGB(clSilver));

    // The rows that meet the clip box: the fixed ones, then those in view from the first the
    // box reaches.
    std::vector<int> rows;
    for (int row = 0; row < m_fixedRows; ++row)
        rows.push_back(row);
    const int fixedHeight = FixedHeight();
    int firstRow =
        std::max(m_topLeft.Y, RowAtOffset(std::max(clip.top - fixedHeight, 0) + RowOffset(m_topLeft.Y)));
    for (int row = firstRow; row < m_rowCount; ++row) {
        const int top = fixedHeight + RowOffset(row) - RowOffset(m_topLeft.Y);
        if (top >= clip.bottom || top >= client.bottom)
            break;
        rows.push_back(row);
    }
    int right = 0;
    int bottom = 0;
    for (int row : rows) {
        for (int col = 0; col < ColCount(); ++col) {
            if (col >= m_fixedCols && col < m_topLeft.X)
                continue;
            const TRect cell = CellRect(col, row);
            if (cell.left >= client.right)
                break;
            if (cell.right <= cell.left && ColWidths(col) > 0)
                continue;
            right = std::max(right, cell.right + line);
            bottom = std::max(bottom, cell.bottom + line);
            const TRect withLines{cell.left, cell.top, cell.right + line, cell.bottom + line};
            RECT visible{};
            if (!IntersectRect(&visible, &withLines, &clip))
                continue;
            const bool fixed = col < m_fixedCols || row < m_fixedRows;
            TGridDrawState state;
            if (fixed)
                state.Include(gdFixed);
            else if (col >= selection.Left && col <= selection.Right && row >= selection.Top &&
                     row <= selection.Bottom)
                state.Include(gdSelected);
            if (!fixed && focused && col == m_current.X && row == m_current.Y)
                state.Include(gdFocused);
            const bool highlighted = state.Contains(gdSelected) &&
                                     (!state.Contains(gdFocused) || m_options.Contains(goDrawFocusSelected) ||
                                      m_options.Contains(goRowSelect));
            canvas.Brush()->SetColor(fixed ? m_fixedColor : highlighted ? clHighlight : Color());
            const TColor text = fixed && m_fixedFontColor != clDefault ? m_fixedFontColor : Font()->Color();
            canvas.Font()->SetColor(highlighted ? clHighlightText : text);
            canvas.FillRect(cell);
            DrawCell(col, row, cell, state);
            if (fixed && line > 0) {
                TRect edge = cell;
                DrawEdge(canvas.Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
            }
            if (state.Contains(gdFocused) && !m_options.Contains(goRowSelect))
                canvas.DrawFocusRect(cell);
            if (line > 0) {
                const bool vertical = m_options.Contains(fixed ? goFixedVertLine : goVertLine);
                const bool horizontal = m_options.Contains(fixed ? goFixedHorzLine : goHorzLine);
                HBRUSH lineBrush = fixed ? fixedLine : cellLine;
                const RECT rightLine{cell.right, cell.top, cell.right + line, cell.bottom + line};
                const RECT bottomLine{cell.left, cell.bottom, cell.right + line, cell.bottom + line};
                FillRect(canvas.Handle(), &rightLine, vertical ? lineBrush : canvas.Brush()->Handle());
                FillRect(canvas.Handle(), &bottomLine, horizontal ? lineBrush : canvas.Brush()->Handle());
            }
        }
    }
    // A focused row of a row-selecting grid gets one focus rectangle across its cells.
    if (focused && m_options.Contains(goRowSelect)) {
        TRect rowRect =
            CellRect(m_fixedCols < ColCount() ? std::max(m_topLeft.X, m_fixedCols) : 0, m_current.Y);
        if (rowRect.bottom > rowRect.top) {
            rowRect.left = FixedWidth();
            rowRect.right = std::min(right - line, client.right);
            canvas.DrawFocusRect(rowRect);
        }
    }
    // What lies beyond the last column and row is the grid's colour.
    canvas.Brush()->SetColor(Color());
    if (right < client.right)
        canvas.FillRect(Rect(right, 0, client.right, client.bottom));
    if (bottom < client.bottom)
        canvas.FillRect(Rect(0, bottom, std::min(right, client.right), client.bottom));
    DeleteObject(fixedLine);
    DeleteObject(cellLine);
}

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (OnDrawCell)
        OnDrawCell(this, col, row, rect, state);
}

// ---- keyboard and mouse ---------------------------------------------------------------------

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0)
        return;
    const bool extend = shift.Contains(ssShift) && m_options.Contains(goRangeSelect);
    const bool control = shift.Contains(ssCtrl);
    const bool rowSelect = m_options.Contains(goRowSelect);
    int col = m_current.X;
    int row = m_current.Y;
    const int page = std::max(VisibleRowCount(), 1);
    switch (key) {
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    case VK_LEFT:
        if (rowSelect) {
            MoveTopLeft(m_topLeft.X - 1, m_topLeft.Y);
            return;
        }
        --col;
        break;
    case VK_RIGHT:
        if (rowSelect) {
            MoveTopLeft(m_topLeft.X + 1, m_topLeft.Y);
            return;
        }
        ++col;
        break;
    case VK_PRIOR:
        row -= page;
        MoveTopLeft(m_topLeft.X, m_topLeft.Y - page);
        break;
    case VK_NEXT:
        row += page;
        MoveTopLeft(m_topLeft.X, m_topLeft.Y + page);
        break;
    case VK_HOME:
        if (control || rowSelect)
            row = m_fixedRows;
        col = m_fixedCols;
        break;
    case VK_END:
        if (control || rowSelect)
            row = m_rowCount - 1;
        col = ColCount() - 1;
        break;
    default:
        return;
    }
    FocusCell(col, row, !extend);
    key = 0;
}

int TCustomGrid::SizingBorderAt(int x, int y) {
    if (!m_options.Contains(goColSizing) || y < 0 || y >= FixedHeight())
        return -1;
    for (int col = 0; col < ColCount(); ++col) {
        if (col >= m_fixedCols && col < m_topLeft.X)
            continue;
        const int border = ColumnLeft(col) + ColWidths(col);
        if (x >= border - 2 && x <= border + m_gridLineWidth + 1)
            return col;
        if (border > x + 3)
            break;
    }
    return -1;
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        const int border = SizingBorderAt(x, y);
        if (border >= 0) {
            m_sizingCol = border;
            m_sizingOrigin = ColumnLeft(border);
            SetCapture(Handle());
        } else {
            const TGridCoord cell = MouseCoord(x, y);
            if (cell.X >= m_fixedCols && cell.Y >= m_fixedRows) {
                FocusCell(cell.X, cell.Y, !(shift.Contains(ssShift) && m_options.Contains(goRangeSelect)));
                m_selecting = true;
                SetCapture(Handle());
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    if (m_sizingCol >= 0) {
        SetColWidths(m_sizingCol, std::max(x - m_sizingOrigin, 0));
        Update();
    } else if (m_selecting && m_options.Contains(goRangeSelect) && !m_options.Contains(goRowSelect)) {
        const TGridCoord cell = MouseCoord(x, y);
        if (cell.X >= m_fixedCols && cell.Y >= m_fixedRows)
            FocusCell(cell.X, cell.Y, false);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (m_sizingCol >= 0 || m_selecting) {
        m_sizingCol = -1;
        m_selecting = false;
        ReleaseCapture();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::WMGetDlgCode(TMessage& message) {
    message.Result = DLGC_WANTARROWS;
    if (m_options.Contains(goTabs))
        message.Result |= DLGC_WANTTAB;
}

void TCustomGrid::WMSetCursor(TMessage& message) {
    if (LOWORD(message.LParam) == HTCLIENT) {
        POINT point{};
        GetCursorPos(&point);
        ::ScreenToClient(Handle(), &point);
        if (m_sizingCol >= 0 || SizingBorderAt(point.x, point.y) >= 0) {
            ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
            message.Result = 1;
            return;
        }
    }
    TCustomControl::Dispatch(message);
}

void TCustomGrid::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        WMGetDlgCode(message);
        break;
    case WM_SETCURSOR:
        WMSetCursor(message);
        break;
    case WM_VSCROLL:
        ScrollMessage(message, true);
        break;
    case WM_HSCROLL:
        ScrollMessage(message, false);
        break;
    case WM_SIZE:
        TCustomControl::Dispatch(message);
        UpdateScrollBars();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        InvalidateRow(m_current.Y);
        break;
    default:
        TCustomControl::Dispatch(message);
        break;
    }
}
