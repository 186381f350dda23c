#include "framework/comctrls/ListView.h"

#include "core/TextUtils.h"
#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/ImageList.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/ControlProperties.h"
#include "framework/controls/Messages.h"
#include "platform/base/CodePage.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>

namespace {

// A GBK text into a caller's buffer of `size` bytes, never cutting a character in two.
void CopyTextOut(const std::string& text, char* buffer, int size) {
    std::size_t length = 0;
    const auto room = static_cast<std::size_t>(size - 1);
    while (length < text.size()) {
        const std::size_t step = platform::IsGbkLeadByte(static_cast<BYTE>(text[length])) ? 2 : 1;
        if (length + step > room || length + step > text.size())
            break;
        length += step;
    }
    std::copy_n(text.data(), length, buffer);
    buffer[length] = '\0';
}

void CopyTextOut(const std::string& text, WCHAR* buffer, int size) {
    const std::u16string wide = platform::GbkToUtf16(text);
    const std::size_t length = std::min(wide.size(), static_cast<std::size_t>(size - 1));
    std::copy_n(wide.data(), length, buffer);
    buffer[length] = u'\0';
}

int ColumnFormat(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return LVCFMT_RIGHT;
    case taCenter:
        return LVCFMT_CENTER;
    default:
        return LVCFMT_LEFT;
    }
}

// LVM_SORTITEMS hands each comparison the items' lParam, the framework's items.
int CALLBACK CompareThroughFunction(LPARAM first, LPARAM second, LPARAM function) {
    const auto& compare = *reinterpret_cast<const std::function<int(TListItem*, TListItem*)>*>(function);
    return compare(reinterpret_cast<TListItem*>(first), reinterpret_cast<TListItem*>(second));
}

} // namespace

const TClass& TCustomListView::ClassInfo() {
    static const TClass info(
        "TCustomListView", &TWinControl::ClassInfo(),
        CommonControlProperties({
            EnumProperty("BorderStyle", BorderStyleIdents(), &TCustomListView::BorderStyle,
                         &TCustomListView::SetBorderStyle),
            EnumProperty("ColumnClick", BooleanIdents(), &TCustomListView::ColumnClick,
                         &TCustomListView::SetColumnClick),
            ObjProperty("Columns", &TCustomListView::Columns, &TCustomListView::SetColumns),
            EnumProperty("GridLines", BooleanIdents(), &TCustomListView::GridLines,
                         &TCustomListView::SetGridLines),
            EnumProperty("HideSelection", BooleanIdents(), &TCustomListView::HideSelection,
                         &TCustomListView::SetHideSelection),
            ObjProperty("Items", &TCustomListView::Items, &TCustomListView::SetItems),
            EnumProperty("MultiSelect", BooleanIdents(), &TCustomListView::MultiSelect,
                         &TCustomListView::SetMultiSelect),
            EnumProperty("RowSelect", BooleanIdents(), &TCustomListView::RowSelect,
                         &TCustomListView::SetRowSelect),
            EnumProperty("ShowColumnHeaders", BooleanIdents(), &TCustomListView::ShowColumnHeaders,
                         &TCustomListView::SetShowColumnHeaders),
            ObjProperty("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages),
            MethodProperty("OnColumnClick", &TCustomListView::OnColumnClick),
            MethodProperty("OnCompare", &TCustomListView::OnCompare),
            MethodProperty("OnSelectItem", &TCustomListView::OnSelectItem),
        }));
    return info;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner), m_columns(std::make_unique<TListColumns>(*this)),
      m_items(std::make_unique<TListViewItems>(*this)), m_imageLink(std::make_unique<TChangeLink>()) {
    m_controlStyle.Exclude(csSetCaption);
    m_imageLink->OnChange = [this](TObject*) { ImageListChange(); };
    SetBounds(0, 0, 250, 150);
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
}

TCustomListView::~TCustomListView() {
    // The window goes before the items it asks about.
    DestroyHandle();
    if (m_smallImages)
        m_smallImages->UnRegisterChanges(m_imageLink.get());
}

void TCustomListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, WC_LISTVIEWA);
    // The image lists belong to their components, not to the window.
    params.Style |= LVS_REPORT | LVS_SHAREIMAGELISTS;
    if (!m_multiSelect)
        params.Style |= LVS_SINGLESEL;
    if (!m_hideSelection)
        params.Style |= LVS_SHOWSELALWAYS;
    if (!m_showColumnHeaders)
        params.Style |= LVS_NOCOLUMNHEADER;
    if (!m_columnClick)
        params.Style |= LVS_NOSORTHEADER;
    if (m_borderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    WriteExtendedStyle();
    WriteColours();
    ImageListChange();
    WriteColumns();
    m_filling = true;
    for (int index = 0; index < m_items->Count(); ++index)
        InsertItemIntoWindow(index);
    m_filling = false;
}

