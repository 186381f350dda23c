#include "skin/controls/SkinContainers.h"

#include "framework/classes/TypInfo.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Font.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/controls/SkinProperties.h"
#include "skin/data/SkinElementSet.h"

#include <vector>

namespace {

// The caption keeps this far from the box's side.
constexpr int CaptionIndent = 8;
constexpr int CornerSize = 5;

} // namespace

// ---- group box ----------------------------------------------------------------------------

const TClass& TSkinGroupBox::ClassInfo() {
    static const TClass info("TSkinGroupBox", &TSkinControl::ClassInfo());
    return info;
}

void TSkinGroupBox::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    if (m_control)
        m_kind = 1;
}

bool TSkinGroupBox::BeforeMessage(TMessage& message) {
    if (m_kind == 1 && message.Msg == WM_PAINT) {
        PaintWhole(message);
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

std::u16string TSkinGroupBox::Caption() const {
    const int length = GetWindowTextLengthW(m_window);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(m_window, reinterpret_cast<LPWSTR>(text.data()), length + 1)));
    if (text.empty() && m_control)
        text = GetWideStrProp(m_control, "Caption");
    return text;
}

void TSkinGroupBox::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    const TSkinElements& skin = m_skinData->Elements();
    const TColor background = BackgroundColour();
    if (m_control)
        FillColor(dc, rect, background);
    HFONT font = m_control ? m_control->Font()->Handle()
                           : reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const TColor textColour = m_control ? m_control->Font()->Color() : clBtnText;
    SIZE zero{};
    GetTextExtentPoint32A(dc, "0", 1, &zero);
    const int y = zero.cy / 2 - 1;

    if (!m_control) {
        // The system's frame goes under two rings of the background.
        HBRUSH erase = CreateSolidBrush(ColorToRGB(background));
        RECT ring{rect.left, rect.top + y, rect.right, rect.bottom};
        FrameRect(dc, &ring, erase);
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, erase);
        DeleteObject(erase);
    }
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(SkinBorderColour(skin)));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left + 1, rect.top + y, rect.right - 1, rect.bottom - 1, CornerSize, CornerSize);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);

    const std::u16string caption = Caption();
    if (!caption.empty()) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToRGB(background));
        SetTextColor(dc, ColorToRGB(SkinnedSystemColour(skin, textColour)));
        const bool right = (WindowLong(GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
        RECT place{rect.left + CaptionIndent, rect.top, rect.right - CaptionIndent, rect.bottom};
        RECT measured = place;
        DrawCaption(dc, caption, measured, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
        if (right)
            place.left = place.right - (measured.right - measured.left);
        else
            place.right = place.left + (measured.right - measured.left);
        place.bottom = place.top + (measured.bottom - measured.top);
        DrawCaption(dc, caption, place, DT_EXPANDTABS | DT_SINGLELINE | (right ? DT_RIGHT : 0));
    }
    if (oldFont)
        SelectObject(dc, oldFont);
    // The skin took the box's own paint, which would have drawn them.
    if (m_kind == 1)
        PaintGraphicChildren(dc);
}

// ---- panels -------------------------------------------------------------------------------

const TClass& TSkinBox::ClassInfo() {
    static const TClass info("TSkinBox", &TSkinControl::ClassInfo());
    return info;
}

void TSkinBox::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    if (m_initialized)
        return;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control)
        return;
    m_skinData = skinData;
    m_form = form;
    m_canvas = canvas;
    m_control = control;
    m_recolor = recolor;
    m_window = control->HandleAllocated() ? control->Handle() : nullptr;
    if (m_form)
        m_form->AddSkinControl(this, control, m_window);
    if (recolor) {
        if (!HasOption(xoParentBackGround) && skin_properties::Is(control, "ParentBackground", "true")) {
            SetPropValue(control, "ParentBackground", "False");
            m_switchedParentBackground = true;
        }
        m_savedColour = control->Color();
        m_hadParentColor = control->ParentColor();
        control->SetColor(BackgroundColour());
        FollowSkinTextColour();
    }
    m_initialized = true;
    m_lifecycle = slSkinned;
}

void TSkinBox::FollowSkinTextColour() {
    TFont* font = m_control->Font();
    const TColor wanted = TextColourOnSkin(m_skinData->Elements(), font->Color(), BackgroundColour());
    if (wanted == font->Color())
        return;
    m_savedTextColour = font->Color();
    m_hadParentFont = m_control->ParentFont();
    m_givenTextColour = wanted;
    m_tookTextColour = true;
    font->SetColor(wanted);
}

void TSkinBox::GiveTextColourBack() {
    if (!m_tookTextColour)
        return;
    m_tookTextColour = false;
    // A colour the program set meanwhile is its own.
    if (m_control->Font()->Color() != m_givenTextColour)
        return;
    m_control->Font()->SetColor(m_savedTextColour);
    if (m_hadParentFont)
        m_control->SetParentFont(true);
}

void TSkinBox::SkinChanged() {
    if (m_recolor && m_control && m_lifecycle != slWindowDestroyed) {
        GiveTextColourBack();
        m_control->SetColor(BackgroundColour());
        FollowSkinTextColour();
    }
    Repaint();
}

void TSkinBox::Unskin() {
    if (!m_active)
        return;
    m_active = false;
    if (!m_recolor || !m_control || m_lifecycle == slWindowDestroyed)
        return;
    if (m_switchedParentBackground)
        SetPropValue(m_control, "ParentBackground", "True");
    m_switchedParentBackground = false;
    GiveTextColourBack();
    m_control->SetColor(m_savedColour);
    if (m_hadParentColor)
        m_control->SetParentColor(true);
}

const TClass& TSkinBoxH::ClassInfo() {
    static const TClass info("TSkinBoxH", &TSkinControl::ClassInfo());
    return info;
}

bool TSkinBoxH::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        RECT window{};
        GetWindowRect(m_window, &window);
        OffsetRect(&window, -window.left, -window.top);
        FillColor(reinterpret_cast<HDC>(message.WParam), window, BackgroundColour());
        message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallDefault(message);
        if (m_skinData)
            message.Result = reinterpret_cast<LRESULT>(m_skinData->Elements().FaceBrush.Get());
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

const TClass& TSkinSizer::ClassInfo() {
    static const TClass info("TSkinSizer", &TSkinControl::ClassInfo());
    return info;
}

void TSkinSizer::DrawSkin(HDC dc, const RECT& rect) {
    if (m_skinData)
        FillColor(dc, rect, BackgroundColour());
}
