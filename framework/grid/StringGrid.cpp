#include "framework/grid/StringGrid.h"

#include <algorithm>

namespace {

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

const TStringList& EmptyRow() {
    static const TStringList empty;
    return empty;
}

} // namespace

const TClass& TStringGrid::ClassInfo() {
    static const TClass info("TStringGrid", &TCustomGrid::ClassInfo());
    return info;
}

TStringGrid::TStringGrid(TComponent* owner) : TCustomGrid(owner) {
    SyncRowStorage();
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SyncRowStorage() {
    const auto count = static_cast<std::size_t>(RowCount());
    if (m_rows.size() > count)
        m_rows.resize(count);
    while (m_rows.size() < count)
        m_rows.push_back(nullptr);
}

TStringList& TStringGrid::RowList(int row) {
    SyncRowStorage();
    auto& list = m_rows.at(static_cast<std::size_t>(row));
    if (!list)
        list = std::make_unique<TStringList>();
    return *list;
}

const std::string& TStringGrid::Cells(int col, int row) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || col < 0 || col >= ColCount())
        return EmptyText();
    const auto& list = m_rows[static_cast<std::size_t>(row)];
    if (!list || col >= list->Count())
        return EmptyText();
    return list->Strings(col);
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount())
        return;
    TStringList& list = RowList(row);
    if (col >= list.Count() && text.empty())
        return;
    while (list.Count() <= col)
        list.Add(std::string());
    if (list.Strings(col) == text)
        return;
    list.SetStrings(col, text);
    InvalidateCell(col, row);
}

const TStringList& TStringGrid::Rows(int row) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || !m_rows[static_cast<std::size_t>(row)])
        return EmptyRow();
    return *m_rows[static_cast<std::size_t>(row)];
}

void TStringGrid::SetRows(int row, const TStringList& texts) {
    if (row < 0 || row >= RowCount())
        return;
    TStringList& list = RowList(row);
    list.Clear();
    for (int i = 0; i < texts.Count() && i < ColCount(); ++i)
        list.Add(texts.Strings(i));
    InvalidateRow(row);
}

TStringList TStringGrid::Cols(int col) const {
    TStringList texts;
    for (int row = 0; row < RowCount(); ++row)
        texts.Add(Cells(col, row));
    return texts;
}

void TStringGrid::SetCols(int col, const TStringList& texts) {
    for (int row = 0; row < RowCount(); ++row)
        SetCells(col, row, row < texts.Count() ? texts.Strings(row) : std::string());
}

void TStringGrid::ExchangeRows(int a, int b) {
    SyncRowStorage();
    if (a < 0 || b < 0 || a >= RowCount() || b >= RowCount() || a == b)
        return;
    std::swap(m_rows[static_cast<std::size_t>(a)], m_rows[static_cast<std::size_t>(b)]);
    InvalidateRow(a);
    InvalidateRow(b);
}

void TStringGrid::InsertRow(int before) {
    SyncRowStorage();
    before = std::clamp(before, 0, RowCount());
    m_rows.insert(m_rows.begin() + before, nullptr);
    SetRowCount(RowCount() + 1);
    InvalidateGrid();
}

void TStringGrid::DeleteRow(int row) {
    SyncRowStorage();
    if (row < 0 || row >= RowCount() || RowCount() <= 1)
        return;
    m_rows.erase(m_rows.begin() + row);
    SetRowCount(RowCount() - 1);
    InvalidateGrid();
}

void TStringGrid::MoveRow(int from, int to) {
    SyncRowStorage();
    if (from < 0 || to < 0 || from >= RowCount() || to >= RowCount() || from == to)
        return;
    auto list = std::move(m_rows[static_cast<std::size_t>(from)]);
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(list));
    InvalidateGrid();
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    const std::string& text = Cells(col, row);
    if (!text.empty()) {
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->TextRect(rect, rect.left + 2, rect.top + 2, text);
    }
    TCustomGrid::DrawCell(col, row, rect, state);
}
