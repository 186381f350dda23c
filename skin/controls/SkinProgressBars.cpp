#include "skin/controls/SkinProgressBars.h"

#include "framework/controls/Messages.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/base/MulDiv.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/data/ImgUtilBitmaps.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"

#include <algorithm>

namespace {

// The progress image holds the track and the fill side by side; a style 1 image is the track
// alone, and the chunk element fills it.
constexpr int TrackFrame = 1;
constexpr int FillFrame = 2;
constexpr int TrackAndFillFrames = 2;

// The chunk fill keeps this far inside a style 1 track.
constexpr int ChunkInset = 2;

// The track bar's thumb strip: normal, pressed, disabled, hot, focused; the skin shows the
// pressed face.
constexpr int ThumbFrame = 2;
constexpr int ThumbFrames = 5;

TSkinFrameStyle FrameStyleOf(const TDataSkinObject& element, bool transparent) {
    TSkinFrameStyle style;
    style.margins = {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
    style.tileCentre = element.Tile == 1;
    style.transparent = transparent;
    return style;
}

bool HasImage(const TDataSkinObject* element) {
    return element && !element->Image->Empty();
}

} // namespace

int FilledLength(int length, int position, int min, int max) {
    if (length <= 0 || max <= min || position <= min)
        return 0;
    if (position >= max)
        return length;
    return MulDiv(length, position - min, max - min);
}

const TClass& TSkinProgress::ClassInfo() {
    static const TClass info("TSkinProgress", &TSkinControl::ClassInfo());
    return info;
}

bool TSkinProgress::SkinHasProgress() const {
    return m_skinData && HasImage(m_skinData->Elements().Progress.get());
}

bool TSkinProgress::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (!SkinHasProgress())
            return true;
        PaintWhole(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinHasProgress())
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    const bool vertical = (WindowLong(GWL_STYLE) & PBS_VERTICAL) != 0;
    const int length = vertical ? height : width;
    const int thickness = vertical ? width : height;
    const int position = static_cast<int>(SendMessageW(m_window, PBM_GETPOS, 0, 0));
    const int max = static_cast<int>(SendMessageW(m_window, PBM_GETRANGE, FALSE, 0));
    const int min = static_cast<int>(SendMessageW(m_window, PBM_GETRANGE, TRUE, 0));

    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(length, thickness);
    HDC pictureDc = picture.Canvas()->Handle();
    FillColor(pictureDc, RECT{0, 0, length, thickness}, BackgroundColour());
    if (m_skinData->Elements().Progress->Style == 0)
        DrawTrackAndFill(pictureDc, length, thickness, FilledLength(length, position, min, max));
    else
        DrawChunks(pictureDc, length, thickness, FilledLength(length - 2 * ChunkInset, position, min, max));
    // Laid horizontally the bar fills from the left; turned a quarter left it fills upwards.
    if (vertical)
        RotateLeft(picture);
    BitBlt(dc, rect.left, rect.top, width, height, picture.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawTrackAndFill(HDC dc, int length, int thickness, int filled) const {
    TDataSkinBorder& progress = *m_skinData->Elements().Progress;
    const TSkinFrameStyle style = FrameStyleOf(progress, true);
    DrawSkinFrame(dc, RECT{0, 0, length, thickness}, *progress.Image, TrackFrame, TrackAndFillFrames, false,
                  style);
    if (filled > 0)
        DrawSkinFrame(dc, RECT{0, 0, filled, thickness}, *progress.Image, FillFrame, TrackAndFillFrames,
                      false, style);
}

void TSkinProgress::DrawChunks(HDC dc, int length, int thickness, int filled) const {
    const TSkinElements& skin = m_skinData->Elements();
    DrawSkinFrame(dc, RECT{0, 0, length, thickness}, *skin.Progress->Image, 1, 1, false,
                  FrameStyleOf(*skin.Progress, true));
    const TDataSkinObject* chunk = skin.ProgressChunk.get();
    if (filled <= 0 || !HasImage(chunk))
        return;
    const RECT area{ChunkInset, ChunkInset, ChunkInset + filled, thickness - ChunkInset};
    if (area.bottom <= area.top)
        return;
    if (chunk->Tile != 1) {
        DrawSkinFrame(dc, area, *chunk->Image, 1, 1, false, FrameStyleOf(*chunk, chunk->Trans != 0));
        return;
    }
    // Whole chunks side by side from the chunk's left margin, centred across the track; the
    // last one is cut at the filled length.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const int chunkWidth = chunk->Image->Width();
    const int chunkHeight = chunk->Image->Height();
    const int top = (thickness - chunkHeight) / 2;
    for (int x = area.left + chunk->LeftWidth; x < area.right; x += chunkWidth) {
        const RECT cell{x, top, x + chunkWidth, top + chunkHeight};
        if (chunk->Trans != 0)
            DrawKeyed(dc, cell, *chunk->Image);
        else
            BitBlt(dc, x, top, chunkWidth, chunkHeight, chunk->Image->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    RestoreDC(dc, saved);
}

const TClass& TSkinTrackBar::ClassInfo() {
    static const TClass info("TSkinTrackBar", &TSkinControl::ClassInfo());
    return info;
}

bool TSkinTrackBar::BeforeMessage(TMessage& message) {
    if ((message.Msg == WM_NOTIFY || message.Msg == CN_NOTIFY) && message.LParam) {
        const auto& header = *reinterpret_cast<const NMHDR*>(message.LParam);
        // Only the bar's own drawing: a notification of another window passes on untouched.
        if (header.code == static_cast<UINT>(NM_CUSTOMDRAW) && header.hwndFrom == m_window) {
            message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam));
            return false;
        }
    }
    return TSkinControl::BeforeMessage(message);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT || !m_skinData)
        return CDRF_DODEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB:
        DrawThumb(draw.hdc);
        return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
        DrawChannel(draw.hdc);
        return CDRF_SKIPDEFAULT;
    default: // the tick marks stay the bar's own
        return CDRF_DODEFAULT;
    }
}

