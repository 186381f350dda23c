#pragma once
// TSkinStatusBar: a status bar drawn whole from the skin's status bar frames (raised, lowered
// and borderless panels), with its panel texts or its simple text, the size grip from the skin's
// glyph strip, and its owner-drawn panels left to their owner. Everything is read from the
// window (parts, texts and drawing types), so a bar of any class is drawn alike.

#include "skin/controls/WinSubClass.h"

#include <string>

class TSkinStatusBar : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    // One panel's face: a frame of the skin's strip, or the classic edge without one.
    void DrawPanelFace(HDC dc, const RECT& rect, int frame) const;
    // Text inset by 2 pixels, vertically centred; tabs part it as the bar parts it.
    void DrawPanelText(HDC dc, const RECT& rect, const std::u16string& text, UINT alignment, bool parseTabs);
    void DrawSizeGrip(HDC dc, int width, int height) const;
    // Hands each owner-drawn panel to the bar's parent, as the bar itself does.
    void DrawOwnerPanels(HDC dc, int width);
    bool ShowsSimpleText() const;
    TColor TextColour() const;
};
