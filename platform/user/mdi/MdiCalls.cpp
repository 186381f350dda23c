// The MDI calls that wrap the client's messages: CreateMDIWindow and the keyboard's system
// commands of the active child.

#include "platform/user/WinUser.h"
#include "platform/user/mdi/MdiClient.h"

namespace {

template <typename Create, typename Char>
HWND CreateThroughClient(const Char* className, const Char* windowName, DWORD style, int x, int y, int width,
                         int height, HWND client, HINSTANCE instance, LPARAM lParam, bool unicode) {
    Create create{className, windowName, instance, x, y, width, height, style, lParam};
    LPARAM record = reinterpret_cast<LPARAM>(&create);
    LRESULT child = unicode ? SendMessageW(client, WM_MDICREATE, 0, record)
                            : SendMessageA(client, WM_MDICREATE, 0, record);
    return reinterpret_cast<HWND>(child);
}

} // namespace

HWND CreateMDIWindowA(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                      HWND client, HINSTANCE instance, LPARAM lParam) {
    return CreateThroughClient<MDICREATESTRUCTA>(className, windowName, style, x, y, width, height, client,
                                                 instance, lParam, false);
}

HWND CreateMDIWindowW(LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width, int height,
                      HWND client, HINSTANCE instance, LPARAM lParam) {
    return CreateThroughClient<MDICREATESTRUCTW>(className, windowName, style, x, y, width, height, client,
                                                 instance, lParam, true);
}

BOOL TranslateMDISysAccel(HWND client, LPMSG message) {
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
        return FALSE;
    platform::MdiClientState* state = platform::MdiClientOf(client);
    if (!state || !state->active || !IsWindow(state->active) || !IsWindowEnabled(state->active))
        return FALSE;
    bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (!control || alt)
        return FALSE;
    WPARAM command = 0;
    switch (message->wParam) {
    case VK_F4:
        command = SC_CLOSE;
        break;
    case VK_F6:
    case VK_TAB:
        command = (GetKeyState(VK_SHIFT) & 0x8000) ? SC_PREVWINDOW : SC_NEXTWINDOW;
        break;
    default:
        return FALSE;
    }
    SendMessageW(state->active, WM_SYSCOMMAND, command, static_cast<LPARAM>(message->wParam));
    return TRUE;
}
