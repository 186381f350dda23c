#pragma once
// TSkinFrameMenuBar: the skinned menu bar inside a skinned window's frame. The frame makes one
// when it attaches to a window with a native menu, and hands it what concerns the bar: painting
// the band (with a maximised MDI child's caption buttons at its end), the mouse over the band
// (a hot button framed, a press opening the button's drop-down), the keyboard's mnemonics, a
// menu changed by the program, and the owner-drawn items of the drop-downs. Freeing it gives the
// window its native menu back.

#include "platform/user/WinUser.h"

#include <memory>
#include <vector>

class TMainMenu;
class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;
class TWinSysButton;

class TSkinFrameMenuBar {
public:
    // Takes the window's native menu over; a framework form gives its main menu.
    TSkinFrameMenuBar(TWinSkinForm& form, TSkinData& skinData, TMainMenu* frameworkMenu);
    ~TSkinFrameMenuBar();
    TSkinFrameMenuBar(const TSkinFrameMenuBar&) = delete;
    TSkinFrameMenuBar& operator=(const TSkinFrameMenuBar&) = delete;

    TWinSkinMenu& Bar() const { return *m_bar; }

    // Paints the band (window coordinates) on the window DC.
    void Paint(HDC dc, const RECT& band);
    // The mouse over the frame at a screen point: the button under it becomes hot; false when
    // there is none.
    bool MouseMove(POINT screen);
    // The mouse left the window: no button stays hot.
    void MouseLeave();
    // Opens the drop-down of the button under the screen point; false when there is none.
    bool Press(POINT screen);
    // Opens the drop-down of the button with the mnemonic (the first button for 0); false
    // when no button has it.
    bool OpenByMnemonic(char key);
    // The program changed the window's menu, or its items: the bar takes it over again.
    void MenuChanged();
    // WM_MEASUREITEM and WM_DRAWITEM of the drop-downs' items; false to pass them on.
    bool MeasureItem(MEASUREITEMSTRUCT& measure);
    bool DrawItem(const DRAWITEMSTRUCT& draw);

private:
    void SetState(int index, int state);
    // A maximised MDI child's caption buttons, shown at the band's right end.
    std::vector<TWinSysButton*> MdiChildButtons() const;
    void PaintMdiChildButtons(HDC dc, const std::vector<TWinSysButton*>& buttons);
    void Open(int index);

    TWinSkinForm& m_form;
    TSkinData& m_skinData;
    std::unique_ptr<TWinSkinMenu> m_bar;
    int m_hot = -1;
    // False once the bar is freed: a drop-down's loop may outlive it (the window destroyed
    // meanwhile), and nothing of the bar or its frame is touched after that loop then.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
