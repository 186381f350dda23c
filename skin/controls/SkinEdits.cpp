#include "skin/controls/SkinEdits.h"

#include "core/TextUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinDataHelpers.h"

#include <algorithm>
#include <string>

namespace {

constexpr int NormalState = 1;
constexpr int PressedState = 2;
constexpr int DisabledState = 3;
constexpr int HotState = 4;

// A spin strip holds the four states of the first button, then those of the second.
constexpr int SpinFrames = 8;
constexpr int StatesPerButton = 4;

// An up-down inside an edit keeps this far inside the edit's top, bottom and right edges.
constexpr int EmbeddedInset = 3;

const TColor White = 0xFFFFFF;

bool IsSpinClass(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    const std::string lower = LowerCase(name);
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
           lower.find("updown") != std::string::npos;
}

void FrameWith(HDC dc, const RECT& rect, TColor colour) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

// ---- up-down ------------------------------------------------------------------------------

const TClass& TSkinUpDown::ClassInfo() {
    static const TClass info("TSkinUpDown", &TSkinControl::ClassInfo());
    return info;
}

bool TSkinUpDown::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintWhole(message);
        return false;
    case WM_ERASEBKGND:
        if (!m_control) {
            RECT client{};
            GetClientRect(m_window, &client);
            FillColor(reinterpret_cast<HDC>(message.WParam), client, White);
        }
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(message);
        SetStateFlag(SkinStatePressed, true);
        PaintSkin(nullptr);
        return false;
    case WM_LBUTTONUP:
        SetStateFlag(SkinStatePressed, false);
        CallDefault(message);
        PaintSkin(nullptr);
        return false;
    case WM_MOUSEMOVE: {
        CallDefault(message);
        const int button = ButtonUnderCursor();
        if (!Hot() || button != m_hotButton) {
            SetStateFlag(SkinStateHot, true);
            m_hotButton = button;
            PaintSkin(nullptr);
        }
        TrackMouseLeave(m_window);
        return false;
    }
    case WM_MOUSELEAVE:
        SetStateFlag(SkinStateHot, false);
        m_hotButton = -1;
        PaintSkin(nullptr);
        return true;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

bool TSkinUpDown::Horizontal() const {
    return m_horizontal || (WindowLong(GWL_STYLE) & UDS_HORZ) != 0;
}

int TSkinUpDown::ButtonUnderCursor() const {
    POINT cursor{};
    RECT client{};
    if (!GetCursorPos(&cursor) || !ScreenToClient(m_window, &cursor) || !GetClientRect(m_window, &client) ||
        !PtInRect(&client, cursor))
        return -1;
    if (Horizontal())
        return cursor.x < client.right / 2 ? 0 : 1;
    return cursor.y < client.bottom / 2 ? 0 : 1;
}

int TSkinUpDown::ButtonState(int button) const {
    if (!IsWindowEnabled(m_window))
        return DisabledState;
    if (button != ButtonUnderCursor())
        return NormalState;
    return Pressed() ? PressedState : Hot() ? HotState : NormalState;
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    RECT area = rect;
    if (m_embedded) {
        RECT client{};
        GetClientRect(m_window, &client);
        FillColor(dc, client, White);
        RECT edit{};
        RECT own{};
        if (GetWindowRect(GetParent(m_window), &edit) && GetWindowRect(m_window, &own)) {
            area.top = std::max(area.top, edit.top + EmbeddedInset - own.top);
            area.bottom = std::min(area.bottom, edit.bottom - EmbeddedInset - own.top);
            area.right = std::min(area.right, edit.right - EmbeddedInset - own.left);
        }
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(width, height);
    HDC pictureDc = picture.Canvas()->Handle();
    FillColor(pictureDc, RECT{0, 0, width, height}, BackgroundColour());
    const bool sideBySide = Horizontal();
    const RECT halves[2] = {sideBySide ? RECT{0, 0, width / 2, height} : RECT{0, 0, width, height / 2},
                            sideBySide ? RECT{width / 2, 0, width, height}
                                       : RECT{0, height / 2, width, height}};
    for (int button = 0; button < 2; ++button)
        DrawButton(pictureDc, halves[button], button, ButtonState(button));
    BitBlt(dc, area.left, area.top, width, height, pictureDc, 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawButton(HDC dc, const RECT& half, int button, int state) const {
    const TSkinElements& skin = m_skinData->Elements();
    const TDataSkinBorder* spin = Horizontal() ? skin.UpDownHorz.get() : skin.UpDownVert.get();
    if (!spin || spin->Image->Empty()) {
        DrawPlainButton(dc, half, button, state);
        return;
    }
    const int frame = state + StatesPerButton * button;
    TSkinFrameStyle style;
    style.margins = {spin->LeftWidth, spin->TopHeight, spin->RightWidth, spin->BottomHeight};
    style.transparent = true;
    DrawSkinFrame(dc, half, *spin->Image, frame, SpinFrames, false, style);
    if (spin->ExtraImage->Empty())
        return;
    const RECT glyph =
        SkinFrameRect(spin->ExtraImage->Width(), spin->ExtraImage->Height(), frame, SpinFrames, false);
    const int glyphWidth = glyph.right - glyph.left;
    const int glyphHeight = glyph.bottom - glyph.top;
    const int left = half.left + (half.right - half.left - glyphWidth) / 2;
    const int top = half.top + (half.bottom - half.top - glyphHeight) / 2;
    DrawKeyed(dc, RECT{left, top, left + glyphWidth, top + glyphHeight}, *spin->ExtraImage, clFuchsia,
              glyph.left, glyph.top);
}

void TSkinUpDown::DrawPlainButton(HDC dc, const RECT& half, int button, int state) const {
    const TSkinElements& skin = m_skinData->Elements();
    const bool lit = state == PressedState || state == HotState;
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(SkinnedSystemColour(skin, clBtnShadow)));
    HBRUSH fill = CreateSolidBrush(ColorToRGB(lit ? SkinBorderColour(skin) : BackgroundColour()));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    Rectangle(dc, half.left, half.top, half.right, half.bottom);
    // A small triangle pointing the button's way: up, down, left or right.
    const int cx = (half.left + half.right) / 2;
    const int cy = (half.top + half.bottom) / 2;
    POINT arrow[3];
    if (Horizontal()) {
        const int tip = button == 0 ? -2 : 2;
        arrow[0] = {cx + tip, cy};
        arrow[1] = {cx - tip, cy - 2};
        arrow[2] = {cx - tip, cy + 2};
    } else {
        const int y = cy - 2 + (button == 0 ? 1 : 3);
        const int tip = button == 0 ? -2 : 2;
        arrow[0] = {cx, y + tip};
        arrow[1] = {cx - 2, y};
        arrow[2] = {cx + 2, y};
    }
    const TColor glyph = state == DisabledState ? SkinnedSystemColour(skin, clBtnShadow)
                                                : SkinnedSystemColour(skin, clBtnText);
    HPEN glyphPen = CreatePen(PS_SOLID, 1, ColorToRGB(glyph));
    HBRUSH glyphBrush = CreateSolidBrush(ColorToRGB(glyph));
    SelectObject(dc, glyphPen);
    SelectObject(dc, glyphBrush);
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(glyphPen);
    DeleteObject(glyphBrush);
    DeleteObject(pen);
    DeleteObject(fill);
}

// ---- edit ---------------------------------------------------------------------------------

const TClass& TSkinEdit::ClassInfo() {
    static const TClass info("TSkinEdit", &TSkinControl::ClassInfo());
    return info;
}

void TSkinEdit::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_NCPAINT:
        // The system's frame is drawn again: the skin's goes back over it.
        PaintSkin(nullptr);
        break;
    case WM_PRINT: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        HDC target = dc ? dc : GetWindowDC(m_window);
        DrawPrintFrame(target);
        if (!dc)
            ReleaseDC(m_window, target);
        break;
    }
    case SM_PAINTCLIENT:
        if (message.LParam == SkinMagic) {
            TMessage paint{WM_PAINT, message.WParam, 0, 0};
            CallDefault(paint);
            message.Result = SkinMagic;
            break;
        }
        TSkinControl::AfterMessage(message);
        break;
    default:
        TSkinControl::AfterMessage(message);
    }
}

