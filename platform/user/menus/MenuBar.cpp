#include "platform/user/menus/MenuBar.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ClassicFrame.h"
#include "platform/user/FrameLayout.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/menus/MenuPainter.h"
#include "platform/user/menus/MenuTracker.h"

namespace platform {

namespace {

SIZE WindowSize(const Window& window) {
    RECT r = WindowRectOnScreen(window);
    return {r.right - r.left, r.bottom - r.top};
}

std::vector<RECT> ItemsInBand(Window& window, const Menu& menu, const RECT& band) {
    BarLayout layout = LayoutBar(menu, window.handle, band.right - band.left);
    for (RECT& r : layout.items)
        OffsetRect(&r, band.left, band.top);
    return layout.items;
}

} // namespace

int MenuBarHeight(const Window& window, int windowWidth) {
    Menu* menu = BarMenuOf(window);
    if (!menu)
        return 0;
    SIZE frame = FrameThickness(window.style, window.exStyle);
    return LayoutBar(*menu, window.handle, windowWidth - 2 * frame.cx).height;
}

Menu* BarMenuOf(const Window& window) {
    if (window.IsChild() || window.id == 0)
        return nullptr;
    return FindMenu(reinterpret_cast<HMENU>(window.id));
}

RECT BarBand(Window& window) {
    SIZE size = WindowSize(window);
    return LayoutFrame(size, window.style, window.exStyle, MenuBarHeight(window, size.cx)).menuBar;
}

std::vector<RECT> BarItemsOnScreen(Window& window) {
    Menu* menu = BarMenuOf(window);
    RECT band = BarBand(window);
    if (!menu || IsRectEmptyish(band))
        return {};
    std::vector<RECT> items = ItemsInBand(window, *menu, band);
    RECT onScreen = WindowRectOnScreen(window);
    for (RECT& r : items)
        OffsetRect(&r, onScreen.left, onScreen.top);
    return items;
}

int BarItemAt(Window& window, POINT screen) {
    std::vector<RECT> items = BarItemsOnScreen(window);
    for (size_t i = 0; i < items.size(); ++i) {
        if (PointInRect(items[i], screen))
            return static_cast<int>(i);
    }
    return -1;
}

void PaintMenuBar(HDC dc, Window& window, const RECT& band) {
    FillRect(dc, &band, GetSysColorBrush(COLOR_MENU));
    Menu* menu = BarMenuOf(window);
    if (!menu)
        return;
    bool dropDownOpen = false;
    bool showAccel = false;
    IsBarTracked(window.handle, &dropDownOpen, &showAccel);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, band.left, band.top, band.right, band.bottom);
    std::vector<RECT> items = ItemsInBand(window, *menu, band);
    for (size_t i = 0; i < items.size() && i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        BarItemState state = BarItemState::Normal;
        if (item.state & MFS_HILITE)
            state = dropDownOpen ? BarItemState::Pressed : BarItemState::Hot;
        DrawBarItem(dc, item, items[i],
                    ItemLook{state != BarItemState::Normal, showAccel, window.handle, menu->handle}, state);
    }
    RestoreDC(dc, saved);
}

void RedrawMenuBar(Window& window) {
    RECT band = BarBand(window);
    if (IsRectEmptyish(band) || !IsReallyVisible(window))
        return;
    HDC dc = GetWindowDC(window.handle);
    if (!dc)
        return;
    PaintMenuBar(dc, window, band);
    ReleaseDC(window.handle, dc);
}

} // namespace platform
