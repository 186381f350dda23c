#include "framework/menus/Menus.h"

#include "framework/classes/PropertyTable.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"

// ---- TMenu ------------------------------------------------------------------------------------

const TClass& TMenu::ClassInfo() {
    static const TClass info(
        "TMenu", &TComponent::ClassInfo(),
        {
            ObjProperty("Images", &TMenu::Images, &TMenu::SetImages),
            ObjProperty("Items", &TMenu::Items, nullptr),
            EnumProperty("OwnerDraw", BooleanIdents(), &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
        });
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), m_items(std::make_unique<TMenuItem>(nullptr)) {
    m_items->m_menu = this;
    m_imageLink.OnChange = [this](TObject*) { RebuildAll(); };
}

TMenu::~TMenu() {
    Destroying();
    // The whole native tree goes at once; the items then find their handles gone.
    if (m_items->HandleAllocated())
        DestroyMenu(m_items->Handle());
    m_items.reset();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == m_ownerDraw)
        return;
    m_ownerDraw = ownerDraw;
    RebuildAll();
}

void TMenu::SetImages(TCustomImageList* images) {
    if (ChangeImageList(m_images, images, m_imageLink, *this))
        RebuildAll();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        m_images = nullptr;
        if (!ComponentState().Contains(csDestroying))
            RebuildAll();
    }
}

void TMenu::RebuildAll() {
    // Every entry changes its type (and owner-drawn ones their size): rebuild the native menus
    // from the root down.
    std::vector<TMenuItem*> pending{m_items.get()};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        item->RebuildHandle();
        for (TMenuItem* child : item->m_items)
            pending.push_back(child);
    }
    MenuChanged(m_items.get(), true);
}

TMenuItem* TMenu::FindItemByCommand(WORD command) const {
    TMenuItem* item = FindMenuItemByCommand(command);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

bool TMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FindItemByCommand(command);
    if (!item)
        return false;
    item->Click();
    return true;
}

namespace {

TMenuItem* FindShortCut(TMenuItem* parent, TShortCut shortCut) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible() || !item->Enabled())
            continue;
        if (item->ShortCut() == shortCut)
            return item;
        if (TMenuItem* found = FindShortCut(item, shortCut))
            return found;
    }
    return nullptr;
}

} // namespace

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    const TShortCut shortCut = ::ShortCut(key, shift);
    if (shortCut == scNone || (shortCut & 0xFF) == 0)
        return false;
    TMenuItem* item = FindShortCut(m_items.get(), shortCut);
    if (!item)
        return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged(TMenuItem*, bool) {}

// ---- TMainMenu --------------------------------------------------------------------------------

const TClass& TMainMenu::ClassInfo() {
    static const TClass info("TMainMenu", &TMenu::ClassInfo());
    return info;
}

TMainMenu::~TMainMenu() {
    SetWindowHandle(nullptr);
}

HMENU TMainMenu::CreateMenuHandle() const {
    return CreateMenu();
}

void TMainMenu::SetWindowHandle(HWND window) {
    if (window == m_window)
        return;
    // The old window lets the bar go, so that its end does not take the menu with it.
    if (m_window && IsWindow(m_window) && Items()->HandleAllocated() && GetMenu(m_window) == Handle())
        ::SetMenu(m_window, nullptr);
    m_window = window;
    if (m_window)
        ::SetMenu(m_window, Handle());
}

void TMainMenu::MenuChanged(TMenuItem*, bool) {
    if (!m_window || !IsWindow(m_window))
        return;
    DrawMenuBar(m_window);
    SendMessageA(m_window, CM_MENUCHANGED, 0, 0);
}

// ---- TPopupMenu -------------------------------------------------------------------------------

const TClass& TPopupMenu::ClassInfo() {
    static const TClass info(
        "TPopupMenu", &TMenu::ClassInfo(),
        {
            EnumProperty("AutoPopup", BooleanIdents(), &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup),
            MethodProperty("OnPopup", &TPopupMenu::OnPopup),
        });
    return info;
}

HMENU TPopupMenu::CreateMenuHandle() const {
    return CreatePopupMenu();
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (component == m_popupComponent)
        return;
    if (m_popupComponent)
        RemoveFreeNotification(m_popupComponent);
    m_popupComponent = component;
    if (m_popupComponent)
        FreeNotification(m_popupComponent);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == m_popupComponent)
        m_popupComponent = nullptr;
}

HWND TPopupMenu::OwnerWindow() const {
    TCustomForm* candidates[] = {
        GetParentForm(dynamic_cast<TControl*>(m_popupComponent)),
        dynamic_cast<TCustomForm*>(Owner()),
        Screen()->ActiveForm(),
        Application()->MainForm(),
    };
    for (TCustomForm* form : candidates) {
        if (form && form->HandleAllocated())
            return form->Handle();
    }
    return nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup)
        OnPopup(this);
    HWND owner = OwnerWindow();
    if (!owner)
        return;
    TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
}
