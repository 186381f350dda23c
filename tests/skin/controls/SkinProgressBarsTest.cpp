// The skinned progress and track bars: the progress track and fill from the skin's frames at
// nothing, half and everything, upright bars filling upwards, the chunked style, the system's
// look kept without a progress image; the track bar's channel and thumb drawn by the skin
// through the bar's custom drawing while its tick marks stay the bar's own.

#include "ControlSkinFixture.h"
#include "StripFixture.h"

#include "framework/comctrls/ProgressBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/controls/Messages.h"
#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/SkinProgressBars.h"
#include "skin/data/ImgUtilBitmaps.h"

namespace {

using controlskins::FrameColour;
using controlskins::FrameOf;
using controlskins::MakeNumberedStrip;

class SkinProgressBarsTest : public ControlSkinTest {
protected:
    TProgressBar* NewBar(TForm* form, int position, bool vertical = false) {
        auto* bar = Add<TProgressBar>(form, 20, 20, 150, 22);
        if (vertical) {
            bar->SetOrientation(pbVertical);
            bar->SetBounds(20, 20, 22, 150);
        }
        bar->SetPosition(position);
        SkinOf<TSkinProgress>(bar);
        bar->Invalidate();
        Pump();
        return bar;
    }

    // The progress bar as the skin's frames make it: the track, and the fill over `filled`
    // pixels of it, laid horizontally.
    std::unique_ptr<TBitmap> ExpectedBar(int length, int thickness, int filled) const {
        TDataSkinBorder& progress = *Skin().Progress;
        return Picture(length, thickness, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, length, thickness}, Skin().Colours[3]);
            TSkinFrameStyle style;
            style.margins = {progress.LeftWidth, progress.TopHeight, progress.RightWidth,
                             progress.BottomHeight};
            style.tileCentre = progress.Tile == 1;
            style.transparent = true;
            DrawSkinFrame(dc, RECT{0, 0, length, thickness}, *progress.Image, 1, 2, false, style);
            if (filled > 0)
                DrawSkinFrame(dc, RECT{0, 0, filled, thickness}, *progress.Image, 2, 2, false, style);
        });
    }

    // Pixels of the window that differ from the picture.
    static int Differences(HWND window, TBitmap& expected) {
        int differing = 0;
        for (int y = 0; y < expected.Height(); ++y)
            for (int x = 0; x < expected.Width(); ++x)
                differing += Pixel(window, x, y) == PictureAt(expected, x, y) ? 0 : 1;
        return differing;
    }
};

TEST(FilledLengthTest, NothingAtTheStartEverythingAtTheEndAndNothingInAnEmptyRange) {
    EXPECT_EQ(FilledLength(150, 0, 0, 100), 0);
    EXPECT_EQ(FilledLength(150, 50, 0, 100), 75);
    EXPECT_EQ(FilledLength(150, 100, 0, 100), 150);
    EXPECT_EQ(FilledLength(150, 250, 0, 100), 150) << "never past the bar";
    EXPECT_EQ(FilledLength(150, -10, -20, 0), 75) << "a range below zero fills from its own start";
    EXPECT_EQ(FilledLength(150, 5, 5, 5), 0) << "an empty range divides by nothing";
    EXPECT_EQ(FilledLength(0, 50, 0, 100), 0);
}

TEST_F(SkinProgressBarsTest, TrackAloneAtZeroFillAtTheMaximumAndHalfWayBetween) {
    TForm* form = NewForm();
    ASSERT_TRUE(Skin().Progress && !Skin().Progress->Image->Empty());
    TProgressBar* empty = NewBar(form, 0);
    EXPECT_EQ(Differences(empty->Handle(), *ExpectedBar(150, 22, 0)), 0) << "only the track at 0";

    empty->SetPosition(100);
    Pump();
    EXPECT_EQ(Differences(empty->Handle(), *ExpectedBar(150, 22, 150)), 0) << "filled at the maximum";

    empty->SetPosition(50);
    Pump();
    EXPECT_EQ(Differences(empty->Handle(), *ExpectedBar(150, 22, 75)), 0);
    EXPECT_NE(Pixel(empty, 40, 11), Pixel(empty, 110, 11)) << "the fill differs from the track";
}

