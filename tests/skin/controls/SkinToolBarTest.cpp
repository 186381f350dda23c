// The tool-bar painters on the framework's tool bar: the frame each button state takes, the
// background stretched from the skin's tool-bar image unless the options keep the bar's own, the
// hot button's face from the skin's strip, and events the program set itself left alone.

#include "ControlSkinFixture.h"

#include "framework/comctrls/ToolBar.h"
#include "skin/controls/SkinToolBar.h"

namespace {

class SkinToolBarTest : public ControlSkinTest {
protected:
    TToolBar* NewBar(TForm* form) {
        auto* bar = new TToolBar(form);
        bar->SetParent(form);
        bar->SetFlat(true);
        bar->SetShowCaptions(true);
        for (const char* caption : {"打开", "保存", "刷新"}) {
            auto* button = new TToolButton(form);
            button->SetCaption(caption);
            button->SetParent(bar);
        }
        return bar;
    }
    TDataSkinObject& Strip() { return *skinData->Elements().ToolBars; }
    COLORREF StripFaceAt(int frame, int width, int height, int x, int y) const {
        const TDataSkinObject& strip = *Skin().ToolBars;
        auto face = Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, clFuchsia);
            TSkinFrameStyle style;
            style.margins = {strip.LeftWidth, strip.TopHeight, strip.RightWidth, strip.BottomHeight};
            style.tileCentre = strip.Tile == 1;
            style.transparent = strip.Trans != 0;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, *strip.Image, frame, 5, false, style);
        });
        return PictureAt(*face, x, y);
    }
};

TEST(SkinToolBarFrames, SelectedHotAndDefaultButtonsTakeTheirFrames) {
    EXPECT_EQ(TSkinToolBarPainter::FrameFor(TCustomDrawState{cdsSelected, cdsHot}), 2);
    EXPECT_EQ(TSkinToolBarPainter::FrameFor(TCustomDrawState{cdsHot}), 4);
    EXPECT_EQ(TSkinToolBarPainter::FrameFor(TCustomDrawState{cdsFocused}), 4);
    EXPECT_EQ(TSkinToolBarPainter::FrameFor(TCustomDrawState{cdsDefault}), 1);
    EXPECT_EQ(TSkinToolBarPainter::FrameFor(TCustomDrawState{cdsDefault, cdsDisabled}), 0);
    EXPECT_EQ(TSkinToolBarPainter::FrameFor(TCustomDrawState{cdsDefault, cdsGrayed}), 0);
    EXPECT_EQ(TSkinToolBarPainter::FrameFor(TCustomDrawState{}), 0);
}

TEST_F(SkinToolBarTest, TheBackgroundIsStretchedFromTheSkinUnlessTheOptionsKeepTheBarsOwn) {
    TForm* form = NewForm(300, 120);
    TToolBar* bar = NewBar(form);
    TSkinToolBarPainter painter(skinData.get());
    painter.Attach(bar);
    ASSERT_TRUE(skinData->Options().Contains(xoToolbarBK)) << "kept by default";
    skinData->SetOptions(skinData->Options() - TSkinOptions{xoToolbarBK});
    bar->Invalidate();
    Pump();
    const TBitmap& image = *Skin().Toolbar->Image;
    auto stretched = Picture(bar->Width(), bar->Height(), [&](HDC dc) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, bar->Width(), bar->Height(), const_cast<TBitmap&>(image).Canvas()->Handle(), 0,
                   0, image.Width(), image.Height(), SRCCOPY);
    });
    EXPECT_EQ(Pixel(bar, bar->Width() - 3, 2), PictureAt(*stretched, bar->Width() - 3, 2));
    EXPECT_EQ(Pixel(bar, bar->Width() - 3, bar->Height() - 3),
              PictureAt(*stretched, bar->Width() - 3, bar->Height() - 3));
    EXPECT_NE(PictureAt(*stretched, 3, 2), PictureAt(*stretched, 3, bar->Height() - 3)) << "a gradient";
}

TEST_F(SkinToolBarTest, TheHotButtonWearsTheSkinsFace) {
    TForm* form = NewForm(300, 120);
    TToolBar* bar = NewBar(form);
    TSkinToolBarPainter painter(skinData.get());
    painter.Attach(bar);
    Pump();
    TToolButton* button = bar->Buttons(1);
    const TRect bounds = button->BoundsRect();
    POINT at{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(bar->Handle(), &at);
    platform::headless::MoveMouse(at.x, at.y);
    Pump();
    const int width = bounds.right - bounds.left - 2;
    const int height = bounds.bottom - bounds.top - 2;
    const COLORREF corner = StripFaceAt(4, width, height, width / 2, 0);
    ASSERT_NE(corner, RGB(255, 0, 255));
    EXPECT_EQ(Pixel(bar, bounds.left + 1 + width / 2, bounds.top + 1), corner) << "frame 4 inside the bounds";

    skinData->SetOptions(skinData->Options() + TSkinOptions{xoToolbarButton});
    bar->Invalidate();
    Pump();
    EXPECT_NE(Pixel(bar, bounds.left + 1 + width / 2, bounds.top + 1), corner) << "the bar's own face";
}

TEST_F(SkinToolBarTest, EventsTheProgramSetAreLeftAlone) {
    TForm* form = NewForm(300, 120);
    TToolBar* bar = NewBar(form);
    int calls = 0;
    bar->OnCustomDraw = [&](TToolBar*, const TRect&, bool&) { ++calls; };
    TSkinToolBarPainter painter(skinData.get());
    painter.Attach(bar);
    EXPECT_TRUE(bar->OnCustomDrawButton != nullptr);
    bar->Invalidate();
    Pump();
    EXPECT_GT(calls, 0);
}

} // namespace
