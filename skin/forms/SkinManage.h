#pragma once
// TSkinManage: the one process-wide object that decides which top-level windows of the GUI
// thread wear the skin, which skin data skins each of them, and when skinning is switched on,
// off or refreshed. It sees windows made, activated and destroyed through a thread CBT hook,
// keeps one TWinSkinForm per skinned window and one TWinSkinPopMenu per skinned menu window,
// and runs requested actions from its timer, after the code that asked has returned.
//
// Ownership: the manager owns its TWinSkinForm and TWinSkinPopMenu objects; the skin data
// components are only borrowed (each one unregisters itself when it goes, and the windows it
// skins are unskinned then). The lists never hold a freed object.

#include "platform/user/WinUser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TSkinData;
class TTimer;
class TWinSkinForm;
class TWinSkinPopMenu;

// What a request asks the manager to do.
enum TSkinAction : std::uint32_t {
    saNone = 0,
    saSkin = 1,        // switch skinning on and skin the forms on screen
    saUnskin = 2,      // switch skinning off, restore and free every skinned window
    saSkinChanged = 3, // reload the requesting skin data's skin into its windows
    saPurge = 6,       // free the skinned windows marked dead
    saReskin = 7       // unskin the window to re-skin, mark it dead, purge, skin it again
};

// The manager's run state.
enum TSkinRunState : std::int32_t {
    rsNotStarted = 0, // actions run at once
    rsStarted = 1,    // actions go through the timer
    rsDestroying = 4  // the lists are no longer touched
};

// The kind of menu about to drop down.
enum TSkinMenuMode : std::int32_t { mmPopup = 0, mmMenuBar = 1, mmSystemMenu = 2 };

class TSkinManage {
public:
    // The manager of the executable itself.
    TSkinManage();
    // A manager for the forms of another module (`module`), registered with the executable's
    // manager, which switches it on and off with itself. It has no hook of its own.
    TSkinManage(HINSTANCE module, TSkinManage& parent);
    virtual ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // Calls of the skin data components.
    void InstallHook();
    void RegisterSkinData(TSkinData* skinData);
    // Also unskins and frees the windows the skin data skins: they would outlive their skin.
    void UnregisterSkinData(TSkinData* skinData);
    // Stores the action (one pending action: a later request replaces it) and runs it after
    // `delay` milliseconds; before the manager started, 1 and 2 only switch it on or off.
    void RequestAction(std::uint32_t action, int delay);
    // The part of a skin change that cannot wait: every window of the requesting skin data drops
    // its caption buttons (they refer to the skin about to be replaced); then action 3 is asked.
    void SkinChangedNow();
    // Gives the window a TWinSkinForm when it qualifies; true when it got one.
    bool SkinWindow(HWND window);

    // Calls of the skinned windows and menus.
    TWinSkinForm* FindSkinnedWindow(HWND window) const;
    // Removes the window's object from the list without freeing it (for an object that frees
    // itself); ignored while the manager is being destroyed.
    std::unique_ptr<TWinSkinForm> ForgetWindow(HWND window);
    // Stores whether an MDI child is maximised; skinned MDI children follow it with their frame.
    void MdiMaximise(std::uint8_t maximised);

    // Popup menu windows ("#32768").
    void CreatePopupSkinner(HWND window);
    void ReleasePopupSkinner(HWND window);
    bool IsPopupSkinned(HWND window) const;
    // Gives the menu handle to the newest skinner that has none.
    void AttachPopupMenu(HMENU menu);
    // The skinner of the window showing the menu, or null.
    TWinSkinPopMenu* FindPopupByMenu(HMENU menu) const;

    // The timer's tick: runs the pending action.
    void TimerTick();

    // The skin data chosen for a window (null when none is registered).
    TSkinData* ChooseSkinData(HWND window, const std::string& className) const;

