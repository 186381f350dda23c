#include "platform/user/NonClientMouse.h"

#include "platform/user/WinUser.h"
#include "platform/user/WindowProcedures.h"

namespace platform {

namespace {

LRESULT ButtonDown(Window& window, WPARAM hitCode, LPARAM lParam) {
    switch (static_cast<LRESULT>(hitCode)) {
    case HTVSCROLL:
        SendToWindow(window, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, lParam);
        return 0;
    case HTHSCROLL:
        SendToWindow(window, WM_SYSCOMMAND, SC_HSCROLL | HTHSCROLL, lParam);
        return 0;
    default:
        return 0;
    }
}

} // namespace

std::optional<LRESULT> DefaultNonClientMouse(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCLBUTTONDOWN:
        return ButtonDown(window, wParam, lParam);
    default:
        return std::nullopt;
    }
}

} // namespace platform
