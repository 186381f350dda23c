#include "framework/forms/HintWindow.h"

#include "framework/forms/Screen.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

namespace {

// Between the border and the text.
constexpr int TextMargin = 2;
constexpr UINT HintTextFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

} // namespace

std::string GetShortHint(std::string_view hint) {
    return std::string(hint.substr(0, hint.find('|')));
}

std::string GetLongHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

const TClass& THintWindow::ClassInfo() {
    static const TClass info("THintWindow", &TCustomControl::ClassInfo());
    return info;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetParentColor(false);
    SetColor(clInfoBk);
    SetParentFont(false);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.WndParent = nullptr;
    params.WindowClass.style |= CS_SAVEBITS;
}

bool THintWindow::Showing() const {
    return m_handle && IsWindowVisible(m_handle);
}

TRect THintWindow::CalcHintRect(int maxWidth, std::string_view hint) {
    // Measured on a memory context, so that no window is made for it.
    HDC dc = CreateCompatibleDC(nullptr);
    TRect rect = Rect(0, 0, std::max(maxWidth - 2 * TextMargin - 2, 1), 0);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.SetFont(Font());
        const std::string text(hint);
        canvas.TextRect(rect, text, HintTextFormat | DT_CALCRECT);
        canvas.SetHandle(nullptr);
    }
    DeleteDC(dc);
    // The margins on both sides and the one-pixel border.
    rect.right += 2 * TextMargin + 2;
    rect.bottom += 2 * TextMargin + 2;
    return rect;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
    SetCaption(hint);
    const int width = RectWidth(rect);
    const int height = RectHeight(rect);
    rect.left = std::clamp<int>(rect.left, 0, std::max(Screen()->Width() - width, 0));
    rect.top = std::clamp<int>(rect.top, 0, std::max(Screen()->Height() - height, 0));
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(m_handle, nullptr, TRUE);
    UpdateWindow(m_handle);
}

void THintWindow::ReleaseHandle() {
    DestroyHandle();
}

void THintWindow::Paint() {
    TRect rect = ClientRect();
    InflateRect(&rect, -TextMargin, -TextMargin);
    Canvas()->Font()->SetColor(clInfoText);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->TextRect(rect, Caption(), HintTextFormat);
}
