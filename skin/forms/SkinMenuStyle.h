#pragma once
// What every skinned menu part draws with: the menu font and the menu colours of a skin,
// resolved to the values a DC takes.

#include "platform/gdi/WinGdi.h"

class TSkinData;

struct TSkinMenuColours {
    COLORREF barText = 0;
    COLORREF barDisabledText = 0;
    COLORREF barBackground = 0;
    COLORREF hotFrame = 0; // around a hot or pressed menu-bar button
    COLORREF itemText = 0;
    COLORREF selectedText = 0;
    COLORREF disabledText = 0;
    COLORREF itemBackground = 0;
    COLORREF selectedBackground = 0;
};

// The skin's menu colours. An item record that names its own normal or mouse-over text colour
// gives the item text or the selected item text: the selected frame of such a record is not
// necessarily dark enough for the highlight text colour.
TSkinMenuColours SkinMenuColours(const TSkinData& skinData);

// The system's menu font, the bold one for default items; made once, kept for the program.
HFONT SkinMenuFont(bool bold);
