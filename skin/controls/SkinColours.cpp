#include "skin/controls/SkinColours.h"

#include "skin/data/SkinElementSet.h"

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
