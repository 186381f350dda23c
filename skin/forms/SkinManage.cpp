// TSkinManage: its life, the skin data it serves, requests and the actions its timer runs.

#include "skin/forms/SkinManage.h"

#include "framework/classes/Module.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "framework/forms/Timer.h"
#include "skin/forms/SkinHold.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinPopMenu.h"

#include <algorithm>

namespace {

constexpr int InitialInterval = 100;
constexpr int SubManagerDelay = 300;
constexpr int RequestDelay = 250;

std::unique_ptr<TSkinManage>& ManagerSlot() {
    static std::unique_ptr<TSkinManage> slot;
    return slot;
}

// Unskins a window's object (as actions 2 and 7 do) and shows the window's own look.
void UnskinAndRepaint(TWinSkinForm& skin) {
    skin.Unskin(TWinSkinForm::TUnskinMode::Full);
    if (IsWindow(skin.Window())) {
        InvalidateRect(skin.Window(), nullptr, TRUE);
        UpdateWindow(skin.Window());
    }
}

} // namespace

TSkinManage* SkinManager() {
    return ManagerSlot().get();
}

TSkinManage& CreateSkinManager() {
    if (!ManagerSlot())
        ManagerSlot() = std::make_unique<TSkinManage>();
    return *ManagerSlot();
}

void FreeSkinManager() {
    // Moved out first: while it goes, the manager is no longer the program's.
    std::unique_ptr<TSkinManage> manager = std::move(ManagerSlot());
}

TSkinManage::TSkinManage() : m_timer(std::make_unique<TTimer>(nullptr)) {
    m_timer->SetEnabled(false);
    m_timer->SetInterval(InitialInterval);
    m_timer->SetOnTimer([this](TObject*) { TimerTick(); });
}

TSkinManage::TSkinManage(HINSTANCE module, TSkinManage& parent) : TSkinManage() {
    m_moduleInstance = module;
    m_parentManager = &parent;
    parent.m_subManagers.push_back(this);
}

TSkinManage::~TSkinManage() {
    m_runState = rsDestroying;
    m_active = 0;
    m_timer.reset();
    while (!m_popupSkinners.empty())
        m_popupSkinners.pop_back();
    while (!m_skinnedWindows.empty()) {
        std::unique_ptr<TWinSkinForm> skin = std::move(m_skinnedWindows.back());
        m_skinnedWindows.pop_back();
        // A dead window was unskinned when its skin data went.
        if (skin->SkinState() != TSkinFormState::Dead)
            skin->Unskin();
    }
    m_skinDataList.clear();
    while (!m_subManagers.empty())
        DetachSubManager(m_subManagers.back());
    if (m_parentManager) {
        auto& siblings = m_parentManager->m_subManagers;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    } else {
        RemoveHook();
    }
}

void TSkinManage::DetachSubManager(TSkinManage* sub) {
    m_subManagers.erase(std::remove(m_subManagers.begin(), m_subManagers.end(), sub), m_subManagers.end());
    sub->m_parentManager = nullptr;
    sub->m_runState = rsNotStarted;
    sub->m_active = 0;
    sub->m_requestingSkinData = nullptr;
}

HINSTANCE TSkinManage::OwnModule() const {
    return m_moduleInstance ? m_moduleInstance : HInstance();
}

// ---- skin data -----------------------------------------------------------------------------

void TSkinManage::RegisterSkinData(TSkinData* skinData) {
    if (!skinData ||
        std::find(m_skinDataList.begin(), m_skinDataList.end(), skinData) != m_skinDataList.end())
        return;
    m_skinDataList.push_back(skinData);
    if (!m_mainSkinData && skinData->SkinFormtype() == sfMainform)
        m_mainSkinData = skinData;
}

