#include "skin/controls/WinSubClass.h"

#include "framework/classes/TypInfo.h"
#include "framework/controls/WinControl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/ParentBackground.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/controls/SkinProperties.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinDataHelpers.h"
#include "skin/forms/WindowThunk.h"

#include <algorithm>
#include <vector>

namespace {

// Every control skin alive, so one that leaves from the middle of a window's subclassing
// layers can hand its predecessor to the layer above it.
std::vector<TSkinControl*>& LiveSkins() {
    static std::vector<TSkinControl*> skins;
    return skins;
}

// Controls wider or taller than this carry positions that no longer fit a message's 16 bits.
constexpr int LargestMessagePosition = 32768;

} // namespace

const TClass& TSkinControl::ClassInfo() {
    static const TClass info("TSkinControl", &TComponent::ClassInfo());
    return info;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {
    LiveSkins().push_back(this);
}

TSkinControl::~TSkinControl() {
    m_alive.reset();
    RestoreWindowProc();
    RestoreWindowProcedure();
    auto& live = LiveSkins();
    live.erase(std::find(live.begin(), live.end(), this));
    if (m_form)
        m_form->RemoveSkinControl(this);
}

// ---- attaching -----------------------------------------------------------------------------

void TSkinControl::InstallWindowProc(TControl* control) {
    m_savedWindowProc = control->WindowProc();
    control->SetWindowProc(TWndMethod::Of(this, &TSkinControl::WndProc));
}

void TSkinControl::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    if (m_initialized)
        return;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control)
        return;
    m_recolor = recolor;
    m_skinData = skinData;
    m_form = form;
    m_canvas = canvas;
    m_control = control;
    m_window = control->Handle();
    m_unicode = IsWindowUnicode(m_window) != FALSE;
    InstallWindowProc(control);
    if (m_form)
        m_form->AddSkinControl(this, control, m_window);
    if (m_recolor) {
        SwitchParentBackgroundOff();
        m_savedColour = control->Color();
        m_savedParentColor = control->ParentColor();
        control->SetColor(BackgroundColour());
    }
    if (m_parentBackgroundSwitched)
        m_kind = 1;
    control->Invalidate();
    m_initialized = true;
    m_lifecycle = slSkinned;
}

void TSkinControl::InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form,
                                    TCanvas* canvas) {
    if (m_initialized || !IsWindow(window))
        return;
    m_skinData = skinData;
    m_canvas = canvas;
    m_form = form;
    m_window = window;
    m_enabled = true;
    m_kind = 0;
    if (m_form)
        m_form->AddSkinControl(this, nullptr, window);
    m_unicode = IsWindowUnicode(window) != FALSE;
    const int length = GetWindowTextLengthW(window);
    m_caption.assign(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
    m_caption.resize(static_cast<std::size_t>(GetWindowTextW(window, m_caption.data(), length + 1)));
    m_thunk = std::make_unique<TWindowThunk>([this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        TMessage record{message, wParam, lParam, 0};
        WndProc(record);
        return record.Result;
    });
    const auto procedure = reinterpret_cast<LONG_PTR>(m_thunk->Procedure());
    if (!procedure)
        return; // no thunk left: the window keeps its own look
    const LONG_PTR previous = m_unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, procedure)
                                        : SetWindowLongPtrA(window, GWLP_WNDPROC, procedure);
    m_previousProc = reinterpret_cast<WNDPROC>(previous);
    m_thunk->SetFallback(m_previousProc, m_unicode);
    InvalidateRect(window, nullptr, TRUE);
    m_initialized = true;
    m_lifecycle = slSkinned;
}

void TSkinControl::RestoreWindowProc() {
    if (!m_savedWindowProc)
        return;
    const TWndMethod mine = TWndMethod::Of(this, &TSkinControl::WndProc);
    // A control being destroyed is past its own part of the destruction: its slot is gone.
    if (m_control && !m_control->ComponentState().Contains(csDestroying)) {
        if (m_control->WindowProc() == mine) {
            m_control->SetWindowProc(m_savedWindowProc);
        } else {
            for (TSkinControl* other : LiveSkins()) {
                if (other != this && other->m_savedWindowProc == mine)
                    other->m_savedWindowProc = m_savedWindowProc;
            }
        }
    }
    m_savedWindowProc = {};
}

