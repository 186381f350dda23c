// TSkinManage: the skins of menu windows.

#include "skin/forms/SkinManage.h"

#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinPopMenu.h"

#include <algorithm>

void TSkinManage::CreatePopupSkinner(HWND window) {
    if (!m_active || SendMessageA(window, SM_SKINNEDQUERY, 0, 0) == SkinnedAnswer || IsPopupSkinned(window))
        return;
    TSkinData* skinData = ChooseSkinData(window, "#32768");
    if (!skinData || skinData->NoSkin() != 0)
        return;
    const TSkinControlTypes kinds = skinData->SkinControls();
    bool covered = false;
    switch (m_menuMode) {
    case mmPopup:
        covered = kinds.Contains(xcPopupMenu);
        break;
    case mmMenuBar:
        covered = kinds.Contains(xcMainMenu) || kinds.Contains(xcMenuItem);
        break;
    case mmSystemMenu:
        covered = kinds.Contains(xcSystemMenu);
        break;
    default:
        break;
    }
    if (!covered)
        return;
    auto skinner = std::make_unique<TWinSkinPopMenu>(*skinData);
    if (skinner->Attach(window))
        m_popupSkinners.push_back(std::move(skinner));
}

void TSkinManage::ReleasePopupSkinner(HWND window) {
    const auto listed = std::find_if(m_popupSkinners.begin(), m_popupSkinners.end(),
                                     [window](const auto& skinner) { return skinner->Window() == window; });
    if (listed != m_popupSkinners.end())
        m_popupSkinners.erase(listed);
    else if (WindowClassName(window) != "#32768")
        return;
    // A menu of a kind the skin leaves alone has no skinner either: its mode must not outlast it.
    if (m_popupSkinners.empty())
        m_menuMode = mmPopup;
}

bool TSkinManage::IsPopupSkinned(HWND window) const {
    return std::any_of(m_popupSkinners.begin(), m_popupSkinners.end(),
                       [window](const auto& skinner) { return skinner->Window() == window; });
}

void TSkinManage::AttachPopupMenu(HMENU menu) {
    // An item of a menu already shown (the parent of an opening cascade, say) is redrawn while a
    // newer window has not drawn its own items yet: that window shows another menu.
    if (!menu || FindPopupByMenu(menu))
        return;
    for (auto skinner = m_popupSkinners.rbegin(); skinner != m_popupSkinners.rend(); ++skinner) {
        if (!(*skinner)->Menu()) {
            (*skinner)->SetMenu(menu);
            return;
        }
    }
}

TWinSkinPopMenu* TSkinManage::FindPopupByMenu(HMENU menu) const {
    for (const auto& skinner : m_popupSkinners) {
        if (menu && skinner->Menu() == menu)
            return skinner.get();
    }
    return nullptr;
}
