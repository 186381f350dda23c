// TWinSkinForm: the skinned frame: its geometry, hit test, painting, activation, layout, and the
// native style bits that must not draw caption buttons of their own.

#include "skin/forms/WinSkinForm.h"

#include "framework/forms/Form.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/SkinFrameDrawing.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinData.h"

#include <algorithm>

namespace {

// The result the skinned frame gives WM_NCCALCSIZE (the value of WVR_VALIDRECTS).
constexpr LRESULT SkinnedFrameResult = 0x400;
// The top rows of the caption keep the window's own answer: its top sizing edge.
constexpr int TopSizingRows = 3;

constexpr DWORD CaptionButtonStyles = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

bool Empty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

} // namespace

// ---- the native caption buttons -------------------------------------------------------------------

void TWinSkinForm::SetSystemMenuStyle(bool on) {
    if ((m_captionButtons & cbKeepNativeStyles) != 0 || !IsWindow(m_window))
        return;
    const auto style = static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE));
    const bool wanted = on && (m_captionButtons & cbSystemMenu) != 0;
    if (((style & WS_SYSMENU) != 0) == wanted)
        return;
    SetWindowLongA(m_window, GWL_STYLE, static_cast<LONG>(wanted ? style | WS_SYSMENU : style & ~WS_SYSMENU));
}

void TWinSkinForm::ClearCaptionButtonStyles() {
    if ((m_captionButtons & cbKeepNativeStyles) != 0 || m_manager.MdiMaximised())
        return;
    const auto style = static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE));
    if ((style & CaptionButtonStyles) != 0)
        SetWindowLongA(m_window, GWL_STYLE, static_cast<LONG>(style & ~CaptionButtonStyles));
}

void TWinSkinForm::RestoreCaptionButtonStyles() {
    if ((m_captionButtons & cbKeepNativeStyles) != 0 || !IsWindow(m_window))
        return;
    DWORD wanted = 0;
    if ((m_captionButtons & cbSystemMenu) != 0)
        wanted |= WS_SYSMENU;
    if ((m_captionButtons & cbMinimise) != 0)
        wanted |= WS_MINIMIZEBOX;
    if ((m_captionButtons & cbMaximise) != 0)
        wanted |= WS_MAXIMIZEBOX;
    const auto style = static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE));
    if ((style & CaptionButtonStyles) != wanted)
        SetWindowLongA(m_window, GWL_STYLE, static_cast<LONG>((style & ~CaptionButtonStyles) | wanted));
}

void TWinSkinForm::CaptionStylesOnMinMax() {
    if (m_windowState == TSkinWindowState::Minimised ||
        (m_windowKind == TSkinWindowKind::MdiChild && m_windowState == TSkinWindowState::Maximised))
        RestoreCaptionButtonStyles();
    else if (m_windowState == TSkinWindowState::Normal)
        ClearCaptionButtonStyles();
}

void TWinSkinForm::UpdateStateFromSize(WPARAM sizeType) {
    switch (sizeType) {
    case SIZE_RESTORED:
        m_windowState = TSkinWindowState::Normal;
        break;
    case SIZE_MINIMIZED:
        m_windowState = TSkinWindowState::Minimised;
        break;
    case SIZE_MAXIMIZED:
        m_windowState = TSkinWindowState::Maximised;
        break;
    default:
        break;
    }
}

void TWinSkinForm::UpdateStateFromCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        m_windowState = TSkinWindowState::Minimised;
        SetSystemMenuStyle(true);
        if (m_windowKind == TSkinWindowKind::MdiChild)
            RestoreCaptionButtonStyles();
        break;
    case SC_MAXIMIZE:
        m_windowState = TSkinWindowState::Maximised;
        break;
    case SC_RESTORE:
        m_windowState = TSkinWindowState::Normal;
        if (m_windowKind == TSkinWindowKind::MdiChild)
            ClearCaptionButtonStyles();
        break;
    default:
        break;
    }
}

// ---- geometry, hit test, activation --------------------------------------------------------------

LRESULT TWinSkinForm::CalculateFrame(WPARAM wParam, LPARAM lParam) {
    CallPrevious(WM_NCCALCSIZE, wParam, lParam);
    if (!wParam || !lParam)
        return 0;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    const WINDOWPOS* position = params->lppos;
    RECT client = params->rgrc[0];
    const bool maximisedMdiChild =
        m_windowKind == TSkinWindowKind::MdiChild && m_windowState == TSkinWindowState::Maximised;
    if (maximisedMdiChild || m_borderKind == TBorderKind::NoCaption) {
        if (position)
            client = {position->x, position->y, position->x + position->cx, position->y + position->cy};
    } else if (position) {
        client = {position->x + m_leftWidth, position->y + m_captionHeight + m_menuBarHeight,
                  position->x + position->cx - m_rightWidth, position->y + position->cy - m_bottomHeight};
        client.right = std::max(client.right, client.left);
        client.bottom = std::max(client.bottom, client.top);
    }
    params->rgrc[0] = client;
    params->rgrc[1] = client;
    params->rgrc[2] = client;
    return SkinnedFrameResult;
}

