#include "platform/controls/common/header/Header.h"

#include "platform/controls/common/CommonControlClasses.h"

#include "platform/base/CodePage.h"

#include <algorithm>

namespace platform {

namespace {

// The pointer is on a divider this close to an item's right edge.
constexpr int DividerZone = 4;

// A header notification in one character set, describing the item by the fields of the mask.
template <typename Item, typename Notification, typename Text>
LRESULT SendItemNotification(HWND window, UINT code, int index, UINT mask, int width,
                             const HeaderItem& source, Text text) {
    Item described{};
    described.mask = mask;
    described.cxy = width;
    described.pszText = text.data();
    described.cchTextMax = static_cast<int>(text.size());
    described.fmt = source.format;
    described.lParam = source.param;
    described.iImage = source.image;
    described.hbm = source.bitmap;
    Notification header{{}, index, 0, mask ? &described : nullptr};
    return NotifyParent(window, code, header.hdr);
}

} // namespace

int Header::Height() const {
    return (Style() & HDS_HIDDEN) ? 0 : LineHeight(m_font) + 4;
}

RECT Header::ItemRect(int index) const {
    RECT client;
    GetClientRect(m_window, &client);
    int left = 0;
    for (int item : m_order) {
        int width = m_items[static_cast<std::size_t>(item)].width;
        if (item == index)
            return RECT{left, 0, left + width, client.bottom};
        left += width;
    }
    return RECT{};
}

int Header::HitTest(POINT point, UINT* flags) const {
    RECT client;
    GetClientRect(m_window, &client);
    UINT result = 0;
    if (point.y < 0)
        result |= HHT_ABOVE;
    if (point.y >= client.bottom)
        result |= HHT_BELOW;
    if (point.x < 0)
        result |= HHT_TOLEFT;
    if (point.x >= client.right)
        result |= HHT_TORIGHT;
    int found = -1;
    if (!result) {
        result = HHT_NOWHERE;
        int left = 0;
        for (std::size_t position = 0; position < m_order.size(); ++position) {
            int item = m_order[position];
            int right = left + m_items[static_cast<std::size_t>(item)].width;
            // A divider belongs to the item on its left; a hidden (zero-width) item after it
            // is opened from its right half.
            if (point.x >= right - DividerZone && point.x < right + DividerZone) {
                bool nextHidden = position + 1 < m_order.size() &&
                                  m_items[static_cast<std::size_t>(m_order[position + 1])].width == 0;
                if (nextHidden && point.x >= right) {
                    found = m_order[position + 1];
                    result = HHT_ONDIVOPEN;
                } else {
                    found = item;
                    result = HHT_ONDIVIDER;
                }
                break;
            }
            if (point.x >= left && point.x < right) {
                found = item;
                result = HHT_ONHEADER;
                break;
            }
            left = right;
        }
    }
    if (flags)
        *flags = result;
    return found;
}

template <typename Item>
void Header::Apply(HeaderItem& target, const Item* item, int index) {
    if (item->mask & HDI_WIDTH)
        target.width = std::max(0, item->cxy);
    if (item->mask & HDI_TEXT)
        target.text = TextFromCaller(item->pszText);
    if (item->mask & HDI_FORMAT)
        target.format = item->fmt;
    if (item->mask & HDI_LPARAM)
        target.param = item->lParam;
    if (item->mask & HDI_IMAGE)
        target.image = item->iImage;
    if (item->mask & HDI_BITMAP)
        target.bitmap = item->hbm;
    if ((item->mask & HDI_ORDER) && index >= 0) {
        m_order.erase(std::find(m_order.begin(), m_order.end(), index));
        int position = std::clamp(item->iOrder, 0, static_cast<int>(m_order.size()));
        m_order.insert(m_order.begin() + position, index);
    }
}

template <typename Item>
LRESULT Header::InsertItem(int index, const Item* item) {
    if (!item || index < 0)
        return -1;
    index = std::min(index, Count());
    for (int& entry : m_order) {
        if (entry >= index)
            ++entry;
    }
    m_items.insert(m_items.begin() + index, HeaderItem{});
    m_order.insert(m_order.begin() + std::min(index, static_cast<int>(m_order.size())), index);
    Apply(m_items[static_cast<std::size_t>(index)], item, index);
    InvalidateRect(m_window, nullptr, TRUE);
    return index;
}

LRESULT Header::DeleteItem(int index) {
    if (!Valid(index))
        return FALSE;
    m_items.erase(m_items.begin() + index);
    m_order.erase(std::find(m_order.begin(), m_order.end(), index));
    for (int& entry : m_order) {
        if (entry > index)
            --entry;
    }
    m_hot = m_pressed = -1;
    EndTracking(false);
    InvalidateRect(m_window, nullptr, TRUE);
    return TRUE;
}

template <typename Item>
LRESULT Header::GetItem(int index, Item* item) const {
    if (!item || !Valid(index))
        return FALSE;
    const HeaderItem& source = m_items[static_cast<std::size_t>(index)];
    if (item->mask & HDI_WIDTH)
        item->cxy = source.width;
    if (item->mask & HDI_TEXT)
        CopyTextToCaller(source.text, item->pszText, item->cchTextMax);
    if (item->mask & HDI_FORMAT)
        item->fmt = source.format;
    if (item->mask & HDI_LPARAM)
        item->lParam = source.param;
    if (item->mask & HDI_IMAGE)
        item->iImage = source.image;
    if (item->mask & HDI_BITMAP)
        item->hbm = source.bitmap;
    if (item->mask & HDI_ORDER)
        item->iOrder = static_cast<int>(std::find(m_order.begin(), m_order.end(), index) - m_order.begin());
    return TRUE;
}

template <typename Item>
LRESULT Header::SetItem(int index, const Item* item) {
    if (!item || !Valid(index))
        return FALSE;
    HeaderItem proposed = m_items[static_cast<std::size_t>(index)];
    std::vector<int> order = m_order;
    Apply(proposed, item, index);
    m_order = order;
    if (NotifyItem(HDN_ITEMCHANGINGA, index, -1, item->mask, &proposed))
        return FALSE;
    Apply(m_items[static_cast<std::size_t>(index)], item, index);
    InvalidateRect(m_window, nullptr, TRUE);
    NotifyItem(HDN_ITEMCHANGEDA, index, -1, item->mask, &m_items[static_cast<std::size_t>(index)]);
    return TRUE;
}

LRESULT Header::Layout(HDLAYOUT* layout) const {
    if (!layout || !layout->prc || !layout->pwpos)
        return FALSE;
    RECT& area = *layout->prc;
    int height = Height();
    *layout->pwpos =
        WINDOWPOS{m_window, nullptr, area.left, area.top, area.right - area.left, height, SWP_NOZORDER};
    area.top += height;
    return TRUE;
}

bool Header::ChangeWidth(int index, int width) {
    HeaderItem proposed = m_items[static_cast<std::size_t>(index)];
    proposed.width = width;
    if (NotifyItem(HDN_ITEMCHANGINGA, index, width, HDI_WIDTH, &proposed))
        return false;
    m_items[static_cast<std::size_t>(index)].width = width;
    InvalidateRect(m_window, nullptr, TRUE);
    UpdateWindow(m_window);
    NotifyItem(HDN_ITEMCHANGEDA, index, width, HDI_WIDTH, &proposed);
    return true;
}

LRESULT Header::NotifyItem(UINT codeA, int index, int width, UINT mask, const HeaderItem* item) {
    const HeaderItem& source = item ? *item : m_items[static_cast<std::size_t>(index)];
    if (width >= 0)
        mask |= HDI_WIDTH;
    else
        width = source.width;
    // The W codes lie twenty below the A codes.
    if (ParentTakesUnicode(m_window)) {
        return SendItemNotification<HDITEMW, NMHEADERW>(m_window, codeA - 20, index, mask, width, source,
                                                        std::u16string(source.text));
    }
    return SendItemNotification<HDITEMA, NMHEADERA>(m_window, codeA, index, mask, width, source,
                                                    Utf16ToGbk(source.text));
}

void Header::OnButtonDown(LPARAM lParam) {
    UINT flags = 0;
    int index = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &flags);
    if (index < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        int width = m_items[static_cast<std::size_t>(index)].width;
        if (NotifyItem(HDN_BEGINTRACKA, index, width))
            return;
        m_tracking = index;
        m_trackStartX = GET_X_LPARAM(lParam);
        m_trackStartWidth = m_trackWidth = width;
        SetCapture(m_window);
        return;
    }
    if ((flags & HHT_ONHEADER) && (Style() & HDS_BUTTONS)) {
        m_pressed = index;
        m_pressedInside = true;
        SetCapture(m_window);
        InvalidateRect(m_window, nullptr, FALSE);
    }
}

