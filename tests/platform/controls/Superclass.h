#pragma once
// A window class of another name over a platform control class, whose procedure hands every
// message to the platform class's: what a program's own control classes (the framework's)
// are. The platform must know such windows for what they are.

#include "platform/user/WinUser.h"

#include <map>
#include <string>

namespace testing_support {

inline std::map<std::string, WNDPROC>& SuperclassedProcedures() {
    static std::map<std::string, WNDPROC> procedures;
    return procedures;
}

inline LRESULT CALLBACK SuperclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return CallWindowProcA(SuperclassedProcedures().at(name), window, message, wParam, lParam);
}

// Registers `name` over `platformClass` unless it is there already; gives `name`.
inline const char* RegisterSuperclass(const char* platformClass, const char* name) {
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, name, &existing))
        return name;
    WNDCLASSA base{};
    if (!GetClassInfoA(nullptr, platformClass, &base))
        return name;
    SuperclassedProcedures()[name] = base.lpfnWndProc;
    base.lpfnWndProc = SuperclassProcedure;
    base.lpszClassName = name;
    base.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    RegisterClassA(&base);
    return name;
}

} // namespace testing_support