void TSkinManage::UnregisterSkinData(TSkinData* skinData) {
    const auto listed = std::find(m_skinDataList.begin(), m_skinDataList.end(), skinData);
    if (listed == m_skinDataList.end())
        return;
    m_skinDataList.erase(listed);
    if (m_requestingSkinData == skinData)
        m_requestingSkinData = nullptr;
    if (m_mainSkinData == skinData) {
        const auto main =
            std::find_if(m_skinDataList.begin(), m_skinDataList.end(),
                         [](const TSkinData* data) { return data->SkinFormtype() == sfMainform; });
        m_mainSkinData = main == m_skinDataList.end() ? nullptr : *main;
    }
    for (TSkinManage* sub : m_subManagers) {
        if (sub->m_requestingSkinData == skinData)
            sub->m_requestingSkinData = nullptr;
    }
    // The windows it skins would outlive their skin: they take their own look back now and
    // are freed by the next purge.
    for (const auto& skin : m_skinnedWindows) {
        if (skin->SkinData() == skinData && skin->SkinState() != TSkinFormState::Dead) {
            UnskinAndRepaint(*skin);
            skin->ForgetSkinData();
        }
    }
    for (const auto& popup : m_popupSkinners) {
        if (&popup->SkinData() == skinData)
            popup->Detach();
    }
    std::erase_if(m_popupSkinners, [skinData](const auto& popup) { return &popup->SkinData() == skinData; });
    if (m_skinDataList.empty() && this == SkinManager())
        TSkinHold::FreeManagerWhenIdle();
}

// ---- requests --------------------------------------------------------------------------------

void TSkinManage::RequestAction(std::uint32_t action, int delay) {
    m_pendingAction = action;
    m_timer->SetInterval(delay);
    if (m_runState != rsNotStarted) {
        for (TSkinManage* sub : m_subManagers) {
            sub->m_requestingSkinData = m_requestingSkinData;
            if (action == saSkin) {
                sub->m_active = 1;
                sub->RequestAction(saSkin, SubManagerDelay);
            } else if (action == saUnskin) {
                sub->m_active = 0;
            }
        }
        m_timer->SetEnabled(true);
    } else if (action == saSkin) {
        m_active = 1;
    } else if (action == saUnskin) {
        m_active = 0;
    }
}

void TSkinManage::SkinChangedNow() {
    for (const auto& skin : m_skinnedWindows) {
        if (skin->SkinData() == m_requestingSkinData)
            skin->FreeCaptionButtons();
    }
    if (m_requestingSkinData && m_runState == rsStarted)
        RequestAction(saSkinChanged, RequestDelay);
}

void TSkinManage::MdiMaximise(std::uint8_t maximised) {
    if (maximised == m_mdiMaximised)
        return;
    m_mdiMaximised = maximised;
    if (m_mainSkinData && m_mainSkinData->Options().Contains(xoMDIChildBorder))
        return;
    for (const auto& skin : m_skinnedWindows) {
        if (skin->WindowKind() == TSkinWindowKind::MdiChild)
            skin->MdiMaximisedChanged();
    }
}

// ---- the skinned windows -----------------------------------------------------------------------

TWinSkinForm* TSkinManage::FindSkinnedWindow(HWND window) const {
    for (const auto& skin : m_skinnedWindows) {
        if (skin->Window() == window)
            return skin.get();
    }
    return nullptr;
}

std::unique_ptr<TWinSkinForm> TSkinManage::ForgetWindow(HWND window) {
    if (m_runState == rsDestroying)
        return nullptr;
    for (auto skin = m_skinnedWindows.begin(); skin != m_skinnedWindows.end(); ++skin) {
        if ((*skin)->Window() == window) {
            std::unique_ptr<TWinSkinForm> forgotten = std::move(*skin);
            m_skinnedWindows.erase(skin);
            return forgotten;
        }
    }
    return nullptr;
}

void TSkinManage::PurgeDead() {
    const HINSTANCE module = m_moduleInstance;
    std::vector<std::unique_ptr<TWinSkinForm>> dead;
    for (auto& skin : m_skinnedWindows) {
        if (skin->SkinState() == TSkinFormState::Dead && skin->ModuleInstance() == module)
            dead.push_back(std::move(skin));
    }
    std::erase(m_skinnedWindows, nullptr);
}

void TSkinManage::UnskinAndFree(std::size_t index) {
    std::unique_ptr<TWinSkinForm> skin = std::move(m_skinnedWindows.at(index));
    m_skinnedWindows.erase(m_skinnedWindows.begin() + static_cast<std::ptrdiff_t>(index));
    UnskinAndRepaint(*skin);
}

void TSkinManage::SkinFramework(TCustomForm* form) {
    if (!form || !form->Visible() || !form->HandleAllocated())
        return;
    HWND window = form->Handle();
    if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0)
        return;
    SkinWindow(window);
}

