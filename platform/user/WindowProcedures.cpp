#include "platform/user/WindowProcedures.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/WinUser.h"

#include <map>
#include <vector>

namespace platform {

namespace {

// Cookies are 0xFFFFnnnn: as pointers (sign-extended) they lie where no code can be.
constexpr LONG_PTR CookieBase = -65536;

struct CookieTable {
    std::vector<Procedure> procedures{Procedure{}};
    std::map<std::pair<WNDPROC, bool>, std::size_t> indices;
};

CookieTable& Cookies() {
    static CookieTable table;
    return table;
}

} // namespace

bool IsProcedureCookie(LONG_PTR value) {
    return value >= CookieBase && value < 0;
}

LONG ProcedureCookie(Procedure procedure) {
    if (!procedure.function)
        return 0;
    CookieTable& table = Cookies();
    auto key = std::make_pair(procedure.function, procedure.unicode);
    auto it = table.indices.find(key);
    std::size_t index;
    if (it != table.indices.end()) {
        index = it->second;
    } else {
        index = table.procedures.size();
        // 65535 distinct procedures would be a runaway program; share the last slot then.
        if (index > 0xFFFF)
            index = 0xFFFF;
        else
            table.procedures.push_back(procedure);
        table.indices.emplace(key, index);
    }
    return static_cast<LONG>(CookieBase + static_cast<LONG_PTR>(index));
}

LONG_PTR ProcedureValue(Procedure procedure, bool askUnicode) {
    if (!procedure.function)
        return 0;
    if (procedure.unicode == askUnicode)
        return reinterpret_cast<LONG_PTR>(procedure.function);
    return ProcedureCookie(procedure);
}

std::optional<Procedure> ProcedureFromValue(LONG_PTR value, bool callerUnicode) {
    if (value == 0)
        return std::nullopt;
    if (IsProcedureCookie(value)) {
        std::size_t index = static_cast<std::size_t>(value - CookieBase);
        const CookieTable& table = Cookies();
        if (index == 0 || index >= table.procedures.size())
            return std::nullopt;
        return table.procedures[index];
    }
    return Procedure{reinterpret_cast<WNDPROC>(value), callerUnicode};
}

LRESULT CallProcedure(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      bool argsUnicode) {
    if (!procedure.function)
        return 0;
    MessageCallScope scope;
    if (procedure.unicode == argsUnicode)
        return procedure.function(window, message, wParam, lParam);
    return CallWithConversion(procedure, window, message, wParam, lParam, argsUnicode);
}

LRESULT SendToWindow(Window& window, UINT message, WPARAM wParam, LPARAM lParam, bool argsUnicode) {
    if (!window.IsAlive())
        return 0;
    return CallProcedure(window.procedure, window.handle, message, wParam, lParam, argsUnicode);
}

} // namespace platform

namespace {

LRESULT CallWindowProcIn(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         bool unicode) {
    auto procedure = platform::ProcedureFromValue(reinterpret_cast<LONG_PTR>(previous), unicode);
    if (!procedure) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return platform::CallProcedure(*procedure, window, message, wParam, lParam, unicode);
}

} // namespace

LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcIn(previous, window, message, wParam, lParam, false);
}

LRESULT CallWindowProcW(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcIn(previous, window, message, wParam, lParam, true);
}
