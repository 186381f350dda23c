#include "skin/controls/SkinScrollbars.h"

#include "core/TextUtils.h"
#include "framework/classes/TypInfo.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Font.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinProperties.h"
#include "skin/forms/SkinMessages.h"

namespace {

// Image scroll boxes draw their own border.
constexpr const char* ImageScrollBoxClass = "TImageScrollBox";

void InvalidateShown(TWScrollbar* overlay) {
    if (overlay && overlay->Shown())
        overlay->Invalidate();
}

// After the window painted: a shown overlay refreshed, else placed when the window has its bar.
void RefreshOverlay(TWScrollbar* overlay, HWND window, DWORD styleBit) {
    if (!overlay)
        return;
    if (overlay->Shown())
        overlay->RefreshAfterScrolledPaint();
    else if (GetWindowLongPtrW(window, GWL_STYLE) & styleBit)
        overlay->Place();
}

} // namespace

void FillScrollCorner(HDC dc, HWND window, const TWScrollbar* horizontal, const TWScrollbar* vertical,
                      TColor colour) {
    if (!horizontal || !vertical || !horizontal->Shown() || !vertical->Shown())
        return;
    const RECT& across = vertical->BarClientRect();
    const RECT& along = horizontal->BarClientRect();
    // From client into window coordinates: by where the client area lies in the window.
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT corner{across.left, along.top, across.right, along.bottom};
    OffsetRect(&corner, client.x - windowRect.left, client.y - windowRect.top);
    FillColor(dc, corner, colour);
}

// ---- framework controls --------------------------------------------------------------------