void TCustomListView::DestroyWnd() {
    // The widths the user dragged the columns to outlive the window.
    for (int index = 0; index < m_columns->Count(); ++index)
        m_columns->Items(index)->m_width = ColumnWidthOfWindow(index);
    TWinControl::DestroyWnd();
}

// ---- what the items and columns tell the window ------------------------------------------------

void TCustomListView::InsertItemIntoWindow(int index) {
    if (!HandleAllocated())
        return;
    TListItem* item = m_items->Item(index);
    LVITEMA record{};
    record.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    record.iItem = index;
    record.pszText = LPSTR_TEXTCALLBACKA;
    record.iImage = I_IMAGECALLBACK;
    record.lParam = reinterpret_cast<LPARAM>(item);
    record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    record.state = (item->m_selected ? LVIS_SELECTED : 0) | (item->m_focused ? LVIS_FOCUSED : 0);
    const bool filling = m_filling;
    m_filling = true;
    SendMessageA(m_handle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&record));
    m_filling = filling;
}

void TCustomListView::DeleteItemFromWindow(int index) {
    if (HandleAllocated())
        SendMessageA(m_handle, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TCustomListView::ClearWindowItems() {
    if (HandleAllocated())
        SendMessageA(m_handle, LVM_DELETEALLITEMS, 0, 0);
}

void TCustomListView::RepaintItem(const TListItem* item) {
    if (!HandleAllocated())
        return;
    const int index = item->Index();
    if (index >= 0)
        SendMessageA(m_handle, LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
}

bool TCustomListView::WriteItemState(const TListItem* item, bool selected, bool focused) {
    if (!HandleAllocated())
        return false;
    LVITEMA record{};
    record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    record.state = (selected ? LVIS_SELECTED : 0) | (focused ? LVIS_FOCUSED : 0);
    SendMessageA(m_handle, LVM_SETITEMSTATE, static_cast<WPARAM>(item->Index()),
                 reinterpret_cast<LPARAM>(&record));
    return true;
}

void TCustomListView::WriteColumns() {
    if (!HandleAllocated())
        return;
    while (SendMessageA(m_handle, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int index = 0; index < m_columns->Count(); ++index) {
        const TListColumn* column = m_columns->Items(index);
        LVCOLUMNA record{};
        record.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        record.fmt = ColumnFormat(column->m_alignment);
        record.cx = column->m_width;
        record.pszText = const_cast<char*>(column->m_caption.c_str());
        record.iSubItem = index;
        SendMessageA(m_handle, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&record));
    }
}

void TCustomListView::WriteColumn(int index) {
    const TListColumn* column = m_columns->Items(index);
    if (!HandleAllocated() || !column)
        return;
    LVCOLUMNA record{};
    record.mask = LVCF_FMT | LVCF_TEXT;
    record.fmt = ColumnFormat(column->m_alignment);
    record.pszText = const_cast<char*>(column->m_caption.c_str());
    SendMessageA(m_handle, LVM_SETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&record));
}

int TCustomListView::ColumnWidthOfWindow(int index) const {
    return static_cast<int>(SendMessageA(m_handle, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
}

void TCustomListView::SetColumnWidthInWindow(int index, int width) {
    if (HandleAllocated())
        SendMessageA(m_handle, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), MAKELPARAM(width, 0));
}

void TCustomListView::SetRedraw(bool redraw) {
    if (!HandleAllocated())
        return;
    SendMessageA(m_handle, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw)
        InvalidateRect(m_handle, nullptr, TRUE);
}

void TCustomListView::WriteExtendedStyle() {
    if (!HandleAllocated())
        return;
    const DWORD style = (m_rowSelect ? LVS_EX_FULLROWSELECT : 0) | (m_gridLines ? LVS_EX_GRIDLINES : 0);
    SendMessageA(m_handle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, style);
}

void TCustomListView::WriteColours() {
    if (!HandleAllocated())
        return;
    const COLORREF background = ColorToRGB(Color());
    SendMessageA(m_handle, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    SendMessageA(m_handle, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    SendMessageA(m_handle, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomListView::ImageListChange() {
    if (HandleAllocated())
        SendMessageA(m_handle, LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(m_smallImages ? m_smallImages->Handle() : nullptr));
}

// ---- settings -------------------------------------------------------------------------------

void TCustomListView::SetMultiSelect(bool multiSelect) {
    if (ChangeSetting(m_multiSelect, multiSelect))
        RecreateWnd();
}

void TCustomListView::SetRowSelect(bool rowSelect) {
    if (ChangeSetting(m_rowSelect, rowSelect))
        WriteExtendedStyle();
}

void TCustomListView::SetGridLines(bool gridLines) {
    if (ChangeSetting(m_gridLines, gridLines))
        WriteExtendedStyle();
}

void TCustomListView::SetHideSelection(bool hide) {
    if (ChangeSetting(m_hideSelection, hide))
        RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool show) {
    if (ChangeSetting(m_showColumnHeaders, show))
        RecreateWnd();
}

void TCustomListView::SetColumnClick(bool columnClick) {
    if (ChangeSetting(m_columnClick, columnClick))
        RecreateWnd();
}

void TCustomListView::SetBorderStyle(TBorderStyle style) {
    if (ChangeSetting(m_borderStyle, style))
        RecreateWnd();
}

void TCustomListView::SetSmallImages(TCustomImageList* images) {
    if (ChangeImageList(m_smallImages, images, *m_imageLink, *this))
        ImageListChange();
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_smallImages) {
        m_smallImages = nullptr;
        ImageListChange();
    }
}

// ---- selection ------------------------------------------------------------------------------

TListItem* TCustomListView::Selected() const {
    for (int index = 0; index < m_items->Count(); ++index) {
        if (m_items->Item(index)->Selected())
            return m_items->Item(index);
    }
    return nullptr;
}

void TCustomListView::SetSelected(TListItem* item) {
    ClearSelection();
    if (item) {
        item->SetSelected(true);
        item->SetFocused(true);
    }
}

int TCustomListView::SelCount() const {
    int count = 0;
    for (int index = 0; index < m_items->Count(); ++index)
        count += m_items->Item(index)->Selected() ? 1 : 0;
    return count;
}

int TCustomListView::ItemIndex() const {
    const TListItem* item = Selected();
    return item ? item->Index() : -1;
}

void TCustomListView::SetItemIndex(int index) {
    SetSelected(m_items->Item(index));
}

TListItem* TCustomListView::ItemFocused() const {
    for (int index = 0; index < m_items->Count(); ++index) {
        if (m_items->Item(index)->Focused())
            return m_items->Item(index);
    }
    return nullptr;
}

void TCustomListView::SetItemFocused(TListItem* item) {
    if (item)
        item->SetFocused(true);
    else if (TListItem* focused = ItemFocused())
        focused->SetFocused(false);
}

void TCustomListView::ClearSelection() {
    for (int index = 0; index < m_items->Count(); ++index)
        m_items->Item(index)->SetSelected(false);
}

TListItem* TCustomListView::GetItemAt(int x, int y) {
    LVHITTESTINFO hit{{x, y}, 0, -1, 0};
    const int index =
        static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return m_items->Item(index);
}

TListItem* TCustomListView::TopItem() {
    return m_items->Item(static_cast<int>(SendMessageA(Handle(), LVM_GETTOPINDEX, 0, 0)));
}

int TCustomListView::VisibleRowCount() {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
}

void TCustomListView::Scroll(int dx, int dy) {
    SendMessageA(Handle(), LVM_SCROLL, static_cast<WPARAM>(dx), dy);
}

// ---- sorting --------------------------------------------------------------------------------

bool TCustomListView::AlphaSort() {
    return CustomSort([this](TListItem* first, TListItem* second) {
        int compare = 0;
        if (OnCompare)
            OnCompare(this, first, second, 0, compare);
        else
            compare = LowerCase(first->Caption()).compare(LowerCase(second->Caption()));
        return compare;
    });
}

bool TCustomListView::CustomSort(std::function<int(TListItem*, TListItem*)> compare) {
    if (!compare || m_items->Count() == 0)
        return false;
    // The window's sort is stable and safe whatever the comparison answers; the items follow.
    const LRESULT sorted = SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&compare),
                                        reinterpret_cast<LPARAM>(&CompareThroughFunction));
    if (sorted)
        TakeWindowOrder();
    return sorted != 0;
}

void TCustomListView::TakeWindowOrder() {
    std::vector<std::unique_ptr<TListItem>> ordered;
    ordered.reserve(m_items->m_items.size());
    for (int index = 0; index < m_items->Count(); ++index) {
        LVITEMA record{};
        record.mask = LVIF_PARAM;
        record.iItem = index;
        SendMessageA(m_handle, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
        auto* item = reinterpret_cast<TListItem*>(record.lParam);
        auto slot =
            std::find_if(m_items->m_items.begin(), m_items->m_items.end(),
                         [item](const std::unique_ptr<TListItem>& owned) { return owned.get() == item; });
        ordered.push_back(std::move(*slot));
    }
    m_items->m_items = std::move(ordered);
}

// ---- notifications --------------------------------------------------------------------------

void TCustomListView::SelectItem(TListItem* item, bool selected) {
    if (OnSelectItem)
        OnSelectItem(this, item, selected);
}

void TCustomListView::ColClick(TListColumn* column) {
    if (OnColumnClick)
        OnColumnClick(this, column);
}

void TCustomListView::AnswerDisplayInfo(LPARAM notice, bool wide) {
    // The window asks in the character set the form answered WM_NOTIFYFORMAT with.
    auto answer = [this](auto& item) {
        const auto* source = reinterpret_cast<const TListItem*>(item.lParam);
        if (!source || m_items->IndexOf(source) < 0)
            return;
        if (item.mask & LVIF_IMAGE)
            item.iImage = item.iSubItem == 0 ? source->ImageIndex() : I_IMAGENONE;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::string& text =
                item.iSubItem == 0 ? source->Caption() : source->SubItems()->TextOrEmpty(item.iSubItem - 1);
            CopyTextOut(text, item.pszText, item.cchTextMax);
        }
    };
    if (wide)
        answer(reinterpret_cast<NMLVDISPINFOW*>(notice)->item);
    else
        answer(reinterpret_cast<NMLVDISPINFOA*>(notice)->item);
}

void TCustomListView::ItemChanged(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE) || m_filling)
        return;
    // The item takes the window's state; true when its selection changed.
    const auto follow = [this](TListItem* item, UINT state) {
        const bool wasSelected = item->Selected();
        item->StateFromWindow((state & LVIS_SELECTED) != 0, (state & LVIS_FOCUSED) != 0);
        return wasSelected != item->Selected();
    };
    if (change.iItem == -1) {
        // A change of every item at once: each item reads its state again, and one event
        // without an item tells of it.
        bool selectionChanged = false;
        for (int index = 0; index < m_items->Count(); ++index) {
            const auto state = static_cast<UINT>(SendMessageA(
                m_handle, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED | LVIS_FOCUSED));
            selectionChanged = follow(m_items->Item(index), state) || selectionChanged;
        }
        if (selectionChanged)
            SelectItem(nullptr, (change.uNewState & LVIS_SELECTED) != 0);
        return;
    }
    TListItem* item = m_items->Item(change.iItem);
    if (item && follow(item, change.uNewState))
        SelectItem(item, item->Selected());
}

void TCustomListView::CNNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    switch (header ? header->code : 0) {
    case LVN_GETDISPINFOA:
        AnswerDisplayInfo(message.LParam, false);
        break;
    case LVN_GETDISPINFOW:
        AnswerDisplayInfo(message.LParam, true);
        break;
    case LVN_ITEMCHANGED:
        ItemChanged(*reinterpret_cast<const NMLISTVIEW*>(message.LParam));
        break;
    case LVN_COLUMNCLICK:
        ColClick(m_columns->Items(reinterpret_cast<const NMLISTVIEW*>(message.LParam)->iSubItem));
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

void TCustomListView::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY:
        CNNotify(message);
        break;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TWinControl::Dispatch(message);
        WriteColours();
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

const TClass& TListView::ClassInfo() {
    static const TClass info("TListView", &TCustomListView::ClassInfo(), {});
    return info;
}
