#include "skin/controls/SkinMediaPlayer.h"

#include "framework/classes/Module.h"
#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinColours.h"
#include "skin/data/SkinDrawing.h"

#include <string>

namespace {

// The buttons' names in the player's order, as their glyphs among the program's bitmaps name
// them.
const char* const ButtonNames[MediaButtonCount] = {"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT", "MPPREV",
                                                   "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};

// Glyph kinds, by the prefix of their names.
enum GlyphKind { gkEnabled, gkDisabled, gkColoured };
const char* const GlyphPrefixes[] = {"EN", "DI", "CL"};

// The glyphs' background colour, left out when they are drawn.
constexpr TColor GlyphKey = static_cast<TColor>(0x008080);

POINT PointOf(const TMessage& message) {
    return POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
}

} // namespace

TMediaButtonSet ReadMediaButtonSet(const TObject* player, std::string_view property) {
    // A set property reads as the mask of its members' ordinals; a missing one as -1.
    const std::int64_t mask = GetOrdProp(player, property);
    TMediaButtonSet set{};
    if (mask < 0)
        return set;
    for (int button = 0; button < MediaButtonCount; ++button)
        set[static_cast<std::size_t>(button)] = (mask >> button) & 1;
    return set;
}

// ---- the overlay ---------------------------------------------------------------------------

const TClass& TWMediaPlayer::ClassInfo() {
    static const TClass info("TWMediaPlayer", &TCustomControl::ClassInfo());
    return info;
}

TWMediaPlayer::TWMediaPlayer(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(false);
}

TWMediaPlayer::~TWMediaPlayer() = default;

void TWMediaPlayer::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style &= ~(WS_VISIBLE | WS_TABSTOP | WS_BORDER);
    params.ExStyle |= WS_EX_TOOLWINDOW;
}

void TWMediaPlayer::AttachTo(TSkinControl* skin, TWinControl* player) {
    m_skin = skin;
    m_player = player;
    SetParentWindow(GetParent(player->Handle()));
    HandleNeeded();
    Follow();
}

void TWMediaPlayer::Follow() {
    if (!m_player || !HandleAllocated())
        return;
    HWND overlay = Handle();
    HWND player = m_player->Handle();
    if (!m_player->Visible()) {
        ShowWindow(overlay, SW_HIDE);
        return;
    }
    const TRect bounds = m_player->BoundsRect();
    // Directly above the player, so nothing else comes between them.
    HWND above = GetWindow(player, GW_HWNDPREV);
    if (above != overlay)
        SetWindowPos(overlay, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MoveWindow(overlay, bounds.left, bounds.top, RectWidth(bounds), RectHeight(bounds), TRUE);
    ShowWindow(overlay, SW_SHOWNA);
    Invalidate();
}

int TWMediaPlayer::ButtonAt(POINT point) const {
    const TMediaButtonSet visible = ReadMediaButtonSet(m_player, "VisibleButtons");
    int shown = 0;
    for (bool on : visible)
        shown += on ? 1 : 0;
    if (shown == 0 || point.y < 0 || point.y >= Height() || point.x < 0)
        return -1;
    const int cell = Width() / shown;
    int index = 0;
    for (int button = 0; button < MediaButtonCount; ++button) {
        if (!visible[static_cast<std::size_t>(button)])
            continue;
        if (point.x >= index * cell && point.x < (index + 1) * cell)
            return button;
        ++index;
    }
    return -1;
}

bool TWMediaPlayer::ReleaseClicks(POINT point) const {
    return m_pressed >= 0 && ButtonAt(point) == m_pressed;
}

void TWMediaPlayer::EndPress() {
    if (m_pressed < 0)
        return;
    m_pressed = -1;
    Invalidate();
}

TBitmap* TWMediaPlayer::Glyph(int button, int kind) {
    std::unique_ptr<TBitmap>& glyph =
        m_glyphs[static_cast<std::size_t>(button)][static_cast<std::size_t>(kind)];
    if (!glyph) {
        glyph = std::make_unique<TBitmap>();
        glyph->LoadFromResourceName(HInstance(),
                                    std::string(GlyphPrefixes[kind]) + "_" + ButtonNames[button]);
    }
    return glyph.get();
}

void TWMediaPlayer::DrawButton(HDC dc, int button, const RECT& cell, bool enabled, bool coloured) {
    const TSkinElements& skin = m_skin->SkinData()->Elements();
    const bool pressed = m_pressed == button;
    const int frame = pressed ? bfPressed : enabled ? bfNormal : bfDisabled;
    if (skin.Buttons && !skin.Buttons->Image->Empty())
        DrawButtonFace(dc, cell, *skin.Buttons, frame);
    TBitmap* glyph = Glyph(button, !enabled ? gkDisabled : coloured ? gkColoured : gkEnabled);
    if (glyph->Empty())
        return;
    const int shift = pressed ? 1 : 0;
    const int left = cell.left + (cell.right - cell.left - glyph->Width()) / 2 + shift;
    const int top = cell.top + (cell.bottom - cell.top - glyph->Height()) / 2 + shift;
    DrawKeyed(dc, RECT{left, top, left + glyph->Width(), top + glyph->Height()}, *glyph, GlyphKey);
}

void TWMediaPlayer::Paint() {
    if (!m_skin || !m_skin->SkinData() || !m_player)
        return;
    // Composed in one bitmap and copied once, so the bar never shows half drawn.
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(Width(), Height());
    HDC dc = picture.Canvas()->Handle();
    FillColor(dc, RECT{0, 0, Width(), Height()}, SkinBackgroundColour(m_skin->SkinData()->Elements()));
    const TMediaButtonSet visible = ReadMediaButtonSet(m_player, "VisibleButtons");
    const TMediaButtonSet enabled = ReadMediaButtonSet(m_player, "EnabledButtons");
    const TMediaButtonSet coloured = ReadMediaButtonSet(m_player, "ColoredButtons");
    int shown = 0;
    for (bool on : visible)
        shown += on ? 1 : 0;
    if (shown > 0) {
        const int width = Width() / shown;
        int index = 0;
        for (int button = 0; button < MediaButtonCount; ++button) {
            const auto at = static_cast<std::size_t>(button);
            if (!visible[at])
                continue;
            const RECT cell{index * width, 0, (index + 1) * width, Height()};
            DrawButton(dc, button, cell, enabled[at] && m_player->Enabled(), coloured[at]);
            ++index;
        }
    }
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), dc, 0, 0, SRCCOPY);
}

void TWMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !m_player)
        return;
    m_pressed = ButtonAt(POINT{x, y});
    Invalidate();
    // The player works the press (and takes the mouse until the release) as if it were its own.
    SendMessageW(m_player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void TWMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !m_player)
        return;
    // Reached only when the player did not take the mouse at the press.
    const bool clicks = ReleaseClicks(POINT{x, y});
    EndPress();
    if (clicks)
        SendMessageW(m_player->Handle(), WM_LBUTTONUP, 0,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void TWMediaPlayer::WndProc(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1; // the paint covers every pixel
        return;
    }
    TCustomControl::WndProc(message);
}

// ---- the skin ------------------------------------------------------------------------------

const TClass& TSkinMP::ClassInfo() {
    static const TClass info("TSkinMP", &TSkinControl::ClassInfo());
    return info;
}

TSkinMP::TSkinMP(TComponent* owner) : TSkinControl(owner) {}

TSkinMP::~TSkinMP() = default;

void TSkinMP::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    auto* player = dynamic_cast<TWinControl*>(m_control);
    if (!player || m_overlay)
        return;
    m_overlay = std::make_unique<TWMediaPlayer>(nullptr);
    m_overlay->AttachTo(this, player);
}

void TSkinMP::Unskin() {
    if (!m_active)
        return;
    TSkinControl::Unskin();
    if (m_lifecycle != slWindowDestroyed)
        m_overlay.reset();
}

bool TSkinMP::BeforeMessage(TMessage& message) {
    // The player holds the mouse from a press on the overlay: its release clicks only on the
    // button the press chose.
    if (message.Msg == WM_LBUTTONUP && m_overlay && m_overlay->PressedButton() >= 0 &&
        !m_overlay->ReleaseClicks(PointOf(message))) {
        m_overlay->EndPress();
        if (GetCapture() == m_window)
            ReleaseCapture();
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinMP::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case CM_VISIBLECHANGED:
        if (m_overlay)
            m_overlay->Follow();
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_overlay)
            m_overlay->EndPress();
        break;
    case WM_PAINT:
    case CM_ENABLEDCHANGED:
        // The player drew a change of its buttons under the overlay.
        if (m_overlay)
            m_overlay->Invalidate();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}
