#include "platform/controls/ControlSupport.h"

namespace platform {

LRESULT NotifyParentCommand(HWND control, WORD code) {
    HWND parent = GetParent(control);
    if (!parent)
        return 0;
    WPARAM wParam = MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code);
    return SendMessageW(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, UINT code, NMHDR& header) {
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    header.code = code;
    HWND parent = GetParent(control);
    if (!parent)
        return 0;
    return SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

HBRUSH AskParentForColours(HWND control, HDC dc, UINT ctlColorMessage) {
    HWND parent = GetParent(control);
    WPARAM wParam = reinterpret_cast<WPARAM>(dc);
    LPARAM lParam = reinterpret_cast<LPARAM>(control);
    if (parent) {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, ctlColorMessage, wParam, lParam));
        if (brush)
            return brush;
    }
    return reinterpret_cast<HBRUSH>(
        DefWindowProcW(parent ? parent : control, ctlColorMessage, wParam, lParam));
}

} // namespace platform
