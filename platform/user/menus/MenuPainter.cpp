#include "platform/user/menus/MenuPainter.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ClassicFrame.h"
#include "platform/user/WinUser.h"

#include <algorithm>

namespace platform {

namespace {

constexpr DWORD PaintWhereSourceIsBlack = 0x00B8074A; // PSDPxax
constexpr int ArrowColumn = 16;

// Paints the colour where a black-on-white mask in `mask` is black.
void PaintThroughMask(HDC dc, int x, int y, int width, int height, HDC mask, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, width, height, mask, 0, 0, PaintWhereSourceIsBlack);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

// A mark of the menu frame controls (check, bullet, arrow) in the colour, centred in the box.
void DrawMark(HDC dc, const RECT& box, UINT kind, COLORREF colour) {
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP bits = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(mask, bits);
    RECT local{0, 0, width, height};
    DrawFrameControl(mask, &local, DFC_MENU, kind);
    PaintThroughMask(dc, box.left, box.top, width, height, mask, colour);
    SelectObject(mask, old);
    DeleteObject(bits);
    DeleteDC(mask);
}

// The caption glyphs (restore, minimise, maximise, close) the system bitmaps stand for, without
// the button around them.
void DrawCaptionGlyph(HDC dc, const RECT& box, UINT kind, COLORREF colour) {
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    HDC button = CreateCompatibleDC(dc);
    HBITMAP buttonBits = CreateCompatibleBitmap(dc, width + 4, height + 4);
    HGDIOBJ oldButton = SelectObject(button, buttonBits);
    RECT whole{0, 0, width + 4, height + 4};
    DrawFrameControl(button, &whole, DFC_CAPTION, kind);
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP maskBits = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(mask, maskBits);
    // Pixels of the glyph's colour become black, the face white.
    SetBkColor(button, GetSysColor(COLOR_BTNTEXT));
    BitBlt(mask, 0, 0, width, height, button, 2, 2, NOTSRCCOPY);
    PaintThroughMask(dc, box.left, box.top, width, height, mask, colour);
    SelectObject(mask, oldMask);
    DeleteObject(maskBits);
    DeleteDC(mask);
    SelectObject(button, oldButton);
    DeleteObject(buttonBits);
    DeleteDC(button);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info))
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

bool DrawSystemBitmap(HDC dc, HBITMAP bitmap, const RECT& box, COLORREF colour) {
    UINT kind;
    switch (reinterpret_cast<INT_PTR>(bitmap)) {
    case 2:
    case 9:
        kind = DFCS_CAPTIONRESTORE;
        break;
    case 3:
    case 7:
    case 11:
        kind = DFCS_CAPTIONMIN;
        break;
    case 10:
        kind = DFCS_CAPTIONMAX;
        break;
    case 5:
    case 6:
    case 8:
        kind = DFCS_CAPTIONCLOSE;
        break;
    default:
        return false;
    }
    DrawCaptionGlyph(dc, box, kind, colour);
    return true;
}

RECT CentredBox(const RECT& area, int width, int height) {
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    return {left, top, left + width, top + height};
}

// The minimise, restore and close items a maximised MDI child puts into the bar look like its
// caption buttons, pushed while their item is held.
bool DrawBarButton(HDC dc, const MenuItem& item, const RECT& rect, BarItemState state) {
    if (!(item.type & MFT_BITMAP))
        return false;
    UINT kind = 0;
    switch (reinterpret_cast<INT_PTR>(item.bitmap)) {
    case 2:
        kind = DFCS_CAPTIONRESTORE;
        break;
    case 3:
    case 7:
        kind = DFCS_CAPTIONMIN;
        break;
    case 5:
    case 6:
        kind = DFCS_CAPTIONCLOSE;
        break;
    default:
        return false;
    }
    bool disabled =
        item.IsDisabled() || item.bitmap == HBMMENU_MBAR_MINIMIZE_D || item.bitmap == HBMMENU_MBAR_CLOSE_D;
    int size = std::min<int>(GetSystemMetrics(SM_CYMENUSIZE) - 4, rect.bottom - rect.top - 2);
    RECT button = CentredBox(rect, size + 2, size);
    DrawFrameControl(dc, &button, DFC_CAPTION,
                     kind | (state == BarItemState::Pressed ? DFCS_PUSHED : 0) |
                         (disabled ? DFCS_INACTIVE : 0));
    return true;
}

// Text in the item's colours; a disabled item is embossed unless it is selected.
void DrawItemText(HDC dc, const std::u16string& text, RECT rect, UINT format, bool disabled, bool selected,
                  COLORREF normal) {
    if (text.empty())
        return;
    auto draw = [&](RECT r, COLORREF colour) {
        SetTextColor(dc, colour);
        DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &r, format);
    };
    int oldMode = SetBkMode(dc, TRANSPARENT);
    if (!disabled) {
        draw(rect, normal);
    } else if (selected) {
        draw(rect, GetSysColor(COLOR_GRAYTEXT));
    } else {
        RECT shadow = rect;
        OffsetRect(&shadow, 1, 1);
        draw(shadow, GetSysColor(COLOR_3DHILIGHT));
        draw(rect, GetSysColor(COLOR_3DSHADOW));
    }
    SetBkMode(dc, oldMode);
}

