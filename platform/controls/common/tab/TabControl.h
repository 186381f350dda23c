#pragma once
// The tab control ("SysTabControl32") behind its window: items, selection and focus, layout,
// the scroller of overflowing single-line tabs, input and painting. Reached through
// CommonControlProc; other code talks to it with TCM_ messages.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/tab/TabLayout.h"

#include <string>
#include <vector>

namespace platform {

struct TabItem {
    std::u16string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

class TabControl {
public:
    explicit TabControl(HWND window) : m_window(window) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area (WM_PAINT, WM_PRINTCLIENT).
    void Paint(HDC dc);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    TabSide Side() const;
    bool Buttons() const { return (Style() & TCS_BUTTONS) != 0; }
    int Thickness() const;
    int NaturalLength(const TabItem& item) const;
    TabLayout Layout() const;
    RECT ItemRect(int index) const;

    // Items
    template <typename Item>
    LRESULT InsertItem(int index, const Item* item);
    template <typename Item>
    LRESULT SetItem(int index, const Item* item);
    template <typename Item>
    LRESULT GetItem(int index, Item* item) const;
    LRESULT DeleteItem(int index);

    // Selection and focus
    LRESULT SetCurSel(int index);
    // Asks the parent with TCN_SELCHANGING, selects, then tells it with TCN_SELCHANGE.
    bool SelectByUser(int index);
    void SetFocusItem(int index);
    void ScrollIntoView(int index);
    int HitTest(POINT point, UINT* flags) const;

    // The scroller of overflowing single-line tabs
    void UpdateScroller();
    void OnScroll(WPARAM wParam);

    // Input
    void OnButtonDown(LPARAM lParam);
    void OnKeyDown(WPARAM key);

    void Changed();

    // Painting (TabPainting.cpp)
    void PaintPane(HDC dc) const;
    void PaintItem(HDC dc, int index) const;
    RECT FaceRect(int index) const;
    void PaintContent(HDC dc, int index, RECT rect) const;
    void PaintOwnerDrawn(HDC dc, int index, RECT rect) const;

    HWND m_window;
    std::vector<TabItem> m_items;
    int m_selected = -1;
    int m_focus = -1;
    int m_firstVisible = 0;
    HWND m_scroller = nullptr;
    HIMAGELIST m_images = nullptr;
    HFONT m_font = nullptr;
    SIZE m_padding{6, 3};
    SIZE m_itemSize{0, 0};
    int m_minWidth = -1;
};

} // namespace platform
