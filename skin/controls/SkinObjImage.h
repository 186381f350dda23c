#pragma once
// TSkinObjImage: check boxes and radio boxes of other control libraries that take a glyph strip
// of their own. The skin builds the strip from the skin's check (or radio) frames in the order
// such a control wants its cells, hands it to the control by property name and makes the
// control load it; unskinning tells the control to use its own glyphs again.

#include "skin/controls/WinSubClass.h"

#include <memory>

class TBitmap;

// How the control takes its strip.
enum TForeignGlyphKind {
    fgCheckCustomGlyphs = 1,   // a check box with "CustomGlyphs": 9 cells
    fgRadioCustomGlyphs = 2,   // a radio box with "CustomGlyphs": 6 cells
    fgCheckPropertiesGlyph = 3 // a check box with "Properties" -> "Glyph": 6 cells
};

class TSkinObjImage : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TSkinObjImage(TComponent* owner, TForeignGlyphKind kind);
    ~TSkinObjImage() override;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void Unskin() override;
    void SkinChanged() override;

    TForeignGlyphKind GlyphKind() const { return m_glyphKind; }
    // The strip last handed to the control.
    const TBitmap& Cells() const { return *m_cells; }

private:
    void BuildCells();
    void HandToControl();

    TForeignGlyphKind m_glyphKind;
    std::unique_ptr<TBitmap> m_cells;
};
