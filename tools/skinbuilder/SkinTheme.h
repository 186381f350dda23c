#pragma once
// The designs the skin builder draws: a palette and the few choices that tell the default skin,
// its dark variant and the rectangular test variant apart.

#include "SkinCanvas.h"

#include <string>

namespace skinbuilder {

struct TSkinPalette {
    // Dialog and control surfaces.
    Pixel face;
    Pixel window; // edit, list and menu background
    Pixel text;
    Pixel textDisabled;
    Pixel line;       // control outlines
    Pixel lineSoft;   // separators and quiet outlines
    Pixel accent;     // focus, selection, filled progress
    Pixel accentSoft; // hover fills
    Pixel accentDeep; // pressed outlines and glyphs
    Pixel highlightText;
    // Push-button faces, top and bottom of their ramp.
    Pixel buttonTop;
    Pixel buttonBottom;
    // Window frame, active and inactive: outer edge, caption ramp, client edge, caption text.
    Pixel frameEdge;
    Pixel captionTop;
    Pixel captionBottom;
    Pixel clientEdge;
    Pixel captionText;
    Pixel inactiveEdge;
    Pixel inactiveTop;
    Pixel inactiveBottom;
    Pixel inactiveClientEdge;
    Pixel inactiveText;
    Pixel closeHot;
    Pixel closePressed;
    // Scroll bars.
    Pixel track;
    Pixel thumb;
    Pixel thumbHot;
    Pixel thumbPressed;
    Pixel arrow;
    // Menus.
    Pixel menuBar;
    Pixel menu;
    Pixel menuText;
};

struct TSkinDesign {
    std::string name; // the skin's SkinName
    TSkinPalette palette;
    // Rounded, shaped top corners (magenta outside them) or a plain rectangular frame.
    bool roundedFrame;
};

TSkinDesign LightDesign();
TSkinDesign DarkDesign();
// The light design with square corners and no shaped border.
TSkinDesign RectangularDesign();

} // namespace skinbuilder
