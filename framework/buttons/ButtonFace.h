#pragma once
// The classic faces of the framework's own buttons (glyph buttons, speed buttons, the media
// player's), drawn on a canvas.

#include "framework/graphics/GraphTypes.h"

class TCanvas;

// A push button: raised, or pressed in; a default button has a dark outline. Gives the area
// inside the edges.
TRect DrawPushFace(TCanvas& canvas, const TRect& bounds, bool down, bool isDefault);
// Fills with the checked look of a button held down: face and highlight pixels alternating.
void FillDithered(TCanvas& canvas, const TRect& rect);
