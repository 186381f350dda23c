#pragma once
// TButtonGlyph: the glyph of a glyph button (TBitBtn, TSpeedButton) and the drawing of glyph and
// caption together. The glyph is a strip of one to four images side by side, for the button
// up, disabled, clicked and held down; a state whose image the strip lacks shows the first one,
// and a one-image strip shows disabled as an embossed copy. The strip's transparent colour is
// its bottom-left pixel unless it is given one.

#include "framework/buttons/ButtonLayout.h"
#include "framework/classes/Events.h"
#include "framework/graphics/Bitmap.h"

#include <memory>
#include <string>

class TCanvas;

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    // The strip, owned here; drawing on it or loading into it changes the glyph.
    TBitmap* Glyph() const { return m_glyph.get(); }
    // Copies the picture (null empties). A strip whose width is two to four times its height
    // holds that many images.
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    // 1 to 4; other values are ignored.
    void SetNumGlyphs(int count);

    // The size of one image; 0 x 0 without a glyph.
    TSize ImageSize() const;
    // One image at (x, y), its transparent pixels left out.
    void DrawImage(TCanvas& canvas, int x, int y, TButtonState state);

    // Glyph and caption laid out in `client` (moved by `offset` while pressed), in the canvas's
    // font; a disabled caption is embossed. `textFormat` adds DT_ flags (DT_RTLREADING). Gives
    // the caption's rectangle, for a focus rectangle around it.
    TRect Draw(TCanvas& canvas, const TRect& client, TPoint offset, const std::string& caption,
               TButtonLayout layout, int margin, int spacing, TButtonState state, UINT textFormat = 0);

    // Runs when the picture or the number of images changes.
    TNotifyEvent OnChange;

private:
    void GlyphChanged();
    // The embossed copy of the first image, made when first needed.
    TBitmap* DisabledImage();

    std::unique_ptr<TBitmap> m_glyph;
    std::unique_ptr<TBitmap> m_disabled;
    int m_numGlyphs = 1;
};
