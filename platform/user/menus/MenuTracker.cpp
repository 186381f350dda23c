#include "platform/user/menus/MenuTracker.h"

#include "platform/display/Display.h"
#include "platform/gdi/WinRect.h"
#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/menus/MenuKeys.h"
#include "platform/user/menus/MenuWindow.h"
#include "platform/user/menus/SystemMenu.h"

#include <algorithm>
#include <memory>

namespace platform {

namespace {

constexpr UINT_PTR HoverTimerId = 0xFFE1; // opens the submenu of the item under the pointer
constexpr DWORD ErrorPopupAlreadyActive = 1446;

RECT ScreenRect() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where a popup of the size goes for a point and the TPM_ alignment: kept on the screen
// (flipped to the other side of the point when it would leave it) and off the excluded
// rectangle.
RECT PlacePopup(SIZE size, POINT at, UINT flags, const std::optional<RECT>& exclude) {
    RECT screen = ScreenRect();
    int x = at.x;
    if (flags & TPM_RIGHTALIGN)
        x -= size.cx;
    else if (flags & TPM_CENTERALIGN)
        x -= size.cx / 2;
    int y = at.y;
    if (flags & TPM_BOTTOMALIGN)
        y -= size.cy;
    else if (flags & TPM_VCENTERALIGN)
        y -= size.cy / 2;
    if (x + size.cx > screen.right)
        x = at.x - size.cx;
    if (x < screen.left)
        x = screen.left;
    if (y + size.cy > screen.bottom)
        y = at.y - size.cy;
    if (y < screen.top)
        y = screen.top;
    RECT placed{x, y, x + size.cx, y + size.cy};
    if (exclude && Overlaps(placed, *exclude)) {
        if (flags & TPM_VERTICAL) {
            y = exclude->bottom + size.cy <= screen.bottom ? exclude->bottom : exclude->top - size.cy;
        } else {
            x = exclude->right + size.cx <= screen.right ? exclude->right : exclude->left - size.cx;
        }
        placed = {x, y, x + size.cx, y + size.cy};
    }
    return placed;
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_NCLBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN || message == WM_NCLBUTTONDBLCLK;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
           message == WM_NCLBUTTONUP || message == WM_NCRBUTTONUP || message == WM_NCMBUTTONUP;
}

bool IsNonClientMouse(UINT message) {
    return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
}

bool IsMouse(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || IsNonClientMouse(message);
}

bool IsRightButton(UINT message) {
    return message == WM_RBUTTONUP || message == WM_NCRBUTTONUP || message == WM_RBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN;
}

class MenuLoop {
public:
    explicit MenuLoop(const TrackOptions& options) : m_options(options), m_owner(options.owner) {
        m_showAccel = options.keyboard;
        // A move reported where the pointer rests (a display does so when a menu window
        // appears under it) is no move.
        GetCursorPos(&m_pointer);
    }

    UINT RunPopup(HMENU menu, POINT at);
    void RunBar(std::optional<POINT> pressed, int item, bool open);

    MenuLevel* LevelOf(HWND window) {
        for (auto& level : m_levels) {
            if (window && level->window == window)
                return level.get();
        }
        return nullptr;
    }
    MenuLevel* LevelShowing(HMENU menu) {
        for (auto& level : m_levels) {
            if (level->window && level->menu == menu)
                return level.get();
        }
        return nullptr;
    }
    HWND Owner() const { return m_owner; }
    bool ShowAccel() const { return m_showAccel; }
    bool IsBar() const { return m_bar; }
    bool DropDownOpen() const { return m_levels.size() > 1; }
    void End() { m_end = true; }

private:
    bool Notifies() const { return !(m_options.flags & TPM_NONOTIFY); }
    MenuLevel& Deepest() { return *m_levels.back(); }
    Menu* MenuOfLevel(size_t level) { return FindMenu(m_levels[level]->menu); }
    MenuItem* ItemOf(size_t level, int item) {
        Menu* menu = MenuOfLevel(level);
        if (!menu || item < 0 || static_cast<size_t>(item) >= menu->items.size())
            return nullptr;
        return &menu->items[static_cast<size_t>(item)];
    }