void Header::OnDoubleClick(LPARAM lParam) {
    UINT flags = 0;
    int index = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &flags);
    if (index < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))
        NotifyItem(HDN_DIVIDERDBLCLICKA, index);
    else if (flags & HHT_ONHEADER)
        NotifyItem(HDN_ITEMDBLCLICKA, index);
}

void Header::OnMouseMove(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_tracking >= 0) {
        int width = std::max(0, m_trackStartWidth + point.x - m_trackStartX);
        if (width == m_trackWidth)
            return;
        m_trackWidth = width;
        if (NotifyItem(HDN_TRACKA, m_tracking, width)) {
            EndTracking(false);
            return;
        }
        if (Style() & HDS_FULLDRAG)
            ChangeWidth(m_tracking, width);
        return;
    }
    UINT flags = 0;
    int index = HitTest(point, &flags);
    if (m_pressed >= 0) {
        bool inside = index == m_pressed && (flags & HHT_ONHEADER);
        if (inside != m_pressedInside) {
            m_pressedInside = inside;
            InvalidateRect(m_window, nullptr, FALSE);
        }
        return;
    }
    if (!(Style() & HDS_HOTTRACK))
        return;
    int hot = (flags & HHT_ONHEADER) ? index : -1;
    if (hot != m_hot) {
        m_hot = hot;
        InvalidateRect(m_window, nullptr, FALSE);
    }
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_window, 0};
    TrackMouseEvent(&track);
}

