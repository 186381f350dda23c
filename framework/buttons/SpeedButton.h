#pragma once
// TSpeedButton: a button without a window of its own (a tool bar's button), drawn on its
// parent with a glyph and a caption. It never takes the focus; its caption's mnemonic clicks it.
// Buttons of one parent with the same GroupIndex (not 0) work together: clicking one leaves it
// down and puts the others up; AllowAllUp lets a click put the down one up too, so that none is
// down. A Flat button shows its edge only while the mouse is over it or it is down; a
// Transparent flat button lets its parent show through.

#include "framework/buttons/ButtonGlyph.h"
#include "framework/controls/GraphicControl.h"

class TSpeedButton : public TGraphicControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    TBitmap* Glyph() const { return m_glyph.Glyph(); }
    void SetGlyph(TBitmap* glyph) { m_glyph.SetGlyph(glyph); }
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int count) { m_glyph.SetNumGlyphs(count); }
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return m_margin; }
    void SetMargin(int margin);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    // Set GroupIndex before Down: a button of no group is never down.
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int index);
    bool Down() const { return m_down; }
    // Putting the down button of a group up needs AllowAllUp; putting one down puts the
    // group's other buttons up.
    void SetDown(bool down);
    bool AllowAllUp() const { return m_allowAllUp; }
    // Shared by the whole group: setting it on one sets it on all.
    void SetAllowAllUp(bool allowAllUp);

    // The state it is drawn in: up, disabled, pressed (bsDown) or held down (bsExclusive).
    TButtonState State() const;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // A click by mouse or mnemonic: a grouped button goes down (or up, when it may), then
    // OnClick.
    void Press();
    // Tells the other buttons of the parent that this one of the group is down.
    void UpdateExclusive();
    void CMButtonPressed(TMessage& message);
    void CMDialogChar(TMessage& message);
    void CMMouseEnter(TMessage& message);
    void CMMouseLeave(TMessage& message);

    TButtonGlyph m_glyph;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
    bool m_flat = false;
    bool m_transparent = true;
    int m_groupIndex = 0;
    bool m_down = false;
    bool m_allowAllUp = false;
    // A left press is being followed; m_pressed: the pointer is on the button meanwhile.
    bool m_dragging = false;
    bool m_pressed = false;
    bool m_mouseInControl = false;
};
