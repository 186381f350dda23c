#pragma once
// The modal menu loop: open popups ("#32768" windows) stacked on a root that is either a popup
// (TrackPopupMenu, the system menu) or the window's menu bar, the mouse and keyboard moving
// through them, and the notifications to the owner in the platform's order. Every message the
// loop takes goes through the WH_MSGFILTER hook as MSGF_MENU first; a non-zero answer
// swallows it.

#include "platform/user/menus/MenuLayout.h"

#include <optional>
#include <vector>

namespace platform {

class Window;

struct MenuLevel {
    HMENU menu = nullptr;
    HWND window = nullptr; // the "#32768" window; null for the menu bar
    int selected = -1;
    int parentItem = 0; // position of the item that opened it
    PopupLayout layout;
};

struct TrackOptions {
    HWND owner = nullptr;
    UINT flags = 0;            // TPM_ flags
    bool fromPopupCall = true; // TrackPopupMenu rather than the menu bar or the system menu
    bool systemMenu = false;   // the root popup is the owner's system menu
    bool keyboard = false;     // entered by the keyboard: mnemonics shown, first item selected
    std::optional<RECT> exclude;
};

// TrackPopupMenuEx's work: false when another menu is open (without TPM_RECURSE), else the
// chosen command (0 for none) in `command`.
bool TrackPopup(HMENU menu, POINT at, const TrackOptions& options, UINT& command);
// The menu bar, entered by a press at a screen point or by the keyboard with an item
// selected (and its drop-down open when `open`).
void TrackBar(Window& window, std::optional<POINT> pressed, int item, bool open);

// The level a "#32768" window shows, for painting and MN_GETHMENU.
MenuLevel* LevelOfWindow(HWND window);
struct LevelLook {
    HWND owner = nullptr;
    bool showAccel = true;
};
LevelLook LookOfWindow(HWND window);
// The popup showing a menu, if one is open.
MenuLevel* LevelOfMenu(HMENU menu);
// Whether the bar of the window is being tracked, and how its selected item looks.
bool IsBarTracked(HWND window, bool* dropDownOpen, bool* showAccel);
bool EndMenuLoop();

} // namespace platform