void TSkinControl::RestoreWindowProcedure() {
    if (!m_thunk)
        return;
    const WNDPROC mine = m_thunk->Procedure();
    if (mine && m_previousProc && IsWindow(m_window)) {
        const LONG_PTR current =
            m_unicode ? GetWindowLongPtrW(m_window, GWLP_WNDPROC) : GetWindowLongPtrA(m_window, GWLP_WNDPROC);
        if (current == reinterpret_cast<LONG_PTR>(mine)) {
            const auto previous = reinterpret_cast<LONG_PTR>(m_previousProc);
            if (m_unicode)
                SetWindowLongPtrW(m_window, GWLP_WNDPROC, previous);
            else
                SetWindowLongPtrA(m_window, GWLP_WNDPROC, previous);
        } else {
            for (TSkinControl* other : LiveSkins()) {
                if (other != this && other->m_thunk && other->m_previousProc == mine) {
                    other->m_previousProc = m_previousProc;
                    other->m_thunk->SetFallback(m_previousProc, other->m_unicode);
                }
            }
        }
    }
    // A layer above that is not a control skin still calls the released thunk, which passes
    // its messages on to the previous procedure.
    m_thunk.reset();
    m_previousProc = nullptr;
}

// ---- messages ------------------------------------------------------------------------------

void TSkinControl::WndProc(TMessage& message) {
    if (message.Msg == SM_SKINCONTROLSWITCH) {
        m_active = static_cast<int>(message.WParam) > 0;
        if (m_active)
            Repaint();
        return;
    }
    if (!m_active) {
        CallDefault(message);
        return;
    }
    if (!BeforeMessage(message))
        return;
    const std::weak_ptr<bool> alive = AliveToken();
    CallDefault(message);
    // The control's own handling may have freed its skin (a click that closes the form).
    if (!alive.expired())
        AfterMessage(message);
}

void TSkinControl::CallDefault(TMessage& message) {
    if (m_savedWindowProc) {
        m_savedWindowProc(message);
    } else if (m_previousProc) {
        message.Result =
            m_unicode
                ? CallWindowProcW(m_previousProc, m_window, message.Msg, message.WParam, message.LParam)
                : CallWindowProcA(m_previousProc, m_window, message.Msg, message.WParam, message.LParam);
    }
}

bool TSkinControl::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_NCDESTROY: {
        m_lifecycle = slWindowDestroyed;
        const std::weak_ptr<bool> alive = AliveToken();
        CallDefault(message);
        if (!alive.expired() && m_active)
            Unskin();
        return false;
    }
    case SM_SKINNEDQUERY:
        message.Result = SkinnedAnswer;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
        Repaint();
        break;
    case WM_PAINT:
        PaintSkin(reinterpret_cast<HDC>(message.WParam));
        break;
    default:
        break;
    }
}

// ---- painting ------------------------------------------------------------------------------

void TSkinControl::Repaint() {
    if (m_repaintTarget) {
        m_repaintTarget->Invalidate();
        return;
    }
    InvalidateRect(m_window, nullptr, TRUE);
    UpdateWindow(m_window);
}

