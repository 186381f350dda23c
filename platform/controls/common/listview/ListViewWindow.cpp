// The list view's window: its header child made on creation and kept in place, the messages
// in both character sets, the header's notifications turned into the list view's own (and
// passed on to the parent), colours, image lists, extended styles, focus, and the class.

#include "platform/controls/common/listview/ListView.h"

#include "platform/controls/common/CommonControlClasses.h"

#include <algorithm>

namespace platform {

namespace {

constexpr WPARAM MaxReservedItems = 1 << 20;

DWORD HeaderStyle(DWORD listStyle) {
    DWORD style = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
    if (!(listStyle & LVS_NOSORTHEADER))
        style |= HDS_BUTTONS;
    if (listStyle & LVS_NOCOLUMNHEADER)
        style |= HDS_HIDDEN;
    else
        style |= WS_VISIBLE;
    return style;
}

bool IsHeaderCode(UINT code, UINT codeA) {
    // The W codes of the header lie twenty below the A codes.
    return code == codeA || code == codeA - 20;
}

} // namespace

void ListView::QueryNotifyFormat() {
    m_unicodeParent = ParentTakesUnicode(m_window);
}

LRESULT ListView::OnCreate() {
    RegisterHeaderClass();
    QueryNotifyFormat();
    m_header =
        CreateWindowExW(0, WC_HEADERW, nullptr, HeaderStyle(Style()), 0, 0, 0, 0, m_window, nullptr,
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_window, GWLP_HINSTANCE)), nullptr);
    if (!m_header)
        return -1;
    UpdateRowHeight();
    LayoutHeader();
    UpdateScrollBars();
    return 0;
}

void ListView::OnStyleChanged(WPARAM which, const STYLESTRUCT* change) {
    if (which != static_cast<WPARAM>(GWL_STYLE) || !change)
        return;
    const DWORD headerBits = HDS_BUTTONS | HDS_HIDDEN | WS_VISIBLE;
    const DWORD headerStyle = static_cast<DWORD>(GetWindowLongW(m_header, GWL_STYLE));
    SetWindowLongW(
        m_header, GWL_STYLE,
        static_cast<LONG>((headerStyle & ~headerBits) | (HeaderStyle(change->styleNew) & headerBits)));
    LayoutHeader();
    UpdateScrollBars();
    InvalidateRect(m_window, nullptr, TRUE);
}

