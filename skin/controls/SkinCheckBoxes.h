#pragma once
// The check box and radio button skins. With a check (radio) strip in the skin they draw the
// whole control: the box as the strip's frame for the state, then the caption beside it. A
// skin without the strip leaves the drawing to the system and only takes over the erase.

#include "skin/controls/WinSubClass.h"

// What the check and radio skins share: the state's frame of a strip, the box placed at the
// left (or the right for BS_LEFTTEXT) and the caption beside it.
class TSkinBoxButton : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The strip frame the control shows now.
    virtual int StripFrame() = 0;

protected:
    // The check or radio strip of the skin and its frame count.
    virtual TBitmap* Strip() const = 0;
    virtual int StripFrames() const = 0;

    bool m_transparent = false;

private:
    void DrawCaptionBeside(HDC dc, const RECT& rect, const RECT& box);
};

class TSkinCheckBox : public TSkinBoxButton {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinBoxButton::TSkinBoxButton;

    void AfterMessage(TMessage& message) override;
    int StripFrame() override;
    // 1 unchecked, 2 checked, 4 grayed, with 2 added for a disabled box (before grayed).
    int CheckValue();

protected:
    TBitmap* Strip() const override;
    int StripFrames() const override;

private:
    // BM_SETCHECK's wParam + 1 as last seen; 0 for none.
    int m_lastCheck = 0;
};

class TSkinRadioButton : public TSkinBoxButton {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinBoxButton::TSkinBoxButton;

    int StripFrame() override;

protected:
    TBitmap* Strip() const override;
    int StripFrames() const override;
};
