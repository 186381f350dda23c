#include "platform/controls/common/tab/TabControl.h"

#include "platform/controls/common/CommonControlClasses.h"

#include <algorithm>

namespace platform {

namespace {

// The scroller of overflowing tabs is two arrow buttons side by side.
int ScrollerLength() {
    return 2 * GetSystemMetrics(SM_CXHSCROLL);
}

SIZE ImageSize(HIMAGELIST images) {
    SIZE size{0, 0};
    int cx = 0;
    int cy = 0;
    if (images && ImageList_GetIconSize(images, &cx, &cy))
        size = SIZE{cx, cy};
    return size;
}

} // namespace

TabSide TabControl::Side() const {
    DWORD style = Style();
    if (style & TCS_VERTICAL)
        return (style & TCS_RIGHT) ? TabSide::Right : TabSide::Left;
    return (style & TCS_BOTTOM) ? TabSide::Bottom : TabSide::Top;
}

int TabControl::Thickness() const {
    if (m_itemSize.cy > 0)
        return m_itemSize.cy;
    int content = std::max(LineHeight(m_font), static_cast<int>(ImageSize(m_images).cy));
    return content + 2 * m_padding.cy + 1;
}

int TabControl::NaturalLength(const TabItem& item) const {
    int length = 2 * m_padding.cx + TextWidth(m_font, item.text);
    SIZE image = ImageSize(m_images);
    if (item.image >= 0 && image.cx > 0)
        length += image.cx + m_padding.cx;
    return length;
}

TabLayout TabControl::Layout() const {
    RECT client;
    GetClientRect(m_window, &client);
    DWORD style = Style();
    TabLayoutInput input;
    input.client = SIZE{client.right, client.bottom};
    input.side = Side();
    input.buttons = Buttons();
    // Vertical tabs are always laid out in several rows.
    input.multiline = (style & (TCS_MULTILINE | TCS_VERTICAL)) != 0;
    input.raggedRight = (style & TCS_RAGGEDRIGHT) != 0;
    input.thickness = Thickness();
    input.selected = m_selected;
    input.firstVisible = m_firstVisible;
    input.scrollerLength = ScrollerLength();
    bool fixed = (style & TCS_FIXEDWIDTH) || ((style & TCS_OWNERDRAWFIXED) && m_itemSize.cx > 0);
    int fixedLength = m_itemSize.cx;
    if (fixed && fixedLength <= 0) {
        for (const TabItem& item : m_items)
            fixedLength = std::max(fixedLength, NaturalLength(item));
    }
    for (const TabItem& item : m_items)
        input.lengths.push_back(fixed ? fixedLength : NaturalLength(item));
    return LayOutTabs(input);
}

RECT TabControl::ItemRect(int index) const {
    return Layout().rects[static_cast<std::size_t>(index)];
}

template <typename Item>
LRESULT TabControl::InsertItem(int index, const Item* item) {
    if (!item || index < 0)
        return -1;
    index = std::min(index, Count());
    TabItem added;
    if (item->mask & TCIF_TEXT)
        added.text = TextFromCaller(item->pszText);
    if (item->mask & TCIF_IMAGE)
        added.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        added.param = item->lParam;
    m_items.insert(m_items.begin() + index, std::move(added));
    if (m_selected < 0) {
        m_selected = 0;
        m_focus = 0;
    } else if (index <= m_selected) {
        ++m_selected;
        if (m_focus >= index)
            ++m_focus;
    }
    Changed();
    return index;
}

template <typename Item>
LRESULT TabControl::SetItem(int index, const Item* item) {
    if (!item || !Valid(index))
        return FALSE;
    TabItem& target = m_items[static_cast<std::size_t>(index)];
    if (item->mask & TCIF_TEXT)
        target.text = TextFromCaller(item->pszText);
    if (item->mask & TCIF_IMAGE)
        target.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        target.param = item->lParam;
    if (item->mask & TCIF_STATE)
        target.state = (target.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
    Changed();
    return TRUE;
}

template <typename Item>
LRESULT TabControl::GetItem(int index, Item* item) const {
    if (!item || !Valid(index))
        return FALSE;
    const TabItem& source = m_items[static_cast<std::size_t>(index)];
    if (item->mask & TCIF_TEXT)
        CopyTextToCaller(source.text, item->pszText, item->cchTextMax);
    if (item->mask & TCIF_IMAGE)
        item->iImage = source.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = source.param;
    if (item->mask & TCIF_STATE)
        item->dwState = source.state & item->dwStateMask;
    return TRUE;
}

LRESULT TabControl::DeleteItem(int index) {
    if (!Valid(index))
        return FALSE;
    m_items.erase(m_items.begin() + index);
    // Deleting the selected tab leaves none selected; tabs after it move up one place.
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    if (m_focus == index)
        m_focus = m_selected;
    else if (m_focus > index)
        --m_focus;
    m_firstVisible = std::min(m_firstVisible, std::max(0, Count() - 1));
    Changed();
    return TRUE;
}

LRESULT TabControl::SetCurSel(int index) {
    if (!Valid(index))
        return -1;
    int previous = m_selected;
    m_selected = index;
    m_focus = index;
    ScrollIntoView(index);
    Changed();
    return previous;
}

bool TabControl::SelectByUser(int index) {
    if (!Valid(index) || index == m_selected)
        return false;
    NMHDR header{};
    if (NotifyParent(m_window, TCN_SELCHANGING, header))
        return false;
    SetCurSel(index);
    UpdateWindow(m_window);
    NotifyParent(m_window, TCN_SELCHANGE, header);
    return true;
}

void TabControl::SetFocusItem(int index) {
    if (!Valid(index))
        return;
    if (!Buttons()) {
        SelectByUser(index);
        return;
    }
    m_focus = index;
    ScrollIntoView(index);
    Changed();
}

void TabControl::ScrollIntoView(int index) {
    RECT client;
    GetClientRect(m_window, &client);
    for (;;) {
        TabLayout layout = Layout();
        if (!layout.overflows)
            return;
        const RECT& rect = layout.rects[static_cast<std::size_t>(index)];
        int first = m_firstVisible;
        if (index < first)
            first = index;
        else if (rect.right > client.right - ScrollerLength())
            first = std::min(first + 1, layout.lastFirstVisible);
        if (first == m_firstVisible)
            return;
        m_firstVisible = first;
    }
}

int TabControl::HitTest(POINT point, UINT* flags) const {
    TabLayout layout = Layout();
    RECT scroller{};
    if (m_scroller && IsWindowVisible(m_scroller)) {
        GetWindowRect(m_scroller, &scroller);
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&scroller), 2);
    }
    if (flags)
        *flags = TCHT_NOWHERE;
    if (PtInRect(&scroller, point))
        return -1;
    for (int i = 0; i < Count(); ++i) {
        const RECT& rect = layout.rects[static_cast<std::size_t>(i)];
        if (!PtInRect(&rect, point))
            continue;
        if (flags)
            *flags = (Style() & TCS_OWNERDRAWFIXED) ? TCHT_ONITEM : TCHT_ONITEMLABEL;
        SIZE image = ImageSize(m_images);
        int imageLeft = rect.left + m_padding.cx;
        if (flags && m_items[static_cast<std::size_t>(i)].image >= 0 && image.cx > 0 &&
            point.x >= imageLeft && point.x < imageLeft + image.cx && !(Style() & TCS_OWNERDRAWFIXED))
            *flags = TCHT_ONITEMICON;
        return i;
    }
    return -1;
}

