#include "framework/comctrls/ListViewItems.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/ListView.h"

#include <algorithm>

// ---- sub-items ------------------------------------------------------------------------------

std::string TListSubItems::Strings(int index) const {
    CheckIndex(index);
    return m_texts[static_cast<std::size_t>(index)];
}

const std::string& TListSubItems::TextOrEmpty(int index) const {
    static const std::string empty;
    return index >= 0 && index < Count() ? m_texts[static_cast<std::size_t>(index)] : empty;
}

void TListSubItems::SetStrings(int index, const std::string& text) {
    CheckIndex(index);
    m_texts[static_cast<std::size_t>(index)] = text;
    Changed();
}

void TListSubItems::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count())
        IndexError(index);
    m_texts.insert(m_texts.begin() + index, text);
    Changed();
}

void TListSubItems::Delete(int index) {
    CheckIndex(index);
    m_texts.erase(m_texts.begin() + index);
    Changed();
}

void TListSubItems::Clear() {
    m_texts.clear();
    Changed();
}

void TListSubItems::Changed() {
    m_item.Update();
}

// ---- items ----------------------------------------------------------------------------------

const TClass& TListItem::ClassInfo() {
    static const TClass info("TListItem", &TPersistent::ClassInfo(),
                             {
                                 StrProperty("Caption", &TListItem::Caption, &TListItem::SetCaption),
                                 OrdProperty("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex),
                             });
    return info;
}

TListItem::TListItem(TListViewItems& owner)
    : m_owner(owner), m_subItems(std::make_unique<TListSubItems>(*this)) {}

TListItem::~TListItem() = default;

TCustomListView* TListItem::ListView() const {
    return m_owner.Owner();
}

int TListItem::Index() const {
    return m_owner.IndexOf(this);
}

void TListItem::SetCaption(const std::string& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    Update();
}

void TListItem::SetImageIndex(int index) {
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    Update();
}

void TListItem::SetSelected(bool selected) {
    if (selected == m_selected)
        return;
    // With a window the change goes through it, and its notice raises the events.
    if (!ListView()->WriteItemState(this, selected, m_focused))
        m_selected = selected;
}

void TListItem::SetFocused(bool focused) {
    if (focused == m_focused)
        return;
    if (ListView()->WriteItemState(this, m_selected, focused))
        return;
    // One item has the focus: the one that had it loses it.
    if (focused) {
        for (const auto& other : m_owner.m_items)
            other->m_focused = false;
    }
    m_focused = focused;
}

void TListItem::StateFromWindow(bool selected, bool focused) {
    m_selected = selected;
    m_focused = focused;
}

void TListItem::MakeVisible(bool partialOk) {
    TCustomListView* view = ListView();
    if (view->HandleAllocated())
        SendMessageA(view->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(Index()),
                     partialOk ? TRUE : FALSE);
}

TRect TListItem::DisplayRect() const {
    TCustomListView* view = ListView();
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    if (!view->HandleAllocated() ||
        !SendMessageA(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(Index()),
                      reinterpret_cast<LPARAM>(&rect)))
        return TRect{};
    return rect;
}

void TListItem::Update() {
    ListView()->RepaintItem(this);
}

void TListItem::Delete() {
    m_owner.Delete(Index());
}

void TListItem::Assign(const TPersistent* source) {
    if (const auto* item = dynamic_cast<const TListItem*>(source)) {
        m_caption = item->m_caption;
        m_subItems->Assign(*item->m_subItems);
        m_imageIndex = item->m_imageIndex;
        m_data = item->m_data;
        Update();
        return;
    }
    TPersistent::Assign(source);
}

const TClass& TListViewItems::ClassInfo() {
    static const TClass info("TListViewItems", &TPersistent::ClassInfo(), {});
    return info;
}

TListViewItems::~TListViewItems() = default;

TListItem* TListViewItems::Item(int index) const {
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
}

TListItem* TListViewItems::Add() {
    return Insert(Count());
}

TListItem* TListViewItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    m_items.insert(m_items.begin() + index, std::make_unique<TListItem>(*this));
    m_owner.InsertItemIntoWindow(index);
    return m_items[static_cast<std::size_t>(index)].get();
}

