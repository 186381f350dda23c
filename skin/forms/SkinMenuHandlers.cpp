#include "skin/forms/SkinMenuHandlers.h"

#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"

#include <algorithm>

namespace {

// What each measurer adds to the framework's width besides the item margin, and more when the
// menu has no pictures (room for the check mark the skin draws in the glyph box).
constexpr int PopupExtra = 12;
constexpr int PopupWithoutImages = 23;
constexpr int MainMenuExtra = 10;
constexpr int MainMenuWithoutImages = 25;

int ItemMargin(TSkinData& skinData) {
    const TDataSkinObject* record = skinData.Elements().MenuItem.get();
    return record ? std::max(record->LeftWidth, 0) : 0;
}

bool HasImages(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu && menu->Images();
}

HWND MenuWindow(const TMenu& menu) {
    if (const auto* bar = dynamic_cast<const TMainMenu*>(&menu))
        return bar->WindowHandle();
    if (auto* owner = dynamic_cast<TWinControl*>(menu.Owner()); owner && owner->HandleAllocated())
        return owner->Handle();
    return nullptr;
}

// The framework's classic colours, for an item whose skin is gone.
void DrawWithoutSkin(TCanvas& canvas, const TRect& rect, const TSkinMenuItem& item) {
    HDC dc = canvas.Handle();
    FillRect(dc, &rect, GetSysColorBrush(item.selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.IsSeparator())
        return;
    RECT text = rect;
    text.left += 20;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!item.enabled   ? COLOR_GRAYTEXT
                                 : item.selected ? COLOR_HIGHLIGHTTEXT
                                                 : COLOR_MENUTEXT));
    DrawTextA(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    SetBkMode(dc, oldMode);
}

} // namespace

bool SkinDataAlive(const TSkinData* skinData) {
    const TSkinManage* manager = SkinManager();
    if (!manager || !skinData)
        return false;
    const auto& list = manager->SkinDataList();
    return std::find(list.begin(), list.end(), skinData) != list.end();
}

bool IsRightToLeftMenu(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    if (HWND window = menu ? MenuWindow(*menu) : nullptr;
        window && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0)
        return true;
    TMenuItem* parent = item.Parent();
    if (!parent || !parent->HandleAllocated())
        return false;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(parent->Handle(), 0, TRUE, &info) && (info.fType & MFT_RIGHTORDER) != 0;
}

TSkinMenuItem SkinMenuItemOf(const TMenuItem& item, TOwnerDrawState state) {
    TSkinMenuItem look;
    look.caption = item.Caption();
    if (item.ShortCut() != scNone)
        look.shortCut = ShortCutToText(item.ShortCut());
    look.selected = state.Contains(odSelected);
    look.enabled = item.Enabled() && !state.Contains(odDisabled) && !state.Contains(odGrayed);
    look.checked = item.Checked();
    look.radio = item.RadioItem();
    look.isDefault = item.Default();
    look.rightToLeft = IsRightToLeftMenu(item);
    if (const TMenu* menu = item.GetParentMenu())
        look.images = menu->Images();
    look.imageIndex = item.ImageIndex();
    return look;
}

void WidenForPopup(TSkinData& skinData, const TMenuItem& item, int& width) {
    width += ItemMargin(skinData) + PopupExtra;
    if (!HasImages(item))
        width += PopupWithoutImages;
}

void WidenForMainMenu(TSkinData& skinData, const TMenuItem& item, int& width) {
    width += ItemMargin(skinData) + MainMenuExtra;
    if (!HasImages(item))
        width += MainMenuWithoutImages;
}

void MeasureMainMenuItem(TSkinData& skinData, TMenuItem& item, TCanvas& canvas, int& width, int& height) {
    TMenuMeasureItemEvent own = std::move(item.OnMeasureItem);
    item.OnMeasureItem = nullptr;
    item.MeasureItem(&canvas, width, height);
    item.OnMeasureItem = std::move(own);
    WidenForMainMenu(skinData, item, width);
}

void TSkinItemPainter::operator()(TObject* sender, TCanvas* canvas, const TRect& rect,
                                  TOwnerDrawState state) const {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas)
        return;
    const TSkinMenuItem look = SkinMenuItemOf(*item, state);
    if (!SkinDataAlive(m_skinData)) {
        DrawWithoutSkin(*canvas, rect, look);
        return;
    }
    HMENU menu = item->Parent() ? item->Parent()->Handle() : nullptr;
    DrawSkinMenuItem(*m_skinData, canvas->Handle(), rect, menu, look);
}

void TSkinPopupMeasurer::operator()(TObject* sender, TCanvas*, int& width, int&) const {
    if (const auto* item = dynamic_cast<const TMenuItem*>(sender); item && SkinDataAlive(m_skinData))
        WidenForPopup(*m_skinData, *item, width);
}

void TSkinMainMenuMeasurer::operator()(TObject* sender, TCanvas*, int& width, int&) const {
    if (const auto* item = dynamic_cast<const TMenuItem*>(sender); item && SkinDataAlive(m_skinData))
        WidenForMainMenu(*m_skinData, *item, width);
}
