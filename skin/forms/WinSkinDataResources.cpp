// TSkinData: what it makes from the system besides the skin: the caption font, the
// application's icon, the menu glyphs, and the caption button hint.

#include "skin/forms/WinSkinData.h"

#include "framework/classes/Module.h"
#include "framework/comctrls/ImageList.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/HintWindow.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/forms/SkinMenuImages.h"

namespace {

constexpr int HintMaxWidth = 500;
constexpr int MenuGlyphSize = 16;

// The window whose icon is the application's: the main form's, once it has one.
HWND ApplicationWindow(TComponent* owner) {
    if (TCustomForm* main = Application()->MainForm(); main && main->HandleAllocated())
        return main->Handle();
    if (auto* form = dynamic_cast<TCustomForm*>(owner); form && form->HandleAllocated())
        return form->Handle();
    return nullptr;
}

HICON WindowSmallIcon(HWND window) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    return icon;
}

} // namespace

void TSkinData::MakeCaptionFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return;
    if (HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont))
        m_captionFont->SetHandle(font);
}

void TSkinData::MakeAppIcon() {
    HWND window = ApplicationWindow(Owner());
    HICON icon = window ? WindowSmallIcon(window) : nullptr;
    if (!icon)
        return;
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, 0));
    if (!copy)
        return;
    m_appIcon->SetPixelFormat(pf24bit);
    m_appIcon->SetSize(width, height);
    TCanvas& canvas = *m_appIcon->Canvas();
    canvas.Brush()->SetColor(clFuchsia);
    canvas.FillRect(Rect(0, 0, width, height));
    DrawIconEx(canvas.Handle(), 0, 0, copy, width, height, 0, nullptr, DI_NORMAL);
    DestroyIcon(copy);
    m_appIcon->SetTransparentColor(clFuchsia);
}

void TSkinData::MakeMenuGlyphs() {
    m_menuGlyphs->SetWidth(MenuGlyphSize);
    m_menuGlyphs->SetHeight(MenuGlyphSize);
    TBitmap glyphs;
    try {
        glyphs.LoadFromResourceName(HInstance(), "TRELLISMENU");
    } catch (const EResNotFound&) {
        return;
    }
    m_menuGlyphs->AddMasked(&glyphs, clWhite);
}

TSkinMenuImages& TSkinData::MenuImages() {
    if (!m_menuImages)
        m_menuImages = std::make_unique<TSkinMenuImages>(*this);
    return *m_menuImages;
}

void TSkinData::ShowCaptionHint(const TRect& position, const std::string& text) {
    if (!m_options.Contains(xoCaptionButtonHint) || m_hintShown != 0)
        return;
    TRect rect = m_hintWindow->CalcHintRect(HintMaxWidth, text);
    OffsetRect(&rect, position.left, position.top);
    m_hintWindow->ActivateHint(rect, text);
    m_hintShown = 1;
}

void TSkinData::HideCaptionHint() {
    if (m_hintShown != 1)
        return;
    m_hintWindow->ReleaseHandle();
    m_hintShown = 0;
}
