#pragma once
// The bitmap transforms of the image utilities, on 24-bit framework bitmaps: recolouring the
// key colour, mirroring, flipping and quarter turns.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

// Makes the bitmap 24 bits per pixel and paints its magenta (0xFF00FF) pixels with the colour
// (a system colour is resolved).
void ReplaceMagenta(TBitmap& bitmap, TColor colour);
// Left to right, in place.
void MirrorBitmap(TBitmap& bitmap);
// Top to bottom, in place.
void FlipBitmap(TBitmap& bitmap);
// A quarter turn counter-clockwise or clockwise; width and height swap.
void RotateLeft(TBitmap& bitmap);
void RotateRight(TBitmap& bitmap);
// Mirrors each of `frames` equal frames laid side by side, keeping their order.
void MirrorFrames(TBitmap& bitmap, int frames);