    void Enter(HMENU root);
    void Loop();
    UINT Finish();
    bool OpenPopup(HMENU menu, int parentItem, POINT at, UINT flags, const std::optional<RECT>& exclude);
    void CloseFrom(size_t level);
    void Select(size_t level, int item, bool byMouse);
    void Redraw(size_t level);
    void OpenChild(size_t level, bool selectFirst);
    void OpenDropDown(int item, bool selectFirst);
    void Choose(size_t level, int item, bool byMouse);
    void SwitchBarItem(int item);
    void SelectFirst(size_t level);
    void MoveSelection(size_t level, int step);
    RECT ItemOnScreen(size_t level, int item);

    struct Hit {
        int level = -1;
        int item = -1;
    };
    Hit HitTest(POINT screen);
    POINT PointerOf(const MSG& message) const;
    void OnMouse(const MSG& message);
    void OnMove(POINT screen);
    void OnButtonDown(const MSG& message, POINT screen);
    void OnButtonUp(const MSG& message, POINT screen);
    void OnKey(UINT key);
    void OnChar(WCHAR character);
    void OnTimer(const MSG& message);

    TrackOptions m_options;
    HWND m_owner;
    bool m_bar = false;
    bool m_showAccel = false;
    bool m_end = false;
    bool m_dropMode = false; // moving along the bar opens each drop-down
    bool m_chosen = false;
    UINT m_command = 0;
    POINT m_pointer{};
    std::optional<MSG> m_repost; // a non-client press outside the menus, left for its window
    std::vector<std::unique_ptr<MenuLevel>> m_levels;
};

std::vector<MenuLoop*>& Loops() {
    static std::vector<MenuLoop*> loops;
    return loops;
}

void MenuLoop::Enter(HMENU root) {
    Loops().push_back(this);
    // The first open menu holds the pointer, so a press on another program's window ends it.
    if (Loops().size() == 1)
        Display().GrabPointer(true);
    SetCapture(m_owner);
    if (Notifies()) {
        SendMessageW(m_owner, WM_ENTERMENULOOP, m_options.fromPopupCall, 0);
        SendMessageW(m_owner, WM_INITMENU, reinterpret_cast<WPARAM>(root), 0);
    }
}

UINT MenuLoop::RunPopup(HMENU menu, POINT at) {
    Enter(menu);
    if (IsWindow(m_owner) && OpenPopup(menu, 0, at, m_options.flags, m_options.exclude)) {
        if (m_options.keyboard)
            SelectFirst(0);
        Loop();
    }
    return Finish();
}

void MenuLoop::RunBar(std::optional<POINT> pressed, int item, bool open) {
    Window* window = FindLiveWindow(m_owner);
    Menu* bar = window ? BarMenuOf(*window) : nullptr;
    if (!bar)
        return;
    m_bar = true;
    Enter(bar->handle);
    auto level = std::make_unique<MenuLevel>();
    level->menu = bar->handle;
    m_levels.push_back(std::move(level));
    if (pressed) {
        m_pointer = *pressed;
        item = HitTest(*pressed).item;
    }
    if (item >= 0 && ItemOf(0, item)) {
        Select(0, item, pressed.has_value());
        if (open)
            OpenDropDown(item, !pressed);
        Loop();
    }
    Finish();
}

void MenuLoop::Loop() {
    MSG message;
    while (!m_end && !m_levels.empty()) {
        if (!IsWindow(m_owner) || GetCapture() != m_owner)
            break;
        if (!GetMessageW(&message, nullptr, 0, 0)) {
            // The quit request is for the program's own loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (CallMsgFilterW(&message, MSGF_MENU))
            continue;
        UINT id = message.message;
        if (IsMouse(id)) {
            OnMouse(message);
        } else if (id == WM_KEYDOWN || id == WM_SYSKEYDOWN) {
            TranslateMessage(&message);
            OnKey(static_cast<UINT>(message.wParam));
        } else if (id == WM_CHAR || id == WM_SYSCHAR) {
            OnChar(static_cast<WCHAR>(message.wParam));
        } else if (id == WM_KEYUP || id == WM_SYSKEYUP || id == WM_DEADCHAR || id == WM_SYSDEADCHAR) {
            continue; // the menu has the keyboard
        } else if (id == WM_TIMER && message.wParam == HoverTimerId && LevelOf(message.hwnd)) {
            OnTimer(message);
        } else {
            DispatchMessageW(&message);
        }
    }
}

UINT MenuLoop::Finish() {
    CloseFrom(m_bar ? 1 : 0);
    if (m_bar && !m_levels.empty()) {
        Select(0, -1, false);
        m_levels.clear();
    }
    if (IsWindow(m_owner)) {
        SendMessageW(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        if (Notifies())
            SendMessageW(m_owner, WM_EXITMENULOOP, m_options.fromPopupCall, 0);
    }
    if (GetCapture() == m_owner)
        ReleaseCapture();
    auto& loops = Loops();
    loops.erase(std::remove(loops.begin(), loops.end(), this), loops.end());
    if (loops.empty())
        Display().GrabPointer(false);
    if (m_repost)
        PostMessageW(m_repost->hwnd, m_repost->message, m_repost->wParam, m_repost->lParam);
    if (!m_chosen)
        return 0;
    if (!(m_options.flags & TPM_RETURNCMD) && IsWindow(m_owner)) {
        if (m_options.systemMenu)
            PostMessageW(m_owner, WM_SYSCOMMAND, m_command,
                         MAKELPARAM(static_cast<WORD>(m_pointer.x), static_cast<WORD>(m_pointer.y)));
        else
            PostMessageW(m_owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_command), 0), 0);
    }
    return m_command;
}

bool MenuLoop::OpenPopup(HMENU handle, int parentItem, POINT at, UINT flags,
                         const std::optional<RECT>& exclude) {
    bool system = m_options.systemMenu && !m_bar;
    if (system && m_levels.empty())
        UpdateSystemMenuStates(m_owner);
    if (Notifies())
        SendMessageW(m_owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle),
                     MAKELPARAM(static_cast<WORD>(parentItem), system && m_levels.empty() ? 1 : 0));
    Menu* menu = FindMenu(handle);
    if (!menu || menu->items.empty() || !IsWindow(m_owner))
        return false;
    auto level = std::make_unique<MenuLevel>();
    level->menu = handle;
    level->parentItem = parentItem;
    level->layout = LayoutPopup(*menu, m_owner);
    int border = MenuWindowBorder();
    SIZE size{level->layout.size.cx + 2 * border, level->layout.size.cy + 2 * border};
    RECT place = PlacePopup(size, at, flags, exclude);
    MenuLevel& added = *level;
    m_levels.push_back(std::move(level));
    // The level is known before the window exists, so hooks that ask it at creation get an answer.
    added.window = CreateMenuWindow(m_owner, place);
    if (!added.window) {
        m_levels.pop_back();
        return false;
    }
    ShowWindow(added.window, SW_SHOWNA);
    UpdateWindow(added.window);
    return true;
}

void MenuLoop::CloseFrom(size_t level) {
    while (m_levels.size() > level) {
        MenuLevel& last = Deepest();
        if (!last.window)
            break; // the bar stays
        if (MenuItem* item = ItemOf(m_levels.size() - 1, last.selected))
            item->state &= ~MFS_HILITE;
        HMENU menu = last.menu;
        HWND window = last.window;
        bool system = m_options.systemMenu && !m_bar && m_levels.size() == 1;
        m_levels.pop_back();
        if (IsWindow(window))
            DestroyWindow(window);
        if (Notifies() && IsWindow(m_owner))
            SendMessageW(m_owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                         MAKELPARAM(0, system ? MF_SYSMENU : 0));
    }
}

void MenuLoop::Redraw(size_t level) {
    if (HWND window = m_levels[level]->window) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    } else if (Window* owner = FindLiveWindow(m_owner)) {
        RedrawMenuBar(*owner);
    }
}