void Header::OnButtonUp(LPARAM lParam) {
    if (m_tracking >= 0) {
        EndTracking(true);
        return;
    }
    if (m_pressed < 0)
        return;
    int pressed = m_pressed;
    bool inside = m_pressedInside;
    m_pressed = -1;
    if (GetCapture() == m_window)
        ReleaseCapture();
    InvalidateRect(m_window, nullptr, FALSE);
    UINT flags = 0;
    if (inside && HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &flags) == pressed)
        NotifyItem(HDN_ITEMCLICKA, pressed);
}

// Tracking ends with HDN_ENDTRACK; without HDS_FULLDRAG the new width is applied only now.
void Header::EndTracking(bool apply) {
    if (m_tracking < 0)
        return;
    int index = m_tracking;
    m_tracking = -1;
    if (GetCapture() == m_window)
        ReleaseCapture();
    if (!apply)
        return;
    NotifyItem(HDN_ENDTRACKA, index, m_trackWidth);
    if (!(Style() & HDS_FULLDRAG) && Valid(index) &&
        m_trackWidth != m_items[static_cast<std::size_t>(index)].width)
        ChangeWidth(index, m_trackWidth);
}

bool Header::OnSetCursor() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(m_window, &point);
    UINT flags = 0;
    HitTest(point, &flags);
    if (m_tracking < 0 && !(flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))
        return false;
    SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
    return true;
}

LRESULT Header::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case HDM_GETITEMCOUNT:
        return Count();
    case HDM_INSERTITEMA:
        return InsertItem(static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_INSERTITEMW:
        return InsertItem(static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_DELETEITEM:
        return DeleteItem(static_cast<int>(wParam));
    case HDM_GETITEMA:
        return GetItem(static_cast<int>(wParam), reinterpret_cast<HDITEMA*>(lParam));
    case HDM_GETITEMW:
        return GetItem(static_cast<int>(wParam), reinterpret_cast<HDITEMW*>(lParam));
    case HDM_SETITEMA:
        return SetItem(static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_SETITEMW:
        return SetItem(static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_LAYOUT:
        return Layout(reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: {
        auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        info->iItem = HitTest(info->pt, &info->flags);
        return info->iItem;
    }
    case HDM_GETITEMRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam); rect && Valid(static_cast<int>(wParam))) {
            *rect = ItemRect(static_cast<int>(wParam));
            return TRUE;
        }
        return FALSE;
    case HDM_SETIMAGELIST: {
        HIMAGELIST previous = m_images;
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        InvalidateRect(m_window, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }
    case HDM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case HDM_ORDERTOINDEX:
        return wParam < m_order.size() ? m_order[wParam] : static_cast<LRESULT>(wParam);
    case HDM_GETORDERARRAY: {
        auto* order = reinterpret_cast<int*>(lParam);
        if (!order || wParam != m_order.size())
            return FALSE;
        std::copy(m_order.begin(), m_order.end(), order);
        return TRUE;
    }
    case HDM_SETORDERARRAY: {
        auto* order = reinterpret_cast<const int*>(lParam);
        if (!order || wParam != m_order.size())
            return FALSE;
        std::vector<int> proposed(order, order + wParam);
        std::vector<int> sorted = proposed;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < Count(); ++i) {
            if (sorted[static_cast<std::size_t>(i)] != i)
                return FALSE;
        }
        m_order = std::move(proposed);
        InvalidateRect(m_window, nullptr, TRUE);
        return TRUE;
    }
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_LBUTTONDOWN:
        OnButtonDown(lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(lParam);
        return 0;
    case WM_MOUSELEAVE:
        if (m_hot >= 0) {
            m_hot = -1;
            InvalidateRect(m_window, nullptr, FALSE);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_window) {
            EndTracking(false);
            m_pressed = -1;
        }
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor())
            return TRUE;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RegisterHeaderClass() {
    RegisterCommonControlClass(WC_HEADERW, CommonControlProc<Header>, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform
