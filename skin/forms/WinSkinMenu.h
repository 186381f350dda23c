#pragma once
// TWinSkinMenu: the skin's menu bar of one window. It takes the window's native menu over (the
// window keeps no menu of its own while skinned), keeps one button per top-level item, lays the
// buttons out in the frame's menu-bar band and paints the band from the skin's menu-bar image,
// with a hot or pressed button framed in the skin's hot colour. Opening a button's drop-down and
// moving between drop-downs is in SkinMenuNavigation.h.

#include "platform/user/WinUser.h"

#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TMainMenu;
class TMenuItem;
class TSkinData;

enum class TMenuBtnState { Normal, Hot, Pressed };

// One top-level item of the bar.
struct TMenuBtn {
    TMenuItem* item = nullptr; // the framework's item, when the bar has a framework menu
    int index = 0;
    std::string caption;
    bool enabled = true;
    bool visible = true;
    HMENU dropDown = nullptr; // null for an item without sub-items
    UINT command = 0;
    RECT rect{}; // window coordinates; empty while invisible
    TMenuBtnState state = TMenuBtnState::Normal;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TSkinData& skinData, HWND window, TMainMenu* frameworkMenu);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Makes the buttons from the window's native menu (the one taken over before when the
    // window has none any more), each taking caption, state and drop-down from the framework's
    // item of its command when there is one, then takes the native menu off the window.
    void Build();
    // Gives the window its native menu back; the bar has no buttons afterwards.
    void GiveMenuBack();

    // Lays the buttons out in the band (window coordinates) and paints it on the window DC.
    // Other buttons take the band from clearFrom (window x) to its right end: a right-to-left
    // bar starts left of them.
    void PaintBand(HDC dc, const RECT& band, bool active, int clearFrom);
    // Paints one button over the band painted last, in its state.
    void PaintButton(HDC dc, int index);
    void SetButtonState(int index, TMenuBtnState state);

    // The first button under the point (window coordinates) with a caption; -1 for none.
    int ButtonAt(POINT point) const;
    // The button whose caption has the mnemonic character; -1 for none.
    int ButtonByMnemonic(char key) const;

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    const TMenuBtn& Button(int index) const { return m_buttons[static_cast<size_t>(index)]; }
    HWND Window() const { return m_window; }
    HMENU NativeMenu() const { return m_nativeMenu; }
    // The framework form's main menu; null for a bare window.
    TMainMenu* FrameworkMenu() const { return m_frameworkMenu; }
    TSkinData& SkinData() const { return m_skinData; }
    bool RightToLeft() const;

private:
    void AddNativeButton(HMENU menu, int position);
    void PaintBackground(HDC dc, int width, int height, bool active);
    void DrawCaption(HDC dc, const TMenuBtn& button, const RECT& rect);

    TSkinData& m_skinData;
    HWND m_window;
    TMainMenu* m_frameworkMenu;
    HMENU m_nativeMenu = nullptr;
    std::vector<TMenuBtn> m_buttons;
    RECT m_band{};
    std::unique_ptr<TBitmap> m_bandBitmap; // the band's background as painted last
};
