#pragma once
// The bitmaps of a skin design and the sizes its description refers to.

#include "SkinCanvas.h"
#include "SkinTheme.h"

#include <string>
#include <vector>

namespace skinbuilder {

// Geometry shared by the images and the description.
constexpr int BorderWidth = 5;
constexpr int CaptionHeight = 30;
constexpr int CornerRadius = 5;
constexpr int CaptionButtonWidth = 28;
constexpr int CaptionButtonHeight = 20;
constexpr int CaptionButtonTop = 5;
constexpr int IconLeft = 8;
constexpr int IconTop = 7;
constexpr int BoxSize = 13;     // check and radio boxes
constexpr int CheckFrames = 12; // unchecked, checked, mixed; each normal, hot, pressed, disabled
constexpr int RadioFrames = 8;  // unchecked, checked; each normal, hot, pressed, disabled
constexpr int ScrollSize = 16;

struct TSkinImage {
    std::string file; // entry name in the archive
    TSkinCanvas canvas;
};

// The window frame: borders, caption buttons, the window icon, the MDI buttons, the menu bar.
void DrawFrameImages(const TSkinDesign& design, std::vector<TSkinImage>& images);
// Everything inside windows: buttons, boxes, scroll bars, tabs, menus, edits, bars.
void DrawControlImages(const TSkinDesign& design, std::vector<TSkinImage>& images);

// A strip of `count` frames of one size, side by side or stacked; `draw` paints frame i (from 0)
// on a magenta canvas of the frame's size.
template <typename Draw>
TSkinCanvas Strip(int count, int width, int height, bool stacked, Draw draw) {
    TSkinCanvas strip(stacked ? width : width * count, stacked ? height * count : height);
    for (int i = 0; i < count; ++i) {
        TSkinCanvas frame(width, height);
        draw(frame, i);
        strip.Paste(frame, stacked ? 0 : i * width, stacked ? i * height : 0);
    }
    return strip;
}

// The four states most strips repeat, in the order normal, pressed, disabled, hot.
enum class TState { Normal, Pressed, Disabled, Hot, Focused };

} // namespace skinbuilder
