#include "skin/forms/WinSkinPopMenu.h"

#include "skin/forms/SkinMessages.h"

TWinSkinPopMenu::TWinSkinPopMenu(TSkinData& skinData)
    : m_skinData(skinData), m_subclass([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
          return WindowProcedure(window, message, wParam, lParam);
      }) {}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    Detach();
}

bool TWinSkinPopMenu::Attach(HWND window) {
    if (!m_subclass.Attach(window))
        return false;
    m_window = window;
    return true;
}

void TWinSkinPopMenu::Detach() {
    m_subclass.Detach();
}

LRESULT TWinSkinPopMenu::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SM_SKINNEDQUERY)
        return SkinnedAnswer;
    if (message == WM_DESTROY) {
        // The window's own procedure sees its destruction with nothing of ours left on it.
        Detach();
    }
    return m_subclass.CallPrevious(window, message, wParam, lParam);
}
