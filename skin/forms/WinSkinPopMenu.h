#pragma once
// TWinSkinPopMenu: the skin of one open menu window (class "#32768"). The manager makes one for
// each menu window of a kind the skin covers and frees it when the window is destroyed. It
// subclasses the window, answers the skinned-window query, paints the window's border and
// background from the skin's menu background image (composed to the window's size by the skin
// data's menu images, and copied by the item painter under its items), lets the menu draw its
// items over it, and learns which menu the window shows when the first of its items is drawn.

#include "platform/user/WinUser.h"
#include "skin/forms/WindowThunk.h"

#include <memory>

class TBitmap;
class TSkinData;

class TWinSkinPopMenu {
public:
    explicit TWinSkinPopMenu(TSkinData& skinData);
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Subclasses the menu window; false when it cannot be subclassed.
    bool Attach(HWND window);
    // Gives the window its own procedure back and drops the background.
    void Detach();

    HWND Window() const { return m_window; }
    TSkinData& SkinData() const { return m_skinData; }
    // The menu the window shows; null until learned.
    HMENU Menu() const { return m_menu; }
    void SetMenu(HMENU menu) { m_menu = menu; }

    // Whether the background has been painted, and a part of it (window coordinates from
    // (sourceX, sourceY)) copied to a rectangle of a DC.
    bool HasBackground() const;
    void CopyBackground(HDC dc, const RECT& rect, int sourceX, int sourceY);

private:
    LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // A loaded skin with a menu background image: the two painters work only then.
    bool CanPaint() const;
    // The skin's menu background drawn to the window's size.
    void UpdateBackground(int width, int height);
    void PaintBorder();
    LRESULT PrintPaint(HWND window, WPARAM wParam, LPARAM lParam);

    TSkinData& m_skinData;
    TWindowSubclass m_subclass;
    HWND m_window = nullptr;
    std::shared_ptr<TBitmap> m_background;
    HMENU m_menu = nullptr;
};
