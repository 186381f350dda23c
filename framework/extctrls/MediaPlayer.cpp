#include "framework/extctrls/MediaPlayer.h"

#include "framework/buttons/ButtonFace.h"
#include "framework/classes/Module.h"
#include "framework/classes/PropertyTable.h"
#include "platform/gdi/WinRect.h"

#include <algorithm>
#include <string>

namespace {

constexpr int ButtonCount = 9;
const char* const ButtonNames[ButtonCount] = {"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT", "MPPREV",
                                              "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
// The glyphs' prefixes, by kind: enabled, disabled, coloured.
const char* const GlyphPrefixes[] = {"EN", "DI", "CL"};
// The glyphs' background, left out when they are drawn.
constexpr TColor GlyphKey = clOlive;

} // namespace

const TEnumInfo& MPBtnTypeIdents() {
    static const TEnumInfo idents{
        {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"}};
    return idents;
}

const TClass& TMediaPlayer::ClassInfo() {
    static const TClass info("TMediaPlayer", &TCustomControl::ClassInfo(),
                             {
                                 SetProperty("ColoredButtons", MPBtnTypeIdents(),
                                             &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons),
                                 SetProperty("EnabledButtons", MPBtnTypeIdents(),
                                             &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons),
                                 SetProperty("VisibleButtons", MPBtnTypeIdents(),
                                             &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons),
                                 MethodProperty("OnClick", &TMediaPlayer::OnClick),
                             });
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner) {
    m_controlStyle.Exclude(csSetCaption);
    m_controlStyle.Exclude(csClickEvents);
    SetBounds(0, 0, 253, 30);
    SetTabStop(true);
}

TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::SetVisibleButtons(TButtonSet buttons) {
    if (buttons == m_visible)
        return;
    m_visible = buttons;
    if (m_pressed && !m_visible.Contains(*m_pressed))
        m_pressed.reset();
    KeepFocusShown();
    Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet buttons) {
    if (buttons == m_enabled)
        return;
    m_enabled = buttons;
    if (m_pressed && !m_enabled.Contains(*m_pressed))
        m_pressed.reset();
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet buttons) {
    if (buttons == m_colored)
        return;
    m_colored = buttons;
    Invalidate();
}

std::vector<TMPBtnType> TMediaPlayer::ShownButtons() const {
    std::vector<TMPBtnType> shown;
    for (int i = 0; i < ButtonCount; ++i) {
        if (m_visible.Contains(static_cast<TMPBtnType>(i)))
            shown.push_back(static_cast<TMPBtnType>(i));
    }
    return shown;
}

TRect TMediaPlayer::ButtonRect(TMPBtnType button) const {
    const std::vector<TMPBtnType> shown = ShownButtons();
    const auto it = std::find(shown.begin(), shown.end(), button);
    if (it == shown.end())
        return Rect(0, 0, 0, 0);
    const int width = m_width / static_cast<int>(shown.size());
    const int index = static_cast<int>(it - shown.begin());
    return Rect(index * width, 0, (index + 1) * width, m_height);
}

std::optional<TMPBtnType> TMediaPlayer::ButtonAt(TPoint point) const {
    for (TMPBtnType button : ShownButtons()) {
        const TRect cell = ButtonRect(button);
        if (PtInRect(&cell, point))
            return button;
    }
    return std::nullopt;
}

bool TMediaPlayer::ButtonEnabled(TMPBtnType button) const {
    return Enabled() && m_enabled.Contains(button);
}

TBitmap* TMediaPlayer::GlyphOf(TMPBtnType button, GlyphKind kind) {
    const auto index = static_cast<std::size_t>(button);
    const auto kindIndex = static_cast<std::size_t>(kind);
    std::unique_ptr<TBitmap>& glyph = m_glyphs[index][kindIndex];
    if (!glyph) {
        glyph = std::make_unique<TBitmap>();
        glyph->LoadFromResourceName(HInstance(),
                                    std::string(GlyphPrefixes[kindIndex]) + "_" + ButtonNames[index]);
        glyph->SetTransparentColor(GlyphKey);
        glyph->SetTransparent(true);
    }
    return glyph.get();
}

void TMediaPlayer::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(ClientRect());
    for (TMPBtnType button : ShownButtons())
        DrawButton(button);
}

void TMediaPlayer::DrawButton(TMPBtnType button) {
    TCanvas& canvas = *Canvas();
    const bool down = m_pressed == button && m_pressedShown;
    const TRect face = DrawPushFace(canvas, ButtonRect(button), down, false);
    const GlyphKind kind = !ButtonEnabled(button)       ? GlyphKind::Disabled
                           : m_colored.Contains(button) ? GlyphKind::Coloured
                                                        : GlyphKind::Normal;
    TBitmap* glyph = GlyphOf(button, kind);
    const int shift = down ? 1 : 0;
    canvas.Draw(face.left + (RectWidth(face) - glyph->Width()) / 2 + shift,
                face.top + (RectHeight(face) - glyph->Height()) / 2 + shift, glyph);
    if (button == m_focused && Focused()) {
        TRect focus = face;
        InflateRect(&focus, -1, -1);
        canvas.DrawFocusRect(focus);
    }
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || m_spaceDown)
        return;
    if (CanFocus())
        SetFocus();
    const std::optional<TMPBtnType> pressed = ButtonAt(Point(x, y));
    if (!pressed || !ButtonEnabled(*pressed))
        return;
    m_pressed = pressed;
    m_pressedShown = true;
    m_focused = *pressed;
    SetCapture(Handle());
    Invalidate();
}

void TMediaPlayer::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!m_pressed || m_spaceDown)
        return;
    const bool over = ButtonAt(Point(x, y)) == m_pressed;
    if (over != m_pressedShown) {
        m_pressedShown = over;
        Invalidate();
    }
}

