#include "skin/controls/ComboxScrollBar.h"

#include "platform/base/MulDiv.h"
#include "platform/gdi/WinRect.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/ScrollBarPicture.h"
#include "skin/forms/WinSkinDataHelpers.h"

#include <algorithm>

namespace {

// What the combo box sends its list when the list starts following the mouse.
constexpr UINT ComboListStartTrack = 0x01AE;

} // namespace

const TClass& TComboxScrollBar::ClassInfo() {
    static const TClass info("TComboxScrollBar", &TSkinControl::ClassInfo());
    return info;
}

TComboxScrollBar::TComboxScrollBar(TComponent* owner)
    : TSkinControl(owner), m_arrowSize(GetSystemMetrics(SM_CXHSCROLL)) {}

bool TComboxScrollBar::BeforeMessage(TMessage& message) {
    const auto hit = static_cast<LRESULT>(static_cast<int>(message.WParam));
    switch (message.Msg) {
    case WM_NCMOUSEMOVE:
        // No hot tracking of the system's bar under the skin.
        if (hit == HTHSCROLL || hit == HTVSCROLL)
            return false;
        break;
    case WM_NCLBUTTONDOWN: {
        if (hit != HTVSCROLL)
            break;
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        if (!SkinGetScrollBarInfo(m_window, OBJID_VSCROLL, &bar))
            break;
        const POINT press{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        const int along = press.y - bar.rcScrollBar.top;
        if (along < bar.xyThumbTop || along >= bar.xyThumbBottom)
            break; // arrows and track: the system tracks them
        DragThumb(press);
        return false;
    }
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TComboxScrollBar::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case ComboListStartTrack:
        PaintSkin(nullptr);
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TComboxScrollBar::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!SkinGetScrollBarInfo(m_window, OBJID_VSCROLL, &bar) || (bar.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return;
    RECT window{};
    GetWindowRect(m_window, &window);
    TScrollBarPicture picture;
    picture.bar = bar.rcScrollBar;
    OffsetRect(&picture.bar, -window.left, -window.top);
    picture.vertical = true;
    picture.enabled = (bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    picture.arrow = m_arrowSize;
    picture.thumbStart = bar.xyThumbTop;
    picture.thumbEnd = bar.xyThumbBottom;
    picture.skinThickness = true;
    PaintScrollBar(dc, m_skinData->Elements(), picture, SIZE{rect.right - rect.left, rect.bottom - rect.top});
}

void TComboxScrollBar::DragThumb(POINT press) {
    const HWND list = m_window;
    SetCapture(list);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!GetScrollInfo(list, SB_VERT, &info) || !SkinGetScrollBarInfo(list, OBJID_VSCROLL, &bar)) {
        ReleaseCapture();
        return;
    }
    const int minimum = info.nMin, maximum = info.nMax, page = static_cast<int>(info.nPage);
    const int offset = bar.xyThumbTop - m_arrowSize;
    const int track = bar.rcScrollBar.bottom - bar.rcScrollBar.top - 2 * m_arrowSize;
    const int thumb = bar.xyThumbBottom - bar.xyThumbTop;
    int last = info.nPos;
    const auto positionAt = [&](int cursorY) {
        int n = std::max(offset + cursorY - press.y, 0);
        int position = 0;
        if (page != 0) {
            if (n > track - thumb)
                n = track - thumb + 1;
            position =
                std::min(minimum + MulDiv(n, maximum - minimum - page, track - thumb), maximum - page + 1);
        } else {
            position =
                std::min(minimum + MulDiv(std::min(n, track - thumb), maximum - minimum, track), maximum);
        }
        return std::max(position, minimum);
    };
    MSG message{};
    // A loop that waits: the user's next move, or anything else that arrives meanwhile.
    while (IsWindow(list) && GetCapture() == list) {
        if (!GetMessageW(&message, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the program's own loop
            break;
        }
        const UINT id = message.message;
        if (id == WM_MOUSEMOVE || id == WM_NCMOUSEMOVE) {
            DispatchMessageW(&message);
            POINT cursor{};
            GetCursorPos(&cursor);
            const int position = positionAt(cursor.y);
            if (position != last && IsWindow(list)) {
                last = position;
                SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(position)), 0);
            }
            continue;
        }
        if (id == WM_LBUTTONUP || id == WM_NCLBUTTONUP) {
            SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(last)), 0);
            PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (GetCapture() == list)
        ReleaseCapture();
}
