#include "skin/forms/SkinMenuNative.h"

#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuHandlers.h"
#include "skin/forms/SkinMenuNavigation.h"
#include "skin/forms/SkinMenuPainter.h"
#include "skin/forms/SkinMenuStyle.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinMenu.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// A native item's text is read up to this many characters.
constexpr int ItemTextLength = 80;
// Around a text measured by the text rule, and the height of an item without text.
constexpr int TextRuleWidthExtra = 26;
constexpr int TextRuleHeightExtra = 4;
constexpr int EmptyItemHeight = 8;
// The systems before NT draw their menus a little higher.
constexpr int OldSystemHeightExtra = 4;

// Commands from 1 to 4095 are the program's; the system's commands lie above.
bool IsProgramCommand(UINT command) {
    return command >= 1 && command <= 0xFFF;
}

// A screen DC with the menu font, for measuring.
class TMenuFontDC {
public:
    TMenuFontDC() : m_dc(GetDC(nullptr)), m_oldFont(SelectObject(m_dc, SkinMenuFont(false))) {}
    ~TMenuFontDC() {
        SelectObject(m_dc, m_oldFont);
        ReleaseDC(nullptr, m_dc);
    }
    TMenuFontDC(const TMenuFontDC&) = delete;
    TMenuFontDC& operator=(const TMenuFontDC&) = delete;
    HDC Handle() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_oldFont;
};

TMenuItem* FrameworkItem(TWinSkinMenu& bar, UINT command) {
    TMainMenu* menu = bar.FrameworkMenu();
    return menu && command <= 0xFFFF ? menu->FindItemByCommand(static_cast<WORD>(command)) : nullptr;
}

// The text of the item with the command: in the open drop-down, else in the system menu.
std::string ItemText(TWinSkinMenu& bar, UINT command) {
    const int current = CurrentMenuBarButton();
    const HMENU menus[] = {current >= 0 && current < bar.ButtonCount() ? bar.Button(current).dropDown
                                                                       : nullptr,
                           GetSystemMenu(bar.Window(), FALSE)};
    for (HMENU menu : menus) {
        char text[ItemTextLength + 1] = "";
        if (menu && GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND) > 0)
            return text;
    }
    return {};
}

void MeasureByText(TSkinData& skinData, const std::string& text, MEASUREITEMSTRUCT& measure) {
    const TDataSkinObject* record = skinData.Elements().MenuItem.get();
    const int margin = record ? std::max(record->LeftWidth, 0) : 0;
    int width = TextRuleWidthExtra + margin;
    int height = EmptyItemHeight;
    if (!text.empty()) {
        // The shortcut after a tab is placed apart from the caption, at the item's right end.
        const std::size_t tab = text.find('\t');
        const std::string caption = text.substr(0, tab);
        const std::string shortCut = tab == std::string::npos ? std::string() : text.substr(tab + 1);
        TMenuFontDC dc;
        width += MenuTextWidth(dc.Handle(), caption, shortCut);
        height = MenuTextExtent(dc.Handle(), caption).cy + TextRuleHeightExtra;
    }
    if (!SkinSystemIsNT())
        height += OldSystemHeightExtra;
    measure.itemWidth = static_cast<UINT>(width);
    measure.itemHeight = static_cast<UINT>(height);
}

// The look of a native item: its text up to a tab as caption, the rest as shortcut text.
TSkinMenuItem NativeItem(const TWinSkinMenu& bar, const DRAWITEMSTRUCT& draw) {
    char text[ItemTextLength + 1] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = ItemTextLength;
    auto* menu = reinterpret_cast<HMENU>(draw.hwndItem);
    const bool found = GetMenuItemInfoA(menu, draw.itemID, FALSE, &info) != FALSE;
    TSkinMenuItem item;
    const std::string_view whole = found ? std::string_view(text) : std::string_view();
    if ((found && (info.fType & MFT_SEPARATOR)) || whole.empty()) {
        item.caption.push_back('-'); // a separator
        return item;
    }
    const std::size_t tab = whole.find('\t');
    item.caption = std::string(whole.substr(0, tab));
    if (tab != std::string_view::npos)
        item.shortCut = std::string(whole.substr(tab + 1));
    item.selected = (draw.itemState & ODS_SELECTED) != 0;
    item.enabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) == 0;
    item.checked = (draw.itemState & ODS_CHECKED) != 0;
    item.radio = (info.fType & MFT_RADIOCHECK) != 0;
    item.isDefault = (draw.itemState & ODS_DEFAULT) != 0;
    item.rightToLeft = (info.fType & MFT_RIGHTORDER) != 0 || bar.RightToLeft();
    return item;
}

} // namespace

bool MeasureNativeMenuItem(TSkinData& skinData, TWinSkinMenu& bar, MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU)
        return false;
    if (bar.FrameworkMenu()) {
        if (TMenuItem* item = FrameworkItem(bar, measure.itemID)) {
            TMenuFontDC dc;
            TCanvas canvas;
            canvas.SetHandle(dc.Handle());
            int width = 0;
            int height = 0;
            MeasureMainMenuItem(skinData, *item, canvas, width, height);
            canvas.SetHandle(nullptr);
            measure.itemWidth = static_cast<UINT>(std::max(width, 0));
            measure.itemHeight = static_cast<UINT>(std::max(height, 0));
            return true;
        }
        if (IsProgramCommand(measure.itemID))
            return false;
    }
    MeasureByText(skinData, ItemText(bar, measure.itemID), measure);
    return true;
}

bool DrawNativeMenuItem(TSkinData& skinData, TWinSkinMenu& bar, const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU || !draw.hDC)
        return false;
    auto* menu = reinterpret_cast<HMENU>(draw.hwndItem);
    if (bar.FrameworkMenu()) {
        if (TMenuItem* item = FrameworkItem(bar, draw.itemID)) {
            DrawSkinMenuItem(skinData, draw.hDC, draw.rcItem, menu,
                             SkinMenuItemOf(*item, OwnerDrawStateOf(draw.itemState)));
            return true;
        }
        if (IsProgramCommand(draw.itemID))
            return false;
    }
    DrawSkinMenuItem(skinData, draw.hDC, draw.rcItem, menu, NativeItem(bar, draw));
    return true;
}
