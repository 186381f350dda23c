// TWinSkinForm: the control skins of its window: the control mapping of a framework form (or
// the child windows of a bare window, WinSkinFormMapping.cpp) after the skins of destroyed
// windows are freed, and a new skin handed to every control skin.

#include "skin/forms/WinSkinForm.h"

#include "skin/controls/WinSubClass.h"
#include "skin/forms/ControlMapping.h"

#include <vector>

void TWinSkinForm::SkinControls() {
    FreeDeadSkinControls();
    if (!m_skinData)
        return;
    if (m_form)
        TControlMapping(*this, *m_skinData).SkinForm(*m_form);
    else
        MapChildWindows(m_window);
}

void TWinSkinForm::FreeDeadSkinControls() {
    std::vector<TSkinControl*> dead;
    for (const TListedSkin& entry : m_skinControls) {
        if (entry.skin->Lifecycle() == slWindowDestroyed)
            dead.push_back(entry.skin);
    }
    // A freed skin leaves its owner's components and this list.
    for (TSkinControl* skin : dead)
        delete skin;
}

void TWinSkinForm::ControlSkinsChanged() {
    std::vector<TSkinControl*> listed;
    for (const TListedSkin& entry : m_skinControls)
        listed.push_back(entry.skin);
    for (TSkinControl* skin : listed) {
        if (skin->Lifecycle() != slWindowDestroyed)
            skin->SkinChanged();
    }
}
