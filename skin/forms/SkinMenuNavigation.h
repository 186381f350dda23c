#pragma once
// Opening the drop-downs of a skinned menu bar and moving between them. While a drop-down is
// tracked, a message-filter hook of the thread watches the menu's loop: the first item is
// selected, the left and right arrows step to the neighbouring buttons (wrapping round, swapped
// in a right-to-left bar), and the mouse moving onto another button switches to its drop-down.
// A switch posts a non-client press on the target button to the window: the menu ends, and
// the window's frame opens the target's drop-down from the press.

class TWinSkinMenu;

// Posts the button's command to the window (a top-level item without sub-items acts so), then
// shows its drop-down, if it has one, under it until the menu closes.
void OpenMenuBarDropDown(TWinSkinMenu& bar, int index);

// Whether a drop-down of a menu bar is being tracked and not being left for good (Enter,
// Escape, Alt or the menu closing without a switch clear it).
bool MenuBarTracking();
// The button whose drop-down is open; -1 when none is.
int CurrentMenuBarButton();
// A bar going away while its drop-down is open: the menu is ended and the hook forgets the bar.
void ForgetMenuBar(const TWinSkinMenu& bar);
