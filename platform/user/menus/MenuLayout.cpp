#include "platform/user/menus/MenuLayout.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int SeparatorHeight = 9;
constexpr int ShortcutGap = 16;   // between the longest label and the shortcut column
constexpr int ArrowColumn = 16;   // the submenu arrow on the right
constexpr int BarItemPadding = 8; // each side of a bar item's text

SIZE BitmapSize(HBITMAP bitmap) {
    if (!bitmap)
        return {0, 0};
    if (IsSystemMenuBitmap(bitmap))
        return {GetSystemMetrics(SM_CXMENUSIZE) - 2, GetSystemMetrics(SM_CYMENUSIZE) - 2};
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info))
        return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// One item's own size, before it is stretched to its column.
struct Measured {
    SIZE size{};
    int label = 0;
    int shortcut = 0;
};

Measured MeasurePopupItem(HDC dc, const MenuItem& item, HWND owner) {
    Measured m;
    if (item.IsOwnerDrawn()) {
        m.size = MeasureOwnerDrawnItem(owner, item, PopupItemHeight());
        return m;
    }
    if (item.IsSeparator()) {
        m.size = {0, SeparatorHeight};
        return m;
    }
    if (item.type & MFT_BITMAP) {
        SIZE bitmap = BitmapSize(item.bitmap);
        m.size = {bitmap.cx, std::max<LONG>(bitmap.cy, PopupItemHeight())};
        return m;
    }
    // The default item is drawn bold, and measured so.
    HGDIOBJ oldFont = SelectObject(dc, MenuFont((item.state & MFS_DEFAULT) != 0));
    ItemText text = SplitItemText(item.text);
    m.label = LabelWidth(dc, text.label);
    m.shortcut = LabelWidth(dc, text.shortcut);
    SelectObject(dc, oldFont);
    m.size = {0, PopupItemHeight()};
    return m;
}

} // namespace

HFONT MenuFont(bool bold) {
    static HFONT fonts[2] = {nullptr, nullptr};
    HFONT& font = fonts[bold ? 1 : 0];
    if (!font) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        if (bold)
            metrics.lfMenuFont.lfWeight = FW_BOLD;
        font = CreateFontIndirectA(&metrics.lfMenuFont);
    }
    return font;
}

MeasuringDC::MeasuringDC()
    : m_dc(CreateCompatibleDC(nullptr)), m_oldFont(SelectObject(m_dc, MenuFont(false))) {}

MeasuringDC::~MeasuringDC() {
    SelectObject(m_dc, m_oldFont);
    DeleteDC(m_dc);
}

ItemText SplitItemText(const std::u16string& text) {
    size_t tab = text.find(u'\t');
    if (tab == std::u16string::npos)
        return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

int LabelWidth(HDC dc, const std::u16string& label) {
    if (label.empty())
        return 0;
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(label.c_str()), static_cast<int>(label.size()), &r,
              DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

bool IsSystemMenuBitmap(HBITMAP bitmap) {
    auto value = reinterpret_cast<INT_PTR>(bitmap);
    return value == -1 || (value >= 1 && value <= 11);
}

SIZE MeasureOwnerDrawnItem(HWND owner, const MenuItem& item, int defaultHeight) {
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, item.id, 0, static_cast<UINT>(defaultHeight), item.data};
    if (owner)
        SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    return {static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
}

int PopupItemHeight() {
    return GetSystemMetrics(SM_CYMENU) - 1;
}

int BarRowHeight() {
    return GetSystemMetrics(SM_CYMENU) - 1;
}

PopupLayout LayoutPopup(const Menu& menu, HWND owner) {
    MeasuringDC dc;
    PopupLayout layout;
    std::vector<Measured> measured;
    int checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
    for (const MenuItem& item : menu.items) {
        measured.push_back(MeasurePopupItem(dc.Get(), item, owner));
        if (!(item.type & MFT_BITMAP))
            checkWidth = std::max<int>(checkWidth, BitmapSize(item.bitmap).cx);
    }
    layout.checkColumn = checkWidth + 6;
    int longestLabel = 0;
    int longestShortcut = 0;
    for (const Measured& m : measured) {
        longestLabel = std::max(longestLabel, m.label);
        longestShortcut = std::max(longestShortcut, m.shortcut);
    }
    layout.shortcutOffset = layout.checkColumn + longestLabel + ShortcutGap;
    int textWidth = layout.checkColumn + longestLabel +
                    (longestShortcut ? ShortcutGap + longestShortcut : 0) + ArrowColumn;

    // Items stack in columns; a break starts the next column to the right.
    layout.items.resize(menu.items.size());
    size_t columnStart = 0;
    int x = 0;
    int y = 0;
    int height = 0;
    auto closeColumn = [&](size_t end) {
        int width = textWidth;
        for (size_t i = columnStart; i < end; ++i)
            width = std::max<int>(width, measured[i].size.cx);
        for (size_t i = columnStart; i < end; ++i) {
            layout.items[i].left = x;
            layout.items[i].right = x + width;
        }
        x += width;
        columnStart = end;
    };
    for (size_t i = 0; i < menu.items.size(); ++i) {
        if (i > 0 && (menu.items[i].type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
            closeColumn(i);
            y = 0;
        }
        layout.items[i].top = y;
        y += measured[i].size.cy;
        layout.items[i].bottom = y;
        height = std::max(height, y);
    }
    closeColumn(menu.items.size());
    layout.size = {x, height};
    return layout;
}

BarLayout LayoutBar(const Menu& menu, HWND owner, int width) {
    MeasuringDC dc;
    BarLayout layout;
    int rowHeight = BarRowHeight();
    layout.items.resize(menu.items.size());
    int x = 0;
    int row = 0;
    size_t rowStart = 0;
    // From the first right-justified item on, a row's items are pushed to its right end.
    auto closeRow = [&](size_t end) {
        for (size_t i = rowStart; i < end; ++i) {
            if (!(menu.items[i].type & MFT_RIGHTJUSTIFY))
                continue;
            int shift = std::max(0, width - x);
            for (size_t j = i; j < end; ++j)
                OffsetRect(&layout.items[j], shift, 0);
            break;
        }
        rowStart = end;
    };
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        int itemWidth;
        if (item.IsOwnerDrawn())
            itemWidth = MeasureOwnerDrawnItem(owner, item, rowHeight).cx;
        else if (item.type & MFT_BITMAP)
            itemWidth = BitmapSize(item.bitmap).cx + 4;
        else if (item.IsSeparator())
            itemWidth = BarItemPadding;
        else
            itemWidth = LabelWidth(dc.Get(), SplitItemText(item.text).label) + 2 * BarItemPadding;
        bool breakHere = (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
        if (i > rowStart && (breakHere || x + itemWidth > width)) {
            closeRow(i);
            ++row;
            x = 0;
        }
        layout.items[i] = {x, row * rowHeight, x + itemWidth, (row + 1) * rowHeight};
        x += itemWidth;
    }
    closeRow(menu.items.size());
    // The bar ends with a line under its last row.
    layout.height = (row + 1) * rowHeight + 1;
    return layout;
}

} // namespace platform
