#include "skin/controls/SkinDateTime.h"

#include "framework/controls/Messages.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"

namespace {

// The arrow button keeps this far inside the picker's edges (its 2-pixel sunken border).
constexpr int PickerInset = 4;

void FrameWith(HDC dc, const RECT& rect, TColor colour) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

// ---- arrow button -------------------------------------------------------------------------

const TClass& TArrowButton::ClassInfo() {
    static const TClass info("TArrowButton", &TCustomControl::ClassInfo());
    return info;
}

TArrowButton::TArrowButton(TSkinDateTime* skin, TWinControl* picker)
    : TCustomControl(skin), m_skin(skin), m_picker(picker), m_arrowWidth(GetSystemMetrics(SM_CXHSCROLL)) {
    SetTabStop(false);
}

void TArrowButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (m_picker->Enabled() || message.Msg == CM_MOUSELEAVE) {
            m_hot = message.Msg == CM_MOUSEENTER;
            Invalidate();
        }
        break;
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

void TArrowButton::Paint() {
    const TRect client = ClientRect();
    HDC dc = Canvas()->Handle();
    TSkinData* skinData = m_skin->SkinData();
    if (!skinData)
        return;
    const TSkinElements& skin = skinData->Elements();
    FillColor(dc, client, SkinBackgroundColour(skin));
    const TDataSkinObject* face = skin.ComboArrow.get();
    if (!face || face->Image->Empty())
        return;
    TSkinFrameStyle stretched;
    stretched.transparent = true;
    DrawSkinFrame(dc, client, *face->Image, Frame(), face->FrameCount, false, stretched);
}

void TArrowButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    // The picker's own button lies below: the press goes there, and the picker drops its
    // calendar down.
    POINT at{x, y};
    MapWindowPoints(Handle(), m_picker->Handle(), &at, 1);
    PostMessageW(m_picker->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(m_picker->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Invalidate();
}

void TArrowButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (m_picker->CanFocus())
        m_picker->SetFocus();
}

// ---- picker -------------------------------------------------------------------------------

const TClass& TSkinDateTime::ClassInfo() {
    static const TClass info("TSkinDateTime", &TSkinControl::ClassInfo());
    return info;
}

TSkinDateTime::~TSkinDateTime() = default;

void TSkinDateTime::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    if (m_initialized)
        return;
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    auto* picker = dynamic_cast<TWinControl*>(m_control);
    if (!picker)
        return;
    SetWindowLongPtrW(m_window, GWL_STYLE, GetWindowLongPtrW(m_window, GWL_STYLE) | WS_CLIPCHILDREN);
    m_arrow = new TArrowButton(this, picker);
    m_arrow->SetParent(picker);
    PlaceArrowButton();
}

void TSkinDateTime::PlaceArrowButton() {
    if (!m_arrow || !m_control)
        return;
    const int width = GetSystemMetrics(SM_CXHSCROLL);
    const bool left = (WindowLong(GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int x = left ? 2 : m_control->Width() - width - PickerInset;
    m_arrow->SetBounds(x, 0, width, m_control->Height() - PickerInset);
}

void TSkinDateTime::Unskin() {
    TSkinControl::Unskin();
    if (m_arrow && m_lifecycle != slWindowDestroyed) {
        delete m_arrow;
        m_arrow = nullptr;
    }
}

void TSkinDateTime::AfterMessage(TMessage& message) {
    if (message.Msg == WM_SIZE && m_arrow) {
        PlaceArrowButton();
        m_arrow->Invalidate();
        return;
    }
    TSkinControl::AfterMessage(message);
}

void TSkinDateTime::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    PlaceArrowButton();
    RECT client{};
    GetClientRect(m_window, &client);
    if (client.right >= rect.right - rect.left && client.bottom >= rect.bottom - rect.top)
        return;
    FrameWith(dc, rect, SkinBorderColour(m_skinData->Elements()));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameWith(dc, inner, 0xFFFFFF);
}
