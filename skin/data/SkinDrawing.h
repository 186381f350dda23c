#pragma once
// The two drawing routines every skinned part shares: a state frame of a skin image drawn in
// nine parts (corners kept, edges and centre stretched or tiled), and the colour-keyed copy
// that leaves the key colour's pixels out.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

#include "platform/base/WinTypes.h"

struct TSkinMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct TSkinFrameStyle {
    TSkinMargins margins;
    bool tileCentre = false;  // else the centre is stretched
    bool transparent = false; // magenta pixels of the image are left out
};

// The rectangle of frame `frame` (from 1) in an image of `frames` equal frames, side by side
// or, `stacked`, one above the other. A frame count below 1 counts as 1; frames outside the
// strip give an empty rectangle.
RECT SkinFrameRect(int imageWidth, int imageHeight, int frame, int frames, bool stacked);

// Draws the frame into `rect`: its four corners unscaled at the margins, its edges stretched
// along their length, its centre stretched or tiled. Margins that do not fit the target (left
// and right wider than it, or top and bottom higher) are dropped, and so are margins the frame
// itself is too small for. Stretching uses COLORONCOLOR, so key-coloured pixels stay exact.
void DrawSkinFrame(HDC dc, const RECT& rect, TBitmap& image, int frame, int frames, bool stacked,
                   const TSkinFrameStyle& style);

// How the keyed copy is carried out: one MaskBlt, or three blits through the mask.
enum class TKeyedCopy { MaskBlt, ThreeBlits };

// Copies the image, unscaled from (sourceX, sourceY), at the rectangle's size (cut to the
// image) to the rectangle's top-left corner, leaving out its pixels of the key colour.
void DrawKeyed(HDC dc, const RECT& rect, TBitmap& image, TColor key = clFuchsia, int sourceX = 0,
               int sourceY = 0, TKeyedCopy method = TKeyedCopy::MaskBlt);
