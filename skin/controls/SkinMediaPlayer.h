#pragma once
// The media player's skin. TWMediaPlayer is a window laid over the player, directly above it,
// that draws the player's shown buttons as skin button faces with the program's media glyphs;
// presses go on to the player, which keeps doing the clicking. TSkinMP keeps the overlay on
// the player's place and visibility.

#include "framework/controls/GraphicControl.h"
#include "skin/controls/WinSubClass.h"

#include <array>
#include <memory>

class TBitmap;

// The nine media buttons in the player's order.
constexpr int MediaButtonCount = 9;
using TMediaButtonSet = std::array<bool, MediaButtonCount>;

// A set property of the player (VisibleButtons...) as the buttons it holds; none when absent.
TMediaButtonSet ReadMediaButtonSet(const TObject* player, std::string_view property);

class TWMediaPlayer : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TWMediaPlayer(TComponent* owner);
    ~TWMediaPlayer() override;

    // Lies over the player, with its bounds and visibility.
    void AttachTo(TSkinControl* skin, TWinControl* player);
    // Takes the player's bounds and visibility again.
    void Follow();

    // The button a press chose, -1 for none.
    int PressedButton() const { return m_pressed; }
    // The shown button under a point of the overlay, -1 for none.
    int ButtonAt(POINT point) const;
    // A release that reached the player: it clicks when the press chose the button under it.
    bool ReleaseClicks(POINT point) const;
    // The press is over (released, or the player let the mouse go).
    void EndPress();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;

private:
    // The glyph of a button ("EN", "DI" or "CL" for enabled, disabled and coloured).
    TBitmap* Glyph(int button, int kind);
    void DrawButton(HDC dc, int button, const RECT& cell, bool enabled, bool coloured);

    TSkinControl* m_skin = nullptr;
    TWinControl* m_player = nullptr;
    int m_pressed = -1;
    std::array<std::array<std::unique_ptr<TBitmap>, 3>, MediaButtonCount> m_glyphs;
};

class TSkinMP : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSkinMP(TComponent* owner);
    ~TSkinMP() override;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void Unskin() override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;

    TWMediaPlayer* Overlay() const { return m_overlay.get(); }

private:
    std::unique_ptr<TWMediaPlayer> m_overlay;
};