bool TSkinEdit::HasBorder(int margin) const {
    RECT client{};
    RECT outer{};
    if (!GetClientRect(m_window, &client) || !GetWindowRect(m_window, &outer))
        return false;
    return (outer.right - outer.left) - client.right > margin &&
           (outer.bottom - outer.top) - client.bottom > margin;
}

void TSkinEdit::SkinSpinChild() {
    for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClass(child))
            continue;
        // A component of this skin: it goes with it, or leaves it when the form frees it first.
        auto* spin = new TSkinUpDown(this);
        spin->SetEmbedded(true);
        spin->InitSkinByHandle(child, m_skinData, m_form, m_canvas);
        m_spinWindow = child;
        return;
    }
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    if (!m_spinWindow && m_skinData->SkinControls().Contains(xcSpin))
        SkinSpinChild();
    if (!HasBorder(0))
        return;
    const TSkinElements& skin = m_skinData->Elements();
    FrameWith(dc, rect, SkinBorderColour(skin));
    RECT inner = rect;
    for (int i = 0; i < 2; ++i) {
        InflateRect(&inner, -1, -1);
        FrameWith(dc, inner, White);
    }
}

void TSkinEdit::DrawPrintFrame(HDC dc) {
    if (!dc || !m_skinData || !HasBorder(2))
        return;
    RECT outer{};
    GetWindowRect(m_window, &outer);
    OffsetRect(&outer, -outer.left, -outer.top);
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameWith(dc, outer, SkinBorderColour(m_skinData->Elements()));
}
