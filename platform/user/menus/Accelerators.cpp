// Accelerator tables: keys that send a command as if its menu item had been chosen.

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/menus/MenuObject.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

HandleTable<std::vector<ACCEL>>& Tables() {
    static HandleTable<std::vector<ACCEL>> tables(0x30000);
    return tables;
}

std::vector<ACCEL>* TableFromHandle(HACCEL handle) {
    std::vector<ACCEL>* table = Tables().Find(reinterpret_cast<std::uintptr_t>(handle));
    if (!table)
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return table;
}

bool Down(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// A virtual-key entry matches its key with exactly its Shift, Ctrl and Alt; a character entry
// matches the character, with Alt when it asks for it.
bool Matches(const ACCEL& entry, const MSG& message) {
    bool alt = message.message == WM_SYSKEYDOWN || message.message == WM_SYSCHAR;
    if (entry.fVirt & FVIRTKEY) {
        if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
            return false;
        return entry.key == message.wParam && ((entry.fVirt & FSHIFT) != 0) == Down(VK_SHIFT) &&
               ((entry.fVirt & FCONTROL) != 0) == Down(VK_CONTROL) && ((entry.fVirt & FALT) != 0) == alt;
    }
    if (message.message != WM_CHAR && message.message != WM_SYSCHAR)
        return false;
    return entry.key == message.wParam && ((entry.fVirt & FALT) != 0) == alt;
}

// The command goes out unless it names a disabled item of the window's menu, which is told
// first as if it were being opened.
void SendCommand(HWND window, WORD command) {
    Window* record = FindLiveWindow(window);
    HMENU bar = record && !record->IsChild() ? reinterpret_cast<HMENU>(record->id) : nullptr;
    if (Menu* menu = FindMenu(bar)) {
        if (FindItem(*menu, command, false).menu) {
            SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
            if (GetMenuState(bar, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED))
                return;
        }
    }
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 1), 0);
}

} // namespace

} // namespace platform

HACCEL CreateAcceleratorTableA(LPACCEL entries, int count) {
    if (!entries || count <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto table = std::make_unique<std::vector<ACCEL>>(entries, entries + count);
    return reinterpret_cast<HACCEL>(platform::Tables().Insert(std::move(table)));
}

BOOL DestroyAcceleratorTable(HACCEL handle) {
    return platform::Tables().Remove(reinterpret_cast<std::uintptr_t>(handle)) ? TRUE : FALSE;
}

int CopyAcceleratorTableA(HACCEL handle, LPACCEL entries, int count) {
    std::vector<ACCEL>* table = platform::TableFromHandle(handle);
    if (!table)
        return 0;
    if (!entries)
        return static_cast<int>(table->size());
    int copied = std::min(count, static_cast<int>(table->size()));
    std::copy_n(table->begin(), std::max(copied, 0), entries);
    return std::max(copied, 0);
}

int TranslateAcceleratorA(HWND window, HACCEL handle, LPMSG message) {
    if (!platform::WindowFromHandle(window))
        return 0;
    std::vector<ACCEL>* table = platform::TableFromHandle(handle);
    if (!table || !message)
        return 0;
    for (const ACCEL& entry : *table) {
        if (platform::Matches(entry, *message)) {
            platform::SendCommand(window, entry.cmd);
            return 1;
        }
    }
    return 0;
}
