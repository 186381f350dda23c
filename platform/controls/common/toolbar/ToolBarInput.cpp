// The tool bar's mouse and keyboard: a button pressed and released over itself is clicked
// (check buttons change, the parent gets NM_CLICK and WM_COMMAND), a drop-down button (or its
// arrow) asks the parent with TBN_DROPDOWN, the button under the mouse is hot in the flat look
// (TBN_HOTITEMCHANGE), and with the focus the arrow keys move the hot button, Space and Enter
// click it and the down arrow drops it down.

#include "platform/controls/common/toolbar/ToolBar.h"

#include "platform/controls/buttons/Button.h"

namespace platform {

namespace {

// The record of TBN_DROPDOWN in one character set.
template <typename Notice>
LRESULT SendDropDown(HWND window, UINT code, const ToolBarButton& button) {
    Notice notice{};
    notice.iItem = button.command;
    notice.tbButton.iBitmap = button.image;
    notice.tbButton.idCommand = button.command;
    notice.tbButton.fsState = button.state;
    notice.tbButton.fsStyle = button.style;
    notice.tbButton.dwData = button.data;
    notice.tbButton.iString = button.stringIndex;
    notice.rcButton = button.rect;
    return NotifyParent(window, code, notice.hdr);
}

} // namespace

bool ToolBar::SetHotItem(int index, DWORD flags) {
    if (!Clickable(index))
        index = -1;
    if (index == m_hot)
        return false;
    NMTBHOTITEM notice{};
    notice.idOld = Valid(m_hot) ? m_buttons[static_cast<std::size_t>(m_hot)].command : 0;
    notice.idNew = Valid(index) ? m_buttons[static_cast<std::size_t>(index)].command : 0;
    notice.dwFlags = flags | (m_hot < 0 ? HICF_ENTERING : 0) | (index < 0 ? HICF_LEAVING : 0);
    // The parent may keep the hot button where it is.
    if (NotifyParent(m_window, TBN_HOTITEMCHANGE, notice.hdr))
        return false;
    InvalidateButton(m_hot);
    m_hot = index;
    InvalidateButton(m_hot);
    return true;
}

int ToolBar::NextHotItem(int from, int step) const {
    if (Count() == 0)
        return -1;
    int index = from;
    for (int tried = 0; tried < Count(); ++tried) {
        index = (index + step + Count()) % Count();
        if (Clickable(index))
            return index;
    }
    return -1;
}

LRESULT ToolBar::DropDown(int index) {
    ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
    button.state |= TBSTATE_PRESSED;
    InvalidateButton(index);
    UpdateWindow(m_window);
    // The parent usually shows a menu here and returns when it closes.
    const ToolBarButton copy = button;
    const LRESULT answer = m_unicodeParent ? SendDropDown<NMTOOLBARW>(m_window, TBN_DROPDOWN, copy)
                                           : SendDropDown<NMTOOLBARA>(m_window, TBN_DROPDOWN, copy);
    const int now = IndexOfCommand(copy.command);
    if (Valid(now) && answer != TBDDRET_TREATPRESSED) {
        m_buttons[static_cast<std::size_t>(now)].state &= ~TBSTATE_PRESSED;
        InvalidateButton(now);
    }
    return answer;
}

void ToolBar::OnButtonDown(POINT point) {
    const int index = HitTest(point);
    if (!Clickable(index))
        return;
    if (OnArrow(index, point)) {
        if (DropDown(index) != TBDDRET_TREATPRESSED)
            return;
    }
    m_pressed = index;
    m_pressedInside = true;
    m_buttons[static_cast<std::size_t>(index)].state |= TBSTATE_PRESSED;
    InvalidateButton(index);
    SetCapture(m_window);
}

void ToolBar::OnMouseMove(POINT point) {
    const int index = HitTest(point);
    if (Valid(m_pressed)) {
        const bool inside = index == m_pressed;
        if (inside != m_pressedInside) {
            m_pressedInside = inside;
            ToolBarButton& button = m_buttons[static_cast<std::size_t>(m_pressed)];
            button.state =
                static_cast<BYTE>(inside ? button.state | TBSTATE_PRESSED : button.state & ~TBSTATE_PRESSED);
            InvalidateButton(m_pressed);
        }
        return;
    }
    if (!(Style() & TBSTYLE_FLAT))
        return;
    SetHotItem(index, HICF_MOUSE);
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_window, 0};
    TrackMouseEvent(&track);
}

void ToolBar::OnButtonUp(POINT point) {
    if (!Valid(m_pressed))
        return;
    const int index = m_pressed;
    const bool inside = m_pressedInside && HitTest(point) == index;
    m_pressed = -1;
    m_buttons[static_cast<std::size_t>(index)].state &= ~TBSTATE_PRESSED;
    InvalidateButton(index);
    if (GetCapture() == m_window)
        ReleaseCapture();
    if (inside)
        Click(index, point);
}

void ToolBar::CancelPress() {
    if (!Valid(m_pressed))
        return;
    m_buttons[static_cast<std::size_t>(m_pressed)].state &= ~TBSTATE_PRESSED;
    InvalidateButton(m_pressed);
    m_pressed = -1;
    if (GetCapture() == m_window)
        ReleaseCapture();
}

void ToolBar::Click(int index, POINT point) {
    ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
    if (button.style & BTNS_CHECK) {
        // A checked group button stays checked; another one of its group takes the check.
        if ((button.style & BTNS_GROUP) == BTNS_GROUP)
            CheckInGroup(index);
        else
            button.state ^= TBSTATE_CHECKED;
        InvalidateButton(index);
    }
    const int command = button.command;
    NMMOUSE click{};
    click.dwItemSpec = static_cast<DWORD_PTR>(command);
    click.dwItemData = button.data;
    click.pt = point;
    NotifyParent(m_window, NM_CLICK, click.hdr);
    SendMessageW(NotifyWindow(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(m_window));
}

void ToolBar::OnKeyDown(WPARAM key) {
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        SetHotItem(NextHotItem(Valid(m_hot) ? m_hot : 0, -1), HICF_ARROWKEYS);
        break;
    case VK_RIGHT:
        SetHotItem(NextHotItem(Valid(m_hot) ? m_hot : -1, 1), HICF_ARROWKEYS);
        break;
    case VK_DOWN:
        if (Clickable(m_hot) && (m_buttons[static_cast<std::size_t>(m_hot)].style & BTNS_DROPDOWN))
            DropDown(m_hot);
        break;
    case VK_SPACE:
    case VK_RETURN:
        if (Clickable(m_hot)) {
            const RECT& rect = m_buttons[static_cast<std::size_t>(m_hot)].rect;
            const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
            if (!HasSplitArrow(m_buttons[static_cast<std::size_t>(m_hot)]) && OnArrow(m_hot, centre))
                DropDown(m_hot);
            else
                Click(m_hot, centre);
        }
        break;
    case VK_ESCAPE:
        SetHotItem(-1, HICF_OTHER);
        break;
    default:
        break;
    }
}

} // namespace platform
