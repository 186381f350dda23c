#pragma once
// Skin strips made in the test: each frame one solid colour, so a pixel tells which frame a
// skin drew.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <memory>

namespace controlskins {

// The colour of frame `frame` (from 1) of a numbered strip: distinct and never magenta.
inline COLORREF FrameColour(int frame) {
    return RGB(20 * frame, 255 - 15 * frame, (37 * frame) % 200);
}

// A strip of `frames` frames of width x height side by side, frame i in FrameColour(i).
inline void MakeNumberedStrip(TBitmap& strip, int frames, int width, int height) {
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(frames * width, height);
    HDC dc = strip.Canvas()->Handle();
    for (int frame = 1; frame <= frames; ++frame) {
        HBRUSH brush = CreateSolidBrush(FrameColour(frame));
        RECT r{(frame - 1) * width, 0, frame * width, height};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
}

// The frame whose colour a pixel shows; 0 for none.
inline int FrameOf(COLORREF pixel, int frames) {
    for (int frame = 1; frame <= frames; ++frame)
        if (FrameColour(frame) == pixel)
            return frame;
    return 0;
}

} // namespace controlskins
