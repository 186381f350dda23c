#include "framework/stdctrls/Panels.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/ControlProperties.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

namespace {

// Draws `width` rings inside the rectangle, the top and left sides in one colour and the
// bottom and right sides in the other, and leaves the rectangle inside them.
void DrawBevel(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
        canvas.Brush()->SetColor(topLeft);
        canvas.FillRect(TRect{rect.left, rect.top, rect.right, rect.top + 1});
        canvas.FillRect(TRect{rect.left, rect.top, rect.left + 1, rect.bottom});
        canvas.Brush()->SetColor(bottomRight);
        canvas.FillRect(TRect{rect.left, rect.bottom - 1, rect.right, rect.bottom});
        canvas.FillRect(TRect{rect.right - 1, rect.top, rect.right, rect.bottom});
        InflateRect(&rect, -1, -1);
    }
}

void DrawPanelBevel(TCanvas& canvas, TRect& rect, TPanelBevel bevel, TColor face, int width) {
    switch (bevel) {
    case bvLowered:
        DrawBevel(canvas, rect, clBtnShadow, clBtnHighlight, width);
        break;
    case bvRaised:
        DrawBevel(canvas, rect, clBtnHighlight, clBtnShadow, width);
        break;
    case bvSpace:
        DrawBevel(canvas, rect, face, face, width);
        break;
    case bvNone:
        break;
    }
}

} // namespace

const TEnumInfo& PanelBevelIdents() {
    static const TEnumInfo idents{{"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
    return idents;
}

const TClass& TCustomPanel::ClassInfo() {
    static const TClass info(
        "TCustomPanel", &TCustomControl::ClassInfo(),
        CommonControlProperties({
            EnumProperty("Alignment", AlignmentIdents(), &TCustomPanel::Alignment,
                         &TCustomPanel::SetAlignment),
            EnumProperty("BevelInner", PanelBevelIdents(), &TCustomPanel::BevelInner,
                         &TCustomPanel::SetBevelInner),
            EnumProperty("BevelOuter", PanelBevelIdents(), &TCustomPanel::BevelOuter,
                         &TCustomPanel::SetBevelOuter),
            OrdProperty("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
            EnumProperty("BorderStyle", BorderStyleIdents(), &TCustomPanel::BorderStyle,
                         &TCustomPanel::SetBorderStyle),
            OrdProperty("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth),
            StrProperty("Caption", &TControl::Caption, &TControl::SetCaption),
            MethodProperty("OnDblClick", &TControl::OnDblClick),
        }));
    return info;
}

const TClass& TPanel::ClassInfo() {
    static const TClass info("TPanel", &TCustomPanel::ClassInfo());
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    m_controlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,  csSetCaption,
                                   csOpaque,          csDoubleClicks, csReplicatable, csParentBackground};
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (m_borderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    if (UseRightToLeftReading())
        params.ExStyle |= WS_EX_RTLREADING;
}

int TCustomPanel::FrameWidth() const {
    int width = m_borderWidth;
    if (m_bevelOuter != bvNone)
        width += m_bevelWidth;
    if (m_bevelInner != bvNone)
        width += m_bevelWidth;
    return width;
}

void TCustomPanel::AlignControls(TControl* control, TRect& rect) {
    const int inset = FrameWidth();
    InflateRect(&rect, -inset, -inset);
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    TCustomControl::AlignControls(control, rect);
}

void TCustomPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect rect = ClientRect();
    const TColor face = ParentBackground() && Parent() ? Parent()->Color() : Color();
    DrawPanelBevel(canvas, rect, m_bevelOuter, face, m_bevelWidth);
    DrawBevel(canvas, rect, face, face, m_borderWidth);
    DrawPanelBevel(canvas, rect, m_bevelInner, face, m_bevelWidth);
    canvas.Brush()->SetColor(face);
    UINT format = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
    switch (m_alignment) {
    case taLeftJustify:
        format |= UseRightToLeftReading() ? DT_RIGHT : DT_LEFT;
        break;
    case taRightJustify:
        format |= UseRightToLeftReading() ? DT_LEFT : DT_RIGHT;
        break;
    case taCenter:
        format |= DT_CENTER;
        break;
    }
    if (UseRightToLeftReading())
        format |= DT_RTLREADING;
    canvas.TextRect(rect, Caption(), format);
}

void TCustomPanel::Changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel bevel) {
    if (bevel == m_bevelInner)
        return;
    m_bevelInner = bevel;
    Changed();
}

void TCustomPanel::SetBevelOuter(TPanelBevel bevel) {
    if (bevel == m_bevelOuter)
        return;
    m_bevelOuter = bevel;
    Changed();
}

void TCustomPanel::SetBevelWidth(int width) {
    width = std::max(width, 1);
    if (width == m_bevelWidth)
        return;
    m_bevelWidth = width;
    Changed();
}

void TCustomPanel::SetBorderWidth(int width) {
    width = std::max(width, 0);
    if (width == m_borderWidth)
        return;
    m_borderWidth = width;
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
}

void TCustomPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // Paint covers every pixel.
        message.Result = 1;
        break;
    case CM_TEXTCHANGED:
    case CM_PARENTCOLORCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        break;
    default:
        TCustomControl::Dispatch(message);
        break;
    }
}