TEST_F(SkinProgressBarsTest, AnUprightBarFillsUpwards) {
    TForm* form = NewForm();
    TProgressBar* bar = NewBar(form, 100, true);
    std::unique_ptr<TBitmap> full = ExpectedBar(150, 22, 150);
    RotateLeft(*full);
    EXPECT_EQ(Differences(bar->Handle(), *full), 0);

    bar->SetPosition(50);
    Pump();
    std::unique_ptr<TBitmap> half = ExpectedBar(150, 22, 75);
    RotateLeft(*half);
    EXPECT_EQ(Differences(bar->Handle(), *half), 0);
    EXPECT_EQ(Pixel(bar, 11, 140), PictureAt(*full, 11, 140)) << "the bottom is filled";
    EXPECT_NE(Pixel(bar, 11, 10), PictureAt(*full, 11, 10)) << "the top is not";
}

TEST_F(SkinProgressBarsTest, ChunkedStyle_ChunksFillTheTrackFromItsInset) {
    TForm* form = NewForm();
    TDataSkinBorder& progress = *skinData->Elements().Progress;
    progress.Style = 1;
    progress.Trans = 0;
    progress.LeftWidth = progress.TopHeight = progress.RightWidth = progress.BottomHeight = 0;
    MakeNumberedStrip(*progress.Image, 1, 10, 10);
    TDataSkinObject& chunk = *skinData->Elements().ProgressChunk;
    MakeNumberedStrip(*chunk.Image, 1, 6, 10);
    chunk.Tile = 0;
    chunk.Trans = 0;
    chunk.LeftWidth = chunk.TopHeight = chunk.RightWidth = chunk.BottomHeight = 0;
    TProgressBar* bar = NewBar(form, 50);
    const int filled = FilledLength(150 - 4, 50, 0, 100);
    EXPECT_EQ(FrameOf(Pixel(bar, 1, 11), 1), 1) << "the track's edge";
    EXPECT_EQ(Pixel(bar, 2, 11), FrameColour(1)) << "the chunk colour, the same strip colour";
    EXPECT_EQ(Pixel(bar, 2 + filled + 1, 11), FrameColour(1));
    EXPECT_EQ(Pixel(bar, 10, 1), FrameColour(1)) << "the chunk keeps 2 pixels off the top";

    // The chunk in a colour of its own, tiled.
    MakeNumberedStrip(*chunk.Image, 2, 6, 10);
    chunk.Image->SetSize(6, 10);
    HBRUSH brush = CreateSolidBrush(FrameColour(3));
    RECT all{0, 0, 6, 10};
    FillRect(chunk.Image->Canvas()->Handle(), &all, brush);
    DeleteObject(brush);
    chunk.Tile = 1;
    bar->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(bar, 2 + 1, 11), FrameColour(3));
    EXPECT_EQ(Pixel(bar, 2 + filled - 1, 11), FrameColour(3)) << "the last chunk cut at the fill's end";
    EXPECT_EQ(Pixel(bar, 2 + filled + 1, 11), FrameColour(1)) << "the track beyond it";
    EXPECT_EQ(Pixel(bar, 3, 6), FrameColour(3)) << "centred: rows 6 to 15 of 22";
    EXPECT_EQ(Pixel(bar, 3, 15), FrameColour(3));
    EXPECT_EQ(Pixel(bar, 3, 5), FrameColour(1));
    EXPECT_EQ(Pixel(bar, 3, 16), FrameColour(1));
}

TEST_F(SkinProgressBarsTest, WithoutAProgressImageTheBarDrawsItself) {
    skinData->Elements().Progress.reset();
    TForm* form = NewForm();
    TProgressBar* bar = NewBar(form, 100);
    bar->SetSmooth(true);
    Pump();
    EXPECT_EQ(Pixel(bar, 75, 11), GetSysColor(COLOR_HIGHLIGHT));
}

