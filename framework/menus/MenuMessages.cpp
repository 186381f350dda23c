#include "framework/menus/MenuMessages.h"

#include "framework/forms/Application.h"
#include "framework/forms/HintWindow.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/user/WinUser.h"

namespace {

// The font menus are drawn with, from the system's settings.
void UseMenuFont(TCanvas& canvas) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    canvas.Font()->SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
}

bool IsInMenuBar(const TMenuItem& item) {
    return item.Parent() && !item.Parent()->Parent() && dynamic_cast<TMainMenu*>(item.GetParentMenu());
}

bool Measure(MEASUREITEMSTRUCT& measure) {
    TMenuItem* item = FindMenuItemByCommand(static_cast<WORD>(measure.itemID));
    if (!item)
        return false;
    HDC dc = CreateCompatibleDC(nullptr);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        UseMenuFont(canvas);
        int width = static_cast<int>(measure.itemWidth);
        int height = static_cast<int>(measure.itemHeight);
        item->MeasureItem(&canvas, width, height);
        measure.itemWidth = static_cast<UINT>(std::max(width, 0));
        measure.itemHeight = static_cast<UINT>(std::max(height, 0));
        canvas.SetHandle(nullptr);
    }
    DeleteDC(dc);
    return true;
}

bool Draw(const DRAWITEMSTRUCT& draw) {
    TMenuItem* item = FindMenuItemByCommand(static_cast<WORD>(draw.itemID));
    if (!item)
        return false;
    const int saved = SaveDC(draw.hDC);
    {
        TCanvas canvas;
        canvas.SetHandle(draw.hDC);
        UseMenuFont(canvas);
        item->AdvancedDrawItem(&canvas, draw.rcItem, OwnerDrawStateOf(draw.itemState), IsInMenuBar(*item));
        canvas.SetHandle(nullptr);
    }
    RestoreDC(draw.hDC, saved);
    return true;
}

// The platform finds no mnemonics in owner-drawn items: the menu's items are searched by their
// captions. A single match is chosen, several select the first.
bool MenuChar(TMessage& message) {
    const TMenuItem* parent = FindMenuItemByHandle(reinterpret_cast<HMENU>(message.LParam));
    const auto character = static_cast<unsigned>(LOWORD(message.WParam));
    if (!parent || character == 0 || character > 0x7F)
        return false;
    const auto fold = [](unsigned c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    int first = -1;
    int matches = 0;
    int position = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* item = parent->Items(i);
        if (!item->Visible())
            continue;
        const auto mnemonic = static_cast<unsigned char>(MnemonicOf(item->Caption()));
        if (mnemonic && fold(mnemonic) == fold(character)) {
            if (first < 0)
                first = position;
            ++matches;
        }
        ++position;
    }
    if (first < 0)
        return false;
    message.Result = MAKELRESULT(first, matches == 1 ? MNC_EXECUTE : MNC_SELECT);
    return true;
}

// The item the menu loop selects tells its hint to the application, as a control under the
// mouse does; the end of the loop (no menu, flags 0xFFFF) clears it.
void MenuSelect(const TMessage& message) {
    const UINT flags = HIWORD(message.WParam);
    const auto menu = reinterpret_cast<HMENU>(message.LParam);
    const TMenuItem* item = nullptr;
    if (flags & MF_POPUP)
        item = FindMenuItemByHandle(GetSubMenu(menu, LOWORD(message.WParam)));
    else if (!(flags == 0xFFFF && !menu))
        item = FindMenuItemByCommand(LOWORD(message.WParam));
    Application()->SetHint(item ? GetLongHint(item->Hint()) : std::string());
}

} // namespace

bool HandleMenuMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_COMMAND:
        // A menu's command: no control window, and code 0 (a menu) or 1 (an accelerator).
        if (message.LParam != 0 || HIWORD(message.WParam) > 1)
            return false;
        if (TMenuItem* item = FindMenuItemByCommand(LOWORD(message.WParam))) {
            item->Click();
            message.Result = 0;
            return true;
        }
        return false;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (!measure || measure->CtlType != ODT_MENU || !Measure(*measure))
            return false;
        message.Result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (!draw || draw->CtlType != ODT_MENU || !Draw(*draw))
            return false;
        message.Result = TRUE;
        return true;
    }
    case WM_MENUCHAR:
        return MenuChar(message);
    case WM_MENUSELECT:
        MenuSelect(message);
        return false; // the window's own handling follows
    default:
        return false;
    }
}
