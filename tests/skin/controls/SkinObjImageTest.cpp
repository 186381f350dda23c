// Check and radio boxes of other libraries that take a glyph strip of their own: the strip built
// from the skin's frames in the cells such a control wants, handed over by property name with
// the control made to load it, and taken back on unskinning.

#include "ControlSkinFixture.h"
#include "ForeignChecks.h"
#include "StripFixture.h"

#include "skin/controls/SkinObjImage.h"

using controlskins::FrameColour;
using controlskins::TForeignCheck;
using controlskins::TForeignOptionsCheck;

namespace {

class SkinObjImageTest : public ControlSkinTest {
protected:
    void UseStrips(int checkFrames, int radioFrames) {
        TDataSkinButton& buttons = *skinData->Elements().Buttons;
        controlskins::MakeNumberedStrip(*buttons.CheckButton, checkFrames, 13, 13);
        buttons.CheckButtonFrame = checkFrames;
        controlskins::MakeNumberedStrip(*buttons.RadioButton, radioFrames, 13, 13);
        buttons.RadioButtonFrame = radioFrames;
    }
    template <typename Control>
    TSkinObjImage* Attach(Control* control, TForeignGlyphKind kind) {
        auto* skin = new TSkinObjImage(control, kind);
        skin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
        return skin;
    }
    // The colour in the middle of each 13-pixel cell.
    static std::vector<COLORREF> CellColours(TBitmap& strip) {
        std::vector<COLORREF> colours;
        for (int x = 6; x < strip.Width(); x += 13)
            colours.push_back(GetPixel(strip.Canvas()->Handle(), x, 6));
        return colours;
    }
};

constexpr COLORREF Magenta = RGB(255, 0, 255);

TEST_F(SkinObjImageTest, CheckBoxGetsNineCellsAndLoadsThemThenItsOwnGlyphsBack) {
    UseStrips(5, 4);
    TForm* form = NewForm();
    auto* check = Add<TForeignCheck>(form, 10, 10, 100, 20);
    TSkinObjImage* skin = Attach(check, fgCheckCustomGlyphs);
    EXPECT_EQ(check->loads, 1) << "switched off and on to load the strip";
    EXPECT_TRUE(check->UseCustomGlyphs());
    EXPECT_EQ(check->TransparentColor(), 0xFF00FF);
    const std::vector<COLORREF> cells = CellColours(*check->CustomGlyphs());
    const std::vector<COLORREF> expected{FrameColour(1), FrameColour(2), FrameColour(5),
                                         FrameColour(1), FrameColour(2), FrameColour(5),
                                         FrameColour(3), FrameColour(4), FrameColour(5)};
    EXPECT_EQ(cells, expected);
    skin->Unskin();
    EXPECT_FALSE(check->UseCustomGlyphs());
}

TEST_F(SkinObjImageTest, FifthFrameCellsStayEmptyUnlessTheStripHasExactlyFiveFrames) {
    UseStrips(12, 8);
    TForm* form = NewForm();
    auto* check = Add<TForeignCheck>(form, 10, 10, 100, 20);
    Attach(check, fgCheckCustomGlyphs);
    const std::vector<COLORREF> cells = CellColours(*check->CustomGlyphs());
    ASSERT_EQ(cells.size(), 9u);
    EXPECT_EQ(cells[0], FrameColour(1));
    EXPECT_EQ(cells[2], Magenta) << "left out: shows nothing";
    EXPECT_EQ(cells[8], Magenta);
}

TEST_F(SkinObjImageTest, RadioBoxGetsSixCellsOfTheRadioStrip) {
    UseStrips(5, 4);
    TForm* form = NewForm();
    auto* radio = Add<TForeignCheck>(form, 10, 10, 100, 20);
    Attach(radio, fgRadioCustomGlyphs);
    const std::vector<COLORREF> expected{FrameColour(1), FrameColour(2), FrameColour(1),
                                         FrameColour(2), FrameColour(3), FrameColour(4)};
    EXPECT_EQ(CellColours(*radio->CustomGlyphs()), expected);
}

TEST_F(SkinObjImageTest, OptionsGlyphIsSetKeyedOnMagentaAndClearedOnUnskin) {
    UseStrips(5, 4);
    TForm* form = NewForm();
    auto* check = Add<TForeignOptionsCheck>(form, 10, 10, 100, 20);
    TSkinObjImage* skin = Attach(check, fgCheckPropertiesGlyph);
    TBitmap* glyph = check->Properties()->glyph;
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->Width(), 6 * 13);
    EXPECT_EQ(glyph->TransparentColor(), clFuchsia);
    EXPECT_FALSE(glyph->Transparent());
    skin->Unskin();
    EXPECT_EQ(check->Properties()->glyph, nullptr);
}

} // namespace
