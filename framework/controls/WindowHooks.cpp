// The framework's window procedure and the table that maps windows back to their controls.

#include "core/Format.h"
#include "framework/classes/Module.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/Application.h"

namespace {

// The control whose window is being made: its first messages arrive before CreateWindowEx
// returns the handle.
TWinControl* g_creationControl = nullptr;

} // namespace

const std::string& ControlAtomName() {
    static const std::string name =
        Format("ControlOfs%.8X%.8X", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(HInstance())),
               static_cast<unsigned>(GetCurrentThreadId()));
    return name;
}

ATOM ControlAtom() {
    static const ATOM atom = [] {
        RegisterWindowMessageA(ControlAtomName().c_str());
        return GlobalAddAtomA(ControlAtomName().c_str());
    }();
    return atom;
}

TWinControl* FindControl(HWND window) {
    if (!window)
        return nullptr;
    return static_cast<TWinControl*>(GetPropA(window, MAKEINTATOM(ControlAtom())));
}

void SetCreationControl(TWinControl* control) {
    g_creationControl = control;
}

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(window);
    if (!control && g_creationControl) {
        control = g_creationControl;
        g_creationControl = nullptr;
        control->m_handle = window;
        SetPropA(window, MAKEINTATOM(ControlAtom()), control);
    }
    if (!control)
        return DefWindowProcA(window, message, wParam, lParam);
    TMessage record{message, wParam, lParam, 0};
    try {
        control->WindowProc()(record);
    } catch (...) {
        Application()->HandleException(control);
    }
    return record.Result;
}
