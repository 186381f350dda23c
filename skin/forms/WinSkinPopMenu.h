#pragma once
// TWinSkinPopMenu: the skin of one open menu window (class "#32768"). The manager makes one for
// each menu window of a kind the skin covers and frees it when the window is destroyed. It
// subclasses the window, answers the skinned-window query, and learns which menu the window
// shows when the first of its items is drawn.

#include "platform/user/WinUser.h"
#include "skin/forms/WindowThunk.h"

class TSkinData;

class TWinSkinPopMenu {
public:
    explicit TWinSkinPopMenu(TSkinData& skinData);
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Subclasses the menu window; false when it cannot be subclassed.
    bool Attach(HWND window);
    // Gives the window its own procedure back.
    void Detach();

    HWND Window() const { return m_window; }
    TSkinData& SkinData() const { return m_skinData; }
    // The menu the window shows; null until learned.
    HMENU Menu() const { return m_menu; }
    void SetMenu(HMENU menu) { m_menu = menu; }

private:
    LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TSkinData& m_skinData;
    TWindowSubclass m_subclass;
    HWND m_window = nullptr;
    HMENU m_menu = nullptr;
};
