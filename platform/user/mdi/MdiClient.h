#pragma once
// What the MDI client window, the frame's default procedure and the children's default
// procedure share: the client's record of its children and the steps that keep the frame's
// menus and caption in step with them.

#include "platform/base/WinTypes.h"
#include "platform/user/mdi/WinMdi.h"

#include <string>
#include <vector>

namespace platform {

struct MdiClientState {
    HWND client = nullptr;
    HWND frame = nullptr;
    HMENU windowMenu = nullptr; // the frame's menu that lists the children
    UINT firstChildId = 0;
    std::vector<HWND> children; // creation order: child i has the id firstChildId + i
    int listed = 0;             // items of the window menu's list, from firstChildId on
    HWND active = nullptr;
    // While a child is maximised, its system menu and caption buttons sit in this frame menu.
    HMENU buttonsMenu = nullptr;
    HWND buttonsChild = nullptr;
    std::u16string frameTitle; // the frame's own title, without the maximised child's
    int cascadeIndex = 0;      // where the next child placed by default goes
};

void RegisterMdiClientClass();
// The state of an MDI client, or of the client holding an MDI child; null otherwise.
MdiClientState* MdiClientOf(HWND client);
MdiClientState* MdiClientOfChild(HWND child);
// The maximised child, when the active one is maximised.
HWND MaximizedMdiChild(const MdiClientState& state);

// Makes a child the active one (null: none), maximising it when the one before was.
void ActivateMdiChild(MdiClientState& state, HWND child);
// The child after (or before) `from` in z-order, skipping hidden and disabled ones; null when
// there is no other.
HWND NextMdiChild(const MdiClientState& state, HWND from, bool previous);
// Forgets a child that is going away; the next one becomes active.
void ForgetMdiChild(MdiClientState& state, HWND child);

// The window menu's list: a separator and one item per child, the active one checked.
void RefreshWindowMenu(MdiClientState& state);
void RemoveWindowList(MdiClientState& state, HMENU menu);
// The frame's caption and menu bar as the maximised child (if any) asks: the caption
// "frame - [child]", the child's system menu first in the bar and its buttons at the end.
void UpdateMaximizedDecorations(MdiClientState& state);
void RemoveMaximizedButtons(MdiClientState& state);
void SetFrameTitle(MdiClientState& state, std::u16string title);

} // namespace platform
