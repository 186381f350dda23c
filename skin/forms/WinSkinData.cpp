// TSkinData: its properties, its life and how it hands skinning to the manager.

#include "skin/forms/WinSkinData.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/ImageList.h"
#include "framework/forms/Form.h"
#include "framework/forms/HintWindow.h"
#include "framework/graphics/Bitmap.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuImages.h"
#include "skin/forms/WinSkinDataHelpers.h"

namespace {

constexpr int RequestDelay = 250;

std::string Skin3rdText(const TSkinData& data) {
    return data.Skin3rd().Text();
}

} // namespace

const TEnumInfo& SkinFormTypeIdents() {
    static const TEnumInfo idents{{"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};
    return idents;
}

const TEnumInfo& SkinOptionIdents() {
    static const TEnumInfo idents{{"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview",
                                   "xoParentBackGround", "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton",
                                   "xoMDIChildBorder", "xoMenuBG", "xoCaptionButtonHint", "xoFormScrollbar"}};
    return idents;
}

const TEnumInfo& SkinControlTypeIdents() {
    static const TEnumInfo idents{
        {"xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",   "xcControlbar", "xcCombo",
         "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar", "xcEdit",       "xcButton",
         "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",     "xcGroupBox",   "xcStatusBar",
         "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport"}};
    return idents;
}

const TClass& TSkinData::ClassInfo() {
    static const TClass info(
        "TSkinData", &TComponent::ClassInfo(),
        {
            EnumProperty("Active", BooleanIdents(), &TSkinData::Active, &TSkinData::SetActive),
            OrdProperty("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag),
            SetProperty("SkinControls", SkinControlTypeIdents(), &TSkinData::SkinControls,
                        &TSkinData::SetSkinControls),
            SetProperty("Options", SkinOptionIdents(), &TSkinData::Options, &TSkinData::SetOptions),
            [] {
                // The list as its text, one line each.
                TPropInfo info;
                info.Name = "Skin3rd";
                info.Kind = TTypeKind::tkString;
                info.GetStr = [](const TObject& object) {
                    return Skin3rdText(static_cast<const TSkinData&>(object));
                };
                info.SetStr = [](TObject& object, const std::string& text) {
                    TStringList lines;
                    lines.SetText(text);
                    static_cast<TSkinData&>(object).SetSkin3rd(lines);
                };
                return info;
            }(),
            StrProperty("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile),
            StrProperty("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore),
            EnumProperty("SkinFormtype", SkinFormTypeIdents(), &TSkinData::SkinFormtype,
                         &TSkinData::SetSkinFormtype),
            StrProperty("Version", &TSkinData::Version, &TSkinData::SetVersion),
            EnumProperty("MenuUpdate", BooleanIdents(), &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate),
            EnumProperty("MenuMerge", BooleanIdents(), &TSkinData::MenuMerge, &TSkinData::SetMenuMerge),
            MethodProperty("OnFormSkin", &TSkinData::OnFormSkin),
            MethodProperty("OnSkinChanged", &TSkinData::OnSkinChanged),
            MethodProperty("OnSkinControl", &TSkinData::OnSkinControl),
            MethodProperty("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm),
            MethodProperty("OnAfterSkinForm", &TSkinData::OnAfterSkinForm),
        });
    return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner), m_skin3rd(DefaultSkin3rd()), m_elements(std::make_unique<TSkinElements>()),
      m_hintWindow(std::make_unique<THintWindow>(nullptr)), m_appIcon(std::make_unique<TBitmap>()),
      m_menuGlyphs(std::make_unique<TCustomImageList>(nullptr)), m_captionFont(std::make_unique<TFont>()) {
    m_appIcon->SetPixelFormat(pf24bit);
    m_maximizedWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    m_maximizedHeight = GetSystemMetrics(SM_CYMAXIMIZED);
    MakeMenuGlyphs();
}

TSkinData::~TSkinData() {
    if (TSkinManage* manager = SkinManager())
        manager->UnregisterSkinData(this);
}

std::string TSkinData::SkinStore() const {
    return "(none)";
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (!SkinEntryPoints().getScrollBarInfo)
        m_skinControls.Exclude(xcScrollbar);
    TSkinManage* manager = SkinManager();
    if (!manager)
        manager = &CreateSkinManager();
    manager->RegisterSkinData(this);
    MakeCaptionFont();

    if (m_skinFormtype != sfMainform) {
        manager->SetActive(1);
        manager->SetRunState(manager->RunState() + 1);
        auto* form = dynamic_cast<TCustomForm*>(Owner());
        if (form && m_active)
            manager->SkinWindow(form->Handle());
        return;
    }
    manager->InstallHook();
    if (m_active) {
        if (m_noSkin == 1)
            m_active = false;
        else
            manager->RequestAction(saSkin, RequestDelay);
    }
    if (m_skinControls.Contains(xcMainMenu))
        m_skinControls.Exclude(xcMenuItem);
    else
        m_skinControls.Exclude(xcSystemMenu);
    MakeAppIcon();
}

void TSkinData::SetActive(bool active) {
    if (Reading()) {
        m_active = active;
        return;
    }
    if (active == m_active)
        return;
    m_active = active;
    TSkinManage* manager = SkinManager();
    if (!manager)
        return;
    switch (m_skinFormtype) {
    case sfOnlyThisForm:
        manager->SetRequestingSkinData(this);
        if (active && m_noSkin == 1)
            return;
        manager->RequestAction(active ? saSkin : saUnskin, RequestDelay);
        break;
    case sfDialog:
    case sfDLL:
        break;
    case sfMainform:
        SwitchMainFormSkin(active);
        break;
    }
}

void TSkinData::SwitchMainFormSkin(bool active) {
    TSkinManage& manager = *SkinManager();
    if (active && m_noSkin == 1)
        return;
    manager.SetRequestingSkinData(this);
    if (active) {
        manager.RequestAction(saSkin, RequestDelay);
        manager.SetRunState(rsStarted);
    } else {
        manager.RequestAction(saUnskin, RequestDelay);
    }
}

void TSkinData::ApplySkin() {
    if (Reading())
        return;
    if (!SkinManager())
        Loaded();
    TSkinManage& manager = *SkinManager();
    manager.SetRequestingSkinData(this);
    // The immediate part asks for action 3 itself once the manager has started.
    manager.SkinChangedNow();
}

void TSkinData::AskSkinForm(HWND window, const std::string& className, bool& decision) {
    m_queryWindow = window;
    if (OnFormSkin) {
        OnFormSkin(this, className, decision);
        return;
    }
    if (className == "SysMonthCal32")
        decision = false;
    else if (m_skinControls.Contains(xcFastReport) && className.starts_with("Tfr"))
        decision = false;
}

void TSkinData::NotifySkinChanged() {
    if (OnSkinChanged)
        OnSkinChanged(this);
}