void TabControl::UpdateScroller() {
    TabLayout layout = Layout();
    bool needed = layout.overflows && !(Style() & (TCS_MULTILINE | TCS_VERTICAL));
    if (!needed) {
        m_firstVisible = 0;
        if (m_scroller)
            ShowWindow(m_scroller, SW_HIDE);
        return;
    }
    if (!m_scroller) {
        m_scroller = CreateWindowExW(0, UPDOWN_CLASSW, u"", WS_CHILD | UDS_HORZ, 0, 0, 0, 0, m_window,
                                     nullptr, nullptr, nullptr);
        if (!m_scroller)
            return;
    }
    RECT client;
    GetClientRect(m_window, &client);
    int thickness = Thickness();
    int top = Side() == TabSide::Bottom ? client.bottom - TabMargin - thickness : TabMargin;
    SetWindowPos(m_scroller, HWND_TOP, client.right - ScrollerLength(), top, ScrollerLength(), thickness - 1,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SendMessageW(m_scroller, UDM_SETRANGE32, 0, layout.lastFirstVisible);
    SendMessageW(m_scroller, UDM_SETPOS32, 0, std::min(m_firstVisible, layout.lastFirstVisible));
}

void TabControl::OnScroll(WPARAM wParam) {
    if (LOWORD(wParam) != SB_THUMBPOSITION)
        return;
    int first = static_cast<short>(HIWORD(wParam));
    if (first == m_firstVisible)
        return;
    m_firstVisible = std::max(0, first);
    InvalidateRect(m_window, nullptr, TRUE);
}

void TabControl::OnButtonDown(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int index = HitTest(point, nullptr);
    DWORD style = Style();
    if (index >= 0 && (style & TCS_FOCUSONBUTTONDOWN) && !(style & TCS_FOCUSNEVER))
        SetFocus(m_window);
    if (index >= 0)
        SelectByUser(index);
}

void TabControl::OnKeyDown(WPARAM key) {
    NMTCKEYDOWN keyDown{};
    keyDown.wVKey = static_cast<WORD>(key);
    NotifyParent(m_window, TCN_KEYDOWN, keyDown.hdr);
    if (Count() == 0)
        return;
    bool vertical = (Style() & TCS_VERTICAL) != 0;
    int current = m_focus >= 0 ? m_focus : 0;
    int target = current;
    bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_TAB && control) {
        bool back = GetKeyState(VK_SHIFT) < 0;
        target = (current + (back ? Count() - 1 : 1)) % Count();
    } else if (key == (vertical ? VK_UP : VK_LEFT)) {
        target = std::max(0, current - 1);
    } else if (key == (vertical ? VK_DOWN : VK_RIGHT)) {
        target = std::min(Count() - 1, current + 1);
    } else if (key == VK_HOME) {
        target = 0;
    } else if (key == VK_END) {
        target = Count() - 1;
    }
    if (target != current)
        SetFocusItem(target);
}

