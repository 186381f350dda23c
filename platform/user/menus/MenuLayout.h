#pragma once
// Where the items of a menu lie: a popup's items in columns, a menu bar's items in rows that
// wrap when the window is narrow. Owner-drawn items are measured by their owner
// (WM_MEASUREITEM); texts are measured in the menu font.

#include "platform/user/menus/MenuObject.h"

#include <string>
#include <vector>

namespace platform {

// The menu font (the bold face for default items), made once.
HFONT MenuFont(bool bold);

// A memory DC with the menu font selected, for measuring.
class MeasuringDC {
public:
    MeasuringDC();
    ~MeasuringDC();
    MeasuringDC(const MeasuringDC&) = delete;
    MeasuringDC& operator=(const MeasuringDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_oldFont;
};

// An item's text split at its first tab: the label and the shortcut shown in their own column.
struct ItemText {
    std::u16string label;
    std::u16string shortcut;
};
ItemText SplitItemText(const std::u16string& text);
// Width of a label as drawn: prefix characters take no room.
int LabelWidth(HDC dc, const std::u16string& label);
// Whether the value is one of the bitmaps the system draws itself (HBMMENU_...).
bool IsSystemMenuBitmap(HBITMAP bitmap);

// The owner's answer to WM_MEASUREITEM for an owner-drawn item.
SIZE MeasureOwnerDrawnItem(HWND owner, const MenuItem& item, int defaultHeight);

struct PopupLayout {
    std::vector<RECT> items; // client coordinates
    SIZE size{};             // the client area
    int checkColumn = 0;     // room for the check mark or the item's bitmap
    int shortcutOffset = 0;  // from an item's left: where its shortcut text starts
};
PopupLayout LayoutPopup(const Menu& menu, HWND owner);

struct BarLayout {
    std::vector<RECT> items; // from the bar's top-left corner
    int height = 0;
};
BarLayout LayoutBar(const Menu& menu, HWND owner, int width);

// Metrics of the classic menus.
int PopupItemHeight();
int BarRowHeight();

} // namespace platform