    // State read and set by the skin data and the skinned windows.
    TSkinData* RequestingSkinData() const { return m_requestingSkinData; }
    void SetRequestingSkinData(TSkinData* skinData) { m_requestingSkinData = skinData; }
    TSkinData* MainSkinData() const { return m_mainSkinData; }
    std::uint8_t Active() const { return m_active; }
    void SetActive(std::uint8_t active) { m_active = active; }
    std::int32_t RunState() const { return m_runState; }
    void SetRunState(std::int32_t state) { m_runState = state; }
    std::int32_t MenuMode() const { return m_menuMode; }
    void SetMenuMode(std::int32_t mode) { m_menuMode = mode; }
    std::uint8_t MdiMaximised() const { return m_mdiMaximised; }
    std::uint32_t PendingAction() const { return m_pendingAction; }
    HWND WindowToReskin() const { return m_windowToReskin; }
    void SetWindowToReskin(HWND window) { m_windowToReskin = window; }
    HINSTANCE ModuleInstance() const { return m_moduleInstance; }
    TSkinManage* ParentManager() const { return m_parentManager; }
    const std::vector<TSkinData*>& SkinDataList() const { return m_skinDataList; }
    const std::vector<TSkinManage*>& SubManagers() const { return m_subManagers; }
    int SkinnedWindowCount() const { return static_cast<int>(m_skinnedWindows.size()); }
    TWinSkinForm& SkinnedWindow(int index) const {
        return *m_skinnedWindows.at(static_cast<std::size_t>(index));
    }
    int PopupSkinnerCount() const { return static_cast<int>(m_popupSkinners.size()); }
    TTimer& Timer() const { return *m_timer; }

    // The CBT hook's view of a window event (public for the hook procedure).
    void WindowCreating(HWND window, const CREATESTRUCTA& create);
    void WindowActivating(HWND window);

private:
    static void RemoveHook();
    // The handle the windows of this manager's module carry.
    HINSTANCE OwnModule() const;
    // Frees the skinned windows marked dead (of this module).
    void PurgeDead();
    // The filter of the main skin data: true to skin.
    bool Filter(HWND window, const std::string& className) const;
    void SkinFramework(TCustomForm* form);
    // Unskins (fully), repaints and frees one listed window.
    void UnskinAndFree(std::size_t index);
    void RunOnlyThisFormAction(std::uint32_t action, TSkinData& skinData);
    void RunAction(std::uint32_t action, TSkinData& skinData);
    void ReloadWindowsOf(TSkinData& skinData, bool firstOnly);
    void ReskinWindow();
    void SwitchSubManagers(bool on, std::uint32_t action);
    void DetachSubManager(TSkinManage* sub);

    std::unique_ptr<TTimer> m_timer;
    std::vector<std::unique_ptr<TWinSkinForm>> m_skinnedWindows;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> m_popupSkinners;
    std::vector<TSkinData*> m_skinDataList;
    std::vector<TSkinManage*> m_subManagers;
    std::uint8_t m_active = 0;
    std::uint8_t m_activatingAll = 0;
    std::int32_t m_runState = rsNotStarted;
    std::int32_t m_menuMode = mmPopup;
    std::uint8_t m_mdiMaximised = 0;
    std::uint32_t m_pendingAction = saNone;
    TSkinData* m_requestingSkinData = nullptr;
    TSkinData* m_mainSkinData = nullptr;
    HINSTANCE m_moduleInstance = nullptr;
    HWND m_windowToReskin = nullptr;
    TSkinManage* m_parentManager = nullptr;
};

// The executable's manager, or null before the first skin data made one.
TSkinManage* SkinManager();
// Makes the executable's manager when there is none.
TSkinManage& CreateSkinManager();
// Frees the executable's manager (done when its last skin data unregisters).
void FreeSkinManager();

// The framework object of a window: a form on the screen with that window, else the control
// the framework keeps under the control-lookup atom; null for other windows.
TCustomForm* FindFrameworkForm(HWND window);
// The window's class name and text, as the engine reads them.
std::string WindowClassName(HWND window);
std::string WindowText(HWND window);

// The version word taken when the hook was installed (GetVersion; the high bit is set on the
// systems before NT), and whether the system is of the NT family.
std::uint32_t SkinVersionWord();
bool SkinSystemIsNT();
