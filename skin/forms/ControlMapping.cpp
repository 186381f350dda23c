// TControlMapping: the walk over a form and the rules of one visit.

#include "skin/forms/ControlMapping.h"

#include "core/Exception.h"
#include "core/TextUtils.h"
#include "framework/forms/Form.h"
#include "framework/stdctrls/Panels.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/WinSubClass.h"
#include "skin/forms/ControlTable.h"
#include "skin/forms/Skin3rd.h"
#include "skin/forms/SkinMenuOwnerDraw.h"
#include "skin/forms/SkinMessages.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

// Classes that are never skinned, whatever the table says of their ancestors.
constexpr std::string_view NeverSkinned[] = {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"};

// A control skin's recolor byte, as the object itself (or a handler's subclass) set it.
class TRecolorByte : public TSkinControl {
public:
    static bool Of(const TSkinControl& skin) { return skin.*(&TRecolorByte::m_recolor); }
};

bool AnswersSkinned(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (windowed && windowed->HandleAllocated())
        return SendMessageA(windowed->Handle(), SM_SKINNEDQUERY, 0, 0) == SkinnedAnswer;
    return control.Perform(SM_SKINNEDQUERY, 0, 0) == SkinnedAnswer;
}

} // namespace

std::string UpperClassName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper;
}

TControlMapping::TControlMapping(SkinFormServices& form, TSkinData& skinData, TComponent* sender)
    : m_form(form), m_skinData(skinData), m_sender(sender) {}

bool TControlMapping::Has(TSkinControlType kind) const {
    return m_skinData.SkinControls().Contains(kind);
}

bool TControlMapping::HasTabImages() const {
    const auto& tabs = m_skinData.Elements().Tabs;
    return tabs && tabs->Image && !tabs->Image->Empty();
}

bool TControlMapping::Skinned(const TControl& control) const {
    if (m_form.FindSkinControl(&control))
        return true;
    const auto* windowed = dynamic_cast<const TWinControl*>(&control);
    return windowed && windowed->HandleAllocated() &&
           m_form.FindSkinControlByWindow(const_cast<TWinControl*>(windowed)->Handle());
}

TSkinControl* TControlMapping::Attach(TSkinControl* skin, bool recolor) {
    skin->InitSkin(&m_form, &m_skinData, recolor, m_form.ControlCanvas());
    return skin;
}

TSkinControl* TControlMapping::AttachScrollbars(TSkinScrollbar* skin, TControl& control) {
    skin->InitScrollSkin(dynamic_cast<TWinControl*>(&control), &m_skinData, &m_form, m_form.ControlCanvas());
    return skin;
}

TSkinControl* TControlMapping::AttachScrollControl(TSkinScControl* skin, TControl& control) {
    skin->InitScControl(dynamic_cast<TWinControl*>(&control), &m_skinData, &m_form, m_form.ControlCanvas());
    return skin;
}

TSkinControl* TControlMapping::AttachByHandle(TSkinControl* skin, HWND window) {
    skin->InitSkinByHandle(window, &m_skinData, &m_form, m_form.ControlCanvas());
    return skin;
}

// ---- the walk ------------------------------------------------------------------------------

void TControlMapping::SkinForm(TCustomForm& form) {
    SkinOwnedComponents(form);
    if (Has(xcPopupMenu))
        SwitchPopupMenus(m_skinData, form, true);
    std::vector<TWinControl*> tabOrder;
    form.GetTabOrderList(tabOrder);
    for (TWinControl* control : tabOrder) {
        if (!control->HandleAllocated() || control->Tag() == m_skinData.DisableTag())
            continue;
        if (SendMessageA(control->Handle(), SM_SKINNEDQUERY, 0, 0) == SkinnedAnswer || Skinned(*control))
            continue;
        SkinControl(control, &form);
    }
}

void TControlMapping::SkinOwnedComponents(TComponent& component) {
    std::vector<TControl*> controls;
    for (int i = 0; i < component.ComponentCount(); ++i) {
        if (auto* control = dynamic_cast<TControl*>(component.Components(i)))
            controls.push_back(control);
    }
    for (TControl* control : controls)
        SkinControl(control, &component);
}

void TControlMapping::SkinChildControls(TWinControl& control, TComponent* container) {
    // Skins may add windows of their own (a scroll bar's overlays) beside the children.
    std::vector<TControl*> children;
    for (int i = 0; i < control.ControlCount(); ++i)
        children.push_back(control.Controls(i));
    for (TControl* child : children)
        SkinControl(child, container);
}

// ---- one visit -----------------------------------------------------------------------------

void TControlMapping::SkinControl(TControl* control, TComponent* container) {
    if (!control || Disabled(*control) || PassedOver(*control))
        return;
    const std::string className = UpperClassName(control->ClassName());
    if (!HasWindow(*control))
        return;
    if (AskHandler(*control, container, className))
        return;
    if (auto kind = Skin3rdKind(m_skinData.Skin3rd(), control->ClassName())) {
        ApplySkin3rdKind(*this, *control, className, *kind, container);
        return;
    }
    if (std::find(std::begin(NeverSkinned), std::end(NeverSkinned), className) != std::end(NeverSkinned))
        return;
    ApplyBuiltInRow(*this, *control, className, container);
}

bool TControlMapping::Disabled(TControl& control) const {
    const int disableTag = m_skinData.DisableTag();
    if (control.Tag() != disableTag)
        return false;
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    const std::string lowerName = LowerCase(control.ClassName());
    if (windowed && (lowerName.find("radiogroup") != std::string::npos ||
                     lowerName.find("checkgroup") != std::string::npos)) {
        for (int i = 0; i < windowed->ControlCount(); ++i)
            windowed->Controls(i)->SetTag(disableTag);
    }
    return true;
}

bool TControlMapping::PassedOver(TControl& control) const {
    return !control.Parent() || AnswersSkinned(control) || Skinned(control);
}

bool TControlMapping::HasWindow(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed || windowed->HandleAllocated())
        return true;
    try {
        windowed->HandleNeeded();
    } catch (const std::exception&) {
        return false;
    }
    return windowed->HandleAllocated();
}

bool TControlMapping::AskHandler(TControl& control, TComponent* container, const std::string& className) {
    if (!m_skinData.OnSkinControl)
        return false;
    TComponent* supplied = nullptr;
    m_skinData.OnSkinControl(m_sender, &m_skinData, dynamic_cast<TControl*>(container), &control, className,
                             supplied);
    if (!supplied)
        return false;
    auto* skin = dynamic_cast<TSkinControl*>(supplied);
    if (skin && m_form.FindSkinControl(&control) != skin) {
        Attach(skin, TRecolorByte::Of(*skin));
        if (auto* panel = dynamic_cast<TCustomPanel*>(&control))
            SkinChildControls(*panel, container);
    }
    return true;
}
