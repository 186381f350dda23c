// TrackPopupMenu, TrackPopupMenuEx and EndMenu.

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/menus/MenuTracker.h"
#include "platform/user/menus/SystemMenu.h"

namespace {

BOOL Track(HMENU menu, UINT flags, POINT at, HWND window, const RECT* exclude) {
    if (!platform::MenuFromHandle(menu) || !platform::WindowFromHandle(window))
        return FALSE;
    platform::TrackOptions options;
    options.owner = window;
    options.flags = flags;
    if (exclude)
        options.exclude = *exclude;
    // The window's own system menu sends its commands as system commands.
    options.systemMenu = platform::IsSystemMenuOf(window, menu);
    UINT command = 0;
    if (!platform::TrackPopup(menu, at, options, command))
        return FALSE;
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(command) : TRUE;
}

} // namespace

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND window, const RECT* reserved2) {
    (void)reserved;
    (void)reserved2; // ignored, as documented
    return Track(menu, flags, {x, y}, window, nullptr);
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND window, LPTPMPARAMS params) {
    if (params && params->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Track(menu, flags, {x, y}, window, params ? &params->rcExclude : nullptr);
}

BOOL EndMenu() {
    return platform::EndMenuLoop() ? TRUE : FALSE;
}
