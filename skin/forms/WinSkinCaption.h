#pragma once
// TSkinCaption: the caption of a skinned window: the band with its text, icon and caption
// buttons, the mouse over the frame's buttons with their actions and hints, and the skinned copy
// of the window's system menu. It works inside its TWinSkinForm, which calls it from its frame
// painter and its non-client message handlers.

#include "platform/user/WinUser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TDataSkinSysButton;
class TFont;
class TNCObject;
class TPopupMenu;
class TWinSkinForm;
class TWinSysButton;

// What a caption button's action code does.
enum TCaptionAction : std::int32_t {
    caClose = 0,
    caMaximise = 1,
    caMinimise = 2,
    caSystemMenu = 3,
    caHelp = 4,
    caMdiMinimise = 7,
    caMdiRestore = 8,
    caMdiClose = 9,
    caIcon = 11,
    caSystemMenu2 = 12,
    caMaximise2 = 22,
    caMinimise2 = 23,
    caMdiMinimise2 = 60,
    caMdiRestore2 = 61,
    caMdiClose2 = 62
};

// The system menu copy's tag.
constexpr int SystemMenuCopyTag = 33333;

class TSkinCaption {
public:
    explicit TSkinCaption(TWinSkinForm& form);
    ~TSkinCaption();
    TSkinCaption(const TSkinCaption&) = delete;
    TSkinCaption& operator=(const TSkinCaption&) = delete;

    TWinSkinForm& Form() const { return m_form; }

    // One caption button per caption button record of the skin.
    void RebuildButtons();
    void FreeButtons();
    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    TWinSysButton& Button(int index) const { return *m_buttons.at(static_cast<std::size_t>(index)); }

    // Paints the caption band on the window DC: composed off screen, copied in one step. A
    // minimised window is its caption across the whole window.
    void Paint(HDC windowDC, int paintedWidth, bool minimised);
    // The window's small icon, on magenta.
    void LoadIcon();
    // Draws the window's icon for the icon button (the main form's when the window has none,
    // else the button's picture).
    void DrawIcon(HDC dc, const TWinSysButton& button);
    TBitmap& IconBitmap() const { return *m_icon; }
    // Where the last paint put the text (band coordinates) and how far the right-aligned buttons
    // reach from the right.
    const RECT& TextRect() const { return m_textRect; }
    int ReservedRight() const { return m_reservedRight; }
    TFont& CaptionFont() const { return *m_font; }
    // The caption's text as drawn: one blank before the window's text and two after.
    std::string CaptionText() const;
    int CaptionTextWidth() const;

    // Whether a caption button record shows, by its two conditions and its action, and is
    // enabled.
    bool IsShown(const TDataSkinSysButton& record) const;
    bool IsEnabled(const TDataSkinSysButton& record) const;

    // Non-client mouse messages with their screen points; true when a button took the message.
    bool MouseMove(POINT screen);
    bool LeftButtonDown(POINT screen);
    bool LeftButtonUp(POINT screen);
    bool RightButtonDown(POINT screen);
    bool DoubleClick(POINT screen);
    // SC_KEYMENU: true when the keyboard menu was taken (not to be passed on).
    bool KeyMenu(WPARAM command, LPARAM character);
    // The 250 ms hover timer's tick.
    void HoverTick();
    // Carries out a caption button's action; the point is where it was clicked.
    void RunAction(int action, POINT screen);
    void OpenSystemMenu(POINT screen);
    // The copy shown last (null when none).
    TPopupMenu* SystemMenuCopy() const { return m_systemMenuCopy.get(); }
    void FreeSystemMenu();

    // The frame part under the mouse.
    TNCObject* HotObject() const { return m_hot; }
    // The hover timer runs only while something is hot.
    void SetHotObject(TNCObject* object);
    // Closes the caption hint and starts its hover time again.
    void CloseHint();
    int HoverTime() const { return m_hoverTime; }

private:
    void PaintText(HDC dc, const RECT& caption, int bandHeight);
    void LayoutButtons(int paintedWidth);
    void PaintButtonsInto(HDC dc);
    TWinSysButton* ButtonAt(POINT window) const;
    bool FirstConditionHolds(int code, const TDataSkinSysButton& record) const;
    bool SecondConditionHolds(int code) const;
    void BuildSystemMenuCopy();

    TWinSkinForm& m_form;
    std::vector<std::unique_ptr<TWinSysButton>> m_buttons;
    TNCObject* m_hot = nullptr;
    std::unique_ptr<TFont> m_font;
    std::unique_ptr<TBitmap> m_icon;
    std::unique_ptr<TBitmap> m_scratch;
    RECT m_textRect{};
    int m_reservedRight = 0;
    UINT m_doubleClickTime = 0;
    DWORD m_lastSystemMenuClick = 0;
    bool m_systemMenuClicked = false;
    int m_hoverTime = 0;
    std::unique_ptr<TPopupMenu> m_systemMenuCopy;
};
