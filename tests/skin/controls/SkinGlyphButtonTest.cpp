// Glyph and speed buttons: the skin's faces with the glyph image of each state placed by the
// button's layout, the picture button that shows the default face only when focused, the
// embossed glyph of a disabled one-image strip, and the speed button's flat, down and hot looks
// drawn on its parent where it stands.

#include "ControlSkinFixture.h"
#include "StripFixture.h"

#include "framework/buttons/BitBtn.h"
#include "framework/buttons/SpeedButton.h"
#include "skin/controls/SkinBitButtons.h"
#include "skin/controls/SkinColours.h"

using controlskins::FrameOf;

namespace {

constexpr int GlyphSide = 16;
// The glyphs' background: their bottom-left pixel, left out when they are drawn.
constexpr COLORREF GlyphKey = RGB(0, 128, 128);

// The colour of glyph image `image` (from 1): distinct from every face frame's.
COLORREF GlyphColour(int image) {
    return RGB(200, 40 * image, 250);
}

class SkinGlyphButtonTest : public ControlSkinTest {
protected:
    // Numbered solid faces without margins: a pixel near the border tells the frame.
    void UseNumberedFaces() {
        TDataSkinButton& buttons = *skinData->Elements().Buttons;
        controlskins::MakeNumberedStrip(*buttons.Image, 5, 20, 20);
        buttons.LeftWidth = buttons.TopHeight = buttons.RightWidth = buttons.BottomHeight = 0;
        buttons.Trans = 0;
    }
    // A strip of `images` glyphs on the key colour, image i a square of GlyphColour(i) inside.
    static void MakeGlyphStrip(TBitmap& strip, int images) {
        strip.SetPixelFormat(pf24bit);
        strip.SetSize(images * GlyphSide, GlyphSide);
        HDC dc = strip.Canvas()->Handle();
        FillColor(dc, RECT{0, 0, images * GlyphSide, GlyphSide}, static_cast<TColor>(GlyphKey));
        for (int image = 1; image <= images; ++image) {
            const int left = (image - 1) * GlyphSide;
            FillColor(dc, RECT{left + 2, 2, left + GlyphSide - 2, GlyphSide - 2},
                      static_cast<TColor>(GlyphColour(image)));
        }
    }
    // The glyph image whose colour a pixel shows; 0 for none.
    static int GlyphOf(COLORREF pixel) {
        for (int image = 1; image <= 4; ++image)
            if (GlyphColour(image) == pixel)
                return image;
        return 0;
    }
    TBitBtn* NewBitButton(TForm* form, int images, TButtonLayout layout = blGlyphLeft) {
        auto* button = Add<TBitBtn>(form, 20, 20 + 50 * form->ControlCount(), 120, 40);
        button->SetCaption("确定");
        TBitmap strip;
        MakeGlyphStrip(strip, images);
        button->SetGlyph(&strip);
        button->SetNumGlyphs(images);
        button->SetLayout(layout);
        button->SetMargin(4);
        button->SetSpacing(4);
        return button;
    }
    TSpeedButton* NewSpeedButton(TForm* form, int images) {
        auto* button = new TSpeedButton(form);
        button->SetParent(form);
        button->SetBounds(20 + 70 * (form->ControlCount() - 1), 150, 60, 30);
        TBitmap strip;
        MakeGlyphStrip(strip, images);
        button->SetGlyph(&strip);
        button->SetNumGlyphs(images);
        button->SetMargin(4);
        return button;
    }
    TSkinSpeedButton* SpeedSkinOf(TSpeedButton* button) {
        auto* skin = new TSkinSpeedButton(button);
        skin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
        Pump();
        return skin;
    }
    // A pixel of a window-less control, at a point of its own.
    static COLORREF PixelOf(TControl* control, int x, int y) {
        const TPoint at = control->ClientToScreen(Point(x, y));
        return platform::headless::ReadScreenPixel(at.x, at.y);
    }
    static void MoveTo(TControl* control, int x, int y) {
        const TPoint at = control->ClientToScreen(Point(x, y));
        platform::headless::MoveMouse(at.x, at.y);
    }
};

TEST_F(SkinGlyphButtonTest, GlyphBesideTheCaptionShowsTheImageOfEachState) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TBitBtn* button = NewBitButton(form, 3);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SkinOf<TSkinBitButton>(button);
    // Margin 4 from the left edge, centred across.
    const int glyphX = 4 + GlyphSide / 2, glyphY = (40 - GlyphSide) / 2 + GlyphSide / 2;
    EXPECT_EQ(FrameOf(Pixel(button, 2, 2), 5), bfNormal);
    EXPECT_EQ(GlyphOf(Pixel(button, glyphX, glyphY)), 1);
    EXPECT_EQ(FrameOf(Pixel(button, 4, (40 - GlyphSide) / 2), 5), bfNormal) << "the glyph's key is left out";
    const TPoint at = button->ClientToScreen(Point(100, 5));
    platform::headless::PressButton(at.x, at.y);
    Pump();
    EXPECT_EQ(FrameOf(Pixel(button, 2, 2), 5), bfPressed);
    EXPECT_EQ(GlyphOf(Pixel(button, glyphX, glyphY)), 3) << "the pressed image";
    platform::headless::ReleaseButton(at.x, at.y);
    Pump();
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    Pump();
    EXPECT_EQ(FrameOf(Pixel(button, 2, 2), 5), bfDisabled);
    EXPECT_EQ(GlyphOf(Pixel(button, glyphX, glyphY)), 2) << "the disabled image";
}

