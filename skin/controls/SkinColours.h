#pragma once
// The colours a control skin draws with beside its images: the skin's background and border,
// and the system colours a control's font or a fixed look names, taken from the skin's colour
// table where the skin gives them (a dark skin's window text is light).

#include "framework/graphics/Colors.h"

class TSkinElements;

// The background of skinned controls.
TColor SkinBackgroundColour(const TSkinElements& skin);
// The border of skinned controls: the skin's "Colour.Border" section when it names one, else
// the colour sampled from its top border.
TColor SkinBorderColour(const TSkinElements& skin);
// A system colour (window text, button text, shadow...) as the skin gives it; any other colour,
// and a system colour the skin leaves alone, as it is.
TColor SkinnedSystemColour(const TSkinElements& skin, TColor colour);
// The colour of text a control draws itself in `fontColour` on a background the skin gave it:
// the skin's own colour for that system text colour when the system's would hardly stand out
// from the background (a light text colour on a dark skin); otherwise `fontColour` unchanged.
TColor TextColourOnSkin(const TSkinElements& skin, TColor fontColour, TColor background);
