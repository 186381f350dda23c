#pragma once
// Drawing the parts of a skinned frame: a border side from its skin record, and the shape a
// drawn side gives the window (its pixels that are not the transparent key colour).

#include "platform/gdi/WinGdi.h"

class TBitmap;
class TDataSkinObject;

// Draws a border side into the rectangle: frame 1 when the window is active or the record has
// one frame, else frame 2, cut side by side (left and right borders) or one above the other
// (caption and bottom: `stacked`), in nine parts with the record's margins, its centre
// stretched when the record's mode is 1 and tiled otherwise.
void DrawBorderSide(HDC dc, const RECT& rect, TDataSkinObject& border, bool stacked, bool active);

// The region of the bitmap's pixels that are not magenta, moved by the offset: every row's runs
// of such pixels as one-pixel-high rectangles. A pixel counts as magenta when its red and blue
// are 255 and its green 0 or 1. Null for a bitmap without such pixels.
HRGN TraceBitmapRegion(TBitmap& bitmap, int offsetX, int offsetY);

// The scratch bitmap the frame parts are composed in (one for the program).
TBitmap& SkinScratchBitmap();
