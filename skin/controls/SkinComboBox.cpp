#include "skin/controls/SkinComboBox.h"

#include "framework/controls/Messages.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/ComboxScrollBar.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/WinSkinDataHelpers.h"
#include "skin/forms/WindowThunk.h"

#include <string_view>

namespace {

constexpr int NormalState = 1;
constexpr int PressedState = 2;
constexpr int DisabledState = 3;
constexpr int HotState = 4;

// The combo box styles' low bits: 1 simple, 2 drop-down, 3 drop-down list.
constexpr DWORD SimpleBit = CBS_SIMPLE;
constexpr DWORD DropDownBit = CBS_DROPDOWN;

// The parent a simple combo box's list has when it is not the combo box's own list.
const HWND ForeignListParent = reinterpret_cast<HWND>(0x10014);

TSkinFrameStyle StyleOf(const TDataSkinObject& element, bool transparent, bool tile) {
    TSkinFrameStyle style;
    style.margins = {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
    style.tileCentre = tile && element.Tile == 1;
    style.transparent = transparent;
    return style;
}

// One pixel of `outer` at the rectangle's edge and one of `inner` just inside it.
void FrameTwice(HDC dc, RECT rect, COLORREF outer, COLORREF inner) {
    for (COLORREF colour : {outer, inner}) {
        HBRUSH brush = CreateSolidBrush(colour);
        FrameRect(dc, &rect, brush);
        DeleteObject(brush);
        InflateRect(&rect, -1, -1);
    }
}

// Where the client area's origin lies in the window's own coordinates.
POINT ClientOrigin(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - outer.left, origin.y - outer.top};
}

} // namespace

bool IsExtendedComboBoxWindow(HWND window) {
    if (!window)
        return false;
    // The class name as it was registered, whatever case the window was made with.
    char name[32] = {};
    if (GetClassNameA(window, name, sizeof name) > 0 && std::string_view(name) == WC_COMBOBOXEXA)
        return true;
    // A framework control made on the class registers a class of its own name: it is known by
    // its inner combo box, the first child, which it names when asked.
    HWND inner = GetWindow(window, GW_CHILD);
    if (!inner || GetClassNameA(inner, name, sizeof name) <= 0 || std::string_view(name) != "ComboBox")
        return false;
    return reinterpret_cast<HWND>(SendMessageW(window, CBEM_GETCOMBOCONTROL, 0, 0)) == inner;
}

const TClass& TSkinComBox::ClassInfo() {
    static const TClass info("TSkinComBox", &TSkinControl::ClassInfo());
    return info;
}

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) {
    m_info.cbSize = sizeof m_info;
}

TSkinComBox::~TSkinComBox() {
    // The inner edit gets its procedure back before this object goes.
    m_inner.reset();
}

bool TSkinComBox::ReadInfo() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(m_window, &info))
        return false;
    m_info = info;
    m_buttonRect = info.rcButton;
    return true;
}

void TSkinComBox::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    if (m_initialized)
        return;
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    SkinParts(true);
}

void TSkinComBox::InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form,
                                   TCanvas* canvas) {
    if (m_initialized)
        return;
    TSkinControl::InitSkinByHandle(window, skinData, form, canvas);
    SkinParts(false);
}

void TSkinComBox::SkinParts(bool withLists) {
    if (!m_window)
        return;
    m_style = static_cast<DWORD>(WindowLong(GWL_STYLE));
    const bool simple = (m_style & SimpleBit) && !(m_style & DropDownBit);
    ReadInfo();
    if (withLists && m_info.hwndList) {
        if (!simple) {
            auto* listSkin = new TComboxScrollBar(this);
            listSkin->InitSkinByHandle(m_info.hwndList, m_skinData, m_form, m_canvas);
        } else {
            const LONG_PTR listStyle = GetWindowLongPtrW(m_info.hwndList, GWL_STYLE);
            if ((listStyle & WS_CHILD) && !(listStyle & WS_POPUP) &&
                GetParent(m_info.hwndList) != ForeignListParent) {
                auto* listSkin = new TSkinScrollbarH(this);
                listSkin->InitSkinByHandle(m_info.hwndList, m_skinData, m_form, m_canvas);
            }
        }
    }
    if (simple)
        return;
    // The inner edit: whenever it paints or is pressed, the frame and button follow.
    m_innerWindow = GetWindow(m_window, GW_CHILD);
    if (!m_innerWindow)
        return;
    m_inner =
        std::make_unique<TWindowSubclass>([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            return InnerProcedure(window, message, wParam, lParam);
        });
    if (!m_inner->Attach(m_innerWindow)) {
        m_inner.reset();
        m_innerWindow = nullptr;
    }
}

