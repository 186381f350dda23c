#pragma once
// A window's menu bar inside its classic frame: its height at a width (rows wrap), where its
// items lie on the screen, and its painting.

#include "platform/user/menus/MenuLayout.h"

#include <vector>

namespace platform {

class Window;

// The menu a top-level window shows as its bar; null when it has none (or it was destroyed).
Menu* BarMenuOf(const Window& window);
// The band of the bar in window coordinates; empty when none.
RECT BarBand(Window& window);
// The bar's items on the screen.
std::vector<RECT> BarItemsOnScreen(Window& window);
// The item under a screen point; -1 for none.
int BarItemAt(Window& window, POINT screen);
// Paints the bar into a DC whose origin is the window's top-left corner.
void PaintMenuBar(HDC dc, Window& window, const RECT& band);
// Repaints the bar on the window.
void RedrawMenuBar(Window& window);

} // namespace platform