LRESULT ListView::OnNotify(const NMHDR* header) {
    if (!header || header->hwndFrom != m_header)
        return 0;
    // The parent hears of the header's doings as if it were the header's parent; its answer
    // may refuse a change or a drag.
    const LRESULT answer =
        SendMessageW(GetParent(m_window), WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
    const UINT code = header->code;
    if (IsHeaderCode(code, HDN_ITEMCHANGEDA)) {
        SyncColumnsFromHeader();
    } else if (IsHeaderCode(code, HDN_ITEMCLICKA)) {
        const auto* click = reinterpret_cast<const NMHEADERW*>(header);
        NMLISTVIEW notice{};
        notice.iItem = -1;
        notice.iSubItem = click->iItem;
        NotifyParent(m_window, LVN_COLUMNCLICK, notice.hdr);
    } else if (IsHeaderCode(code, HDN_DIVIDERDBLCLICKA)) {
        SetColumnWidth(reinterpret_cast<const NMHEADERW*>(header)->iItem, LVSCW_AUTOSIZE);
    }
    return answer;
}

LRESULT ListView::SetExtendedStyle(DWORD mask, DWORD style) {
    const DWORD previous = m_exStyle;
    if (mask == 0)
        mask = 0xFFFFFFFF;
    m_exStyle = (m_exStyle & ~mask) | (style & mask);
    const DWORD headerStyle = static_cast<DWORD>(GetWindowLongW(m_header, GWL_STYLE));
    SetWindowLongW(m_header, GWL_STYLE,
                   static_cast<LONG>(HasExStyle(LVS_EX_HEADERDRAGDROP) ? headerStyle | HDS_DRAGDROP
                                                                       : headerStyle & ~HDS_DRAGDROP));
    InvalidateRect(m_window, nullptr, FALSE);
    return static_cast<LRESULT>(previous);
}

LRESULT ListView::SetImageList(int which, HIMAGELIST list) {
    HIMAGELIST* slot = which == LVSIL_SMALL    ? &m_smallImages
                       : which == LVSIL_STATE  ? &m_stateImages
                       : which == LVSIL_NORMAL ? &m_normalImages
                                               : nullptr;
    if (!slot)
        return 0;
    HIMAGELIST previous = *slot;
    *slot = list;
    if (which == LVSIL_SMALL)
        SendMessageW(m_header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    UpdateRowHeight();
    UpdateScrollBars();
    InvalidateRect(m_window, nullptr, FALSE);
    return reinterpret_cast<LRESULT>(previous);
}

void ListView::OnSetFont(HFONT font, bool redraw) {
    m_font = font;
    SendMessageW(m_header, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    UpdateRowHeight();
    LayoutHeader();
    UpdateScrollBars();
    if (redraw)
        InvalidateRect(m_window, nullptr, TRUE);
}

int ListView::CellImage(int index, int subItem) const {
    const ListViewSubItem* cell = Cell(index, subItem);
    if (!cell)
        return I_IMAGENONE;
    if (cell->image != I_IMAGECALLBACK)
        return cell->image;
    NMLVDISPINFOW info{};
    info.item = LVITEMW{LVIF_IMAGE, index,       subItem,
                        0,          0,           nullptr,
                        0,          I_IMAGENONE, m_items[static_cast<std::size_t>(index)].param,
                        0};
    NotifyParent(m_window, m_unicodeParent ? LVN_GETDISPINFOW : LVN_GETDISPINFOA, info.hdr);
    return info.item.iImage;
}

void ListView::DestroyImageLists() {
    // Image lists handed over become the list view's, unless it was told they are shared.
    if (!(Style() & LVS_SHAREIMAGELISTS)) {
        for (HIMAGELIST list : {m_smallImages, m_stateImages, m_normalImages}) {
            if (list)
                ImageList_Destroy(list);
        }
    }
    m_smallImages = m_stateImages = m_normalImages = nullptr;
}

LRESULT ListView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        DeleteAllItems();
        DestroyImageLists();
        break;
    case LVM_GETITEMCOUNT:
        return Count();
    case LVM_INSERTITEMA:
        return InsertItem(reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_INSERTITEMW:
        return InsertItem(reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_DELETEITEM:
        return DeleteItem(static_cast<int>(wParam));
    case LVM_DELETEALLITEMS:
        return DeleteAllItems();
    case LVM_GETITEMA:
        return GetItem(reinterpret_cast<LVITEMA*>(lParam));
    case LVM_GETITEMW:
        return GetItem(reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMA:
        return SetItem(reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_SETITEMW:
        return SetItem(reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMTEXTA:
        return GetItemText(static_cast<int>(wParam), reinterpret_cast<LVITEMA*>(lParam));
    case LVM_GETITEMTEXTW:
        return GetItemText(static_cast<int>(wParam), reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMTEXTA:
        return SetItemText(static_cast<int>(wParam), reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_SETITEMTEXTW:
        return SetItemText(static_cast<int>(wParam), reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMSTATE:
        return Valid(static_cast<int>(wParam)) ? m_items[wParam].state & static_cast<UINT>(lParam) : 0;
    case LVM_SETITEMSTATE:
        if (const auto* item = reinterpret_cast<const LVITEMW*>(lParam))
            return SetItemState(static_cast<int>(wParam), item->state, item->stateMask);
        return FALSE;
    case LVM_GETNEXTITEM:
        return GetNextItem(static_cast<int>(wParam), static_cast<UINT>(lParam));
    case LVM_FINDITEMA:
        return FindItem(static_cast<int>(wParam), reinterpret_cast<const LVFINDINFOA*>(lParam));
    case LVM_FINDITEMW:
        return FindItem(static_cast<int>(wParam), reinterpret_cast<const LVFINDINFOW*>(lParam));
    case LVM_GETSELECTEDCOUNT:
        return SelectedCount();
    case LVM_GETSELECTIONMARK:
        return m_mark;
    case LVM_SETSELECTIONMARK: {
        const int previous = m_mark;
        m_mark = Valid(static_cast<int>(lParam)) ? static_cast<int>(lParam) : -1;
        return previous;
    }
    case LVM_GETHOTITEM:
        return m_hot;
    case LVM_SETHOTITEM: {
        const int previous = m_hot;
        m_hot = Valid(static_cast<int>(wParam)) ? static_cast<int>(wParam) : -1;
        InvalidateItem(previous);
        InvalidateItem(m_hot);
        return previous;
    }
    case LVM_SORTITEMS:
        return SortItems(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam), false);
    case LVM_SORTITEMSEX:
        return SortItems(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam), true);
    case LVM_INSERTCOLUMNA:
        return InsertColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_INSERTCOLUMNW:
        return InsertColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_DELETECOLUMN:
        return DeleteColumn(static_cast<int>(wParam));
    case LVM_GETCOLUMNA:
        return GetColumn(static_cast<int>(wParam), reinterpret_cast<LVCOLUMNA*>(lParam));
    case LVM_GETCOLUMNW:
        return GetColumn(static_cast<int>(wParam), reinterpret_cast<LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNA:
        return SetColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNW:
        return SetColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_GETCOLUMNWIDTH:
        return wParam < m_columns.size() ? m_columns[wParam].width : 0;
    case LVM_SETCOLUMNWIDTH:
        return SetColumnWidth(static_cast<int>(wParam), static_cast<int>(static_cast<short>(LOWORD(lParam))));
    case LVM_SETCOLUMNORDERARRAY:
        return SetColumnOrder(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case LVM_GETCOLUMNORDERARRAY:
        return GetColumnOrder(static_cast<int>(wParam), reinterpret_cast<int*>(lParam));
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_header);
    case LVM_GETITEMRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam); rect && Valid(static_cast<int>(wParam))) {
            *rect = ItemPart(static_cast<int>(wParam), rect->left);
            return TRUE;
        }
        return FALSE;
    case LVM_GETSUBITEMRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam);
            rect && Valid(static_cast<int>(wParam)) && (rect->top == 0 || ColumnOfSubItem(rect->top) >= 0)) {
            *rect = SubItemPart(static_cast<int>(wParam), rect->top, rect->left);
            return TRUE;
        }
        return FALSE;
    case LVM_HITTEST:
        if (auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam))
            return HitTest(*info, false);
        return -1;
    case LVM_SUBITEMHITTEST:
        if (auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam))
            return HitTest(*info, true);
        return -1;
    case LVM_ENSUREVISIBLE:
        return EnsureVisible(static_cast<int>(wParam), lParam != 0);
    case LVM_SCROLL:
        return Scroll(static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_GETTOPINDEX:
        return m_top;
    case LVM_GETCOUNTPERPAGE:
        return CountPerPage();
    case LVM_REDRAWITEMS:
        InvalidateRows(static_cast<int>(wParam), static_cast<int>(lParam));
        return TRUE;
    case LVM_UPDATE:
        InvalidateItem(static_cast<int>(wParam));
        return TRUE;
    case LVM_GETSTRINGWIDTHA:
        return TextWidth(m_font, TextFromCaller(reinterpret_cast<LPCSTR>(lParam)));
    case LVM_GETSTRINGWIDTHW:
        return TextWidth(m_font, TextFromCaller(reinterpret_cast<LPCWSTR>(lParam)));
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return static_cast<LRESULT>(m_exStyle);
    case LVM_SETIMAGELIST:
        return SetImageList(static_cast<int>(wParam), reinterpret_cast<HIMAGELIST>(lParam));
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == LVSIL_SMALL    ? m_smallImages
                                         : wParam == LVSIL_STATE  ? m_stateImages
                                         : wParam == LVSIL_NORMAL ? m_normalImages
                                                                  : nullptr);
    case LVM_GETBKCOLOR:
        return static_cast<LRESULT>(m_background == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_background);
    case LVM_SETBKCOLOR:
        m_background = static_cast<COLORREF>(lParam);
        InvalidateRect(m_window, nullptr, TRUE);
        return TRUE;
    case LVM_GETTEXTCOLOR:
        return static_cast<LRESULT>(m_textColour == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT)
                                                                : m_textColour);
    case LVM_SETTEXTCOLOR:
        m_textColour = static_cast<COLORREF>(lParam);
        InvalidateRect(m_window, nullptr, FALSE);
        return TRUE;
    case LVM_GETTEXTBKCOLOR:
        return static_cast<LRESULT>(m_textBackground);
    case LVM_SETTEXTBKCOLOR:
        m_textBackground = static_cast<COLORREF>(lParam);
        InvalidateRect(m_window, nullptr, FALSE);
        return TRUE;
    case LVM_SETITEMCOUNT:
        // Only a hint of the room to come: a count past any real list is not taken at its word.
        m_items.reserve(std::min<WPARAM>(wParam, MaxReservedItems));
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_NOTIFYFORMAT:
        if (lParam == NF_REQUERY) {
            QueryNotifyFormat();
            return m_unicodeParent ? NFR_UNICODE : NFR_ANSI;
        }
        // The header notifies in the parent's character set, so its notices pass on unchanged.
        return m_unicodeParent ? NFR_UNICODE : NFR_ANSI;
    case WM_SETFONT:
        OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SIZE:
        LayoutHeader();
        ScrollRowsTo(m_top);
        ScrollColumnsTo(m_scrollX);
        UpdateScrollBars();
        return 0;
    case WM_STYLECHANGED:
        OnStyleChanged(wParam, reinterpret_cast<const STYLESTRUCT*>(lParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SETFOCUS: {
        m_hasFocus = true;
        NMHDR header{};
        NotifyParent(m_window, NM_SETFOCUS, header);
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    }
    case WM_KILLFOCUS: {
        m_hasFocus = false;
        NMHDR header{};
        NotifyParent(m_window, NM_KILLFOCUS, header);
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    }
    case WM_ENABLE:
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        OnButtonDown(message, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(message, lParam);
        return 0;
    case WM_RBUTTONUP:
        OnButtonUp(message, lParam);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        OnDoubleClick(message, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_window)
            m_pressButton = 0;
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        OnChar(static_cast<WCHAR>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RegisterListViewClass() {
    RegisterCommonControlClass(WC_LISTVIEWW, CommonControlProc<ListView>, CS_DBLCLKS);
}

} // namespace platform
