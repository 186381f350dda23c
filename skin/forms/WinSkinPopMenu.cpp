#include "skin/forms/WinSkinPopMenu.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuImages.h"
#include "skin/forms/SkinMenuPainter.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"

namespace {

RECT WindowArea(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {0, 0, r.right - r.left, r.bottom - r.top};
}

// The window DC for the border: systems from 5.2 on give the whole window's DC, older ones
// the frame's through GetDCEx with the whole-frame region.
HDC BorderDC(HWND window) {
    const std::uint32_t version = SkinVersionWord();
    const unsigned major = version & 0xFF;
    const unsigned minor = (version >> 8) & 0xFF;
    if (major > 4 && minor > 1)
        return GetWindowDC(window);
    return GetDCEx(window, reinterpret_cast<HRGN>(1), DCX_WINDOW | DCX_INTERSECTRGN | DCX_USESTYLE);
}

} // namespace

TWinSkinPopMenu::TWinSkinPopMenu(TSkinData& skinData)
    : m_skinData(skinData), m_subclass([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
          return WindowProcedure(window, message, wParam, lParam);
      }) {}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    Detach();
}

bool TWinSkinPopMenu::Attach(HWND window) {
    if (!m_subclass.Attach(window))
        return false;
    m_window = window;
    return true;
}

void TWinSkinPopMenu::Detach() {
    m_subclass.Detach();
    m_background.reset();
}

bool TWinSkinPopMenu::HasBackground() const {
    return m_background && !m_background->Empty();
}

void TWinSkinPopMenu::CopyBackground(HDC dc, const RECT& rect, int sourceX, int sourceY) {
    if (!HasBackground())
        return;
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           m_background->Canvas()->Handle(), sourceX, sourceY, SRCCOPY);
}

bool TWinSkinPopMenu::CanPaint() const {
    const TDataSkinObject* background = m_skinData.Elements().MenuBackground.get();
    return m_skinData.NoSkin() == 0 && background && !background->Image->Empty();
}

void TWinSkinPopMenu::UpdateBackground(int width, int height) {
    m_background = m_skinData.MenuImages().Background(width, height);
}

void TWinSkinPopMenu::PaintBorder() {
    const RECT area = WindowArea(m_window);
    const int width = area.right;
    const int height = area.bottom;
    UpdateBackground(width, height);
    if (!HasBackground())
        return;
    HDC dc = BorderDC(m_window);
    if (!dc)
        return;
    // Only the frame: the items inside are the menu's, painted through WM_PRINT.
    HDC background = m_background->Canvas()->Handle();
    BitBlt(dc, 0, 0, width, PopupBorder, background, 0, 0, SRCCOPY);
    BitBlt(dc, 0, height - PopupBorder, width, PopupBorder, background, 0, height - PopupBorder, SRCCOPY);
    BitBlt(dc, 0, 0, PopupBorder, height, background, 0, 0, SRCCOPY);
    BitBlt(dc, width - PopupBorder, 0, PopupBorder, height, background, width - PopupBorder, 0, SRCCOPY);
    ReleaseDC(m_window, dc);
}

LRESULT TWinSkinPopMenu::PrintPaint(HWND window, WPARAM wParam, LPARAM lParam) {
    auto dc = reinterpret_cast<HDC>(wParam);
    const RECT area = WindowArea(window);
    UpdateBackground(area.right, area.bottom);
    if (HasBackground())
        BitBlt(dc, 0, 0, area.right, area.bottom, m_background->Canvas()->Handle(), 0, 0, SRCCOPY);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, PopupBorder, PopupBorder, area.right - PopupBorder, area.bottom - PopupBorder);
    const LRESULT result = m_subclass.CallPrevious(window, WM_PRINT, wParam, lParam);
    RestoreDC(dc, saved);
    SetBkMode(dc, oldMode);
    return result;
}

LRESULT TWinSkinPopMenu::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SM_SKINNEDQUERY)
        return SkinnedAnswer;
    const TSkinManage* manager = SkinManager();
    if (!manager || !manager->Active())
        return m_subclass.CallPrevious(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        // The window's own procedure sees its destruction with nothing of ours left on it.
        Detach();
        break;
    case WM_ERASEBKGND:
        if (!SkinSystemIsNT())
            return 0;
        if (!m_skinData.Options().Contains(xoMenuBG))
            m_subclass.CallPrevious(window, message, wParam, lParam);
        return 1;
    case WM_NCPAINT:
        if (wParam == 1 && CanPaint()) {
            PaintBorder();
            return 0;
        }
        break;
    case WM_PRINT:
        if (CanPaint() && wParam)
            return PrintPaint(window, wParam, lParam);
        break;
    default:
        break;
    }
    return m_subclass.CallPrevious(window, message, wParam, lParam);
}
