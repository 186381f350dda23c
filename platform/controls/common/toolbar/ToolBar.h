#pragma once
// The tool bar ("ToolbarWindow32") behind its window: buttons with images from image lists and
// texts, separators, check and group buttons, drop-down buttons, the flat look with hot
// tracking, its own size across the top of its parent, and custom drawing stage by stage.

#include "platform/controls/common/CommonControl.h"

#include <string>
#include <vector>

namespace platform {

struct ToolBarButton {
    int image = I_IMAGENONE;
    int command = 0;
    BYTE state = TBSTATE_ENABLED;
    BYTE style = BTNS_BUTTON;
    DWORD_PTR data = 0;
    INT_PTR stringIndex = -1; // into the tool bar's strings; -1 when the button has its own text
    std::u16string text;
    int width = 0; // asked for through TBIF_SIZE; 0: the tool bar decides
    RECT rect{};   // where the layout placed it
};

class ToolBar {
public:
    explicit ToolBar(HWND window) : m_window(window) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

private:
    friend class ToolBarPainter;

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    int Count() const { return static_cast<int>(m_buttons.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int IndexOfCommand(int command) const;
    ToolBarButton* ButtonOfCommand(int command);
    bool IsSeparator(const ToolBarButton& button) const { return (button.style & BTNS_SEP) != 0; }
    bool Clickable(int index) const;
    std::u16string TextOf(const ToolBarButton& button) const;
    HWND NotifyWindow() const { return m_notify ? m_notify : GetParent(m_window); }

    // ---- buttons (ToolBarButtons.cpp)
    template <typename Text>
    LRESULT InsertButtons(int index, int count, const TBBUTTON* buttons);
    LRESULT DeleteButton(int index);
    LRESULT GetButton(int index, TBBUTTON* button) const;
    LRESULT MoveButton(int from, int to);
    template <typename Info>
    LRESULT GetButtonInfo(int id, Info* info) const;
    template <typename Info>
    LRESULT SetButtonInfo(int id, const Info* info);
    template <typename Text>
    LRESULT GetButtonText(int command, Text* buffer) const;
    // Sets or clears state bits of the button with a command; false when there is none.
    LRESULT ChangeState(int command, BYTE bits, bool on);
    LRESULT SetState(int command, BYTE state);
    // Checks a button of a group and unchecks the others of its group.
    void CheckInGroup(int index);
    template <typename Text>
    LRESULT AddStrings(HINSTANCE instance, const Text* strings);
    LRESULT AddBitmap(int count, const TBADDBITMAP* bitmap);

    // ---- layout (ToolBarLayout.cpp)
    SIZE ButtonSize() const;
    int ButtonWidth(const ToolBarButton& button) const;
    int DropDownArrowWidth(const ToolBarButton& button) const;
    bool HasSplitArrow(const ToolBarButton& button) const;
    int TextHeight() const;
    // Places every button; the height the buttons need follows.
    void Layout();
    int NeededHeight() const;
    void AutoSize();
    int HitTest(POINT point) const;
    bool OnArrow(int index, POINT point) const;
    RECT ArrowRect(int index) const;
    void InvalidateButton(int index) const;
    void Changed();

    // ---- input (ToolBarInput.cpp)
    void OnButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnButtonUp(POINT point);
    void OnKeyDown(WPARAM key);
    // The button clicked: check styles take their state, the parent gets WM_COMMAND.
    void Click(int index, POINT point);
    // TBN_DROPDOWN with the button shown pressed; its answer.
    LRESULT DropDown(int index);
    bool SetHotItem(int index, DWORD flags);
    int NextHotItem(int from, int step) const;
    void CancelPress();

    HWND m_window;
    HWND m_notify = nullptr; // TB_SETPARENT's window
    HFONT m_font = nullptr;
    bool m_unicodeParent = true;
    std::vector<ToolBarButton> m_buttons;
    std::vector<std::u16string> m_strings;
    HIMAGELIST m_images = nullptr;
    HIMAGELIST m_hotImages = nullptr;
    HIMAGELIST m_disabledImages = nullptr;
    HIMAGELIST m_ownImages = nullptr; // made for TB_ADDBITMAP, destroyed with the window
    DWORD m_exStyle = 0;
    SIZE m_bitmapSize{16, 15};
    SIZE m_buttonSize{0, 0}; // asked for with TB_SETBUTTONSIZE; 0: from bitmap and texts
    int m_minWidth = 0;
    int m_maxWidth = 0;
    int m_indent = 0;
    int m_rows = 1;
    int m_hot = -1;
    int m_pressed = -1;
    bool m_pressedInside = false;
    bool m_hasFocus = false;
};

} // namespace platform