void DrawCheckColumn(HDC dc, const MenuItem& item, const RECT& column, COLORREF colour) {
    int mark = GetSystemMetrics(SM_CXMENUCHECK);
    bool checked = (item.state & MFS_CHECKED) != 0;
    HBITMAP own = checked ? item.checkedBitmap : item.uncheckedBitmap;
    if (own) {
        BITMAP info{};
        GetObjectA(own, sizeof info, &info);
        RECT box = CentredBox(column, info.bmWidth, info.bmHeight);
        DrawBitmap(dc, own, box.left, box.top);
        return;
    }
    if (checked) {
        DrawMark(dc, CentredBox(column, mark, mark),
                 (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, colour);
        return;
    }
    if (!item.bitmap)
        return;
    if (IsSystemMenuBitmap(item.bitmap)) {
        int size = GetSystemMetrics(SM_CXMENUSIZE) - 6;
        DrawSystemBitmap(dc, item.bitmap, CentredBox(column, size, size), colour);
        return;
    }
    BITMAP info{};
    GetObjectA(item.bitmap, sizeof info, &info);
    RECT box = CentredBox(column, info.bmWidth, info.bmHeight);
    DrawBitmap(dc, item.bitmap, box.left, box.top);
}

UINT OwnerDrawState(const MenuItem& item, const ItemLook& look) {
    UINT state = 0;
    if (look.selected)
        state |= ODS_SELECTED;
    if (item.state & MF_GRAYED)
        state |= ODS_GRAYED;
    if (item.state & MF_DISABLED)
        state |= ODS_DISABLED;
    if (item.state & MFS_CHECKED)
        state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT)
        state |= ODS_DEFAULT;
    if (!look.showAccel)
        state |= ODS_NOACCEL;
    return state;
}

