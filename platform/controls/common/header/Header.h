#pragma once
// The header control ("SysHeader32") behind its window: items in a display order, their
// rectangles, dividers that resize them by dragging, clicks, hot tracking, notifications in
// the parent's character set, and the classic look.

#include "platform/controls/common/CommonControl.h"

#include <string>
#include <vector>

namespace platform {

struct HeaderItem {
    std::u16string text;
    int width = 0;
    int format = HDF_LEFT | HDF_STRING;
    LPARAM param = 0;
    int image = -1;
    HBITMAP bitmap = nullptr;
};

class Header {
public:
    explicit Header(HWND window) : m_window(window) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area (WM_PAINT, WM_PRINTCLIENT).
    void Paint(HDC dc);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int Height() const;
    RECT ItemRect(int index) const;
    int HitTest(POINT point, UINT* flags) const;

    template <typename Item>
    LRESULT InsertItem(int index, const Item* item);
    LRESULT DeleteItem(int index);
    template <typename Item>
    LRESULT GetItem(int index, Item* item) const;
    template <typename Item>
    LRESULT SetItem(int index, const Item* item);
    template <typename Item>
    void Apply(HeaderItem& target, const Item* item, int index);
    LRESULT Layout(HDLAYOUT* layout) const;
    // Changes an item's width with HDN_ITEMCHANGING and HDN_ITEMCHANGED; false when refused.
    bool ChangeWidth(int index, int width);

    // Sends a header notification in the parent's character set; width (when not negative) goes
    // out as the item's HDI_WIDTH.
    LRESULT NotifyItem(UINT codeA, int index, int width = -1, UINT mask = 0,
                       const HeaderItem* item = nullptr);

    void OnButtonDown(LPARAM lParam);
    void OnDoubleClick(LPARAM lParam);
    void OnMouseMove(LPARAM lParam);
    void OnButtonUp(LPARAM lParam);
    void EndTracking(bool apply);
    bool OnSetCursor();

    // Painting (HeaderPainting.cpp)
    void PaintItem(HDC dc, int index) const;
    void PaintContent(HDC dc, int index, RECT rect) const;

    HWND m_window;
    std::vector<HeaderItem> m_items;
    std::vector<int> m_order; // display position -> item index
    HIMAGELIST m_images = nullptr;
    HFONT m_font = nullptr;
    int m_hot = -1;
    int m_pressed = -1;
    bool m_pressedInside = false;
    int m_tracking = -1;
    int m_trackStartX = 0;
    int m_trackStartWidth = 0;
    int m_trackWidth = 0;
};

} // namespace platform
