#pragma once
// The skins of the text fields and their spin buttons: TSkinEdit frames an edit with the skin's
// border (the edit keeps drawing its text, caret and selection) and skins a spin button found
// inside it; TSkinUpDown draws an up-down control's two buttons from the skin's spin images, or
// plainly in the skin's colours when the skin has none.

#include "skin/controls/WinSubClass.h"

class TDataSkinBorder;

class TSkinUpDown : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // An up-down inside an edit keeps inside the edit's frame.
    void SetEmbedded(bool embedded) { m_embedded = embedded; }
    bool Embedded() const { return m_embedded; }
    // Draws the buttons side by side whatever the window's style says.
    void SetHorizontal(bool horizontal) { m_horizontal = horizontal; }

    // The state frame (1 normal, 2 pressed, 3 disabled, 4 hot) each button shows now: the
    // first is the up (or left) button.
    int ButtonState(int button) const;

private:
    bool Horizontal() const;
    // The button (0 or 1) under the cursor, or -1.
    int ButtonUnderCursor() const;
    void DrawButton(HDC dc, const RECT& half, int button, int state) const;
    void DrawPlainButton(HDC dc, const RECT& half, int button, int state) const;

    bool m_embedded = false;
    bool m_horizontal = false;
    int m_hotButton = -1;
};

class TSkinEdit : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The window of the spin button skinned inside the edit; null when none.
    HWND SpinWindow() const { return m_spinWindow; }

private:
    void SkinSpinChild();
    // Whether the edit has a border: a client area smaller than the window both ways.
    bool HasBorder(int margin) const;
    // The frame printed with the edit (WM_PRINT): the edit's own background inside the skin's
    // border colour.
    void DrawPrintFrame(HDC dc);

    HWND m_spinWindow = nullptr;
};
