// Making a dialog from a template: its font and base units, its place (dialog units, centred
// with DS_CENTER), its controls in template order with the dialog's font, WM_INITDIALOG and
// the first focus.

#include "platform/base/MulDiv.h"
#include "platform/controls/buttons/Button.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/DialogState.h"
#include "platform/controls/dialogs/DialogTemplate.h"

namespace platform {

namespace {

constexpr WORD NoFontPointSize = 0x7FFF;

RECT ToPixels(const RECT& units, SIZE base) {
    return {MulDiv(units.left, base.cx, 4), MulDiv(units.top, base.cy, 8), MulDiv(units.right, base.cx, 4),
            MulDiv(units.bottom, base.cy, 8)};
}

HFONT CreateDialogFont(const DialogDescription& d) {
    if (!d.hasFont || d.pointSize == NoFontPointSize)
        return nullptr;
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(d.pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, d.weight, d.italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, d.face.c_str());
}

// The window rectangle of the dialog in its parent's coordinates (the screen for a pop-up).
RECT PlaceDialog(const DialogDescription& d, SIZE base, HWND owner) {
    RECT client = ToPixels(d.units, base);
    RECT frame{0, 0, client.right - client.left, client.bottom - client.top};
    DWORD exStyle = d.exStyle | ((d.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    AdjustWindowRectEx(&frame, d.style & ~DS_MODALFRAME, FALSE, exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    POINT origin{client.left, client.top};
    if (d.style & WS_CHILD)
        return {origin.x, origin.y, origin.x + width, origin.y + height};
    if (d.style & DS_CENTER) {
        RECT area{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        int x = area.left + (area.right - area.left - width) / 2;
        int y = area.top + (area.bottom - area.top - height) / 2;
        return {x, y, x + width, y + height};
    }
    // A pop-up dialog is placed from its owner's client area, unless DS_ABSALIGN.
    if (owner && !(d.style & DS_ABSALIGN))
        ClientToScreen(owner, &origin);
    origin.x += frame.left;
    origin.y += frame.top;
    return {origin.x, origin.y, origin.x + width, origin.y + height};
}

LPCWSTR ItemClass(const DialogItem& item) {
    if (item.className.isOrdinal)
        return PredefinedControlClass(item.className.ordinal);
    return item.className.name.c_str();
}

// The first control that calls itself a default push button sets the dialog's default.
int FindDefaultButton(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            return GetDlgCtrlID(child);
    }
    return 0;
}

bool CreateItems(HWND dialog, const DialogDescription& d, HINSTANCE instance, HFONT font, SIZE base) {
    for (const DialogItem& item : d.items) {
        LPCWSTR className = ItemClass(item);
        RECT rect = ToPixels(item.units, base);
        std::u16string text = item.text.isOrdinal ? u"" : item.text.name;
        HWND control = className ? CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, className,
                                                   text.c_str(), item.style | WS_CHILD, rect.left, rect.top,
                                                   rect.right - rect.left, rect.bottom - rect.top, dialog,
                                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)),
                                                   instance, const_cast<BYTE*>(item.creationData))
                                 : nullptr;
        if (!IsWindow(dialog))
            return false;
        if (!control) {
            if (d.style & DS_NOFAILCREATE)
                continue;
            return false;
        }
        if (font)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

HWND CreateDialogFrom(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC procedure,
                      LPARAM initParam, bool unicode, bool hidden) {
    std::optional<DialogDescription> read = ReadDialogTemplate(dialogTemplate);
    if (!read) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const DialogDescription& d = *read;
    HWND owner = parent;
    if (owner && !(d.style & WS_CHILD))
        owner = GetAncestor(owner, GA_ROOT);
    HFONT font = CreateDialogFont(d);
    SIZE base = DialogBaseUnitsOf(font);
    RECT place = PlaceDialog(d, base, owner);
    DWORD exStyle = d.exStyle | ((d.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    LPCWSTR className = d.className.isOrdinal
                            ? reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(d.className.ordinal))
                        : d.className.name.empty() ? WC_DIALOGW
                                                   : d.className.name.c_str();
    HWND dialog = CreateWindowExW(exStyle, className, d.title.c_str(), d.style & ~WS_VISIBLE, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top, owner,
                                  nullptr, instance, nullptr);
    if (!dialog) {
        if (font)
            DeleteObject(font);
        return nullptr;
    }
    DialogState& state = DialogStateOf(dialog);
    state.font = font;
    state.ownsFont = font != nullptr;
    state.baseUnits = base;
    if (!unicode && GetWindowLongPtrW(dialog, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(DefDlgProcW))
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefDlgProcA));
    SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (font)
        SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dialog) || !CreateItems(dialog, d, instance, font, base)) {
        if (IsWindow(dialog))
            DestroyWindow(dialog);
        return nullptr;
    }
    state.defaultId = FindDefaultButton(dialog);
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    state.savedFocus = first;
    LRESULT setFocus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog))
        return nullptr;
    if (!setFocus && GetFocus() && IsChild(dialog, GetFocus()))
        state.savedFocus = GetFocus();
    if ((d.style & WS_VISIBLE) && !hidden && !FindDialogState(dialog)->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    if (setFocus && first && IsWindowVisible(dialog))
        SetDialogFocus(dialog, first);
    return dialog;
}

} // namespace

HWND AddDialogControl(HWND dialog, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, int id,
                      DWORD exStyle) {
    HWND control =
        CreateWindowExW(exStyle | WS_EX_NOPARENTNOTIFY, className, text, style | WS_CHILD, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (!control)
        return nullptr;
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)))
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (DialogState* state = FindDialogState(dialog);
        state && !state->defaultId && (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
        state->defaultId = id;
    return control;
}

} // namespace platform

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam) {
    return platform::CreateDialogFrom(instance, dialogTemplate, parent, procedure, initParam, false, false);
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam) {
    return platform::CreateDialogFrom(instance, dialogTemplate, parent, procedure, initParam, true, false);
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam) {
    HWND dialog =
        platform::CreateDialogFrom(instance, dialogTemplate, parent, procedure, initParam, false, true);
    return dialog ? platform::RunModalDialog(dialog, GetWindow(dialog, GW_OWNER), MSGF_DIALOGBOX) : -1;
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam) {
    HWND dialog =
        platform::CreateDialogFrom(instance, dialogTemplate, parent, procedure, initParam, true, true);
    return dialog ? platform::RunModalDialog(dialog, GetWindow(dialog, GW_OWNER), MSGF_DIALOGBOX) : -1;
}
