// Where glyph buttons put their glyph and caption, and how a glyph strip gives each state's
// image: the images a strip holds, the first one standing in for a missing one, the embossed
// copy of a one-image strip drawn disabled, transparent pixels left out.

#include "FrameworkTestSupport.h"

#include "framework/buttons/ButtonGlyph.h"
#include "framework/graphics/Canvas.h"

namespace {

void ExpectBounds(const TRect& rect, int left, int top, int width, int height) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(RectWidth(rect), width);
    EXPECT_EQ(RectHeight(rect), height);
}

// A strip of `count` images of 8 x 8, image i filled with colours[i], with an olive bottom row
// (olive being the transparent colour the bottom-left pixel gives).
std::unique_ptr<TBitmap> Strip(std::vector<TColor> colours) {
    auto strip = std::make_unique<TBitmap>();
    strip->SetPixelFormat(pf24bit);
    strip->SetSize(8 * static_cast<int>(colours.size()), 8);
    TCanvas* canvas = strip->Canvas();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        canvas->Brush()->SetColor(colours[i]);
        canvas->FillRect(Bounds(static_cast<int>(i) * 8, 0, 8, 7));
    }
    canvas->Brush()->SetColor(clOlive);
    canvas->FillRect(Rect(0, 7, strip->Width(), 8));
    return strip;
}

// What DrawImage leaves on a white 8 x 8 bitmap.
TColor DrawnAt(TButtonGlyph& glyph, TButtonState state, int x, int y) {
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(8, 8);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 8, 8));
    glyph.DrawImage(*target.Canvas(), 0, 0, state);
    return target.Canvas()->Pixels(x, y);
}

} // namespace

TEST(ButtonLayout, SideBySideTheContentIsCentredWithTheSpacingAsked) {
    const TButtonPlacement placed =
        PlaceButtonContent(Rect(0, 0, 100, 30), TSize{16, 16}, TSize{40, 12}, blGlyphLeft, -1, 4);
    EXPECT_EQ(placed.glyph.x, 20); // (100 - 16 - 4 - 40) / 2
    EXPECT_EQ(placed.glyph.y, 7);
    ExpectBounds(placed.text, 40, 9, 40, 12);

    // A fixed margin from the right with the spacing shared out; the client's corner counts.
    const TButtonPlacement right =
        PlaceButtonContent(Rect(10, 5, 110, 35), TSize{16, 16}, TSize{40, 12}, blGlyphRight, 5, -1);
    EXPECT_EQ(right.glyph.x, 10 + 79);
    EXPECT_EQ(right.text.left, 10 + 79 - 19 - 40); // spacing (100 - 5 - 16 - 40) / 2 = 19
}

TEST(ButtonLayout, AboveEachOtherMarginAndSpacingAreEqualThirds) {
    const TButtonPlacement top =
        PlaceButtonContent(Rect(0, 0, 80, 60), TSize{16, 16}, TSize{30, 12}, blGlyphTop, -1, -1);
    EXPECT_EQ(top.glyph.x, 32);
    EXPECT_EQ(top.glyph.y, 10); // (60 - 16 - 12) / 3
    ExpectBounds(top.text, 25, 36, 30, 12);

    // Without a caption the spacing counts for nothing: the glyph alone is centred.
    const TButtonPlacement bottom =
        PlaceButtonContent(Rect(0, 0, 80, 60), TSize{16, 16}, TSize{0, 0}, blGlyphBottom, -1, 4);
    EXPECT_EQ(bottom.glyph.y, 22);
}

TEST(ButtonLayout, ContentWiderThanTheButtonTruncatesTowardZero) {
    // (31 - 16 - 4 - 40) / 2 = -29 / 2: -14, not -15.
    const TButtonPlacement placed =
        PlaceButtonContent(Rect(0, 0, 31, 20), TSize{16, 16}, TSize{40, 12}, blGlyphLeft, -1, 4);
    EXPECT_EQ(placed.glyph.x, -14);
}

TEST(ButtonGlyphStrip, AStripOfSquareImagesCountsThemUpToFour) {
    TButtonGlyph glyph;
    glyph.SetGlyph(Strip({clRed, clBlue, clGreen}).get());
    EXPECT_EQ(glyph.NumGlyphs(), 3);
    EXPECT_EQ(glyph.ImageSize().cx, 8);
    glyph.SetGlyph(Strip({clRed, clRed, clRed, clRed, clRed}).get());
    EXPECT_EQ(glyph.NumGlyphs(), 1) << "five images are one wide picture";
    glyph.SetNumGlyphs(2);
    TBitmap odd;
    odd.SetSize(18, 16);
    glyph.SetGlyph(&odd);
    EXPECT_EQ(glyph.NumGlyphs(), 2) << "a strip that is no whole number of squares keeps the count";
    glyph.SetNumGlyphs(7);
    EXPECT_EQ(glyph.NumGlyphs(), 2);
    glyph.SetGlyph(nullptr);
    EXPECT_EQ(glyph.ImageSize().cx, 0);
}

TEST(ButtonGlyphStrip, EachStateDrawsItsImageOrTheFirstWithoutTheTransparentColour) {
    TButtonGlyph glyph;
    glyph.SetGlyph(Strip({clRed, clBlue}).get());
    EXPECT_EQ(DrawnAt(glyph, bsUp, 3, 3), clRed);
    EXPECT_EQ(DrawnAt(glyph, bsDisabled, 3, 3), clBlue);
    EXPECT_EQ(DrawnAt(glyph, bsDown, 3, 3), clRed) << "no clicked image: the first";
    EXPECT_EQ(DrawnAt(glyph, bsUp, 3, 7), clWhite) << "the olive row is left out";
}

TEST(ButtonGlyphStrip, AOneImageStripDrawnDisabledIsEmbossed) {
    TButtonGlyph glyph;
    auto picture = Strip({clWhite});
    picture->Canvas()->Brush()->SetColor(clOlive);
    picture->Canvas()->FillRect(Rect(0, 0, 8, 8));
    picture->Canvas()->SetPixels(2, 2, clRed);
    glyph.SetGlyph(picture.get());
    EXPECT_EQ(DrawnAt(glyph, bsDisabled, 2, 2), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(DrawnAt(glyph, bsDisabled, 3, 3), static_cast<TColor>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(DrawnAt(glyph, bsDisabled, 5, 5), clWhite) << "the background stays out";
    EXPECT_EQ(DrawnAt(glyph, bsUp, 2, 2), clRed);
}