void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !m_pressed || m_spaceDown)
        return;
    const TMPBtnType released = *m_pressed;
    m_pressed.reset();
    if (GetCapture() == Handle())
        ReleaseCapture();
    Invalidate();
    if (ButtonAt(Point(x, y)) == released)
        Clicked(released);
}

void TMediaPlayer::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        MoveFocus(key == VK_RIGHT);
        break;
    case VK_SPACE:
        if (!m_pressed && ButtonEnabled(m_focused) && m_visible.Contains(m_focused)) {
            m_pressed = m_focused;
            m_pressedShown = true;
            m_spaceDown = true;
            Invalidate();
        }
        break;
    default:
        return;
    }
    key = 0;
}

void TMediaPlayer::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key != VK_SPACE || !m_spaceDown)
        return;
    key = 0;
    m_spaceDown = false;
    const TMPBtnType released = *m_pressed;
    m_pressed.reset();
    Invalidate();
    Clicked(released);
}

void TMediaPlayer::MoveFocus(bool forward) {
    const std::vector<TMPBtnType> shown = ShownButtons();
    const auto it = std::find(shown.begin(), shown.end(), m_focused);
    if (it == shown.end() || m_spaceDown)
        return;
    if (forward && it + 1 != shown.end())
        m_focused = *(it + 1);
    else if (!forward && it != shown.begin())
        m_focused = *(it - 1);
    Invalidate();
}

void TMediaPlayer::KeepFocusShown() {
    const std::vector<TMPBtnType> shown = ShownButtons();
    if (!shown.empty() && std::find(shown.begin(), shown.end(), m_focused) == shown.end())
        m_focused = shown.front();
}

void TMediaPlayer::Clicked(TMPBtnType button) {
    if (OnClick)
        OnClick(this, button);
}

void TMediaPlayer::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_KILLFOCUS:
        // A press of the space bar ends with the focus, clicking nothing.
        if (m_spaceDown) {
            m_spaceDown = false;
            m_pressed.reset();
        }
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case WM_SETFOCUS:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case WM_CAPTURECHANGED:
        if (m_pressed && !m_spaceDown && reinterpret_cast<HWND>(message.LParam) != m_handle) {
            m_pressed.reset();
            Invalidate();
        }
        TCustomControl::Dispatch(message);
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            m_pressed.reset();
            m_spaceDown = false;
            if (GetCapture() == m_handle)
                ReleaseCapture();
        }
        TCustomControl::Dispatch(message);
        return;
    default:
        TCustomControl::Dispatch(message);
        return;
    }
}
