#include "skin/forms/SkinMenuStyle.h"

#include "framework/graphics/Colors.h"
#include "platform/user/WinUser.h"
#include "skin/forms/WinSkinData.h"

namespace {

// The skin's colour table, by the index of its key.
constexpr int HilightTextColour = 11;
constexpr int HilightColour = 12;
constexpr int MenubarColour = 13;
constexpr int MenuBarTextColour = 14;
constexpr int MenuTextColour = 15;
constexpr int MenuColour = 16;
constexpr int ButtonShadowColour = 7;

COLORREF Resolved(TColor colour) {
    return ColorToRGB(colour);
}

} // namespace

TSkinMenuColours SkinMenuColours(const TSkinData& skinData) {
    const TSkinElements& skin = skinData.Elements();
    TSkinMenuColours colours;
    colours.barText = Resolved(skin.Colours[MenuBarTextColour]);
    colours.barBackground = Resolved(skin.Colours[MenubarColour]);
    colours.hotFrame = Resolved(skin.Colours[HilightColour]);
    colours.itemText = Resolved(skin.Colours[MenuTextColour]);
    colours.selectedText = Resolved(skin.Colours[HilightTextColour]);
    colours.itemBackground = Resolved(skin.Colours[MenuColour]);
    colours.selectedBackground = Resolved(skin.Colours[HilightColour]);
    colours.disabledText = Resolved(skin.Colours[ButtonShadowColour]);
    colours.barDisabledText = colours.disabledText;
    if (const TDataSkinObject* item = skin.MenuItem.get()) {
        if (item->NormalColour >= 0)
            colours.itemText = static_cast<COLORREF>(item->NormalColour) & 0xFFFFFF;
        if (item->MouseOverColour >= 0)
            colours.selectedText = static_cast<COLORREF>(item->MouseOverColour) & 0xFFFFFF;
    }
    return colours;
}

HFONT SkinMenuFont(bool bold) {
    static HFONT fonts[2] = {nullptr, nullptr};
    HFONT& font = fonts[bold ? 1 : 0];
    if (!font) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        if (bold)
            metrics.lfMenuFont.lfWeight = FW_BOLD;
        font = CreateFontIndirectA(&metrics.lfMenuFont);
    }
    return font;
}
