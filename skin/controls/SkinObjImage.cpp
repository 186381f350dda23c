#include "skin/controls/SkinObjImage.h"

#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"

#include <span>

namespace {

// The skin frame (from 1) of each cell, in the order each kind of control wants its cells.
constexpr int CheckCells[] = {1, 2, 5, 1, 2, 5, 3, 4, 5};
constexpr int RadioCells[] = {1, 2, 1, 2, 3, 4};
constexpr int PropertiesCells[] = {1, 2, 5, 1, 2, 5};
// Cells of frame 5 come only from strips of exactly five frames.
constexpr int FifthFrame = 5;
constexpr int FiveFrameStrip = 5;

constexpr const char* TransparentKey = "16711935"; // magenta, 0xFF00FF

std::span<const int> CellsOf(TForeignGlyphKind kind) {
    switch (kind) {
    case fgCheckCustomGlyphs:
        return CheckCells;
    case fgRadioCustomGlyphs:
        return RadioCells;
    case fgCheckPropertiesGlyph:
        return PropertiesCells;
    }
    return {};
}

} // namespace

const TClass& TSkinObjImage::ClassInfo() {
    static const TClass info("TSkinObjImage", &TSkinControl::ClassInfo());
    return info;
}

TSkinObjImage::TSkinObjImage(TComponent* owner, TForeignGlyphKind kind)
    : TSkinControl(owner), m_glyphKind(kind), m_cells(std::make_unique<TBitmap>()) {}

TSkinObjImage::~TSkinObjImage() = default;

void TSkinObjImage::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    if (!m_control)
        return;
    BuildCells();
    HandToControl();
}

void TSkinObjImage::SkinChanged() {
    BuildCells();
    HandToControl();
    TSkinControl::SkinChanged();
}

void TSkinObjImage::BuildCells() {
    const TDataSkinButton& buttons = *m_skinData->Elements().Buttons;
    const bool radio = m_glyphKind == fgRadioCustomGlyphs;
    TBitmap& strip = radio ? *buttons.RadioButton : *buttons.CheckButton;
    const int frames = radio ? buttons.RadioButtonFrame : buttons.CheckButtonFrame;
    const std::span<const int> cells = CellsOf(m_glyphKind);
    const int cellWidth = frames > 0 ? strip.Width() / frames : 0;
    m_cells->SetPixelFormat(pf24bit);
    m_cells->SetSize(cellWidth * static_cast<int>(cells.size()), strip.Height());
    if (m_cells->Empty())
        return;
    HDC target = m_cells->Canvas()->Handle();
    const RECT whole{0, 0, m_cells->Width(), m_cells->Height()};
    FillColor(target, whole, clFuchsia); // a cell left out shows nothing
    HDC source = strip.Canvas()->Handle();
    const int checkFrames = buttons.CheckButtonFrame;
    for (std::size_t cell = 0; cell < cells.size(); ++cell) {
        const int frame = cells[cell];
        if (frame > frames || (frame == FifthFrame && checkFrames != FiveFrameStrip))
            continue;
        BitBlt(target, static_cast<int>(cell) * cellWidth, 0, cellWidth, strip.Height(), source,
               (frame - 1) * cellWidth, 0, SRCCOPY);
    }
}

void TSkinObjImage::HandToControl() {
    if (m_glyphKind == fgCheckPropertiesGlyph) {
        TObject* properties = GetObjectProp(m_control, "Properties");
        m_cells->SetTransparentColor(clFuchsia);
        m_cells->SetTransparent(false);
        SetObjectProp(properties, "Glyph", m_cells.get());
        return;
    }
    SetObjectProp(m_control, "CustomGlyphs", m_cells.get());
    SetPropValue(m_control, "transparentcolor", TransparentKey);
    // Off and on again: the control loads the strip it was given.
    SetPropValue(m_control, "UseCustomGlyphs", "false");
    SetPropValue(m_control, "UseCustomGlyphs", "true");
}

void TSkinObjImage::Unskin() {
    if (!m_active)
        return;
    if (m_lifecycle != slWindowDestroyed && m_control) {
        if (m_glyphKind == fgCheckPropertiesGlyph)
            SetObjectProp(GetObjectProp(m_control, "Properties"), "Glyph", nullptr);
        else
            SetPropValue(m_control, "UseCustomGlyphs", "false");
    }
    TSkinControl::Unskin();
}
