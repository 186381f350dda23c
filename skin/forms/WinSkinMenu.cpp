#include "skin/forms/WinSkinMenu.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/SkinMenuStyle.h"
#include "skin/forms/WinSkinData.h"

#include <algorithm>
#include <cctype>

namespace {

// A native item's text is read up to this many characters.
constexpr int ItemTextLength = 80;
// The space around a button's caption, and where the first button starts.
constexpr int ButtonPadding = 10;
constexpr int StartAfterMargin = 4;
constexpr int StartAfterRightMargin = 8;
constexpr int StartInNarrowBand = 12;
constexpr int StartWithoutImage = 6;
// A right-to-left bar's buttons keep this far from the buttons at the band's right end.
constexpr int ClearOfOtherButtons = 5;
constexpr UINT MeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE;
constexpr UINT CaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// The skin's menu-bar record when it has an image.
TDataSkinObject* BarRecord(TSkinData& skinData) {
    TDataSkinObject* record = skinData.Elements().MenuBar.get();
    return record && !record->Image->Empty() ? record : nullptr;
}

int TextWidth(HDC dc, const std::string& text) {
    if (text.empty())
        return 0;
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, MeasureFlags);
    return r.right - r.left;
}

void FrameIn(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

TWinSkinMenu::TWinSkinMenu(TSkinData& skinData, HWND window, TMainMenu* frameworkMenu)
    : m_skinData(skinData), m_window(window), m_frameworkMenu(frameworkMenu) {}

TWinSkinMenu::~TWinSkinMenu() = default;

bool TWinSkinMenu::RightToLeft() const {
    return (GetWindowLongA(m_window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

void TWinSkinMenu::Build() {
    if (HMENU current = GetMenu(m_window))
        m_nativeMenu = current;
    m_buttons.clear();
    if (m_nativeMenu) {
        const int count = GetMenuItemCount(m_nativeMenu);
        for (int i = 0; i < count; ++i)
            AddNativeButton(m_nativeMenu, i);
    }
    if (GetMenu(m_window))
        SetMenu(m_window, nullptr);
}

void TWinSkinMenu::AddNativeButton(HMENU menu, int position) {
    char text[ItemTextLength + 1] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = ItemTextLength;
    // Bitmap items are the system menu and buttons of a maximised MDI child, which the frame
    // draws from the skin itself.
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) || (info.fType & MFT_BITMAP))
        return;
    TMenuBtn button;
    button.index = static_cast<int>(m_buttons.size());
    button.caption = text;
    button.enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    button.dropDown = info.hSubMenu;
    button.command = info.wID;
    if (m_frameworkMenu) {
        if (TMenuItem* item = m_frameworkMenu->FindItemByCommand(static_cast<WORD>(info.wID))) {
            button.item = item;
            button.caption = item->Caption();
            button.enabled = item->Enabled();
            button.dropDown = item->Count() > 0 ? item->Handle() : nullptr;
        }
    }
    m_buttons.push_back(std::move(button));
}

void TWinSkinMenu::GiveMenuBack() {
    m_buttons.clear();
    if (m_nativeMenu && IsWindow(m_window))
        SetMenu(m_window, m_nativeMenu);
    m_nativeMenu = nullptr;
}

void TWinSkinMenu::PaintBackground(HDC dc, int width, int height, bool active) {
    const RECT whole{0, 0, width, height};
    TDataSkinObject* record = BarRecord(m_skinData);
    if (!record) {
        HBRUSH brush = CreateSolidBrush(SkinMenuColours(m_skinData).barBackground);
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
        return;
    }
    // Two frames one above the other: the active window's, then the inactive one's.
    TSkinFrameStyle style;
    if (record->Tile == 1) {
        style.margins = {record->LeftWidth, record->TopHeight, record->RightWidth, record->BottomHeight};
    } else {
        // Three parts across: the ends kept, the middle stretched, each the band's height.
        style.margins = {record->LeftWidth, 0, record->RightWidth, 0};
    }
    DrawSkinFrame(dc, whole, *record->Image, active ? 1 : 2, 2, true, style);
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& button, const RECT& rect) {
    const TSkinMenuColours colours = SkinMenuColours(m_skinData);
    HGDIOBJ oldFont = SelectObject(dc, SkinMenuFont(false));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, button.enabled ? colours.barText : colours.barDisabledText);
    RECT text = rect;
    DrawTextA(dc, button.caption.c_str(), static_cast<int>(button.caption.size()), &text,
              CaptionFlags | (RightToLeft() ? DT_RTLREADING : 0));
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void TWinSkinMenu::PaintBand(HDC dc, const RECT& band, bool active, int clearFrom) {
    m_band = band;
    const int width = band.right - band.left;
    const int height = band.bottom - band.top;
    if (width <= 0 || height <= 0)
        return;
    if (!m_bandBitmap) {
        m_bandBitmap = std::make_unique<TBitmap>();
        m_bandBitmap->SetPixelFormat(pfDevice);
    }
    m_bandBitmap->SetSize(width, height);
    HDC background = m_bandBitmap->Canvas()->Handle();
    PaintBackground(background, width, height, active);

    // The buttons are laid out and drawn on a copy; the background stays for button repaints.
    TBitmap composed;
    composed.SetPixelFormat(pfDevice);
    composed.SetSize(width, height);
    HDC target = composed.Canvas()->Handle();
    BitBlt(target, 0, 0, width, height, background, 0, 0, SRCCOPY);
    HGDIOBJ oldFont = SelectObject(target, SkinMenuFont(false));
    const bool rightToLeft = RightToLeft();
    int position = StartWithoutImage;
    if (const TDataSkinObject* record = BarRecord(m_skinData)) {
        const int margin =
            rightToLeft ? record->RightWidth + StartAfterRightMargin : record->LeftWidth + StartAfterMargin;
        position = width > record->LeftWidth + record->RightWidth ? margin : StartInNarrowBand;
    }
    if (rightToLeft && clearFrom < band.right)
        position = std::max(position, static_cast<int>(band.right - clearFrom) + ClearOfOtherButtons);
    for (TMenuBtn& button : m_buttons) {
        if (!button.visible) {
            button.rect = RECT{};
            continue;
        }
        const int buttonWidth =
            button.caption.empty() ? 0 : TextWidth(target, button.caption) + ButtonPadding;
        RECT local = rightToLeft ? RECT{width - position - buttonWidth, 0, width - position, height - 1}
                                 : RECT{position, 0, position + buttonWidth, height - 1};
        position += buttonWidth;
        button.rect = local;
        OffsetRect(&button.rect, band.left, band.top);
        DrawCaption(target, button, local);
    }
    SelectObject(target, oldFont);
    BitBlt(dc, band.left, band.top, width, height, target, 0, 0, SRCCOPY);
    for (const TMenuBtn& button : m_buttons) {
        if (button.state != TMenuBtnState::Normal)
            PaintButton(dc, button.index);
    }
}

void TWinSkinMenu::PaintButton(HDC dc, int index) {
    if (index < 0 || index >= ButtonCount() || !m_bandBitmap)
        return;
    const TMenuBtn& button = m_buttons[static_cast<size_t>(index)];
    const RECT& r = button.rect;
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_bandBitmap->Canvas()->Handle(),
           r.left - m_band.left, r.top - m_band.top, SRCCOPY);
    if (button.state != TMenuBtnState::Normal)
        FrameIn(dc, r, SkinMenuColours(m_skinData).hotFrame);
    DrawCaption(dc, button, r);
}

void TWinSkinMenu::SetButtonState(int index, TMenuBtnState state) {
    if (index >= 0 && index < ButtonCount())
        m_buttons[static_cast<size_t>(index)].state = state;
}

int TWinSkinMenu::ButtonAt(POINT point) const {
    for (const TMenuBtn& button : m_buttons) {
        if (!button.caption.empty() && PtInRect(&button.rect, point))
            return button.index;
    }
    return -1;
}

int TWinSkinMenu::ButtonByMnemonic(char key) const {
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    for (const TMenuBtn& button : m_buttons) {
        const char mnemonic = MnemonicOf(button.caption);
        if (button.visible && mnemonic && lower(mnemonic) == lower(key))
            return button.index;
    }
    return -1;
}
