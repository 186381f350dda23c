#include "skin/controls/SkinColours.h"

#include "skin/data/SkinElementSet.h"

#include <algorithm>
#include <cmath>

namespace {

// The skin's colour table by the system colour it stands for.
struct TSystemColourEntry {
    TColor system;
    int index;
};
constexpr TSystemColourEntry SystemColourTable[] = {
    {clWindowText, 0}, {clBtnFace, 3},    {clBtnText, 4},        {clBtnHighlight, 5},
    {clBtnShadow, 7},  {cl3DDkShadow, 8}, {clHighlightText, 11}, {clHighlight, 12},
    {clMenuText, 15},  {clMenu, 16},      {clScrollBar, 18}};

// Text reads at a contrast of 3:1 or more (the least that large text needs).
constexpr double ReadableContrast = 3.0;

double ChannelLuminance(unsigned value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(COLORREF colour) {
    return 0.2126 * ChannelLuminance(GetRValue(colour)) + 0.7152 * ChannelLuminance(GetGValue(colour)) +
           0.0722 * ChannelLuminance(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TColor SkinBackgroundColour(const TSkinElements& skin) {
    return skin.Colours[3];
}

TColor SkinBorderColour(const TSkinElements& skin) {
    return skin.SectionColours.empty() ? skin.FrameColour : skin.SectionColours.front();
}

TColor SkinnedSystemColour(const TSkinElements& skin, TColor colour) {
    for (const TSystemColourEntry& entry : SystemColourTable) {
        if (entry.system == colour && skin.ColourGiven[static_cast<std::size_t>(entry.index)])
            return skin.Colours[static_cast<std::size_t>(entry.index)];
    }
    return colour;
}

TColor TextColourOnSkin(const TSkinElements& skin, TColor fontColour, TColor background) {
    const TColor skinned = SkinnedSystemColour(skin, fontColour);
    if (skinned == fontColour || Contrast(ColorToRGB(fontColour), ColorToRGB(background)) >= ReadableContrast)
        return fontColour;
    return skinned;
}
