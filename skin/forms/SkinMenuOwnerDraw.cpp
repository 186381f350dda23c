#include "skin/forms/SkinMenuOwnerDraw.h"

#include "framework/forms/Form.h"
#include "framework/menus/Menus.h"
#include "skin/forms/SkinMenuHandlers.h"
#include "skin/forms/WinSkinData.h"

namespace {

// Menus nest at most this deep; a deeper chain is not a menu the platform made.
constexpr int MaxMenuDepth = 32;

template <typename Visit>
void ForEachItem(TMenuItem& item, Visit visit) {
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem& child = *item.Items(i);
        visit(child);
        ForEachItem(child, visit);
    }
}

// The form's components of a kind, and those of the forms it holds.
template <typename T, typename Visit>
void ForEachMenuOf(TComponent& form, Visit visit) {
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* component = form.Components(i);
        if (auto* menu = dynamic_cast<T*>(component))
            visit(*menu);
        else if (dynamic_cast<TCustomForm*>(component))
            ForEachMenuOf<T>(*component, visit);
    }
}

void ClearSkinPainter(TMenuItem& item) {
    if (HasSkinPainter(item))
        item.OnAdvancedDrawItem = nullptr;
}

void ClearSkinMeasurer(TMenuItem& item) {
    if (HasSkinMeasurer(item))
        item.OnMeasureItem = nullptr;
}

bool DrawsItself(const TMenuItem& item) {
    return (item.OnAdvancedDrawItem && !HasSkinPainter(item)) || item.OnDrawItem;
}

// The painter, and the main-menu measurer unless the item measures itself.
void GiveMainMenuHandlers(TSkinData& skinData, TMenuItem& item) {
    item.OnAdvancedDrawItem = TSkinItemPainter(skinData);
    if (!item.OnMeasureItem || HasSkinMeasurer(item))
        item.OnMeasureItem = TSkinMainMenuMeasurer(skinData);
}

void MakeItemsOwnerDrawn(HMENU menu, int depth) {
    if (depth > MaxMenuDepth)
        return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_OWNERDRAW) == 0) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        }
        if (info.hSubMenu)
            MakeItemsOwnerDrawn(info.hSubMenu, depth + 1);
    }
}

} // namespace

bool HasSkinPainter(const TMenuItem& item) {
    return item.OnAdvancedDrawItem.target<TSkinItemPainter>() != nullptr;
}

bool HasSkinMeasurer(const TMenuItem& item) {
    return item.OnMeasureItem.target<TSkinPopupMeasurer>() != nullptr ||
           item.OnMeasureItem.target<TSkinMainMenuMeasurer>() != nullptr;
}

void SwitchPopupMenus(TSkinData& skinData, TComponent& form, bool on) {
    if (on && !skinData.SkinControls().Contains(xcPopupMenu))
        return;
    if (form.ClassName() == "TwwRichEditForm")
        return;
    ForEachMenuOf<TPopupMenu>(form, [&](TPopupMenu& menu) {
        if (menu.Tag() == skinData.DisableTag())
            return;
        if (on)
            menu.SetOwnerDraw(true);
        ForEachItem(*menu.Items(), [&](TMenuItem& item) {
            if (!on) {
                ClearSkinPainter(item);
                ClearSkinMeasurer(item);
                return;
            }
            item.OnAdvancedDrawItem = TSkinItemPainter(skinData);
            if (!item.OnMeasureItem || HasSkinMeasurer(item))
                item.OnMeasureItem = TSkinPopupMeasurer(skinData);
        });
    });
}

void SwitchMainMenus(TSkinData& skinData, TComponent& form, bool on) {
    if (on && !skinData.SkinControls().Contains(xcMenuItem))
        return;
    ForEachMenuOf<TMainMenu>(form, [&](TMainMenu& menu) {
        if (on)
            menu.SetOwnerDraw(true);
        TMenuItem& root = *menu.Items();
        for (int i = 0; i < root.Count(); ++i) {
            ForEachItem(*root.Items(i), [&](TMenuItem& item) {
                if (!on) {
                    ClearSkinPainter(item);
                    ClearSkinMeasurer(item);
                    return;
                }
                if (!DrawsItself(item))
                    GiveMainMenuHandlers(skinData, item);
            });
        }
    });
}

void SwitchMenuItemTree(TSkinData& skinData, TMenuItem& root, bool on) {
    auto visit = [&](TMenuItem& item) {
        if (!on) {
            ClearSkinPainter(item);
            return;
        }
        if (!DrawsItself(item))
            GiveMainMenuHandlers(skinData, item);
    };
    visit(root);
    ForEachItem(root, visit);
}

void MakeMenuOwnerDrawn(HMENU menu) {
    if (menu)
        MakeItemsOwnerDrawn(menu, 0);
}
