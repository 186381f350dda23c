#pragma once
// The skin elements: one object per visual element a skin describes (borders, caption, caption
// buttons, buttons, bars, menus...), each with its image of state frames, its nine-slice
// margins, its flags and its text colours. The drawing code reads nothing else of a skin.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

#include <cstdint>
#include <memory>
#include <string>

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name);
    virtual ~TDataSkinObject();
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    std::int32_t LeftWidth = 0;
    std::int32_t TopHeight = 0;
    std::int32_t RightWidth = 0;
    std::int32_t BottomHeight = 0;
    std::unique_ptr<TBitmap> Image; // never null; empty when the skin gives none
    std::int32_t Trans = 0;         // non-zero: magenta pixels are transparent
    std::int32_t Tile = 0;          // centre part: 0 stretched, 1 tiled
    std::string Name;
    std::int32_t FrameCount = 0;
    std::int32_t Style = 0;
    std::int32_t NormalColour = 0;
    std::int32_t MouseOverColour = 0;
    std::int32_t PressedColour = 0;
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

// A window border, or an element with a second image (tabs, combo button, up-down glyphs).
class TDataSkinBorder : public TDataSkinObject {
public:
    explicit TDataSkinBorder(std::string name);
    ~TDataSkinBorder() override;

    std::unique_ptr<TBitmap> ExtraImage; // never null
};

// Push buttons, with the check-box and radio-button strips.
class TDataSkinButton : public TDataSkinObject {
public:
    explicit TDataSkinButton(std::string name);
    ~TDataSkinButton() override;

    std::unique_ptr<TBitmap> CheckButton; // never null
    std::unique_ptr<TBitmap> RadioButton; // never null
    std::int32_t RadioButtonFrame = 0;
    std::int32_t CheckButtonFrame = 0;
    std::uint8_t HasNormalColour2 = 0;
    std::uint8_t HasMouseOverColour2 = 0;
    std::uint8_t HasPressedColour2 = 0;
};

// The caption text: its margins are the text offsets (LeftWidth the shift from the left,
// TopHeight the vertical shift, RightWidth the clip at the right).
class TDataSkinTitle : public TDataSkinObject {
public:
    explicit TDataSkinTitle(std::string name);
    ~TDataSkinTitle() override;

    std::int32_t TextAlignment = 0;
    std::int32_t Textbackground = 0;
    std::int32_t FontHeight = 0;
    std::int32_t TXTBackleft = 0;
    std::int32_t TXTBackRight = 0;
    TColor ActiveText = 0;   // clNone when the skin gives none
    TColor InActiveText = 0; // clNone when the skin gives none
};

// A caption button.
class TDataSkinSysButton : public TDataSkinObject {
public:
    explicit TDataSkinSysButton(std::string name);
    ~TDataSkinSysButton() override;

    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t Xcoord = 0;
    std::int32_t Ycoord = 0;
    std::int32_t CombineOp = 0;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

// The group box's caption background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    explicit TDataSkinBoxLabel(std::string name);
    ~TDataSkinBoxLabel() override;

    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};
