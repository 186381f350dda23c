#pragma once
// The skins of glyph buttons. TSkinBitButton draws a push button's face with a glyph beside the
// caption, placed by the control's Layout, Margin and Spacing. TSkinSpeedButton does the same
// for a button without a window of its own: it draws on the button's canvas, on its parent,
// and follows the button's Down and Flat looks.

#include "skin/controls/GlyphDrawing.h"
#include "skin/controls/SkinButtons.h"

#include <string>

class TSkinBitButton : public TSkinButton {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinButton::TSkinButton;

    void DrawSkin(HDC dc, const RECT& rect) override;

    // The property a picture button keeps its picture in (empty: the glyph strip "Glyph", or
    // the image list "Images"). A picture button shows the default face only when focused.
    void SetPictureProperty(std::string name) { m_pictureProperty = std::move(name); }
    const std::string& PictureProperty() const { return m_pictureProperty; }

protected:
    // Glyph (index from 1: normal, disabled, pressed, down) and caption laid out on the face by
    // the control's Layout, Margin, Spacing and Alignment; gives the caption's block.
    RECT DrawGlyphAndCaption(HDC face, const RECT& whole, int glyphIndex, bool enabled);
    // The size of one glyph image; 0 x 0 without a glyph.
    SIZE GlyphSize() const;

private:
    void DrawGlyphImage(HDC face, const RECT& at, int glyphIndex, bool enabled);

    std::string m_pictureProperty;
};

class TSkinSpeedButton : public TSkinBitButton {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinBitButton::TSkinBitButton;

    // Attaches to the owning speed button (a control without a window): its WindowProc slot
    // is taken and its repaints are asked of it.
    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    // Draws on the button's own canvas (its place on the parent) when the parent has a window.
    void PaintSkin(HDC dc) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The face the button showed at its last draw.
    int LastFace() const { return m_lastFace; }

private:
    // Composes the face in the face bitmap; the parent's background under a transparent one.
    void ComposeFace(const RECT& rect, int frame, int glyphIndex);

    // Drawing the parent's background paints the parent's controls, this button among them.
    bool m_drawing = false;
    int m_lastFace = 0;
};