LRESULT TSkinComBox::InnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = m_inner->CallPrevious(window, message, wParam, lParam);
    if (!m_active)
        return result;
    switch (message) {
    case WM_PAINT:
        PaintSkin(nullptr);
        break;
    case WM_MOUSEMOVE:
        // An extended combo box's mouse goes to its inner combo box, which covers it.
        if (m_extended) {
            POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            MapWindowPoints(window, m_window, &point, 1);
            TrackHot(point, window);
        }
        break;
    case WM_MOUSELEAVE:
        if (m_extended && Hot()) {
            SetStateFlag(SkinStateHot, false);
            Repaint();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetStateFlag(SkinStatePressed, true);
        Repaint();
        break;
    case WM_LBUTTONUP:
        SetStateFlag(SkinStatePressed, false);
        Repaint();
        break;
    default:
        break;
    }
    return result;
}

void TSkinComBox::Unskin() {
    TSkinControl::Unskin();
    m_inner.reset();
    m_innerWindow = nullptr;
    if (!m_form || !m_info.hwndList)
        return;
    TSkinControl* listSkin = m_form->FindSkinControlByWindow(m_info.hwndList);
    if (listSkin && listSkin->Owner() == this) {
        listSkin->Unskin();
        delete listSkin;
    }
}

void TSkinComBox::TrackHot(POINT point, HWND tracked) {
    const bool over = PtInRect(&m_buttonRect, point) && IsWindowEnabled(m_window);
    if (over != Hot()) {
        SetStateFlag(SkinStateHot, over);
        Repaint();
    }
    if (over)
        TrackMouseLeave(tracked);
}

void TSkinComBox::TrackDropDown(WORD notification) {
    if (notification == CBN_DROPDOWN) {
        m_dropped = true;
    } else if (notification == CBN_CLOSEUP) {
        // The release may have gone to the list while it was open.
        m_dropped = false;
        SetStateFlag(SkinStatePressed, false);
        Repaint();
    }
}

void TSkinComBox::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        break;
    case WM_MOUSEMOVE:
        TrackHot(
            POINT{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))},
            m_window);
        break;
    case WM_DRAWITEM:
        // An extended combo box's inner combo box asks it to draw every item while it paints,
        // and already brings the skin back after painting: a repaint here would never end.
        if (!m_extended)
            Repaint();
        break;
    case WM_NCPAINT:
        Repaint();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetStateFlag(SkinStatePressed, true);
        Repaint();
        break;
    case WM_LBUTTONUP:
        SetStateFlag(SkinStatePressed, false);
        Repaint();
        break;
    case CM_MOUSELEAVE:
    case WM_MOUSELEAVE:
        if (Hot()) {
            SetStateFlag(SkinStateHot, false);
            Repaint();
        }
        break;
    case CN_COMMAND:
        TrackDropDown(HIWORD(message.WParam));
        break;
    case WM_COMMAND:
        // An extended combo box hears its inner combo box directly; focus going to or from the
        // inner edit changes the button's face without the inner combo box repainting.
        if (m_extended && m_innerWindow && reinterpret_cast<HWND>(message.LParam) == m_innerWindow) {
            const WORD notification = HIWORD(message.WParam);
            if (notification == CBN_SETFOCUS || notification == CBN_KILLFOCUS)
                Repaint();
            else
                TrackDropDown(notification);
        } else {
            TSkinControl::AfterMessage(message);
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
    }
}

