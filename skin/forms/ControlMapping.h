#pragma once
// TControlMapping: gives each control of a skinned framework form the control skin its class
// calls for, or leaves it unskinned. One visit of a control stops at the first rule that applies:
// the DisableTag, a control already skinned, the program's OnSkinControl handler, the skin data's
// Skin3rd class list (Skin3rd.h), three classes never skinned, and the built-in table of classes
// (ControlTable.h). The skins are owned by the controls they skin and listed with the form.

#include "platform/base/WinTypes.h"
#include "skin/forms/WinSkinData.h"

#include <string>
#include <string_view>

class SkinFormServices;
class TComponent;
class TControl;
class TCustomForm;
class TSkinControl;
class TSkinScControl;
class TSkinScrollbar;
class TWinControl;

class TControlMapping {
public:
    // `sender` is the sender OnSkinControl is raised with; it may be null.
    TControlMapping(SkinFormServices& form, TSkinData& skinData, TComponent* sender = nullptr);

    // The walk over a form: the components it owns that are controls, its popup menus owner-drawn
    // under xcPopupMenu, then the controls of its tab order that have a window, do not carry the
    // DisableTag, are not skinned yet and have no skin in this form.
    void SkinForm(TCustomForm& form);
    // One control, with the component that holds it (the form, a frame, an embedded form).
    void SkinControl(TControl* control, TComponent* container);
    // The child controls of a windowed control, as they stand before the first is visited.
    void SkinChildControls(TWinControl& control, TComponent* container);
    // The components a form, frame or embedded form owns that are controls.
    void SkinOwnedComponents(TComponent& component);

    // Used by the rules.
    TSkinData& SkinData() const { return m_skinData; }
    SkinFormServices& Form() const { return m_form; }
    bool Has(TSkinControlType kind) const;
    // Whether the skin has a tab image.
    bool HasTabImages() const;
    // Attaches a skin made for the control (owned by it) with InitSkin; gives it back.
    TSkinControl* Attach(TSkinControl* skin, bool recolor = false);
    // Attaches a scroll-bar skin (TSkinScrollbar, TSkinListView) with InitScrollSkin.
    TSkinControl* AttachScrollbars(TSkinScrollbar* skin, TControl& control);
    // Attaches a scroll bar control's skin.
    TSkinControl* AttachScrollControl(TSkinScControl* skin, TControl& control);
    // Attaches a skin to a window as to a bare window.
    TSkinControl* AttachByHandle(TSkinControl* skin, HWND window);
    // Whether the control has a skin in this form already.
    bool Skinned(const TControl& control) const;
    // A skin of the class made for the control (owned by it) and attached with InitSkin.
    template <typename Skin>
    TSkinControl* Give(TControl& control, bool recolor = false) {
        return Attach(new Skin(&control), recolor);
    }

private:
    // Rule 1: the DisableTag, passed on to a radio or check group's children.
    bool Disabled(TControl& control) const;
    // Rule 2: no parent, a window that says it is skinned, or a skin in this form.
    bool PassedOver(TControl& control) const;
    // Rule 3: a windowed control gets its window; false when that fails.
    static bool HasWindow(TControl& control);
    // Rule 4: the program's handler; true when it supplied the skin.
    bool AskHandler(TControl& control, TComponent* container, const std::string& className);

    SkinFormServices& m_form;
    TSkinData& m_skinData;
    TComponent* m_sender;
};

// A control skin made with its Kind set before it attaches (tab kind 2 of a tab control, the
// single-bar mode 1 of a scroll-bar skin); in every other way a skin of its class.
template <typename Skin>
class TSkinOfKind : public Skin {
public:
    TSkinOfKind(TComponent* owner, int kind) : Skin(owner) { this->m_kind = kind; }
};

// The class name in upper case (class names are ASCII).
std::string UpperClassName(std::string_view name);