// The owner gets the DC in the colours of the item's state; the system then draws the submenu
// arrow over what the owner drew, in the DC's text colour (an owner that wants no arrow takes
// its column out of the DC's clipping region).
void DrawOwnerDrawnPopupItem(HDC dc, const MenuItem& item, const RECT& rect, const ItemLook& look) {
    const bool selected = look.selected && !item.IsSeparator();
    const COLORREF text = GetSysColor(item.IsDisabled() ? COLOR_GRAYTEXT
                                      : selected        ? COLOR_HIGHLIGHTTEXT
                                                        : COLOR_MENUTEXT);
    const COLORREF oldText = SetTextColor(dc, text);
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    SendDrawItem(dc, item, rect, look);
    if (item.subMenu) {
        const int mark = GetSystemMetrics(SM_CXMENUCHECK);
        const RECT arrow{rect.right - ArrowColumn, rect.top, rect.right, rect.bottom};
        DrawMark(dc, CentredBox(arrow, mark, mark), DFCS_MENUARROW, GetTextColor(dc));
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

} // namespace

void SendDrawItem(HDC dc, const MenuItem& item, const RECT& rect, const ItemLook& look) {
    if (!look.owner)
        return;
    DRAWITEMSTRUCT draw{ODT_MENU,
                        0,
                        item.id,
                        ODA_DRAWENTIRE,
                        OwnerDrawState(item, look),
                        reinterpret_cast<HWND>(look.menu),
                        dc,
                        rect,
                        item.data};
    SendMessageW(look.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

void DrawPopupItem(HDC dc, const MenuItem& item, const RECT& rect, const PopupLayout& layout,
                   const ItemLook& look) {
    if (item.IsOwnerDrawn()) {
        DrawOwnerDrawnPopupItem(dc, item, rect, look);
        return;
    }
    bool selected = look.selected && !item.IsSeparator();
    if (selected)
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
    else if (GetBkMode(dc) == OPAQUE)
        FillRect(dc, &rect, GetSysColorBrush(COLOR_MENU));
    if (item.IsSeparator()) {
        RECT line{rect.left + 1, rect.top + (rect.bottom - rect.top) / 2 - 1, rect.right - 1, rect.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    COLORREF colour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    bool disabled = item.IsDisabled();
    COLORREF markColour = disabled ? GetSysColor(COLOR_GRAYTEXT) : colour;
    if (item.type & MFT_BITMAP) {
        if (item.bitmap && !IsSystemMenuBitmap(item.bitmap))
            DrawBitmap(dc, item.bitmap, rect.left, rect.top);
        return;
    }
    RECT column{rect.left, rect.top, rect.left + layout.checkColumn, rect.bottom};
    DrawCheckColumn(dc, item, column, markColour);

    HGDIOBJ oldFont = SelectObject(dc, MenuFont((item.state & MFS_DEFAULT) != 0));
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | (look.showAccel ? 0 : DT_HIDEPREFIX);
    ItemText text = SplitItemText(item.text);
    RECT labelRect{column.right, rect.top, rect.right - ArrowColumn, rect.bottom};
    DrawItemText(dc, text.label, labelRect, format, disabled, selected, colour);
    RECT shortcutRect{rect.left + layout.shortcutOffset, rect.top, rect.right - ArrowColumn, rect.bottom};
    DrawItemText(dc, text.shortcut, shortcutRect, format, disabled, selected, colour);
    SelectObject(dc, oldFont);

    if (item.subMenu) {
        int mark = GetSystemMetrics(SM_CXMENUCHECK);
        RECT arrow{rect.right - ArrowColumn, rect.top, rect.right, rect.bottom};
        DrawMark(dc, CentredBox(arrow, mark, mark), DFCS_MENUARROW, markColour);
    }
}

void DrawBarItem(HDC dc, const MenuItem& item, const RECT& rect, const ItemLook& look, BarItemState state) {
    if (item.IsOwnerDrawn()) {
        ItemLook owned = look;
        owned.selected = state != BarItemState::Normal;
        SendDrawItem(dc, item, rect, owned);
        return;
    }
    FillRect(dc, &rect, GetSysColorBrush(COLOR_MENU));
    if (item.IsSeparator())
        return;
    if (DrawBarButton(dc, item, rect, state))
        return;
    RECT edge = rect;
    if (state == BarItemState::Hot)
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    else if (state == BarItemState::Pressed)
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    RECT content = rect;
    if (state == BarItemState::Pressed)
        OffsetRect(&content, 1, 1);
    if ((item.type & MFT_BITMAP) && item.bitmap == HBMMENU_SYSTEM) {
        // The system menu of a maximised MDI child: the child's icon, the window in the data.
        // Without an icon of its own it shows the application's, so there is something to click.
        Window* owner = FindLiveWindow(reinterpret_cast<HWND>(item.data));
        HICON icon = owner ? CaptionIcon(*owner) : nullptr;
        if (!icon)
            icon = LoadIconA(nullptr, IDI_APPLICATION);
        int size = GetSystemMetrics(SM_CXSMICON);
        RECT box = CentredBox(content, size, size);
        DrawIconEx(dc, box.left, box.top, icon, size, size, 0, nullptr, DI_NORMAL);
        return;
    }
    if (item.type & MFT_BITMAP) {
        int size = GetSystemMetrics(SM_CXMENUSIZE) - 6;
        if (!DrawSystemBitmap(dc, item.bitmap, CentredBox(content, size, size),
                              GetSysColor(COLOR_MENUTEXT)) &&
            item.bitmap) {
            BITMAP info{};
            GetObjectA(item.bitmap, sizeof info, &info);
            RECT box = CentredBox(content, info.bmWidth, info.bmHeight);
            DrawBitmap(dc, item.bitmap, box.left, box.top);
        }
        return;
    }
    HGDIOBJ oldFont = SelectObject(dc, MenuFont(false));
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER | (look.showAccel ? 0 : DT_HIDEPREFIX);
    DrawItemText(dc, SplitItemText(item.text).label, content, format, item.IsDisabled(), false,
                 GetSysColor(COLOR_MENUTEXT));
    SelectObject(dc, oldFont);
}

} // namespace platform
