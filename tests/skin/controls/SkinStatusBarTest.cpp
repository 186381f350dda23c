// The skinned status bar: panel faces from the skin's three frames by bevel, the last panel
// reaching the bar's end, texts in the skin's colour with their alignment, the simple text (a
// frame even when it is empty), the size grip from the glyph strip, and owner-drawn panels
// handed to their owner inside the skin's face.

#include "ControlSkinFixture.h"

#include "framework/comctrls/StatusBar.h"
#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinStatusBar.h"

namespace {

class SkinStatusBarTest : public ControlSkinTest {
protected:
    TStatusBar* NewStatusBar(TForm* form) {
        auto* bar = new TStatusBar(form);
        bar->SetParent(form);
        return bar;
    }
    TStatusPanel* AddPanel(TStatusBar* bar, int width, TStatusPanelBevel bevel, const std::string& text = "",
                           TAlignment alignment = taLeftJustify) {
        TStatusPanel* panel = bar->Panels()->Add();
        panel->SetWidth(width);
        panel->SetBevel(bevel);
        panel->SetText(text);
        panel->SetAlignment(alignment);
        return panel;
    }
    TSkinStatusBar* Skinned(TStatusBar* bar) {
        TSkinStatusBar* skin = SkinOf<TSkinStatusBar>(bar);
        bar->Invalidate();
        Pump();
        return skin;
    }
    static RECT PanelRect(TStatusBar* bar, int index) {
        RECT r{};
        SendMessageW(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The frame of the status bar strip drawn over a panel of the size, at a point of it.
    COLORREF FaceAt(int frame, int width, int height, int x, int y) const {
        auto face = ElementFrame(*Skin().StatusBarEdges, frame, 3, width, height, Skin().Colours[3]);
        return PictureAt(*face, x, y);
    }
    // Pixels of the area in the colour.
    static int Count(TWinControl* control, const RECT& area, COLORREF colour) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += Pixel(control, x, y) == colour ? 1 : 0;
        return count;
    }
    COLORREF TextColour() const {
        const TDataSkinObject& edges = *Skin().StatusBarEdges;
        return ColorToRGB(edges.NormalColour != -1 ? static_cast<TColor>(edges.NormalColour)
                                                   : SkinnedSystemColour(Skin(), clWindowText));
    }
};

TEST_F(SkinStatusBarTest, PanelsWearTheFrameOfTheirBevelAndTheLastReachesTheEnd) {
    TForm* form = NewForm(400, 200);
    TStatusBar* bar = NewStatusBar(form);
    bar->SetSizeGrip(false);
    AddPanel(bar, 100, pbLowered, "one");
    AddPanel(bar, 100, pbRaised, "two");
    AddPanel(bar, 100, pbNone, "three");
    Skinned(bar);
    ASSERT_TRUE(Skin().StatusBarEdges);
    const int height = bar->Height();
    const RECT first = PanelRect(bar, 0);
    const int width = first.right + 2 - first.left;
    EXPECT_EQ(Pixel(bar, first.left, first.top), FaceAt(1, width, first.bottom - first.top, 0, 0))
        << "lowered";
    EXPECT_EQ(Pixel(bar, first.left + width - 1, first.bottom - 1),
              FaceAt(1, width, first.bottom - first.top, width - 1, first.bottom - first.top - 1));
    const RECT second = PanelRect(bar, 1);
    EXPECT_EQ(Pixel(bar, second.left, second.top), FaceAt(2, width, second.bottom - second.top, 0, 0))
        << "raised";
    const RECT third = PanelRect(bar, 2);
    const int lastWidth = bar->Width() - third.left;
    EXPECT_EQ(Pixel(bar, bar->Width() - 1, third.top),
              FaceAt(3, lastWidth, third.bottom - third.top, lastWidth - 1, 0))
        << "the last panel's right edge at the bar's end";
    EXPECT_GT(Count(bar, RECT{first.left, 0, first.left + 40, height}, TextColour()), 5) << "its text";
}

TEST_F(SkinStatusBarTest, AlignedTextsKeepToTheirSide) {
    TForm* form = NewForm(400, 200);
    TStatusBar* bar = NewStatusBar(form);
    bar->SetSizeGrip(false);
    AddPanel(bar, 120, pbLowered, "left");
    AddPanel(bar, 120, pbLowered, "mid", taCenter);
    AddPanel(bar, 120, pbLowered, "right", taRightJustify);
    Skinned(bar);
    const int height = bar->Height();
    const COLORREF text = TextColour();
    const RECT middle = PanelRect(bar, 1);
    const RECT right = PanelRect(bar, 2);
    EXPECT_GT(Count(bar, RECT{middle.left + 45, 0, middle.left + 75, height}, text), 5);
    EXPECT_EQ(Count(bar, RECT{middle.left + 3, 0, middle.left + 30, height}, text), 0)
        << "nothing at the left";
    EXPECT_GT(Count(bar, RECT{bar->Width() - 30, 0, bar->Width() - 2, height}, text), 5);
    EXPECT_EQ(Count(bar, RECT{right.left + 3, 0, right.left + 40, height}, text), 0);
}

TEST_F(SkinStatusBarTest, EmptySimpleTextStillShowsTheFrame) {
    TForm* form = NewForm(400, 200);
    TStatusBar* bar = NewStatusBar(form);
    bar->SetSizeGrip(false);
    AddPanel(bar, 100, pbRaised, "hidden");
    bar->SetSimplePanel(true);
    Skinned(bar);
    const int width = bar->Width();
    const int height = bar->Height();
    EXPECT_EQ(Pixel(bar, 0, 0), FaceAt(1, width, height, 0, 0)) << "the lowered frame over the whole bar";
    EXPECT_EQ(Pixel(bar, width - 1, height - 1), FaceAt(1, width, height, width - 1, height - 1));
    EXPECT_EQ(Count(bar, RECT{0, 0, width, height}, TextColour()), 0) << "no panel text shows";

    bar->SetSimpleText("simple");
    Pump();
    EXPECT_GT(Count(bar, RECT{0, 0, 60, height}, TextColour()), 5);
}

TEST_F(SkinStatusBarTest, TheSizeGripIsTheLastFrameOfTheGlyphStrip) {
    TForm* form = NewForm(400, 200);
    TStatusBar* bar = NewStatusBar(form);
    bar->SetSizeGrip(true);
    AddPanel(bar, 100, pbLowered, "one");
    Skinned(bar);
    const TDataSkinObject& glyphs = *Skin().ExtraImages;
    const RECT frame = SkinFrameRect(glyphs.Image->Width(), glyphs.Image->Height(), 5, 5, false);
    const int gripWidth = frame.right - frame.left;
    const int gripHeight = frame.bottom - frame.top;
    const int left = bar->Width() - 1 - gripWidth;
    const int top = bar->Height() - 1 - gripHeight;
    int shown = 0;
    int drawn = 0;
    for (int y = 0; y < gripHeight; ++y) {
        for (int x = 0; x < gripWidth; ++x) {
            const COLORREF source = PictureAt(*glyphs.Image, frame.left + x, frame.top + y);
            if (source == RGB(255, 0, 255))
                continue;
            ++drawn;
            shown += Pixel(bar, left + x, top + y) == source ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(shown, drawn) << "keyed, one pixel in from the corner";
}

TEST_F(SkinStatusBarTest, OwnerDrawnPanelsAreLeftToTheirOwnerInsideTheFace) {
    TForm* form = NewForm(400, 200);
    TStatusBar* bar = NewStatusBar(form);
    bar->SetSizeGrip(false);
    AddPanel(bar, 100, pbLowered, "text");
    TStatusPanel* drawn = AddPanel(bar, 100, pbLowered);
    drawn->SetStyle(psOwnerDraw);
    std::vector<TRect> asked;
    bar->OnDrawPanel = [&](TCustomStatusBar* statusBar, TStatusPanel* panel, const TRect& rect) {
        EXPECT_EQ(panel, drawn);
        asked.push_back(rect);
        statusBar->Canvas()->Brush()->SetColor(clRed);
        statusBar->Canvas()->FillRect(rect);
    };
    Skinned(bar);
    ASSERT_FALSE(asked.empty());
    const RECT panel = PanelRect(bar, 1);
    EXPECT_EQ(asked.back().left, panel.left + 2);
    EXPECT_EQ(asked.back().top, panel.top + 2);
    EXPECT_EQ(Pixel(bar, panel.left + 10, (panel.top + panel.bottom) / 2), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(bar, panel.left, panel.top),
              FaceAt(1, panel.right + 2 - panel.left, panel.bottom - panel.top, 0, 0))
        << "the skin's face around it";
}

} // namespace
