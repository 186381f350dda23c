#include "skin/controls/ScrollBarPicture.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"

#include <cstdlib>

namespace {

// Frames of the arrow strip (23 frames side by side).
constexpr int ArrowStripFrames = 23;
constexpr int LeftArrowFrame = 1;
constexpr int RightArrowFrame = 5;
constexpr int UpArrowFrame = 9;
constexpr int DownArrowFrame = 13;
constexpr int HorizontalGripFrame = 17;
constexpr int VerticalGripFrame = 20;
// Track frames (1 enabled, 3 disabled) and thumb frames (1 normal, 2 pressed, 3 hot).
constexpr int TrackEnabledFrame = 1;
constexpr int TrackDisabledFrame = 3;

bool HasImage(const TDataSkinObject* element) {
    return element && !element->Image->Empty();
}

TSkinFrameStyle StyleOf(const TDataSkinObject& element) {
    TSkinFrameStyle style;
    style.margins = {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
    style.tileCentre = element.Tile == 1;
    style.transparent = element.Trans != 0;
    return style;
}

class TBarPainter {
public:
    TBarPainter(const TSkinElements& skin, const TScrollBarPicture& picture, int length, int thickness)
        : skin(skin), picture(picture), length(length), thickness(thickness) {}

    void Paint(HDC dc) {
        Track(dc);
        Arrows(dc);
        if (picture.enabled)
            Thumb(dc);
    }

private:
    // A stretch of the bar along its axis, at the skin's thickness across it.
    RECT Span(int start, int end) const {
        return picture.vertical ? RECT{0, start, thickness, end} : RECT{start, 0, end, thickness};
    }

    void Track(HDC dc) const {
        const TDataSkinObject* track = picture.vertical ? skin.VertScroll.get() : skin.HorzScroll.get();
        if (!HasImage(track))
            return;
        TSkinFrameStyle style = StyleOf(*track);
        // The horizontal track decides tiling for both orientations.
        style.tileCentre = skin.HorzScroll && skin.HorzScroll->Tile == 1;
        DrawSkinFrame(dc, Span(picture.arrow, length - picture.arrow), *track->Image,
                      picture.enabled ? TrackEnabledFrame : TrackDisabledFrame, track->FrameCount, false,
                      style);
    }

    void ArrowFrame(HDC dc, const RECT& rect, int frame) const {
        TSkinFrameStyle style;
        style.transparent = true;
        DrawSkinFrame(dc, rect, *skin.Scrollbar->Image, frame, ArrowStripFrames, false, style);
    }

    // The base frame, moved on to pressed (+1) or hot (+3) when the part is the hot one.
    int PartFrame(int base, TScrollPart part) const {
        if (picture.hot != part)
            return base;
        return base + (picture.pressed ? 1 : 3);
    }

    void Arrows(HDC dc) const {
        // A bar shorter than two arrows gives each half of it.
        const int arrowLength = length < 2 * picture.arrow ? length / 2 : picture.arrow;
        const int first = picture.vertical ? UpArrowFrame : LeftArrowFrame;
        const int second = picture.vertical ? DownArrowFrame : RightArrowFrame;
        ArrowFrame(dc, Span(0, arrowLength), PartFrame(first, spFirstArrow));
        ArrowFrame(dc, Span(length - arrowLength, length), PartFrame(second, spSecondArrow));
    }

    void Thumb(HDC dc) const {
        const int start = picture.thumbStart, end = picture.thumbEnd;
        const bool hot = picture.hot == spThumb;
        const TDataSkinObject* horizontal = skin.HorzScrollThumb.get();
        const TDataSkinObject* own = picture.vertical ? skin.VertScrollThumb.get() : horizontal;
        if (HasImage(own) && start >= 0 && end <= length && end > start) {
            // The horizontal thumb gives frame count and transparency to both orientations.
            const TDataSkinObject& counts = horizontal ? *horizontal : *own;
            TSkinFrameStyle style = StyleOf(*own);
            style.transparent = counts.Trans != 0;
            const int frame = hot ? (picture.pressed ? 2 : 3) : 1;
            DrawSkinFrame(dc, Span(start, end), *own->Image, frame, counts.FrameCount, false, style);
        }
        const int grip = skin.Scrollbar->Image->Height();
        const int thumbLength = end - start;
        if (grip >= thumbLength + 2)
            return;
        const int gripStart = start + (thumbLength - grip) / 2;
        if (gripStart < 0 || gripStart + grip > length)
            return;
        const int base = picture.vertical ? VerticalGripFrame : HorizontalGripFrame;
        ArrowFrame(dc, Span(gripStart, gripStart + grip), base + (hot ? (picture.pressed ? 1 : 2) : 0));
    }

    const TSkinElements& skin;
    const TScrollBarPicture& picture;
    int length;
    int thickness;
};

} // namespace

TScrollPart ScrollPartAt(int along, int length, int arrow, int thumbStart, int thumbEnd) {
    if (along < arrow)
        return spFirstArrow;
    if (along < thumbStart)
        return spTrackBefore;
    if (along < thumbEnd)
        return spThumb;
    if (along < length - arrow)
        return spTrackAfter;
    return spSecondArrow;
}

bool SamePicture(const TScrollBarPicture& a, const TScrollBarPicture& b) {
    return EqualRect(&a.bar, &b.bar) && a.vertical == b.vertical && a.enabled == b.enabled &&
           a.arrow == b.arrow && a.thumbStart == b.thumbStart && a.thumbEnd == b.thumbEnd && a.hot == b.hot &&
           a.pressed == b.pressed && a.skinThickness == b.skinThickness;
}

bool CanPaintScrollBar(const TSkinElements& skin) {
    return HasImage(skin.Scrollbar.get());
}

bool PaintScrollBar(HDC dc, const TSkinElements& skin, const TScrollBarPicture& picture, SIZE limit) {
    if (!CanPaintScrollBar(skin))
        return false;
    const RECT& bar = picture.bar;
    if (bar.right < 0 || bar.bottom < 0 || bar.right > limit.cx || bar.bottom > limit.cy)
        return false;
    const int width = bar.right - bar.left, height = bar.bottom - bar.top;
    const int length = picture.vertical ? height : width;
    const int across = picture.vertical ? width : height;
    const int stripHeight = skin.Scrollbar->Image->Height();
    // The strip's own thickness, unless it is far from the system's arrow size.
    const int thickness = std::abs(stripHeight - picture.arrow) > 2 ? picture.arrow : stripHeight;
    const int bitmapAcross = picture.skinThickness ? thickness : across;
    if (length <= 0 || bitmapAcross <= 0)
        return false;
    TBitmap composed;
    composed.SetPixelFormat(pf24bit);
    if (picture.vertical)
        composed.SetSize(bitmapAcross, length);
    else
        composed.SetSize(length, bitmapAcross);
    HDC memory = composed.Canvas()->Handle();
    SetStretchBltMode(memory, COLORONCOLOR);
    FillColor(memory, RECT{0, 0, composed.Width(), composed.Height()}, SkinBackgroundColour(skin));
    TBarPainter(skin, picture, length, thickness).Paint(memory);
    BitBlt(dc, bar.left, bar.top, composed.Width(), composed.Height(), memory, 0, 0, SRCCOPY);
    return true;
}