bool TSkinComBox::LeftScrollBar() const {
    return (WindowLong(GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

int TSkinComBox::ButtonState() const {
    if (!IsWindowEnabled(m_window))
        return DisabledState;
    if (Pressed())
        return PressedState;
    const HWND focus = GetFocus();
    // The inner edit, or an extended combo box's inner combo box and its edit, count as the box.
    const bool focused = focus && (focus == m_window || IsChild(m_window, focus));
    return focused || Hot() ? HotState : NormalState;
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    const TDataSkinBorder* combo = m_skinData->Elements().ComboButton.get();
    if (!combo || combo->Image->Empty())
        return;
    m_style = static_cast<DWORD>(WindowLong(GWL_STYLE));
    ReadInfo();
    if (m_info.stateButton & STATE_SYSTEM_INVISIBLE)
        return;
    const int state = ButtonState();
    if (m_extended) {
        DrawExtended(dc, rect, state);
        return;
    }
    switch (combo->Style) {
    case 1:
        DrawFlat(dc, rect, state);
        break;
    case 2:
        DrawComposed(dc, rect, state);
        break;
    default:
        DrawFramed(dc, rect, state);
        break;
    }
}

void TSkinComBox::DrawComposed(HDC dc, const RECT& rect, int state) {
    const TSkinElements& skin = m_skinData->Elements();
    // The composed image has its button at the right; the frame's mirrored copy at the left.
    const TDataSkinObject* image =
        LeftScrollBar() ? static_cast<const TDataSkinObject*>(skin.SunkEdge.get()) : skin.ComboButton.get();
    if (!image || image->Image->Empty())
        return;
    DrawSkinFrame(dc, rect, *image->Image, state, image->FrameCount, false, StyleOf(*image, true, false));
}

void TSkinComBox::DrawFramed(HDC dc, const RECT& rect, int state) {
    const TSkinElements& skin = m_skinData->Elements();
    const bool left = LeftScrollBar();
    const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int saved = SaveDC(dc);
    // The field keeps the combo box's own drawing.
    if (left)
        ExcludeClipRect(dc, rect.left + GetSystemMetrics(SM_CXHSCROLL) + 4, rect.top + 2, rect.right - 2,
                        rect.bottom - 2);
    else
        ExcludeClipRect(dc, rect.left + 2, rect.top + 2, rect.right - buttonWidth - 2, rect.bottom - 2);
    if (skin.SunkEdge && !skin.SunkEdge->Image->Empty())
        DrawSkinFrame(dc, rect, *skin.SunkEdge->Image, state, skin.SunkEdge->FrameCount, false,
                      StyleOf(*skin.SunkEdge, skin.SunkEdge->Trans != 0, true));
    const RECT button = left ? RECT{rect.left, rect.top, rect.left + buttonWidth, rect.bottom}
                             : RECT{rect.right - buttonWidth, rect.top, rect.right, rect.bottom};
    const TDataSkinBorder& combo = *skin.ComboButton;
    TBitmap& face = left && !combo.ExtraImage->Empty() ? *combo.ExtraImage : *combo.Image;
    TSkinFrameStyle stretched;
    stretched.transparent = true;
    DrawSkinFrame(dc, button, face, state, combo.FrameCount, false, stretched);
    const POINT origin = ClientOrigin(m_window);
    m_buttonRect = button;
    OffsetRect(&m_buttonRect, -origin.x, -origin.y);
    if (skin.ComboArrow && !skin.ComboArrow->Image->Empty()) {
        const TDataSkinObject& arrow = *skin.ComboArrow;
        const RECT frame =
            SkinFrameRect(arrow.Image->Width(), arrow.Image->Height(), state, arrow.FrameCount, false);
        const RECT glyphArea = left ? RECT{button.left + 2, button.top, button.right, button.bottom}
                                    : RECT{button.left, button.top, button.right - 2, button.bottom};
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        const int x = glyphArea.left + (glyphArea.right - glyphArea.left - width) / 2;
        const int y = glyphArea.top + (glyphArea.bottom - glyphArea.top - height) / 2;
        DrawKeyed(dc, RECT{x, y, x + width, y + height}, *arrow.Image, clFuchsia, frame.left, frame.top);
    }
    RestoreDC(dc, saved);
}

void TSkinComBox::DrawFlat(HDC dc, const RECT& rect, int state) {
    const TSkinElements& skin = m_skinData->Elements();
    const TDataSkinBorder& combo = *skin.ComboButton;
    const bool left = LeftScrollBar();
    HBRUSH own = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, own);
    const int stripWidth = GetSystemMetrics(SM_CYVTHUMB);
    InflateRect(&inner, -1, -1);
    const RECT strip = left ? RECT{inner.left, inner.top, inner.left + stripWidth, inner.bottom}
                            : RECT{inner.right - stripWidth, inner.top, inner.right, inner.bottom};
    FillRect(dc, &strip, own);
    HBRUSH border = CreateSolidBrush(ColorToRGB(SkinBorderColour(skin)));
    FrameRect(dc, &rect, border);
    DeleteObject(border);
    const RECT frame =
        SkinFrameRect(combo.Image->Width(), combo.Image->Height(), state, combo.FrameCount, false);
    const int buttonWidth = frame.right - frame.left;
    int buttonHeight = strip.bottom - strip.top;
    if (combo.Image->Height() < stripWidth)
        buttonHeight = std::min(buttonHeight, static_cast<int>(combo.Image->Height()));
    const RECT button =
        left ? RECT{strip.left, strip.top, strip.left + buttonWidth, strip.top + buttonHeight}
             : RECT{strip.right - buttonWidth, strip.top, strip.right, strip.top + buttonHeight};
    TSkinFrameStyle stretched;
    stretched.transparent = true;
    DrawSkinFrame(dc, button, *combo.Image, state, combo.FrameCount, false, stretched);
    const POINT origin = ClientOrigin(m_window);
    m_buttonRect = button;
    OffsetRect(&m_buttonRect, -origin.x, -origin.y);
}

void TSkinComBox::DrawExtended(HDC dc, const RECT& rect, int state) {
    const TSkinElements& skin = m_skinData->Elements();
    const COLORREF border = ColorToRGB(SkinBorderColour(skin));
    const COLORREF white = RGB(255, 255, 255);
    RECT client{};
    GetClientRect(m_window, &client);
    const bool bordered = client.right < rect.right - rect.left || client.bottom < rect.bottom - rect.top;
    if (bordered)
        FrameTwice(dc, rect, border, white);
    // The inner combo box covers the window: its button is drawn on its own window, so that
    // the items it shows stay its own.
    COMBOBOXINFO inner{};
    inner.cbSize = sizeof inner;
    if (!m_innerWindow || !GetComboBoxInfo(m_innerWindow, &inner) || IsRectEmpty(&inner.rcButton))
        return;
    m_buttonRect = inner.rcButton;
    MapWindowPoints(m_innerWindow, m_window, reinterpret_cast<POINT*>(&m_buttonRect), 2);
    HDC innerDc = GetDC(m_innerWindow);
    if (!innerDc)
        return;
    // The inner combo box's own sunken edge goes under the skin's frame: it continues the white
    // inside the window's frame, or is the frame of a window without a border.
    RECT innerRect{};
    GetClientRect(m_innerWindow, &innerRect);
    FrameTwice(innerDc, innerRect, bordered ? white : border, white);
    FillColor(innerDc, inner.rcButton, SkinBackgroundColour(skin));
    const TDataSkinObject* face = skin.ComboArrow.get();
    if (face && !face->Image->Empty()) {
        TSkinFrameStyle stretched;
        stretched.transparent = true;
        DrawSkinFrame(innerDc, inner.rcButton, *face->Image, state, face->FrameCount, false, stretched);
    }
    ReleaseDC(m_innerWindow, innerDc);
}
