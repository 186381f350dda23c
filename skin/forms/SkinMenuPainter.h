#pragma once
// The skin's look of a menu item: the item painter (the popup's background under the item, the
// skin's item frame, the separator from the item image) and the plain painter for a skin
// without item image, both around the item's content: the glyph box with its picture or check
// mark, the text, the default item in bold, the shortcut text, mirrored for a right-to-left
// menu.

#include "platform/user/WinUser.h"

#include <string>

class TCustomImageList;
class TSkinData;

// One item as the painters see it.
struct TSkinMenuItem {
    std::string caption; // "-" for a separator
    std::string shortCut;
    bool selected = false;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    bool isDefault = false;
    bool rightToLeft = false;
    TCustomImageList* images = nullptr;
    int imageIndex = -1;

    bool IsSeparator() const { return caption == "-"; }
};

// The popup's border: its items lie this far inside its window.
constexpr int PopupBorder = 3;

// The item painter: the item's menu is given to the newest popup skin that has not learned its
// menu yet, and the item is drawn inside its rectangle: the popup's background where the skin's
// item frame leaves it showing, the frame, the content. Without an item image the plain painter
// draws it.
void DrawSkinMenuItem(TSkinData& skinData, HDC dc, const RECT& rect, HMENU menu, const TSkinMenuItem& item);
// The item's background colour (selected or not), then its content.
void DrawPlainMenuItem(TSkinData& skinData, HDC dc, const RECT& rect, const TSkinMenuItem& item);
void DrawMenuItemContent(TSkinData& skinData, HDC dc, const RECT& rect, const TSkinMenuItem& item);

// The size of an item's text as the painters measure it, in the DC's font: an empty text or a
// lone "&" as one blank.
SIZE MenuTextExtent(HDC dc, const std::string& text);
// The width the painters give an item's caption and shortcut text: the caption alone, or the
// caption, a clear gap, the shortcut and the room they leave after it.
int MenuTextWidth(HDC dc, const std::string& caption, const std::string& shortCut);
