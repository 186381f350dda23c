// DefFrameProc: what an MDI frame does with the messages its procedure passes on. The client
// fills the frame's client area and takes its focus, the window menu's items activate their
// children, a maximised child's menu-bar buttons reach that child, and the frame's caption
// names the maximised child.

#include "platform/user/TextBuffers.h"
#include "platform/user/WinUser.h"
#include "platform/user/mdi/MdiClient.h"

#include <optional>

namespace platform {

namespace {

// The first system command: items of a maximised child's system menu and buttons in the bar.
constexpr WPARAM FirstSystemCommand = 0xF000;

std::optional<LRESULT> Command(MdiClientState& state, WPARAM wParam) {
    UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == 0 && id >= state.firstChildId && id - state.firstChildId < state.children.size()) {
        HWND child = state.children[id - state.firstChildId];
        if (IsIconic(child))
            ShowWindow(child, SW_RESTORE);
        SendMessageW(state.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        return 0;
    }
    if (id >= FirstSystemCommand && state.active && IsWindow(state.active)) {
        SendMessageW(state.active, WM_SYSCOMMAND, id, 0);
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> FrameMessage(MdiClientState& state, HWND frame, UINT message, WPARAM wParam,
                                    LPARAM lParam, bool unicode) {
    switch (message) {
    case WM_COMMAND:
        return Command(state, wParam);
    case WM_SETFOCUS:
        SetFocus(state.client);
        return 0;
    case WM_SIZE: {
        RECT client{};
        GetClientRect(frame, &client);
        MoveWindow(state.client, 0, 0, client.right, client.bottom, TRUE);
        return std::nullopt;
    }
    case WM_SETTEXT:
        if (!lParam)
            SetFrameTitle(state, {});
        else if (unicode)
            SetFrameTitle(state, std::u16string(WideView(reinterpret_cast<LPCWSTR>(lParam))));
        else
            SetFrameTitle(state, WideFromAnsi(reinterpret_cast<LPCSTR>(lParam)));
        return TRUE;
    case WM_NCACTIVATE:
        if (state.active && IsWindow(state.active))
            SendMessageW(state.active, WM_NCACTIVATE, wParam, 0);
        return std::nullopt;
    case WM_MENUCHAR:
        // Alt+minus opens the active child's system menu.
        if (LOWORD(wParam) == u'-' && state.active && IsWindow(state.active)) {
            PostMessageW(state.active, WM_SYSCOMMAND, SC_KEYMENU, u'-');
            return MAKELRESULT(0, MNC_CLOSE);
        }
        return std::nullopt;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == u'-' && state.active && IsWindow(state.active)) {
            SendMessageW(state.active, WM_SYSCOMMAND, wParam, lParam);
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

LRESULT FrameProcedure(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    if (MdiClientState* state = MdiClientOf(client); state && state->frame == frame) {
        if (auto handled = FrameMessage(*state, frame, message, wParam, lParam, unicode))
            return *handled;
    }
    return unicode ? DefWindowProcW(frame, message, wParam, lParam)
                   : DefWindowProcA(frame, message, wParam, lParam);
}

} // namespace

} // namespace platform

LRESULT DefFrameProcW(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::FrameProcedure(frame, client, message, wParam, lParam, true);
}

LRESULT DefFrameProcA(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::FrameProcedure(frame, client, message, wParam, lParam, false);
}