TEST_F(SkinGlyphButtonTest, LayoutsPlaceTheGlyphAtTheirEdge) {
    UseNumberedFaces();
    TForm* form = NewForm(320, 300);
    TBitBtn* right = NewBitButton(form, 1, blGlyphRight);
    TBitBtn* top = NewBitButton(form, 1, blGlyphTop);
    TBitBtn* bottom = NewBitButton(form, 1, blGlyphBottom);
    for (TBitBtn* button : {right, top, bottom})
        SkinOf<TSkinBitButton>(button);
    const int middleY = (40 - GlyphSide) / 2 + GlyphSide / 2;
    EXPECT_EQ(GlyphOf(Pixel(right, 120 - 4 - GlyphSide / 2, middleY)), 1);
    EXPECT_EQ(GlyphOf(Pixel(right, 4 + GlyphSide / 2, middleY)), 0);
    const int middleX = (120 - GlyphSide) / 2 + GlyphSide / 2;
    EXPECT_EQ(GlyphOf(Pixel(top, middleX, 4 + GlyphSide / 2)), 1);
    EXPECT_EQ(GlyphOf(Pixel(bottom, middleX, 40 - 4 - GlyphSide / 2)), 1);
}

TEST_F(SkinGlyphButtonTest, PictureButtonShowsTheDefaultFaceOnlyWhenFocused) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TBitBtn* glyphButton = NewBitButton(form, 3);
    TBitBtn* pictureButton = NewBitButton(form, 3);
    glyphButton->SetDefault(true);
    pictureButton->SetDefault(true);
    SkinOf<TSkinBitButton>(glyphButton);
    auto* pictureSkin = new TSkinBitButton(pictureButton);
    pictureSkin->SetPictureProperty("Glyph");
    pictureSkin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
    Pump();
    EXPECT_EQ(FrameOf(Pixel(glyphButton, 2, 2), 5), bfDefault);
    EXPECT_EQ(FrameOf(Pixel(pictureButton, 2, 2), 5), bfNormal) << "default alone is no reason";
    // The whole picture is drawn, its three squares side by side.
    const int y = (40 - GlyphSide) / 2 + GlyphSide / 2;
    EXPECT_EQ(GlyphOf(Pixel(pictureButton, 4 + GlyphSide / 2, y)), 1);
    EXPECT_EQ(GlyphOf(Pixel(pictureButton, 4 + GlyphSide * 2 + GlyphSide / 2, y)), 3);
    pictureButton->SetFocus();
    Pump();
    EXPECT_EQ(FrameOf(Pixel(pictureButton, 2, 2), 5), bfDefault);
}

TEST_F(SkinGlyphButtonTest, DisabledOneImageGlyphIsEmbossed) {
    TForm* form = NewForm();
    TBitBtn* button = NewBitButton(form, 1);
    button->SetEnabled(false);
    SkinOf<TSkinBitButton>(button);
    const int x = 4 + GlyphSide / 2, y = (40 - GlyphSide) / 2 + GlyphSide / 2;
    EXPECT_EQ(Pixel(button, x, y), ColorToRGB(clBtnShadow)) << "the shape in the shadow colour";
    EXPECT_EQ(Pixel(button, 4 + GlyphSide - 2, (40 - GlyphSide) / 2 + GlyphSide - 2),
              ColorToRGB(clBtnHighlight))
        << "its highlight a pixel down and right";
}