void MenuLoop::Select(size_t level, int item, bool byMouse) {
    MenuLevel& target = *m_levels[level];
    if (target.selected == item)
        return;
    if (MenuItem* old = ItemOf(level, target.selected))
        old->state &= ~MFS_HILITE;
    target.selected = item;
    MenuItem* chosen = ItemOf(level, item);
    if (chosen)
        chosen->state |= MFS_HILITE;
    Redraw(level);
    if (!chosen)
        return;
    UINT flags = ItemFlags(*chosen) | MF_HILITE | (byMouse ? MF_MOUSESELECT : 0) |
                 (m_options.systemMenu && !m_bar ? MF_SYSMENU : 0);
    UINT idOrPosition = chosen->subMenu ? static_cast<UINT>(item) : chosen->id;
    SendMessageW(m_owner, WM_MENUSELECT,
                 MAKEWPARAM(static_cast<WORD>(idOrPosition), static_cast<WORD>(flags)),
                 reinterpret_cast<LPARAM>(target.menu));
}

RECT MenuLoop::ItemOnScreen(size_t level, int item) {
    MenuLevel& target = *m_levels[level];
    if (!target.window) {
        Window* owner = FindLiveWindow(m_owner);
        std::vector<RECT> items = owner ? BarItemsOnScreen(*owner) : std::vector<RECT>{};
        return item >= 0 && static_cast<size_t>(item) < items.size() ? items[static_cast<size_t>(item)]
                                                                     : RECT{};
    }
    RECT r = target.layout.items[static_cast<size_t>(item)];
    POINT origin{0, 0};
    ClientToScreen(target.window, &origin);
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

void MenuLoop::SelectFirst(size_t level) {
    Menu* menu = MenuOfLevel(level);
    if (!menu)
        return;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        if (menu->items[i].IsSelectable()) {
            Select(level, static_cast<int>(i), false);
            return;
        }
    }
}