void TSkinControl::PaintSkin(HDC dc) {
    RECT rect{};
    if (!GetWindowRect(m_window, &rect))
        return;
    m_windowRect = rect;
    OffsetRect(&rect, -rect.left, -rect.top);
    HDC target = dc ? dc : GetWindowDC(m_window);
    if (!target)
        return;
    try {
        DrawSkin(target, rect);
    } catch (...) {
        // A skin that cannot be drawn leaves the window as its own code drew it.
    }
    if (!dc)
        ReleaseDC(m_window, target);
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::PaintWhole(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    PAINTSTRUCT paint{};
    if (!message.WParam)
        dc = BeginPaint(m_window, &paint);
    RECT rect{};
    if (dc && GetWindowRect(m_window, &rect)) {
        m_windowRect = rect;
        OffsetRect(&rect, -rect.left, -rect.top);
        try {
            DrawSkin(dc, rect);
        } catch (...) {
            // As in PaintSkin: the paint is skipped.
        }
    }
    if (!message.WParam)
        EndPaint(m_window, &paint);
    message.Result = 0;
}

void TSkinControl::EraseToParent(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (m_control) {
        PaintParentBackground(m_window, dc);
    } else {
        RECT client{};
        GetClientRect(m_window, &client);
        FillParentColor(dc, client);
    }
    message.Result = 1;
}

void FillColor(HDC dc, const RECT& rect, TColor color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

TColor TSkinControl::BackgroundColour() const {
    return m_skinData ? ::SkinBackgroundColour(m_skinData->Elements()) : clBtnFace;
}

void TSkinControl::PaintGraphicChildren(HDC dc) const {
    if (auto* container = dynamic_cast<TWinControl*>(m_control))
        container->PaintGraphicChildren(dc);
}

void TSkinControl::FillBackground(HDC dc, const RECT& rect) {
    FillColor(dc, rect, BackgroundColour());
}

void TSkinControl::FillParentColor(HDC dc, const RECT& rect) {
    const TControl* parent = m_control ? m_control->Parent() : nullptr;
    if (PropIsKind(parent, "Color", TTypeKind::tkInteger))
        FillColor(dc, rect, static_cast<TColor>(GetOrdProp(parent, "Color")));
    else
        FillBackground(dc, rect);
}

bool TSkinControl::RightToLeftReading() const {
    const TControl* reader = m_control ? m_control : m_repaintTarget;
    return reader && reader->UseRightToLeftReading();
}

int TSkinControl::DrawCaption(HDC dc, std::u16string_view text, RECT& rect, UINT format) {
    if (RightToLeftReading())
        format |= DT_RTLREADING;
    return SkinDrawText(dc, text, rect, format);
}

void TSkinControl::DrawFocusBox(HDC dc, UINT format, const RECT& bounds) {
    RECT box = bounds;
    DrawCaption(dc, m_caption, box, format | DT_CALCRECT | DT_NOCLIP);
    const int spareWidth = (bounds.right - bounds.left) - (box.right - box.left);
    const int spareHeight = (bounds.bottom - bounds.top) - (box.bottom - box.top);
    if (format & DT_CENTER)
        OffsetRect(&box, spareWidth / 2, spareHeight / 2 - 1);
    else if (format & DT_RIGHT)
        OffsetRect(&box, spareWidth, 0);
    InflateRect(&box, 2, 1);
    box.left = std::max(box.left, bounds.left);
    box.top = std::max(box.top, bounds.top);
    box.right = std::min(box.right, bounds.right);
    box.bottom = std::min(box.bottom, bounds.bottom);
    DrawFocusRect(dc, &box);
}

// ---- state ---------------------------------------------------------------------------------

LONG_PTR TSkinControl::WindowLong(int index) const {
    return m_unicode ? GetWindowLongPtrW(m_window, index) : GetWindowLongPtrA(m_window, index);
}

void TSkinControl::RefreshFocusAndEnabled() {
    m_focused = GetFocus() == m_window;
    m_enabled = (WindowLong(GWL_STYLE) & WS_DISABLED) == 0;
}

void TSkinControl::SetStateFlag(unsigned char flag, bool on) {
    m_stateFlags = on ? (m_stateFlags | flag) : (m_stateFlags & ~flag);
}

bool TSkinControl::HasOption(TSkinOption option) const {
    return m_skinData && m_skinData->Options().Contains(option);
}

void TSkinControl::ForwardMouseDown(const TMessage& message) {
    if (!m_control)
        return;
    int x = GET_X_LPARAM(message.LParam);
    int y = GET_Y_LPARAM(message.LParam);
    if (m_control->Width() > LargestMessagePosition || m_control->Height() > LargestMessagePosition) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(m_window, &cursor);
        x = cursor.x;
        y = cursor.y;
    }
    m_control->MouseDown(mbLeft, MouseShiftState(message.WParam), x, y);
}

// ---- leaving -------------------------------------------------------------------------------

void TSkinControl::SwitchParentBackgroundOff() {
    if (HasOption(xoParentBackGround) || !IsPublishedProp(m_control, "ParentBackground"))
        return;
    if (skin_properties::Is(m_control, "ParentBackground", "true")) {
        m_parentBackgroundSwitched = true;
        SetPropValue(m_control, "ParentBackground", "False");
    }
}

void TSkinControl::RestoreParentBackground() {
    if (HasOption(xoParentBackGround) || !m_parentBackgroundSwitched)
        return;
    SetPropValue(m_control, "ParentBackground", "True");
    m_parentBackgroundSwitched = false;
}

void TSkinControl::Unskin() {
    if (!m_active)
        return;
    m_active = false;
    if (m_lifecycle != slWindowDestroyed && m_recolor && m_control) {
        RestoreParentBackground();
        m_control->SetColor(m_savedColour);
        if (m_savedParentColor)
            m_control->SetParentColor(true);
    }
}

void TSkinControl::SkinChanged() {
    if (m_recolor && m_control)
        m_control->SetColor(BackgroundColour());
    Repaint();
}