// ---- the timer's actions ------------------------------------------------------------------------

void TSkinManage::TimerTick() {
    TSkinHold hold;
    m_timer->SetEnabled(false);
    TSkinData* skinData = m_requestingSkinData;
    if (!skinData)
        return;
    const std::uint32_t action = m_pendingAction;
    if (skinData->SkinFormtype() == sfOnlyThisForm) {
        RunOnlyThisFormAction(action, *skinData);
    } else if (action == saReskin) {
        ReskinWindow();
        return;
    } else {
        RunAction(action, *skinData);
    }
    if (action == saSkin || action == saUnskin || action == saSkinChanged || action == saPurge) {
        // The handler may free the skin data: the request is cleared first.
        m_requestingSkinData = nullptr;
        skinData->NotifySkinChanged();
    }
}

void TSkinManage::RunOnlyThisFormAction(std::uint32_t action, TSkinData& skinData) {
    auto* owner = dynamic_cast<TCustomForm*>(skinData.Owner());
    auto firstOf = [this, &skinData]() -> std::ptrdiff_t {
        for (std::size_t i = 0; i < m_skinnedWindows.size(); ++i) {
            if (m_skinnedWindows[i]->SkinData() == &skinData)
                return static_cast<std::ptrdiff_t>(i);
        }
        return -1;
    };
    switch (action) {
    case saSkin:
        m_active = 1;
        m_activatingAll = 1;
        for (int i = Screen()->FormCount() - 1; i >= 0; --i) {
            if (Screen()->Forms(i) == owner) {
                SkinFramework(owner);
                break;
            }
        }
        m_activatingAll = 0;
        break;
    case saUnskin:
        m_active = 0;
        PurgeDead();
        if (const std::ptrdiff_t index = firstOf(); index >= 0)
            UnskinAndFree(static_cast<std::size_t>(index));
        break;
    case saSkinChanged:
        PurgeDead();
        ReloadWindowsOf(skinData, true);
        break;
    case saPurge:
        PurgeDead();
        break;
    default:
        break;
    }
}

void TSkinManage::RunAction(std::uint32_t action, TSkinData& skinData) {
    switch (action) {
    case saSkin:
        m_active = 1;
        m_mdiMaximised = 0;
        m_activatingAll = 1;
        PurgeDead();
        for (int i = Screen()->FormCount() - 1; i >= 0; --i) {
            if (i < Screen()->FormCount())
                SkinFramework(Screen()->Forms(i));
        }
        m_activatingAll = 0;
        if (!m_parentManager)
            SwitchSubManagers(true, saSkin);
        break;
    case saUnskin:
        m_active = 0;
        PurgeDead();
        while (!m_skinnedWindows.empty())
            UnskinAndFree(0);
        SwitchSubManagers(false, saUnskin);
        break;
    case saSkinChanged:
        PurgeDead();
        ReloadWindowsOf(skinData, false);
        break;
    case saPurge:
        PurgeDead();
        break;
    default:
        break;
    }
}

void TSkinManage::SwitchSubManagers(bool on, std::uint32_t action) {
    for (TSkinManage* sub : m_subManagers) {
        if (on) {
            sub->m_requestingSkinData = m_requestingSkinData;
            sub->m_active = 1;
            sub->RequestAction(action, SubManagerDelay);
        } else {
            sub->m_active = 0;
        }
    }
}

void TSkinManage::ReloadWindowsOf(TSkinData& skinData, bool firstOnly) {
    std::vector<TWinSkinForm*> windows;
    for (const auto& skin : m_skinnedWindows) {
        if (skin->SkinData() == &skinData) {
            windows.push_back(skin.get());
            if (firstOnly)
                break;
        }
    }
    for (TWinSkinForm* skin : windows) {
        skin->FreeCaptionButtons();
        skin->ReloadSkin();
    }
    for (TWinSkinForm* skin : windows)
        skin->ApplySkinChange();
}

void TSkinManage::ReskinWindow() {
    HWND window = m_windowToReskin;
    if (TWinSkinForm* skin = FindSkinnedWindow(window)) {
        skin->Unskin();
        skin->SetSkinState(TSkinFormState::Dead);
    }
    PurgeDead();
    SkinWindow(window);
}