void MenuLoop::MoveSelection(size_t level, int step) {
    Menu* menu = MenuOfLevel(level);
    if (!menu || menu->items.empty())
        return;
    int count = static_cast<int>(menu->items.size());
    int start = m_levels[level]->selected;
    int i = start < 0 ? (step > 0 ? -1 : count) : start;
    for (int tries = 0; tries < count; ++tries) {
        i = (i + step + count) % count;
        if (menu->items[static_cast<size_t>(i)].IsSelectable()) {
            Select(level, i, false);
            return;
        }
    }
}

// The submenu of the level's selected item, beside it.
void MenuLoop::OpenChild(size_t level, bool selectFirst) {
    int item = m_levels[level]->selected;
    MenuItem* selected = ItemOf(level, item);
    if (!selected || !selected->subMenu || selected->IsDisabled())
        return;
    if (m_levels.size() > level + 1)
        return; // already open
    RECT anchor = ItemOnScreen(level, item);
    RECT frame{};
    GetWindowRect(m_levels[level]->window, &frame);
    int border = MenuWindowBorder();
    POINT at{frame.right - border, anchor.top - border};
    RECT besideParent{frame.left + border, frame.top, frame.right - border, frame.bottom};
    if (OpenPopup(selected->subMenu, item, at, TPM_LEFTALIGN, besideParent) && selectFirst)
        SelectFirst(m_levels.size() - 1);
}

void MenuLoop::OpenDropDown(int item, bool selectFirst) {
    MenuItem* barItem = ItemOf(0, item);
    if (!barItem || !barItem->subMenu || barItem->IsDisabled())
        return;
    m_dropMode = true;
    RECT anchor = ItemOnScreen(0, item);
    if (OpenPopup(barItem->subMenu, item, {anchor.left, anchor.bottom}, TPM_LEFTALIGN | TPM_VERTICAL,
                  anchor) &&
        selectFirst)
        SelectFirst(1);
    Redraw(0); // the bar item looks pressed while its drop-down is open
}

void MenuLoop::SwitchBarItem(int item) {
    CloseFrom(1);
    Select(0, item, false);
    if (m_dropMode)
        OpenDropDown(item, true);
}

void MenuLoop::Choose(size_t level, int item, bool byMouse) {
    MenuItem* chosen = ItemOf(level, item);
    if (!chosen || chosen->IsSeparator())
        return;
    if (chosen->subMenu) {
        if (level == 0 && m_bar)
            OpenDropDown(item, !byMouse);
        else
            OpenChild(level, !byMouse);
        return;
    }
    if (chosen->IsDisabled()) {
        // A click on a disabled item leaves the menu open; Enter closes it without a command.
        if (!byMouse)
            m_end = true;
        return;
    }
    m_chosen = true;
    m_command = chosen->id;
    m_end = true;
}

