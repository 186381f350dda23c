// TSkinManage: the CBT hook, and which windows it skins with which skin data.

#include "skin/forms/SkinManage.h"

#include "core/TextUtils.h"
#include "framework/classes/Module.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "platform/base/CodePage.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"
#include "platform/sys/SystemInfo.h"
#include "skin/forms/SkinHold.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <algorithm>

namespace {

HHOOK g_hook = nullptr;
std::uint32_t g_versionWord = 0;
// Set when the manager that owned the hook went: the hook then passes everything on.
bool g_shutDown = false;

constexpr int TextBufferSize = 1000;

std::string Lower(std::string_view text) {
    return LowerCase(text);
}

LRESULT CALLBACK SkinCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = SkinManager();
    if (g_shutDown || code < 0 || !manager)
        return CallNextHookEx(g_hook, code, wParam, lParam);
    TSkinHold hold;
    auto window = reinterpret_cast<HWND>(wParam);
    try {
        switch (code) {
        case HCBT_CREATEWND:
            if (auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam); create && create->lpcs)
                manager->WindowCreating(window, *create->lpcs);
            break;
        case HCBT_DESTROYWND:
            manager->ReleasePopupSkinner(window);
            break;
        case HCBT_ACTIVATE:
            manager->WindowActivating(window);
            break;
        default:
            break;
        }
    } catch (const Exception&) {
        // A window that cannot be skinned keeps its own look; its creation or activation goes on.
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

std::uint32_t SkinVersionWord() {
    return g_versionWord;
}

bool SkinSystemIsNT() {
    static const bool nt = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

void TSkinManage::InstallHook() {
    // Only the executable's manager watches the thread, and only once.
    if (m_parentManager || g_hook)
        return;
    g_versionWord = GetVersion();
    g_shutDown = false;
    g_hook = SetWindowsHookExA(WH_CBT, SkinCbtHook, nullptr, GetCurrentThreadId());
}

void TSkinManage::RemoveHook() {
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_shutDown = true;
}

// ---- what the hook sees ------------------------------------------------------------------------

void TSkinManage::WindowCreating(HWND window, const CREATESTRUCTA& create) {
    const std::string className = WindowClassName(window);
    // A size box made for a skinned window's child is mapped as it comes.
    if (Lower(className) == "scrollbar" && (create.style & SBS_SIZEGRIP) != 0 && create.hwndParent) {
        if (TWinSkinForm* owner = FindSkinnedWindow(GetAncestor(create.hwndParent, GA_ROOT)))
            owner->MapChildWindow(window);
    }
    if ((create.style & WS_CHILD) == 0 && className == "#32768" && !m_parentManager)
        CreatePopupSkinner(window);
    if ((create.dwExStyle & WS_EX_MDICHILD) != 0)
        SkinWindow(window);
}

void TSkinManage::WindowActivating(HWND window) {
    if (m_runState == rsNotStarted)
        m_runState = rsStarted;
    SkinWindow(window);
}

// ---- choosing windows ----------------------------------------------------------------------------

TCustomForm* FindFrameworkForm(HWND window) {
    if (!window)
        return nullptr;
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        if (form->HandleAllocated() && form->Handle() == window)
            return form;
    }
    return dynamic_cast<TCustomForm*>(FindControl(window));
}

std::string WindowClassName(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

std::string WindowText(HWND window) {
    if (SkinSystemIsNT()) {
        std::u16string text(static_cast<std::size_t>(std::max(GetWindowTextLengthW(window), 0)) + 1, u'\0');
        const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
        text.resize(static_cast<std::size_t>(std::max(length, 0)));
        return platform::Utf16ToGbk(text);
    }
    char buffer[TextBufferSize] = {};
    const auto length = SendMessageA(window, WM_GETTEXT, TextBufferSize, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, TextBufferSize - 1)));
}

bool TSkinManage::SkinWindow(HWND window) {
    TSkinHold hold;
    if (!m_active || !IsWindow(window))
        return false;
    PurgeDead();
    if (SendMessageA(window, SM_SKINNEDQUERY, 0, 0) == SkinnedAnswer || FindSkinnedWindow(window))
        return false;
    TCustomForm* form = FindFrameworkForm(window);
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    const bool mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
    if (!m_activatingAll && (style & WS_CHILD) != 0 && !mdiChild &&
        Lower(WindowClassName(GetParent(window))) != "mdiclient")
        return false;
    const std::string className = WindowClassName(window);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (!form && instance != OwnModule() && className != "#32770")
        return false;
    RECT rect{};
    GetWindowRect(window, &rect);
    if ((rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0) && !mdiChild)
        return false;
    // The fixed tag, whatever the skin data's DisableTag is.
    if (form && form->Tag() == 99)
        return false;
    if (className.find("TcxPopupEditPopupWindow") != std::string::npos ||
        className.find("TTERenderWindow") != std::string::npos || className == "TApplication")
        return false;
    if (!Filter(window, className))
        return false;
    TSkinData* skinData = ChooseSkinData(window, className);
    if (!skinData || skinData->NoSkin() != 0)
        return false;

    auto skin = std::make_unique<TWinSkinForm>(*this, form);
    skin->SetWindow(window);
    skin->SetModuleInstance(m_moduleInstance);
    skin->SetWindowClassName(className);
    TWinSkinForm& attached = *skin;
    m_skinnedWindows.push_back(std::move(skin));
    if (form)
        attached.AttachToForm(*skinData);
    else
        attached.AttachToWindow(*skinData);
    PostMessageA(window, SM_STARTSKIN, 0, SkinStartParam);
    return true;
}

bool TSkinManage::Filter(HWND window, const std::string& className) const {
    if (!m_mainSkinData)
        return true;
    bool decision = true;
    const std::string lower = Lower(className);
    if (lower.find("preview") != std::string::npos && !m_mainSkinData->Options().Contains(xoPreview))
        decision = false;
    if (className == "#32770" && (GetWindowLongA(window, GWL_STYLE) & 0x200) != 0)
        decision = false;
    if (lower == "tpopupdbtreeview")
        decision = false;
    m_mainSkinData->AskSkinForm(window, className, decision);
    return decision;
}

TSkinData* TSkinManage::ChooseSkinData(HWND window, const std::string& className) const {
    auto lastOf = [this](auto matches) -> TSkinData* {
        for (auto data = m_skinDataList.rbegin(); data != m_skinDataList.rend(); ++data) {
            if (matches(**data))
                return *data;
        }
        return nullptr;
    };
    if (TSkinData* own = lastOf([window](const TSkinData& data) {
            auto* owner = dynamic_cast<TCustomForm*>(data.Owner());
            return data.SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() &&
                   owner->Handle() == window;
        }))
        return own;
    const std::string lower = Lower(className);
    if (lower == "tmessageform" || lower == "#32770") {
        if (TSkinData* dialog = lastOf([](const TSkinData& data) { return data.SkinFormtype() == sfDialog; }))
            return dialog;
    }
    if (TSkinData* main = lastOf([](const TSkinData& data) { return data.SkinFormtype() == sfMainform; }))
        return main;
    return m_skinDataList.empty() ? nullptr : m_skinDataList.front();
}
