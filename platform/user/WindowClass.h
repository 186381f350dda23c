#pragma once
// Registered window classes. Classes of the program are found by name and module; classes the
// platform registers itself (dialogs, menus, controls) are found from any module.

#include "platform/base/WinTypes.h"
#include "platform/user/AtomTable.h"
#include "platform/user/WinUserTypes.h"
#include "platform/user/Window.h"

#include <string>
#include <vector>

namespace platform {

class WindowClass {
public:
    std::u16string name;
    ATOM atom = 0;
    UINT style = 0;
    Procedure procedure;
    int classExtraBytes = 0;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LONG_PTR menuName = 0; // resource id or pointer to menuNameText
    std::u16string menuNameText;
    std::vector<BYTE> classExtra;
    bool system = false;
    // A system class's procedure for windows made by the narrow calls: the platform's
    // controls keep one of each character set, so IsWindowUnicode follows the creating call.
    WNDPROC ansiProcedure = nullptr;
    int windowCount = 0;
};

// Sets ERROR_CLASS_DOES_NOT_EXIST... and returns null when there is no such class.
WindowClass* FindWindowClass(const AtomName& name, HINSTANCE instance);

// Registers a class of the platform itself, visible from every module; ansiProcedure, when
// given, serves the windows that CreateWindowExA makes.
ATOM RegisterSystemClass(const WNDCLASSEXW& description, WNDPROC ansiProcedure = nullptr);
// The same for a class whose procedure takes narrow (code page 936) messages.
ATOM RegisterSystemClass(const WNDCLASSEXA& description);

} // namespace platform
