// Where the tool bar's buttons go: one size for the buttons from the bitmap size and the
// widest text (texts below the images, or beside them with TBSTYLE_LIST, where each button is
// as wide as its content), separators by their own width, drop-down arrows, rows wrapped at
// the window's width, and the tool bar's own size across the top (or bottom) of its parent.

#include "platform/controls/common/toolbar/ToolBar.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int SeparatorWidth = 8;
constexpr int ArrowWidth = 14;
// Room around a button's image and text.
constexpr int PadX = 8;
constexpr int PadY = 7;
// The etched line along the top of a tool bar without CCS_NODIVIDER.
constexpr int DividerHeight = 2;

} // namespace

bool ToolBar::Clickable(int index) const {
    if (!Valid(index))
        return false;
    const ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
    return !IsSeparator(button) && (button.state & TBSTATE_ENABLED) && !(button.state & TBSTATE_HIDDEN);
}

int ToolBar::TextHeight() const {
    const bool anyText = std::any_of(m_buttons.begin(), m_buttons.end(),
                                     [this](const ToolBarButton& button) { return !TextOf(button).empty(); });
    return anyText ? LineHeight(m_font) : 0;
}

bool ToolBar::HasSplitArrow(const ToolBarButton& button) const {
    return (button.style & BTNS_DROPDOWN) && (m_exStyle & TBSTYLE_EX_DRAWDDARROWS) &&
           !(button.style & BTNS_WHOLEDROPDOWN);
}

int ToolBar::DropDownArrowWidth(const ToolBarButton& button) const {
    if (HasSplitArrow(button))
        return ArrowWidth;
    return (button.style & BTNS_WHOLEDROPDOWN) ? ArrowWidth - 4 : 0;
}

SIZE ToolBar::ButtonSize() const {
    const bool list = (Style() & TBSTYLE_LIST) != 0;
    const int textHeight = TextHeight();
    SIZE size{m_bitmapSize.cx + PadX, m_bitmapSize.cy + PadY};
    if (textHeight > 0) {
        if (list) {
            size.cy = std::max(m_bitmapSize.cy, static_cast<LONG>(textHeight)) + PadY;
        } else {
            size.cy += textHeight + 2;
            for (const ToolBarButton& button : m_buttons) {
                if (!IsSeparator(button))
                    size.cx = std::max(size.cx, static_cast<LONG>(TextWidth(m_font, TextOf(button)) + PadX));
            }
        }
    }
    if (m_buttonSize.cx > 0)
        size.cx = m_buttonSize.cx;
    if (m_buttonSize.cy > 0)
        size.cy = m_buttonSize.cy;
    return size;
}

int ToolBar::ButtonWidth(const ToolBarButton& button) const {
    if (IsSeparator(button))
        return button.image > 0 ? button.image : SeparatorWidth;
    int width = button.width;
    if (width == 0) {
        const bool fitted = (Style() & TBSTYLE_LIST) || (button.style & BTNS_AUTOSIZE);
        if (fitted) {
            const std::u16string text = TextOf(button);
            const bool hasImage = button.image != I_IMAGENONE && m_images;
            width = (hasImage ? m_bitmapSize.cx : 0) + PadX;
            if (!text.empty())
                width += TextWidth(m_font, text) + (hasImage ? 4 : 0);
        } else {
            width = ButtonSize().cx;
        }
        if (m_minWidth > 0)
            width = std::max(width, m_minWidth);
        if (m_maxWidth > 0)
            width = std::min(width, m_maxWidth);
    }
    return width + DropDownArrowWidth(button);
}

void ToolBar::Layout() {
    RECT client;
    GetClientRect(m_window, &client);
    const bool wrap = (Style() & TBSTYLE_WRAPABLE) != 0;
    const int height = ButtonSize().cy;
    const int top = (Style() & CCS_NODIVIDER) ? 0 : DividerHeight;
    int x = m_indent;
    int y = top;
    m_rows = 1;
    for (ToolBarButton& button : m_buttons) {
        if (button.state & TBSTATE_HIDDEN) {
            button.rect = RECT{};
            continue;
        }
        const int width = ButtonWidth(button);
        if (wrap && x > m_indent && x + width > client.right && !IsSeparator(button)) {
            x = m_indent;
            y += height;
            ++m_rows;
        }
        button.rect = RECT{x, y, x + width, y + height};
        x += width;
        if (button.state & TBSTATE_WRAP) {
            x = m_indent;
            y += height;
            ++m_rows;
        }
    }
}

int ToolBar::NeededHeight() const {
    const int top = (Style() & CCS_NODIVIDER) ? 0 : DividerHeight;
    return top + m_rows * ButtonSize().cy + 2;
}

void ToolBar::AutoSize() {
    const DWORD style = Style();
    if (style & CCS_NORESIZE) {
        Layout();
        return;
    }
    HWND parent = GetParent(m_window);
    RECT area{};
    if (parent)
        GetClientRect(parent, &area);
    RECT window;
    GetWindowRect(m_window, &window);
    RECT client;
    GetClientRect(m_window, &client);
    POINT place{window.left, window.top};
    if (parent)
        ScreenToClient(parent, &place);
    int width = area.right - area.left;
    int x = 0;
    int y = place.y;
    const DWORD align = style & CCS_BOTTOM; // CCS_TOP, CCS_NOMOVEY or CCS_BOTTOM
    if (style & CCS_NOPARENTALIGN) {
        x = place.x;
        width = window.right - window.left;
    } else if (align == CCS_TOP) {
        y = 0;
    }
    // The rows wrap at the new width; the height follows them, the frame on top of it.
    SetWindowPos(m_window, nullptr, x, y, width, window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    const int frame = (window.bottom - window.top) - (client.bottom - client.top);
    const int height = NeededHeight() + frame;
    if (align == CCS_BOTTOM && !(style & CCS_NOPARENTALIGN))
        y = area.bottom - height;
    SetWindowPos(m_window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int ToolBar::HitTest(POINT point) const {
    for (int index = 0; index < Count(); ++index) {
        const ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
        if (!(button.state & TBSTATE_HIDDEN) && PtInRect(&button.rect, point))
            return index;
    }
    return -1;
}

RECT ToolBar::ArrowRect(int index) const {
    const ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
    RECT arrow = button.rect;
    arrow.left = arrow.right - DropDownArrowWidth(button);
    return arrow;
}

bool ToolBar::OnArrow(int index, POINT point) const {
    const ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
    if (!(button.style & BTNS_DROPDOWN))
        return false;
    // Without a split arrow the whole button drops down.
    if (!HasSplitArrow(button))
        return true;
    const RECT arrow = ArrowRect(index);
    return PtInRect(&arrow, point) != FALSE;
}

void ToolBar::InvalidateButton(int index) const {
    if (Valid(index))
        InvalidateRect(m_window, &m_buttons[static_cast<std::size_t>(index)].rect, FALSE);
}

void ToolBar::Changed() {
    const int rows = m_rows;
    Layout();
    if (rows != m_rows && !(Style() & CCS_NORESIZE))
        AutoSize();
    InvalidateRect(m_window, nullptr, FALSE);
}

} // namespace platform
