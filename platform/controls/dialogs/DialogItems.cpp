// Calls on a dialog's controls by id, and dialog units.

#include "platform/base/MulDiv.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/DialogState.h"

#include <climits>
#include <string>

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextA(item, text) : FALSE;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextW(item, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && size > 0)
            buffer[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, buffer, size));
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int size) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && size > 0)
            buffer[0] = u'\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextW(item, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    std::string text = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    return SetDlgItemTextA(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated)
        *translated = FALSE;
    char text[64]{};
    if (!GetDlgItemTextA(dialog, id, text, sizeof text))
        return 0;
    const char* at = text;
    while (*at == ' ' || *at == '\t')
        ++at;
    bool negative = isSigned && *at == '-';
    if (negative || *at == '+')
        ++at;
    if (*at < '0' || *at > '9')
        return 0;
    long long value = 0;
    for (; *at >= '0' && *at <= '9'; ++at) {
        value = value * 10 + (*at - '0');
        if (value > (isSigned ? static_cast<long long>(INT_MAX) + (negative ? 1 : 0) : UINT_MAX))
            return 0; // out of range: not translated
    }
    while (*at == ' ' || *at == '\t')
        ++at;
    if (*at != '\0')
        return 0;
    if (translated)
        *translated = TRUE;
    return static_cast<UINT>(negative ? -value : value);
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, message, wParam, lParam) : 0;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageW(item, message, wParam, lParam) : 0;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    platform::DialogState* state = platform::FindDialogState(dialog);
    if (!state || !rect) {
        SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    SIZE base = state->baseUnits;
    rect->left = MulDiv(rect->left, base.cx, 4);
    rect->right = MulDiv(rect->right, base.cx, 4);
    rect->top = MulDiv(rect->top, base.cy, 8);
    rect->bottom = MulDiv(rect->bottom, base.cy, 8);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    SIZE base = platform::DialogBaseUnitsOf(nullptr);
    return MAKELONG(base.cx, base.cy);
}
