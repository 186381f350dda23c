#pragma once
// TMediaPlayer: the bar of the nine standard media buttons (play, pause, stop, next, previous,
// step, back, record, eject), each drawn with its glyph among the program's bitmaps:
// "EN_MPPLAY" enabled, "DI_MPPLAY" disabled, "CL_MPPLAY" enabled and coloured. It plays
// nothing: a click on an enabled button (or the space bar on the focused one, which the arrow
// keys choose) raises OnClick with the button's kind. The shown buttons share the width
// equally, in the order above.

#include "framework/classes/Sets.h"
#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Scoped: the up-down's button type has members of the same names (btNext, btPrev).
enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = TSet<TMPBtnType>;

const TEnumInfo& MPBtnTypeIdents();
// Every one of the nine buttons.
constexpr TButtonSet AllMediaButtons(0x1FF);

using TMPBtnClickEvent = std::function<void(TObject* sender, TMPBtnType button)>;

class TMediaPlayer : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    TButtonSet VisibleButtons() const { return m_visible; }
    void SetVisibleButtons(TButtonSet buttons);
    TButtonSet EnabledButtons() const { return m_enabled; }
    void SetEnabledButtons(TButtonSet buttons);
    TButtonSet ColoredButtons() const { return m_colored; }
    void SetColoredButtons(TButtonSet buttons);

    // The shown buttons, left to right, and each one's cell.
    std::vector<TMPBtnType> ShownButtons() const;
    TRect ButtonRect(TMPBtnType button) const;
    // The shown button under a client point.
    std::optional<TMPBtnType> ButtonAt(TPoint point) const;
    // Takes clicks: the control and the button are enabled.
    bool ButtonEnabled(TMPBtnType button) const;
    // The button the keyboard works on.
    TMPBtnType FocusedButton() const { return m_focused; }

    void Dispatch(TMessage& message) override;

    // Hides TControl::OnClick: a media player's click names its button.
    TMPBtnClickEvent OnClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

private:
    enum class GlyphKind { Normal, Disabled, Coloured };
    TBitmap* GlyphOf(TMPBtnType button, GlyphKind kind);
    void DrawButton(TMPBtnType button);
    // The keyboard's button moves to the next shown one that way, when there is one.
    void MoveFocus(bool forward);
    // Keeps the keyboard's button among the shown ones.
    void KeepFocusShown();
    void Clicked(TMPBtnType button);

    TButtonSet m_visible = AllMediaButtons;
    TButtonSet m_enabled = AllMediaButtons;
    TButtonSet m_colored = AllMediaButtons;
    std::array<std::array<std::unique_ptr<TBitmap>, 3>, 9> m_glyphs;
    // The button pressed by the mouse or the space bar, and whether it shows pressed now.
    std::optional<TMPBtnType> m_pressed;
    bool m_pressedShown = false;
    bool m_spaceDown = false;
    TMPBtnType m_focused = TMPBtnType::btPlay;
};