void TListViewItems::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    m_owner.DeleteItemFromWindow(index);
    m_items.erase(m_items.begin() + index);
}

void TListViewItems::Clear() {
    m_owner.ClearWindowItems();
    m_items.clear();
}

int TListViewItems::IndexOf(const TListItem* item) const {
    for (int index = 0; index < Count(); ++index) {
        if (m_items[static_cast<std::size_t>(index)].get() == item)
            return index;
    }
    return -1;
}

void TListViewItems::BeginUpdate() {
    if (m_updateCount++ == 0)
        m_owner.SetRedraw(false);
}

void TListViewItems::EndUpdate() {
    if (m_updateCount > 0 && --m_updateCount == 0)
        m_owner.SetRedraw(true);
}

void TListViewItems::Assign(const TPersistent* source) {
    if (const auto* items = dynamic_cast<const TListViewItems*>(source)) {
        BeginUpdate();
        Clear();
        for (const auto& item : items->m_items)
            Add()->Assign(item.get());
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

// ---- columns --------------------------------------------------------------------------------

const TClass& TListColumn::ClassInfo() {
    static const TClass info(
        "TListColumn", &TPersistent::ClassInfo(),
        {
            EnumProperty("Alignment", AlignmentIdents(), &TListColumn::Alignment, &TListColumn::SetAlignment),
            StrProperty("Caption", &TListColumn::Caption, &TListColumn::SetCaption),
            OrdProperty("Width", &TListColumn::Width, &TListColumn::SetWidth),
        });
    return info;
}

int TListColumn::Index() const {
    return m_owner.IndexOf(this);
}

void TListColumn::SetCaption(const std::string& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    m_owner.Owner()->WriteColumn(Index());
}

int TListColumn::Width() const {
    TCustomListView* view = m_owner.Owner();
    return view->HandleAllocated() ? view->ColumnWidthOfWindow(Index()) : m_width;
}

void TListColumn::SetWidth(int width) {
    m_width = std::max(0, width);
    m_owner.Owner()->SetColumnWidthInWindow(Index(), m_width);
}

void TListColumn::SetAlignment(TAlignment alignment) {
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    m_owner.Owner()->WriteColumn(Index());
}

void TListColumn::Assign(const TPersistent* source) {
    if (const auto* column = dynamic_cast<const TListColumn*>(source)) {
        m_caption = column->m_caption;
        m_width = column->Width();
        m_alignment = column->m_alignment;
        m_owner.Owner()->WriteColumn(Index());
        return;
    }
    TPersistent::Assign(source);
}

const TClass& TListColumns::ClassInfo() {
    static const TClass info("TListColumns", &TPersistent::ClassInfo(), {});
    return info;
}

TListColumn* TListColumns::Items(int index) const {
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
}

TListColumn* TListColumns::Add() {
    m_items.push_back(std::make_unique<TListColumn>(*this));
    m_owner.WriteColumns();
    return m_items.back().get();
}

void TListColumns::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    // The widths the user gave the others are kept.
    for (auto& column : m_items)
        column->m_width = column->Width();
    m_items.erase(m_items.begin() + index);
    m_owner.WriteColumns();
}

void TListColumns::Clear() {
    m_items.clear();
    m_owner.WriteColumns();
}

int TListColumns::IndexOf(const TListColumn* column) const {
    for (int index = 0; index < Count(); ++index) {
        if (m_items[static_cast<std::size_t>(index)].get() == column)
            return index;
    }
    return -1;
}

void TListColumns::Assign(const TPersistent* source) {
    if (const auto* columns = dynamic_cast<const TListColumns*>(source)) {
        m_items.clear();
        for (const auto& column : columns->m_items) {
            auto copy = std::make_unique<TListColumn>(*this);
            copy->m_caption = column->m_caption;
            copy->m_width = column->Width();
            copy->m_alignment = column->m_alignment;
            m_items.push_back(std::move(copy));
        }
        m_owner.WriteColumns();
        return;
    }
    TPersistent::Assign(source);
}
