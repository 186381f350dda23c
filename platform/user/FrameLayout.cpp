#include "platform/user/FrameLayout.h"

#include "platform/user/WinUser.h"

#include <algorithm>

namespace platform {

bool PointInRect(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool IsRectEmptyish(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

SIZE FrameThickness(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME)
        return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)};
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & WS_DLGFRAME))
        return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME)};
    if (style & WS_BORDER)
        return {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
    return {0, 0};
}

namespace {

// Caption buttons, laid out from the right: close, then maximise and minimise side by side
// (or help), each a little smaller than the caption's square.
void LayoutCaptionButtons(FrameLayout& layout, DWORD style, DWORD exStyle) {
    const RECT& caption = layout.caption;
    bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    int height = caption.bottom - caption.top;
    int buttonWidth = (tool ? GetSystemMetrics(SM_CXSMSIZE) : GetSystemMetrics(SM_CXSIZE)) - 2;
    int buttonHeight = height - 4;
    int top = caption.top + 2;
    if ((style & WS_SYSMENU) && !tool)
        layout.systemMenuButton = {caption.left + 2, top, caption.left + 2 + height - 4, top + buttonHeight};
    if (!(style & WS_SYSMENU))
        return;
    int right = caption.right - 2;
    layout.closeButton = {right - buttonWidth, top, right, top + buttonHeight};
    right = layout.closeButton.left - 2;
    if ((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && !tool) {
        layout.maximizeButton = {right - buttonWidth, top, right, top + buttonHeight};
        layout.minimizeButton = {right - 2 * buttonWidth, top, right - buttonWidth, top + buttonHeight};
    } else if (exStyle & WS_EX_CONTEXTHELP) {
        layout.helpButton = {right - buttonWidth, top, right, top + buttonHeight};
    }
}

} // namespace

FrameLayout LayoutFrame(SIZE windowSize, DWORD style, DWORD exStyle, int menuBarHeight) {
    FrameLayout layout;
    layout.window = {0, 0, windowSize.cx, windowSize.cy};
    layout.frame = FrameThickness(style, exStyle);
    RECT inner = {layout.frame.cx, layout.frame.cy, windowSize.cx - layout.frame.cx,
                  windowSize.cy - layout.frame.cy};
    if (HasCaption(style)) {
        int captionHeight =
            (exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
        // The caption metric includes the one-pixel line under the bar.
        layout.caption = {inner.left, inner.top, inner.right, inner.top + captionHeight - 1};
        inner.top += captionHeight;
        LayoutCaptionButtons(layout, style, exStyle);
    }
    if (menuBarHeight > 0 && !(style & WS_CHILD)) {
        layout.menuBar = {inner.left, inner.top, inner.right, inner.top + menuBarHeight};
        inner.top += menuBarHeight;
    }
    if (style & WS_MINIMIZE) {
        layout.inside = {inner.left, inner.top, inner.left, inner.top};
        layout.client = layout.inside;
        return layout;
    }
    layout.inside = inner;
    if (exStyle & WS_EX_CLIENTEDGE)
        layout.clientEdge = {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE)};
    else if (exStyle & WS_EX_STATICEDGE)
        layout.clientEdge = {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
    RECT client = {inner.left + layout.clientEdge.cx, inner.top + layout.clientEdge.cy,
                   inner.right - layout.clientEdge.cx, inner.bottom - layout.clientEdge.cy};
    int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    bool leftBar = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if ((style & WS_VSCROLL) && client.right - client.left >= barWidth) {
        if (leftBar) {
            layout.verticalScroll = {client.left, client.top, client.left + barWidth, client.bottom};
            client.left += barWidth;
        } else {
            layout.verticalScroll = {client.right - barWidth, client.top, client.right, client.bottom};
            client.right -= barWidth;
        }
    }
    if ((style & WS_HSCROLL) && client.bottom - client.top >= barHeight) {
        layout.horizontalScroll = {client.left, client.bottom - barHeight, client.right, client.bottom};
        client.bottom -= barHeight;
        if (!IsRectEmptyish(layout.verticalScroll)) {
            layout.verticalScroll.bottom -= barHeight;
            layout.sizeBox = {layout.verticalScroll.left, client.bottom, layout.verticalScroll.right,
                              client.bottom + barHeight};
        }
    }
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    layout.client = client;
    return layout;
}

namespace {

LRESULT HitTestBorder(const FrameLayout& layout, POINT point, DWORD style) {
    const RECT& w = layout.window;
    SIZE frame = layout.frame;
    bool left = point.x < w.left + frame.cx;
    bool right = point.x >= w.right - frame.cx;
    bool top = point.y < w.top + frame.cy;
    bool bottom = point.y >= w.bottom - frame.cy;
    if (!(left || right || top || bottom))
        return HTNOWHERE;
    if (!(style & WS_THICKFRAME) || (style & WS_MAXIMIZE))
        return HTBORDER;
    // Corners reach along each edge as far as a caption button and the border.
    int cornerX = GetSystemMetrics(SM_CXSIZE) + frame.cx;
    int cornerY = GetSystemMetrics(SM_CYSIZE) + frame.cy;
    bool nearLeft = point.x < w.left + cornerX;
    bool nearRight = point.x >= w.right - cornerX;
    bool nearTop = point.y < w.top + cornerY;
    bool nearBottom = point.y >= w.bottom - cornerY;
    if (top)
        return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
    if (bottom)
        return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left)
        return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
    return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
}

} // namespace

LRESULT HitTestFrame(const FrameLayout& layout, POINT point, DWORD style, DWORD exStyle) {
    (void)exStyle;
    if (!PointInRect(layout.window, point))
        return HTNOWHERE;
    if (style & WS_MINIMIZE)
        return HTCAPTION;
    if (PointInRect(layout.client, point))
        return HTCLIENT;
    if (LRESULT border = HitTestBorder(layout, point, style))
        return border;
    if (!IsRectEmptyish(layout.caption) && point.y < layout.caption.bottom + 1 &&
        point.y >= layout.caption.top) {
        auto inColumn = [&](const RECT& button) {
            return !IsRectEmptyish(button) && point.x >= button.left && point.x < button.right;
        };
        if (inColumn(layout.closeButton))
            return HTCLOSE;
        if (inColumn(layout.maximizeButton))
            return HTMAXBUTTON;
        if (inColumn(layout.minimizeButton))
            return HTMINBUTTON;
        if (inColumn(layout.helpButton))
            return HTHELP;
        if (!IsRectEmptyish(layout.systemMenuButton) && point.x < layout.systemMenuButton.right)
            return HTSYSMENU;
        return HTCAPTION;
    }
    if (PointInRect(layout.menuBar, point))
        return HTMENU;
    if (PointInRect(layout.verticalScroll, point))
        return HTVSCROLL;
    if (PointInRect(layout.horizontalScroll, point))
        return HTHSCROLL;
    if (PointInRect(layout.sizeBox, point)) {
        bool atCorner =
            layout.sizeBox.right + layout.clientEdge.cx + layout.frame.cx == layout.window.right &&
            layout.sizeBox.bottom + layout.clientEdge.cy + layout.frame.cy == layout.window.bottom;
        return (style & WS_THICKFRAME) && atCorner ? HTGROWBOX : HTNOWHERE;
    }
    return HTBORDER;
}

} // namespace platform