const TClass& TSkinScrollbar::ClassInfo() {
    static const TClass info("TSkinScrollbar", &TSkinControl::ClassInfo());
    return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::InitScrollSkin(TWinControl* control, TSkinData* skinData, SkinFormServices* form,
                                    TCanvas* canvas) {
    if (m_initialized || !control)
        return;
    m_skinData = skinData;
    m_form = form;
    m_canvas = canvas;
    m_control = control;
    m_window = control->Handle();
    m_unicode = IsWindowUnicode(m_window) != FALSE;
    if (m_form)
        m_form->AddSkinControl(this, control, m_window);
    m_border = !skin_properties::Is(control, "BorderStyle", "bsnone") &&
               control->ClassName() != ImageScrollBoxClass && m_kind != 1;
    if (skin_properties::HasOrdinal(control, "FixedColor")) {
        m_savedFixedColor = static_cast<TColor>(GetOrdProp(control, "FixedColor"));
        m_fixedColorChanged = true;
        m_recolor = true;
        // The base restores the control's colour with the skin; it is kept as it is.
        m_savedColour = control->Color();
        SetOrdProp(control, "FixedColor", BackgroundColour());
        FollowSkinTitleColour();
    }
    m_horizontal = std::make_unique<TWScrollbar>(nullptr);
    m_horizontal->AttachToControl(this, control, sbmWindowHorizontal);
    m_vertical = std::make_unique<TWScrollbar>(nullptr);
    m_vertical->AttachToControl(this, control, sbmWindowVertical);
    m_horizontal->SetEnabled(control->Enabled());
    m_vertical->SetEnabled(control->Enabled());
    if (!control->Visible())
        HideOverlays();
    InstallWindowProc(control);
    m_initialized = true;
    m_lifecycle = slSkinned;
    // A control already shown takes the skin's border now, not at its next frame paint.
    if (m_border)
        RedrawWindow(m_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::FollowSkinTitleColour() {
    if (!skin_properties::HasOrdinal(m_control, "FixedFontColor") ||
        static_cast<TColor>(GetOrdProp(m_control, "FixedFontColor")) != clDefault)
        return;
    const TColor font = m_control->Font()->Color();
    const TColor wanted = TextColourOnSkin(m_skinData->Elements(), font, BackgroundColour());
    if (wanted == font)
        return;
    SetOrdProp(m_control, "FixedFontColor", wanted);
    m_givenTitleColour = wanted;
    m_tookTitleColour = true;
}

void TSkinScrollbar::GiveTitleColourBack() {
    if (!m_tookTitleColour)
        return;
    m_tookTitleColour = false;
    if (static_cast<TColor>(GetOrdProp(m_control, "FixedFontColor")) == m_givenTitleColour)
        SetOrdProp(m_control, "FixedFontColor", clDefault);
}

void TSkinScrollbar::PlaceOverlays() {
    if (m_horizontal)
        m_horizontal->Place();
    if (m_vertical)
        m_vertical->Place();
}

void TSkinScrollbar::HideOverlays() {
    if (m_horizontal)
        m_horizontal->HideOverlay();
    if (m_vertical)
        m_vertical->HideOverlay();
}

void TSkinScrollbar::DrawBorder(HDC windowDC) {
    RECT edge{};
    GetWindowRect(m_window, &edge);
    OffsetRect(&edge, -edge.left, -edge.top);
    const TSkinElements& skin = m_skinData->Elements();
    HBRUSH outer = CreateSolidBrush(ColorToRGB(SkinBorderColour(skin)));
    FrameRect(windowDC, &edge, outer);
    DeleteObject(outer);
    InflateRect(&edge, -1, -1);
    HBRUSH inner = CreateSolidBrush(ColorToRGB(::SkinBackgroundColour(skin)));
    FrameRect(windowDC, &edge, inner);
    DeleteObject(inner);
}

bool TSkinScrollbar::BeforeMessage(TMessage& message) {
    if (message.Msg == WM_NCPAINT && m_border) {
        CallDefault(message);
        if (HDC dc = GetWindowDC(m_window)) {
            DrawBorder(dc);
            ReleaseDC(m_window, dc);
        }
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        PlaceOverlays();
        break;
    case WM_HSCROLL:
        if (m_horizontal)
            m_horizontal->SetHotPart(LOWORD(message.WParam));
        break;
    case WM_VSCROLL:
        if (m_vertical)
            m_vertical->SetHotPart(LOWORD(message.WParam));
        break;
    case WM_MOUSEWHEEL:
        InvalidateShown(m_horizontal.get());
        InvalidateShown(m_vertical.get());
        break;
    case CM_VISIBLECHANGED:
        if (message.WParam)
            PlaceOverlays();
        else
            HideOverlays();
        break;
    case CM_ENABLEDCHANGED:
        if (m_control) {
            m_horizontal->SetEnabled(m_control->Enabled());
            m_vertical->SetEnabled(m_control->Enabled());
        }
        TSkinControl::AfterMessage(message);
        break;
    case CM_RECREATEWND:
        // The form skins the window that replaces this one.
        if (m_form)
            PostMessageW(m_form->FormWindow(), SM_RESKINCONTROL, reinterpret_cast<WPARAM>(m_window), 0);
        break;
    case SM_PAINTFRAME:
        if (message.LParam == SkinMagic) {
            if (message.WParam)
                DrawBorder(reinterpret_cast<HDC>(message.WParam));
            message.Result = SkinMagic;
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&) {
    RefreshOverlay(m_vertical.get(), m_window, WS_VSCROLL);
    RefreshOverlay(m_horizontal.get(), m_window, WS_HSCROLL);
    FillScrollCorner(dc, m_window, m_horizontal.get(), m_vertical.get(), BackgroundColour());
}

void TSkinScrollbar::Unskin() {
    if (!m_active)
        return;
    if (m_fixedColorChanged && m_lifecycle != slWindowDestroyed && m_control) {
        GiveTitleColourBack();
        SetOrdProp(m_control, "FixedColor", m_savedFixedColor);
        m_fixedColorChanged = false;
    }
    TSkinControl::Unskin();
    if (m_lifecycle != slWindowDestroyed) {
        m_horizontal.reset();
        m_vertical.reset();
    }
}

void TSkinScrollbar::SkinChanged() {
    if (m_fixedColorChanged && m_control) {
        GiveTitleColourBack();
        SetOrdProp(m_control, "FixedColor", BackgroundColour());
        FollowSkinTitleColour();
    }
    InvalidateShown(m_horizontal.get());
    InvalidateShown(m_vertical.get());
    Repaint();
}

const TClass& TSkinListView::ClassInfo() {
    static const TClass info("TSkinListView", &TSkinScrollbar::ClassInfo());
    return info;
}

void TSkinListView::InitScrollSkin(TWinControl* control, TSkinData* skinData, SkinFormServices* form,
                                   TCanvas* canvas) {
    TSkinScrollbar::InitScrollSkin(control, skinData, form, canvas);
    HWND header = m_window ? reinterpret_cast<HWND>(SendMessageW(m_window, LVM_GETHEADER, 0, 0)) : nullptr;
    if (!header || !form || form->FindSkinControlByWindow(header))
        return;
    auto* headerSkin = new TSkinHeader(form->BareWindowSkinOwner());
    headerSkin->InitSkinByHandle(header, skinData, form, canvas);
}

// ---- bare windows --------------------------------------------------------------------------

const TClass& TSkinScrollbarH::ClassInfo() {
    static const TClass info("TSkinScrollbarH", &TSkinControl::ClassInfo());
    return info;
}

TSkinScrollbarH::~TSkinScrollbarH() = default;

void TSkinScrollbarH::InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form,
                                       TCanvas* canvas) {
    if (m_initialized || !IsWindow(window))
        return;
    m_skinData = skinData;
    m_horizontal = std::make_unique<TWScrollbar>(nullptr);
    m_horizontal->AttachToWindow(this, window, sbmWindowHorizontal);
    m_vertical = std::make_unique<TWScrollbar>(nullptr);
    m_vertical->AttachToWindow(this, window, sbmWindowVertical);
    TSkinControl::InitSkinByHandle(window, skinData, form, canvas);
}

void TSkinScrollbarH::AfterMessage(TMessage& message) {
    if (!IsWindowVisible(m_window)) {
        // Overlays of a hidden window would float over whatever shows there now.
        if (m_horizontal)
            m_horizontal->HideOverlay();
        if (m_vertical)
            m_vertical->HideOverlay();
    }
    switch (message.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        if (m_horizontal && m_vertical) {
            m_horizontal->Place();
            m_vertical->Place();
            Repaint();
        }
        break;
    case WM_HSCROLL:
        if (m_horizontal)
            m_horizontal->SetHotPart(LOWORD(message.WParam));
        break;
    case WM_VSCROLL:
        if (m_vertical)
            m_vertical->SetHotPart(LOWORD(message.WParam));
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScrollbarH::DrawSkin(HDC dc, const RECT&) {
    InvalidateShown(m_horizontal.get());
    InvalidateShown(m_vertical.get());
    FillScrollCorner(dc, m_window, m_horizontal.get(), m_vertical.get(), BackgroundColour());
}

void TSkinScrollbarH::Unskin() {
    if (!m_active)
        return;
    TSkinControl::Unskin();
    if (m_lifecycle != slWindowDestroyed) {
        m_horizontal.reset();
        m_vertical.reset();
    }
}

// ---- the scroll bar control ----------------------------------------------------------------

const TClass& TSkinScControl::ClassInfo() {
    static const TClass info("TSkinScControl", &TSkinControl::ClassInfo());
    return info;
}

TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::InitScControl(TWinControl* control, TSkinData* skinData, SkinFormServices* form,
                                   TCanvas* canvas) {
    if (m_initialized || !control)
        return;
    m_skinData = skinData;
    m_form = form;
    m_canvas = canvas;
    m_control = control;
    m_window = control->Handle();
    m_unicode = IsWindowUnicode(m_window) != FALSE;
    if (m_form)
        m_form->AddSkinControl(this, control, m_window);
    m_overlay = std::make_unique<TWScrollbar>(nullptr);
    m_overlay->SetHint(control->Hint());
    m_overlay->SetShowHint(control->ShowHint());
    m_overlay->AttachToControl(this, control, sbmControl);
    if (!control->Visible())
        m_overlay->HideOverlay();
    InstallWindowProc(control);
    m_initialized = true;
    m_lifecycle = slSkinned;
}

void TSkinScControl::AfterMessage(TMessage& message) {
    if (!m_overlay) {
        TSkinControl::AfterMessage(message);
        return;
    }
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        m_overlay->Place();
        break;
    case WM_NCPAINT:
        m_overlay->RefreshScrolledWindow(m_window);
        m_overlay->Place();
        break;
    case SBM_SETSCROLLINFO:
    case CN_VSCROLL:
    case CN_HSCROLL:
        m_overlay->Invalidate();
        break;
    case CM_VISIBLECHANGED:
        if (message.WParam)
            m_overlay->Place();
        else
            m_overlay->HideOverlay();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScControl::DrawSkin(HDC, const RECT&) {
    if (m_overlay)
        m_overlay->Invalidate();
}

void TSkinScControl::Unskin() {
    if (!m_active)
        return;
    TSkinControl::Unskin();
    if (m_lifecycle != slWindowDestroyed)
        m_overlay.reset();
}