POINT MenuLoop::PointerOf(const MSG& message) const {
    // A non-client message carries its screen point; the others come from the pointer.
    if (IsNonClientMouse(message.message))
        return {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    return message.pt;
}

MenuLoop::Hit MenuLoop::HitTest(POINT screen) {
    for (size_t i = m_levels.size(); i-- > 0;) {
        MenuLevel& level = *m_levels[i];
        if (!level.window) {
            Window* owner = FindLiveWindow(m_owner);
            int item = owner ? BarItemAt(*owner, screen) : -1;
            if (item >= 0)
                return {static_cast<int>(i), item};
            continue;
        }
        RECT frame{};
        GetWindowRect(level.window, &frame);
        if (screen.x < frame.left || screen.x >= frame.right || screen.y < frame.top ||
            screen.y >= frame.bottom)
            continue;
        POINT local = screen;
        ScreenToClient(level.window, &local);
        for (size_t k = 0; k < level.layout.items.size(); ++k) {
            const RECT& r = level.layout.items[k];
            if (local.x >= r.left && local.x < r.right && local.y >= r.top && local.y < r.bottom)
                return {static_cast<int>(i), static_cast<int>(k)};
        }
        return {static_cast<int>(i), -1};
    }
    return {};
}

void MenuLoop::OnMouse(const MSG& message) {
    POINT screen = PointerOf(message);
    UINT id = message.message;
    if (id == WM_MOUSEMOVE || id == WM_NCMOUSEMOVE) {
        if (screen.x == m_pointer.x && screen.y == m_pointer.y)
            return;
        m_pointer = screen;
        OnMove(screen);
    } else if (IsButtonDown(id)) {
        m_pointer = screen;
        OnButtonDown(message, screen);
    } else if (IsButtonUp(id)) {
        m_pointer = screen;
        OnButtonUp(message, screen);
    }
}

void MenuLoop::OnMove(POINT screen) {
    Hit hit = HitTest(screen);
    if (hit.level < 0) {
        // Off the menus the deepest popup's selection goes, unless it opened a submenu.
        size_t last = m_levels.size() - 1;
        if (Deepest().window && Deepest().selected >= 0)
            Select(last, -1, true);
        return;
    }
    size_t level = static_cast<size_t>(hit.level);
    if (!m_levels[level]->window) {
        if (hit.item >= 0 && hit.item != m_levels[0]->selected)
            SwitchBarItem(hit.item);
        return;
    }
    if (hit.item == m_levels[level]->selected)
        return;
    CloseFrom(level + 1);
    Select(level, hit.item, true);
    MenuItem* item = ItemOf(level, hit.item);
    if (item && item->subMenu && !item->IsDisabled()) {
        UINT delay = 400;
        SystemParametersInfoA(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
        SetTimer(m_levels[level]->window, HoverTimerId, delay, nullptr);
    }
}

void MenuLoop::OnButtonDown(const MSG& message, POINT screen) {
    Hit hit = HitTest(screen);
    if (hit.level < 0) {
        m_end = true;
        if (IsNonClientMouse(message.message))
            m_repost = message;
        return;
    }
    size_t level = static_cast<size_t>(hit.level);
    if (!m_levels[level]->window) {
        if (hit.item == m_levels[0]->selected && DropDownOpen()) {
            m_end = true; // a second press on the open item closes the menu
            return;
        }
        CloseFrom(1);
        Select(0, hit.item, true);
        OpenDropDown(hit.item, false);
        return;
    }
    CloseFrom(level + 1);
    Select(level, hit.item, true);
    MenuItem* item = ItemOf(level, hit.item);
    if (item && item->subMenu)
        OpenChild(level, false);
}

void MenuLoop::OnButtonUp(const MSG& message, POINT screen) {
    if (IsRightButton(message.message) && !(m_options.flags & TPM_RIGHTBUTTON))
        return;
    Hit hit = HitTest(screen);
    if (hit.level < 0 || hit.item < 0)
        return;
    size_t level = static_cast<size_t>(hit.level);
    MenuItem* item = ItemOf(level, hit.item);
    if (!item || item->subMenu)
        return;
    if (!m_levels[level]->window && hit.item != m_levels[0]->selected)
        return;
    Choose(level, hit.item, true);
}

void MenuLoop::OnKey(UINT key) {
    m_showAccel = true;
    size_t last = m_levels.size() - 1;
    bool atBar = !Deepest().window;
    switch (key) {
    case VK_MENU:
    case VK_F10:
        m_end = true;
        return;
    case VK_ESCAPE:
        if (atBar || (last == 0 && !m_bar))
            m_end = true;
        else
            CloseFrom(last);
        if (m_bar && m_levels.size() == 1) {
            m_dropMode = false;
            Redraw(0);
        }
        return;
    case VK_UP:
    case VK_DOWN:
        if (atBar)
            OpenDropDown(m_levels[0]->selected, true);
        else
            MoveSelection(last, key == VK_DOWN ? 1 : -1);
        return;
    case VK_LEFT:
        if (!atBar && last > (m_bar ? 1u : 0u)) {
            CloseFrom(last);
        } else if (m_bar) {
            Menu* bar = MenuOfLevel(0);
            int count = bar ? static_cast<int>(bar->items.size()) : 0;
            if (count > 0)
                SwitchBarItem((m_levels[0]->selected - 1 + count) % count);
        }
        return;
    case VK_RIGHT: {
        MenuItem* item = atBar ? nullptr : ItemOf(last, Deepest().selected);
        if (item && item->subMenu && !item->IsDisabled()) {
            OpenChild(last, true);
        } else if (m_bar) {
            Menu* bar = MenuOfLevel(0);
            int count = bar ? static_cast<int>(bar->items.size()) : 0;
            if (count > 0)
                SwitchBarItem((m_levels[0]->selected + 1) % count);
        }
        return;
    }
    case VK_RETURN:
        Choose(last, Deepest().selected, false);
        return;
    default:
        return;
    }
}

void MenuLoop::OnChar(WCHAR character) {
    if (character == 0 || character == VK_ESCAPE || character == VK_RETURN)
        return;
    size_t last = m_levels.size() - 1;
    Menu* menu = MenuOfLevel(last);
    if (!menu)
        return;
    MnemonicMatch match = FindMnemonic(*menu, character, Deepest().selected);
    if (match.item < 0) {
        UINT flags = (Deepest().window ? MF_POPUP : 0) | (m_options.systemMenu && !m_bar ? MF_SYSMENU : 0);
        LRESULT answer = SendMessageW(m_owner, WM_MENUCHAR, MAKEWPARAM(character, static_cast<WORD>(flags)),
                                      reinterpret_cast<LPARAM>(Deepest().menu));
        WORD action = HIWORD(static_cast<DWORD>(answer));
        int item = LOWORD(static_cast<DWORD>(answer));
        if (action == MNC_CLOSE)
            m_end = true;
        else if (action == MNC_SELECT && ItemOf(last, item))
            Select(last, item, false);
        else if (action == MNC_EXECUTE && ItemOf(last, item))
            match = {item, true};
        else
            MessageBeep(0);
        if (match.item < 0)
            return;
    }
    if (!Deepest().window) {
        SwitchBarItem(match.item);
        if (match.unique)
            Choose(0, match.item, false);
        return;
    }
    Select(last, match.item, false);
    if (match.unique)
        Choose(last, match.item, false);
}

void MenuLoop::OnTimer(const MSG& message) {
    KillTimer(message.hwnd, HoverTimerId);
    for (size_t i = 0; i < m_levels.size(); ++i) {
        if (m_levels[i]->window == message.hwnd && m_levels.size() == i + 1) {
            OpenChild(i, false);
            return;
        }
    }
}

MenuLoop* CurrentLoop() {
    return Loops().empty() ? nullptr : Loops().back();
}

} // namespace

bool TrackPopup(HMENU menu, POINT at, const TrackOptions& options, UINT& command) {
    command = 0;
    if (!Loops().empty() && !(options.flags & TPM_RECURSE)) {
        SetLastError(ErrorPopupAlreadyActive);
        return false;
    }
    MenuLoop loop(options);
    command = loop.RunPopup(menu, at);
    return true;
}

void TrackBar(Window& window, std::optional<POINT> pressed, int item, bool open) {
    if (!Loops().empty())
        return;
    TrackOptions options;
    options.owner = window.handle;
    options.fromPopupCall = false;
    options.keyboard = !pressed;
    MenuLoop loop(options);
    loop.RunBar(pressed, item, open);
}

MenuLevel* LevelOfWindow(HWND window) {
    for (MenuLoop* loop : Loops()) {
        if (MenuLevel* level = loop->LevelOf(window))
            return level;
    }
    return nullptr;
}

LevelLook LookOfWindow(HWND window) {
    for (MenuLoop* loop : Loops()) {
        if (loop->LevelOf(window))
            return {loop->Owner(), loop->ShowAccel()};
    }
    return {};
}

MenuLevel* LevelOfMenu(HMENU menu) {
    for (MenuLoop* loop : Loops()) {
        if (MenuLevel* level = loop->LevelShowing(menu))
            return level;
    }
    return nullptr;
}

bool IsBarTracked(HWND window, bool* dropDownOpen, bool* showAccel) {
    for (MenuLoop* loop : Loops()) {
        if (loop->IsBar() && loop->Owner() == window) {
            *dropDownOpen = loop->DropDownOpen();
            *showAccel = loop->ShowAccel();
            return true;
        }
    }
    return false;
}

bool EndMenuLoop() {
    MenuLoop* loop = CurrentLoop();
    if (!loop)
        return false;
    loop->End();
    PostMessageW(loop->Owner(), WM_NULL, 0, 0); // wakes the loop if it waits
    return true;
}

} // namespace platform
