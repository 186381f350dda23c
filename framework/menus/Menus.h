#pragma once
// TMenu and its two kinds: TMainMenu, a form's menu bar (the form's Menu), and TPopupMenu, shown
// at a point or when a control whose PopupMenu it is asks for a context menu. A menu holds one
// root item whose children are the menu's items; its native menu is made when first asked for
// and kept in step with the items from then on.

#include "framework/comctrls/ImageList.h"
#include "framework/menus/MenuItem.h"

#include <memory>

class TMenu : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return m_items.get(); }
    HMENU Handle() { return m_items->Handle(); }
    // Every item is drawn by its drawing handlers (or the framework's own look) instead of the
    // platform.
    bool OwnerDraw() const { return m_ownerDraw; }
    void SetOwnerDraw(bool ownerDraw);
    // The pictures of the items' ImageIndex; a menu with images draws its items itself.
    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* images);
    // The platform draws the items, or the framework does.
    bool IsOwnerDraw() const { return m_ownerDraw || m_images; }

    // The item of a WM_COMMAND number in this menu, or null.
    TMenuItem* FindItemByCommand(WORD command) const;
    // Clicks the item of a command; false when the menu has none.
    bool DispatchCommand(WORD command);
    // Clicks the enabled, visible item with that shortcut (whose parents are enabled and visible
    // too); false when there is none.
    bool IsShortCut(WORD key, TShiftState shift);

protected:
    friend class TMenuItem;
    // A native menu of this kind for the root item.
    virtual HMENU CreateMenuHandle() const = 0;
    // Called after the native menu followed a change of the items.
    virtual void MenuChanged(TMenuItem* source, bool structure);
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Every native entry anew, after a change of how the items are drawn.
    void RebuildAll();

    std::unique_ptr<TMenuItem> m_items;
    bool m_ownerDraw = false;
    TCustomImageList* m_images = nullptr;
    TChangeLink m_imageLink;
};

class TMainMenu : public TMenu {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    ~TMainMenu() override;

    // The window whose menu bar this menu is (set by the form).
    HWND WindowHandle() const { return m_window; }
    void SetWindowHandle(HWND window);

protected:
    HMENU CreateMenuHandle() const override;
    // Redraws the bar and sends CM_MENUCHANGED to the window.
    void MenuChanged(TMenuItem* source, bool structure) override;

private:
    HWND m_window = nullptr;
};

class TPopupMenu : public TMenu {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

    // Shows the menu at a screen point and returns once it has closed; the chosen item's
    // OnClick runs from the command the platform then posts to the owning form.
    virtual void Popup(int x, int y);
    // Shown by the context-menu request of the controls whose PopupMenu it is.
    bool AutoPopup() const { return m_autoPopup; }
    void SetAutoPopup(bool autoPopup) { m_autoPopup = autoPopup; }
    // The control it was last shown for.
    TComponent* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TComponent* component);

    TNotifyEvent OnPopup;

protected:
    HMENU CreateMenuHandle() const override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The window that receives the menu's messages: the popup component's form, else the
    // owner form, else the active or main form.
    HWND OwnerWindow() const;

    bool m_autoPopup = true;
    TComponent* m_popupComponent = nullptr;
};