TEST_F(SkinGlyphButtonTest, FlatSpeedButtonShowsNoFaceUntilHovered) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TSpeedButton* button = NewSpeedButton(form, 1);
    button->SetFlat(true);
    TSkinSpeedButton* skin = SpeedSkinOf(button);
    EXPECT_EQ(PixelOf(button, 2, 2), Background()) << "a flat idle button shows its background";
    EXPECT_EQ(GlyphOf(PixelOf(button, 4 + GlyphSide / 2, 15)), 1);
    MoveTo(button, 30, 5);
    Pump();
    EXPECT_EQ(FrameOf(PixelOf(button, 2, 2), 5), bfHot);
    MoveTo(button, 300, 5);
    Pump();
    EXPECT_EQ(PixelOf(button, 2, 2), Background());
    EXPECT_EQ(skin->LastFace(), bfNormal);
}

TEST_F(SkinGlyphButtonTest, TransparentSpeedButtonShowsItsParentBehindAFlatFace) {
    UseNumberedFaces();
    TForm* form = NewForm();
    form->SetColor(clLime);
    TSpeedButton* button = NewSpeedButton(form, 1);
    button->SetFlat(true);
    button->SetTag(5555);
    SpeedSkinOf(button);
    EXPECT_EQ(PixelOf(button, 2, 2), ColorToRGB(clLime));
    EXPECT_EQ(GlyphOf(PixelOf(button, 4 + GlyphSide / 2, 15)), 1) << "drawn once, over the parent";
    MoveTo(button, 30, 5);
    Pump();
    EXPECT_EQ(FrameOf(PixelOf(button, 2, 2), 5), bfHot);
}

TEST_F(SkinGlyphButtonTest, SpeedButtonPressedDownAndDisabledFacesWithTheirGlyphs) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TSpeedButton* button = NewSpeedButton(form, 4);
    TSpeedButton* down = NewSpeedButton(form, 4);
    TSpeedButton* disabled = NewSpeedButton(form, 4);
    down->SetGroupIndex(1);
    down->SetDown(true);
    disabled->SetEnabled(false);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    for (TSpeedButton* each : {button, down, disabled})
        SpeedSkinOf(each);
    const int glyphX = 4 + GlyphSide / 2;
    EXPECT_EQ(FrameOf(PixelOf(button, 2, 2), 5), bfNormal) << "not flat: the face shows idle";
    EXPECT_EQ(FrameOf(PixelOf(down, 2, 2), 5), bfPressed);
    EXPECT_EQ(GlyphOf(PixelOf(down, glyphX, 15)), 4) << "the held-down image";
    EXPECT_EQ(FrameOf(PixelOf(disabled, 2, 2), 5), bfDisabled);
    EXPECT_EQ(GlyphOf(PixelOf(disabled, glyphX, 15)), 2);
    const TPoint at = button->ClientToScreen(Point(50, 5));
    platform::headless::MoveMouse(at.x, at.y);
    platform::headless::PressButton(at.x, at.y);
    Pump();
    EXPECT_EQ(FrameOf(PixelOf(button, 2, 2), 5), bfPressed);
    EXPECT_EQ(GlyphOf(PixelOf(button, glyphX, 15)), 3);
    platform::headless::ReleaseButton(at.x, at.y);
    Pump();
    EXPECT_EQ(clicks, 1) << "the button's own click";
    EXPECT_EQ(FrameOf(PixelOf(button, 2, 2), 5), bfHot);
}

TEST_F(SkinGlyphButtonTest, SpeedButtonLeavesItsWindowProcBehindWhenTheSkinGoes) {
    TForm* form = NewForm();
    TSpeedButton* button = NewSpeedButton(form, 1);
    const TWndMethod own = button->WindowProc();
    TSkinSpeedButton* skin = SpeedSkinOf(button);
    EXPECT_FALSE(button->WindowProc() == own);
    EXPECT_EQ(skinForm->FindSkinControl(button), skin);
    delete skin;
    EXPECT_TRUE(button->WindowProc() == own);
    EXPECT_EQ(skinForm->FindSkinControl(button), nullptr);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->Click();
    EXPECT_EQ(clicks, 1);
}

} // namespace
