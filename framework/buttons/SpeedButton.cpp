#include "framework/buttons/SpeedButton.h"

#include "framework/buttons/ButtonFace.h"
#include "framework/classes/PropertyTable.h"
#include "framework/controls/Accel.h"
#include "framework/controls/ControlProperties.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"

const TClass& TSpeedButton::ClassInfo() {
    static const TClass info(
        "TSpeedButton", &TGraphicControl::ClassInfo(),
        AppearanceProperties({
            EnumProperty("AllowAllUp", BooleanIdents(), &TSpeedButton::AllowAllUp,
                         &TSpeedButton::SetAllowAllUp),
            StrProperty("Caption", &TControl::Caption, &TControl::SetCaption),
            OrdProperty("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
            EnumProperty("Down", BooleanIdents(), &TSpeedButton::Down, &TSpeedButton::SetDown),
            EnumProperty("Flat", BooleanIdents(), &TSpeedButton::Flat, &TSpeedButton::SetFlat),
            ObjProperty("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph),
            EnumProperty("Layout", ButtonLayoutIdents(), &TSpeedButton::Layout, &TSpeedButton::SetLayout),
            OrdProperty("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin),
            OrdProperty("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs),
            OrdProperty("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing),
            EnumProperty("Transparent", BooleanIdents(), &TSpeedButton::Transparent,
                         &TSpeedButton::SetTransparent),
            MethodProperty("OnDblClick", &TControl::OnDblClick),
        }));
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    // The click comes from the release over the button (MouseUp), or from the mnemonic.
    m_controlStyle.Exclude(csClickEvents);
    SetBounds(0, 0, 23, 22);
    m_glyph.OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() {
    m_glyph.OnChange = nullptr;
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
    if (layout == m_layout)
        return;
    m_layout = layout;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
    if (margin == m_margin || margin < -1)
        return;
    m_margin = margin;
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    if (spacing == m_spacing || spacing < -1)
        return;
    m_spacing = spacing;
    Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
    if (flat == m_flat)
        return;
    m_flat = flat;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool transparent) {
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
    if (index == m_groupIndex)
        return;
    m_groupIndex = index;
    if (index == 0 && m_down) {
        m_down = false;
        Invalidate();
    }
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool down) {
    if (m_groupIndex == 0)
        down = false;
    if (down == m_down || (m_down && !m_allowAllUp))
        return;
    m_down = down;
    Invalidate();
    if (down)
        UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool allowAllUp) {
    if (allowAllUp == m_allowAllUp)
        return;
    m_allowAllUp = allowAllUp;
    UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    if (m_groupIndex == 0 || !Parent())
        return;
    TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(m_groupIndex),
                     reinterpret_cast<LPARAM>(static_cast<TControl*>(this)), 0};
    Parent()->Broadcast(message);
}

void TSpeedButton::CMButtonPressed(TMessage& message) {
    auto* sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TControl*>(message.LParam));
    if (!sender || sender == this || static_cast<int>(message.WParam) != m_groupIndex)
        return;
    if (sender->Down() && m_down) {
        m_down = false;
        Invalidate();
    }
    m_allowAllUp = sender->AllowAllUp();
}

TButtonState TSpeedButton::State() const {
    if (!Enabled())
        return bsDisabled;
    if (m_down)
        return bsExclusive;
    return m_dragging && m_pressed ? bsDown : bsUp;
}

void TSpeedButton::Paint() {
    TCanvas& canvas = *Canvas();
    HDC dc = canvas.Handle();
    const TButtonState state = State();
    const bool pushed = state == bsDown || state == bsExclusive;
    TRect face = ClientRect();
    TRect inner = face;
    if (m_flat) {
        if (!m_transparent) {
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(face);
        }
        InflateRect(&inner, -1, -1);
        if (state == bsExclusive)
            FillDithered(canvas, inner);
        if (pushed)
            DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT);
        else if (m_mouseInControl && state != bsDisabled)
            DrawEdge(dc, &face, BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        InflateRect(&inner, -2, -2);
        if (state == bsExclusive)
            FillDithered(canvas, inner);
    }
    m_glyph.Draw(canvas, inner, pushed ? Point(1, 1) : Point(0, 0), Caption(), m_layout, m_margin, m_spacing,
                 state, UseRightToLeftReading() ? DT_RTLREADING : 0);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    m_dragging = true;
    m_pressed = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!m_dragging)
        return;
    const TRect client = ClientRect();
    const bool inside = PtInRect(&client, Point(x, y)) != FALSE;
    if (inside != m_pressed) {
        m_pressed = inside;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !m_dragging)
        return;
    m_dragging = false;
    const TRect client = ClientRect();
    const bool inside = PtInRect(&client, Point(x, y)) != FALSE;
    m_pressed = false;
    Invalidate();
    if (inside)
        Press();
}

void TSpeedButton::Press() {
    if (m_groupIndex != 0)
        SetDown(!m_down);
    Click();
}

void TSpeedButton::CMDialogChar(TMessage& message) {
    if (IsAccel(message.WParam, Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Press();
        message.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(message);
}

void TSpeedButton::CMMouseEnter(TMessage& message) {
    m_mouseInControl = true;
    if (m_flat && Enabled())
        Invalidate();
    TGraphicControl::Dispatch(message);
}

void TSpeedButton::CMMouseLeave(TMessage& message) {
    m_mouseInControl = false;
    if (m_flat && Enabled())
        Invalidate();
    TGraphicControl::Dispatch(message);
}

void TSpeedButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_BUTTONPRESSED:
        CMButtonPressed(message);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        break;
    default:
        TGraphicControl::Dispatch(message);
        break;
    }
}