class SkinTrackBarTest : public ControlSkinTest {
protected:
    TTrackBar* NewTrackBar(TForm* form, bool vertical = false) {
        auto* bar = Add<TTrackBar>(form, 20, 20, 160, 40);
        if (vertical) {
            bar->SetOrientation(trVertical);
            bar->SetBounds(20, 20, 40, 160);
        }
        bar->SetMax(10);
        bar->SetPosition(5);
        bar->SetTickStyle(tsAuto);
        SkinOf<TSkinTrackBar>(bar);
        bar->Invalidate();
        Pump();
        return bar;
    }
    static RECT Thumb(TTrackBar* bar) {
        RECT r{};
        SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    static RECT Channel(TTrackBar* bar) {
        RECT r{};
        SendMessageW(bar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The frame `frame` of a strip stretched to the size, keyed over magenta.
    std::unique_ptr<TBitmap> Stretched(const TDataSkinObject& element, int frame, int frames, int width,
                                       int height) const {
        return Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, clFuchsia);
            TSkinFrameStyle style;
            style.transparent = true;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, *element.Image, frame, frames, false, style);
        });
    }
    // Pixels of the rectangle that show the picture (its magenta pixels left out), and all
    // pixels the picture covers.
    static std::pair<int, int> Matching(TTrackBar* bar, const RECT& at, TBitmap& picture) {
        int matching = 0;
        int covered = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                const COLORREF expected = PictureAt(picture, x, y);
                if (expected == RGB(255, 0, 255))
                    continue;
                ++covered;
                matching += Pixel(bar, at.left + x, at.top + y) == expected ? 1 : 0;
            }
        }
        return {matching, covered};
    }
};

TEST_F(SkinTrackBarTest, ChannelAndThumbComeFromTheSkinAndTheTicksFromTheBar) {
    TForm* form = NewForm();
    TTrackBar* bar = NewTrackBar(form);
    const RECT thumb = Thumb(bar);
    ASSERT_FALSE(IsRectEmpty(&thumb));
    auto face =
        Stretched(*Skin().TrackbarThumbHorz, 2, 5, thumb.right - thumb.left, thumb.bottom - thumb.top);
    auto [matching, covered] = Matching(bar, thumb, *face);
    EXPECT_GT(covered, 20);
    EXPECT_EQ(matching, covered) << "the pressed face of the thumb strip";

    const RECT channel = Channel(bar);
    const TDataSkinObject& track = *Skin().Track;
    ASSERT_LE(track.Image->Height(), channel.bottom - channel.top);
    const int top = channel.top + (channel.bottom - channel.top - track.Image->Height()) / 2;
    const int x = channel.left + track.LeftWidth + 2;
    for (int y = 0; y < track.Image->Height(); ++y) {
        const COLORREF source = PictureAt(*track.Image, track.LeftWidth, y);
        if (source != RGB(255, 0, 255)) {
            EXPECT_EQ(Pixel(bar, x, top + y), source) << "channel row " << y;
        }
    }
    int tickPixels = 0;
    for (int y = thumb.bottom; y < 40; ++y)
        for (int x = 0; x < 160; ++x)
            tickPixels += Pixel(bar, x, y) == GetSysColor(COLOR_BTNTEXT) ? 1 : 0;
    EXPECT_GE(tickPixels, 11) << "eleven tick marks below the thumb, drawn by the bar";
}

TEST_F(SkinTrackBarTest, AnUprightBarTakesTheUprightThumbAndChannel) {
    TForm* form = NewForm();
    TTrackBar* bar = NewTrackBar(form, true);
    const RECT thumb = Thumb(bar);
    auto face =
        Stretched(*Skin().TrackbarThumbVert, 2, 5, thumb.right - thumb.left, thumb.bottom - thumb.top);
    auto [matching, covered] = Matching(bar, thumb, *face);
    EXPECT_GT(covered, 20);
    EXPECT_EQ(matching, covered);

    const RECT reported = Channel(bar);
    const RECT channel{reported.top, reported.left, reported.bottom, reported.right};
    const TDataSkinObject& track = *Skin().TrackVert;
    ASSERT_LE(track.Image->Width(), channel.right - channel.left);
    const int left = channel.left + (channel.right - channel.left - track.Image->Width()) / 2;
    const int y = channel.top + track.TopHeight + 2;
    for (int x = 0; x < track.Image->Width(); ++x) {
        const COLORREF source = PictureAt(*track.Image, x, track.TopHeight);
        if (source != RGB(255, 0, 255)) {
            EXPECT_EQ(Pixel(bar, left + x, y), source) << "channel column " << x;
        }
    }
}

TEST_F(SkinTrackBarTest, OnlyTheBarsOwnCustomDrawingIsTaken) {
    TForm* form = NewForm();
    TTrackBar* bar = NewTrackBar(form);
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = form->Handle();
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), 0) << "another window's";
    draw.hdr.hwndFrom = bar->Handle();
    EXPECT_EQ(bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), CDRF_NOTIFYITEMDRAW);
    draw.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.dwItemSpec = TBCD_TICS;
    EXPECT_EQ(bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), CDRF_DODEFAULT);
}

} // namespace
