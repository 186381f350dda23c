#pragma once
// Colour and bitmap helpers of the skin engine: mixing colours, colour ramps with a small cache,
// ramp fills, saturation, and the bitmap transforms the engine derives images with.

#include "framework/graphics/Colors.h"
#include "platform/base/WinTypes.h"

#include <vector>

// Colours are the framework's: red in bits 0-7, green 8-15, blue 16-23; a negative value names
// the system colour whose index is its low byte (0xFF000000 + n). Pure magenta (clFuchsia) is
// the transparent key colour of every skin bitmap.

// Weights below 100 are percent of c1, from 100 up per mille: 150 gives 15 % of c1.
TColor MixColours(TColor c1, TColor c2, int weight);

// The ramp cache: 16 slots reused round robin, each a ramp of `length` colours from c1 to c2.
constexpr int GradientSlots = 16;
// The slot holding the ramp of this length and these ends, searched from the last slot down; -1
// when none does.
int FindGradient(int length, TColor c1, TColor c2);
// Computes the ramp into the next slot and gives its index. Raises Exception for a length
// below 1.
int MakeGradient(int length, TColor c1, TColor c2);
int GetGradient(int length, TColor c1, TColor c2);
// The ramp in a slot (empty when the slot was never used).
const std::vector<TColor>& GradientRamp(int slot);

// Fills the rectangle line by line with the ramp from c1 (top or left) to c2 (bottom or
// right); lines outside the DC's clip box are not drawn.
void GradientFill(HDC dc, const RECT& rect, TColor c1, bool vertical, TColor c2);

// 0-255 (how far the colour is from grey) when a channel is 160 or more, else 200.
int ColourSaturation(TColor colour);