LRESULT TWinSkinForm::HitTest(LPARAM lParam) {
    LRESULT code = CallPrevious(WM_NCHITTEST, 0, lParam);
    if (code != HTNOWHERE && code != HTCAPTION)
        return code;
    RECT window{};
    if (!GetWindowRect(m_window, &window))
        return code;
    const POINT point = {GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top};
    if (point.y > TopSizingRows)
        code = HTCAPTION;
    if (point.y >= m_captionHeight && m_menuBarHeight > 0)
        code = HTMENU;
    return code;
}

LRESULT TWinSkinForm::Activate(WPARAM wParam, LPARAM lParam) {
    m_activeByte = wParam ? 1 : 0;
    EnableHoverTimer(Active());
    if (!Active())
        m_caption->CloseHint();
    if (m_windowKind == TSkinWindowKind::MdiFrame && m_mdiClient)
        SendMessageA(m_mdiClient, WM_NCACTIVATE, wParam, 0);
    else if (m_windowKind == TSkinWindowKind::MdiChild)
        CallPrevious(WM_NCACTIVATE, wParam, lParam);
    if (!(m_windowKind == TSkinWindowKind::MdiChild && m_windowState == TSkinWindowState::Maximised))
        PaintFrame();
    return TRUE;
}

POINT TWinSkinForm::ScreenToWindow(POINT screen) const {
    POINT point = screen;
    ScreenToClient(m_window, &point);
    if (!(m_windowKind == TSkinWindowKind::MdiChild && m_windowState == TSkinWindowState::Minimised)) {
        point.x += m_leftWidth;
        point.y += m_captionHeight + m_menuBarHeight;
    }
    return point;
}

void TWinSkinForm::RecalculateFrame() {
    SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// ---- layout --------------------------------------------------------------------------------------

void TWinSkinForm::FrameLayout(bool firstLayout) {
    if (m_windowState == TSkinWindowState::Maximised) {
        RecalculateFrame();
        return;
    }
    int clientWidth = 0;
    int clientHeight = 0;
    if (m_form) {
        clientWidth = m_form->ClientWidth();
        clientHeight = m_form->ClientHeight();
        if (m_windowKind != TSkinWindowKind::MdiChild)
            clientHeight -= m_menuBarHeight;
    } else {
        RECT client{};
        GetClientRect(m_window, &client);
        clientWidth = client.right;
        clientHeight = client.bottom;
    }
    int width = clientWidth + m_leftWidth + m_rightWidth;
    const int height = clientHeight + m_captionHeight + m_bottomHeight + m_menuBarHeight;
    if (m_dialogClass && firstLayout)
        WidenForDialogCaption(width);
    SetWindowPos(m_window, nullptr, 0, 0, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

void TWinSkinForm::WidenForDialogCaption(int& width) {
    const TDataSkinTitle& title = *m_skinData->Elements().Title;
    const int needed = title.LeftWidth + m_caption->CaptionTextWidth() + title.RightWidth;
    if (needed <= width)
        return;
    const int shift = (needed - width) / 2;
    width = needed;
    for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        POINT corner = {rect.left, rect.top};
        ScreenToClient(m_window, &corner);
        SetWindowPos(child, nullptr, corner.x + shift, corner.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
    }
}

// ---- painting ------------------------------------------------------------------------------------

void TWinSkinForm::PaintFrame(HDC dc) {
    if ((m_skinState != TSkinFormState::Running && m_skinState != TSkinFormState::Applying) ||
        m_borderKind == TBorderKind::NoCaption || !m_skinData)
        return;
    if (m_windowKind == TSkinWindowKind::MdiChild && m_windowState == TSkinWindowState::Maximised)
        return;
    RECT windowRect{};
    if (!GetWindowRect(m_window, &windowRect))
        return;
    HDC target = dc ? dc : GetWindowDC(m_window);
    if (!target)
        return;
    m_paintedRect = windowRect;
    try {
        const int width = windowRect.right - windowRect.left;
        if (m_windowState == TSkinWindowState::Minimised) {
            m_caption->Paint(target, width, true);
        } else {
            PaintBorders(target, windowRect);
            m_caption->Paint(target, width, false);
            PaintMenuBand(target, width);
        }
    } catch (const Exception&) {
        // The frame stays as far as it was painted.
    }
    if (!dc)
        ReleaseDC(m_window, target);
}

void TWinSkinForm::PaintBorders(HDC dc, const RECT& windowRect) {
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    const TSkinElements& skin = m_skinData->Elements();
    DrawBorderSide(dc, RECT{0, 0, m_leftWidth, height}, *skin.BorderLeft, false, Active());
    DrawBorderSide(dc, RECT{width - m_rightWidth, 0, width, height}, *skin.BorderRight, false, Active());
    DrawBorderSide(dc, RECT{m_leftWidth, height - m_bottomHeight, width - m_rightWidth, height},
                   *skin.BorderBottom, true, Active());
}

void TWinSkinForm::PaintMenuBand(HDC dc, int width) {
    if (m_menuBarHeight <= 0)
        return;
    const RECT band = {m_leftWidth, m_captionHeight, width - m_rightWidth, m_captionHeight + m_menuBarHeight};
    if (Empty(band))
        return;
    if (m_menuBar)
        m_menuBar->Paint(dc, band);
    else
        FillRect(dc, &band, m_skinData->Elements().FaceBrush.Get());
}