bool TSkinTrackBar::Vertical() const {
    return (WindowLong(GWL_STYLE) & TBS_VERT) != 0;
}

void TSkinTrackBar::DrawThumb(HDC dc) const {
    RECT thumb{};
    SendMessageW(m_window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    if (IsRectEmpty(&thumb))
        return;
    const TSkinElements& skin = m_skinData->Elements();
    const TDataSkinObject* strip = Vertical() ? skin.TrackbarThumbVert.get() : skin.TrackbarThumbHorz.get();
    if (!HasImage(strip)) {
        HBRUSH border = CreateSolidBrush(ColorToRGB(SkinBorderColour(skin)));
        FrameRect(dc, &thumb, border);
        DeleteObject(border);
        return;
    }
    TSkinFrameStyle style;
    style.transparent = true;
    DrawSkinFrame(dc, thumb, *strip->Image, ThumbFrame, ThumbFrames, false, style);
}

void TSkinTrackBar::DrawChannel(HDC dc) const {
    RECT reported{};
    SendMessageW(m_window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
    const TSkinElements& skin = m_skinData->Elements();
    const bool vertical = Vertical();
    const TDataSkinObject* track = vertical ? skin.TrackVert.get() : skin.Track.get();
    if (!HasImage(track))
        return;
    // A vertical bar reports its channel as if it lay horizontally.
    RECT channel = vertical ? RECT{reported.top, reported.left, reported.bottom, reported.right} : reported;
    const RECT frame =
        SkinFrameRect(track->Image->Width(), track->Image->Height(), 1, track->FrameCount, false);
    TSkinFrameStyle style;
    style.transparent = track->Trans != 0;
    if (vertical) {
        // Caps of the image's top and bottom margins, the middle stretched; an image narrower
        // than the channel keeps its width in the channel's middle.
        style.margins = {0, track->TopHeight, 0, track->BottomHeight};
        const int imageWidth = frame.right - frame.left;
        if (imageWidth < channel.right - channel.left) {
            channel.left += (channel.right - channel.left - imageWidth) / 2;
            channel.right = channel.left + imageWidth;
        }
    } else {
        style.margins = {track->LeftWidth, 0, track->RightWidth, 0};
        const int imageHeight = frame.bottom - frame.top;
        if (imageHeight < channel.bottom - channel.top) {
            channel.top += (channel.bottom - channel.top - imageHeight) / 2;
            channel.bottom = channel.top + imageHeight;
        }
    }
    DrawSkinFrame(dc, channel, *track->Image, 1, track->FrameCount, false, style);
}