void TabControl::Changed() {
    UpdateScroller();
    InvalidateRect(m_window, nullptr, TRUE);
}

LRESULT TabControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case TCM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case TCM_SETIMAGELIST: {
        HIMAGELIST previous = m_images;
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        Changed();
        return reinterpret_cast<LRESULT>(previous);
    }
    case TCM_GETITEMCOUNT:
        return Count();
    case TCM_INSERTITEMA:
        return InsertItem(static_cast<int>(wParam), reinterpret_cast<const TCITEMA*>(lParam));
    case TCM_INSERTITEMW:
        return InsertItem(static_cast<int>(wParam), reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_SETITEMA:
        return SetItem(static_cast<int>(wParam), reinterpret_cast<const TCITEMA*>(lParam));
    case TCM_SETITEMW:
        return SetItem(static_cast<int>(wParam), reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_GETITEMA:
        return GetItem(static_cast<int>(wParam), reinterpret_cast<TCITEMA*>(lParam));
    case TCM_GETITEMW:
        return GetItem(static_cast<int>(wParam), reinterpret_cast<TCITEMW*>(lParam));
    case TCM_DELETEITEM:
        return DeleteItem(static_cast<int>(wParam));
    case TCM_DELETEALLITEMS:
        m_items.clear();
        m_selected = m_focus = -1;
        m_firstVisible = 0;
        Changed();
        return TRUE;
    case TCM_GETITEMRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam); rect && Valid(static_cast<int>(wParam))) {
            *rect = ItemRect(static_cast<int>(wParam));
            return TRUE;
        }
        return FALSE;
    case TCM_GETCURSEL:
        return m_selected;
    case TCM_SETCURSEL:
        return SetCurSel(static_cast<int>(wParam));
    case TCM_GETCURFOCUS:
        return m_focus;
    case TCM_SETCURFOCUS:
        SetFocusItem(static_cast<int>(wParam));
        return 0;
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        return info ? HitTest(info->pt, &info->flags) : -1;
    }
    case TCM_ADJUSTRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam)) {
            *rect = AdjustTabRect(*rect, wParam != 0, Side(), Buttons(), Layout().rows, Thickness());
        }
        return 0;
    case TCM_SETITEMSIZE: {
        LRESULT previous = MAKELONG(m_itemSize.cx, Thickness());
        m_itemSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
        Changed();
        return previous;
    }
    case TCM_SETPADDING:
        m_padding = SIZE{LOWORD(lParam), HIWORD(lParam)};
        Changed();
        return 0;
    case TCM_GETROWCOUNT:
        return Layout().rows;
    case WM_SIZE:
    case WM_STYLECHANGED:
        Changed();
        break;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == m_scroller && m_scroller)
            OnScroll(wParam);
        return 0;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        Changed();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_LBUTTONDOWN:
        OnButtonDown(lParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(m_window, nullptr, TRUE);
        break;
    case WM_ENABLE:
        InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RegisterTabControlClass() {
    RegisterCommonControlClass(WC_TABCONTROLW, CommonControlProc<TabControl>,
                               CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform
