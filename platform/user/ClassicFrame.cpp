#include "platform/user/ClassicFrame.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/FrameLayout.h"
#include "platform/user/FrameState.h"
#include "platform/user/ScrollBarPainter.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"
#include "platform/user/menus/MenuBar.h"

#include <algorithm>

namespace platform {

namespace {

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

void Fill(HDC dc, RECT r, int colour) {
    if (!Empty(r))
        FillRect(dc, &r, GetSysColorBrush(colour));
}

// The border: a raised edge, then the rest of the border's thickness in the border colour
// (sizing frames) or the face colour (dialog frames); a plain border is one dark line.
void DrawBorder(HDC dc, const FrameLayout& layout, DWORD style, DWORD exStyle, bool active) {
    RECT r = layout.window;
    if (layout.frame.cx == 0 && layout.frame.cy == 0)
        return;
    bool thick = (style & WS_THICKFRAME) != 0;
    bool dialog = (exStyle & WS_EX_DLGMODALFRAME) || (style & WS_DLGFRAME);
    if (!thick && !dialog) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        return;
    }
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int colour = thick ? (active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_3DFACE;
    HBRUSH brush = GetSysColorBrush(colour);
    for (int i = 2; i < std::max(layout.frame.cx, layout.frame.cy); ++i) {
        FrameRect(dc, &r, brush);
        InflateRect(&r, -1, -1);
    }
}

// The caption's colour runs from its colour on the left to its gradient colour on the right.
void FillCaption(HDC dc, const RECT& caption, bool active) {
    COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    int width = caption.right - caption.left;
    if (width <= 0)
        return;
    // Bands of a few pixels keep the number of fills small.
    constexpr int Band = 4;
    for (int x = 0; x < width; x += Band) {
        // The last band has the gradient colour itself.
        int t = std::min(256, width > Band ? x * 256 / (width - Band) : 256);
        auto mix = [t, from, to](int shift) {
            int a = static_cast<int>((from >> shift) & 0xFF);
            int b = static_cast<int>((to >> shift) & 0xFF);
            return static_cast<COLORREF>(a + ((b - a) * t) / 256) << shift;
        };
        COLORREF colour = mix(0) | mix(8) | mix(16);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT band = {caption.left + x, caption.top, std::min<LONG>(caption.left + x + Band, caption.right),
                     caption.bottom};
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
}

void DrawCaptionButton(HDC dc, RECT r, UINT kind, bool pressed, bool disabled) {
    if (Empty(r))
        return;
    DrawFrameControl(dc, &r, DFC_CAPTION,
                     kind | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
}

void DrawCaption(HDC dc, const FrameLayout& layout, Window& window, bool active) {
    RECT caption = layout.caption;
    if (Empty(caption))
        return;
    FillCaption(dc, caption, active);
    // The line under the caption.
    Fill(dc, {caption.left, caption.bottom, caption.right, caption.bottom + 1}, COLOR_3DFACE);

    LONG textLeft = caption.left + 2;
    if (!Empty(layout.systemMenuButton)) {
        if (HICON icon = CaptionIcon(window)) {
            int size = GetSystemMetrics(SM_CXSMICON);
            const RECT& place = layout.systemMenuButton;
            int top = place.top + (place.bottom - place.top - size) / 2;
            DrawIconEx(dc, place.left, top, icon, size, size, 0, nullptr, DI_NORMAL);
        }
        textLeft = layout.systemMenuButton.right + 2;
    }
    LONG textRight = caption.right - 2;
    for (const RECT* button :
         {&layout.closeButton, &layout.maximizeButton, &layout.minimizeButton, &layout.helpButton}) {
        if (!Empty(*button))
            textRight = std::min(textRight, button->left - 2);
    }

    LOGFONTW logical{};
    logical.lfHeight = -12;
    logical.lfWeight = FW_BOLD;
    logical.lfCharSet = GB2312_CHARSET;
    std::u16string_view face = u"宋体";
    std::copy(face.begin(), face.end(), logical.lfFaceName);
    HFONT font = CreateFontIndirectW(&logical);
    HGDIOBJ oldFont = SelectObject(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour =
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT textRect = {textLeft, caption.top, textRight, caption.bottom};
    if (!Empty(textRect))
        DrawTextW(dc, reinterpret_cast<LPCWSTR>(window.text.c_str()), static_cast<int>(window.text.size()),
                  &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    DeleteObject(font);

    LRESULT pressed = PressedCaptionButton(window.handle);
    DrawCaptionButton(dc, layout.closeButton, DFCS_CAPTIONCLOSE, pressed == HTCLOSE, false);
    bool maximized = (window.style & WS_MAXIMIZE) != 0;
    bool minimized = (window.style & WS_MINIMIZE) != 0;
    DrawCaptionButton(dc, layout.maximizeButton, maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX,
                      pressed == HTMAXBUTTON, !(window.style & WS_MAXIMIZEBOX));
    DrawCaptionButton(dc, layout.minimizeButton, minimized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN,
                      pressed == HTMINBUTTON, !(window.style & WS_MINIMIZEBOX));
    DrawCaptionButton(dc, layout.helpButton, DFCS_CAPTIONHELP, pressed == HTHELP, false);
}

void DrawClientEdge(HDC dc, const FrameLayout& layout, DWORD exStyle) {
    if (layout.clientEdge.cx == 0 && layout.clientEdge.cy == 0)
        return;
    RECT r = layout.inside;
    if (exStyle & WS_EX_CLIENTEDGE)
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    else
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
}

void DrawScrollBars(HDC dc, Window& window, const FrameLayout& layout) {
    RECT onScreen = WindowRectOnScreen(window);
    POINT origin = {onScreen.left, onScreen.top};
    for (int bar : {SB_HORZ, SB_VERT}) {
        ScrollBarGeometry geometry = MeasureScrollBar(window, bar);
        if (geometry.visible)
            DrawScrollBar(dc, origin, geometry, *BarData(window, bar));
    }
    if (!Empty(layout.sizeBox)) {
        Fill(dc, layout.sizeBox, COLOR_3DFACE);
        if (HitTestFrame(layout, {layout.sizeBox.left, layout.sizeBox.top}, window.style, window.exStyle) ==
            HTGROWBOX) {
            RECT grip = layout.sizeBox;
            DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        }
    }
}

} // namespace

HICON CaptionIcon(const Window& window) {
    if (window.smallIcon)
        return window.smallIcon;
    if (window.windowClass && window.windowClass->smallIcon)
        return window.windowClass->smallIcon;
    if (window.bigIcon)
        return window.bigIcon;
    return window.windowClass ? window.windowClass->icon : nullptr;
}

void DrawClassicFrame(HDC dc, Window& window) {
    RECT onScreen = WindowRectOnScreen(window);
    SIZE size = {onScreen.right - onScreen.left, onScreen.bottom - onScreen.top};
    if (size.cx <= 0 || size.cy <= 0)
        return;
    FrameLayout layout = LayoutFrame(size, window.style, window.exStyle, MenuBarHeight(window, size.cx));
    bool active = IsFrameActive(window.handle);
    DrawBorder(dc, layout, window.style, window.exStyle, active);
    if (window.style & WS_MINIMIZE) {
        // A minimised window is its caption.
        Fill(dc, layout.inside, COLOR_3DFACE);
        DrawCaption(dc, layout, window, active);
        return;
    }
    DrawCaption(dc, layout, window, active);
    if (!Empty(layout.menuBar))
        PaintMenuBar(dc, window, layout.menuBar);
    DrawClientEdge(dc, layout, window.exStyle);
    DrawScrollBars(dc, window, layout);
}

void PaintClassicFrame(Window& window, HRGN region) {
    HWND handle = window.handle;
    bool whole = !region || region == reinterpret_cast<HRGN>(1);
    HDC dc =
        whole ? GetWindowDC(handle) : GetDCEx(handle, region, DCX_WINDOW | DCX_INTERSECTRGN | DCX_USESTYLE);
    if (!dc)
        return;
    // The client area is the window's to draw, wherever its own WM_NCCALCSIZE put it.
    RECT onScreen = WindowRectOnScreen(window);
    RECT client = ClientRectOnScreen(window);
    OffsetRect(&client, -onScreen.left, -onScreen.top);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    DrawClassicFrame(dc, window);
    ReleaseDC(handle, dc);
}

void RepaintFrame(Window& window) {
    if (IsReallyVisible(window))
        SendMessageW(window.handle, WM_NCPAINT, 1, 0);
}

} // namespace platform
