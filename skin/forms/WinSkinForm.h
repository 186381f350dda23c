#pragma once
// TWinSkinForm: the skin of one top-level or MDI-child window. The manager makes one per skinned
// window, attaches it and posts the start message; from then on the object sees every message
// of the window before the window's own procedure. It serves framework forms and bare windows
// (system dialogs, message boxes) alike, and keeps the list of the window's control skins.

#include "platform/user/WinUser.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/forms/WindowThunk.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TComponent;
class TCustomForm;
class TSkinManage;

// The life of a skinned window.
enum class TSkinFormState : std::int32_t {
    Attached = 0,   // attached, not started
    Running = 1,    // skinned
    Applying = 3,   // a new skin is being applied
    Unskinning = 4, // being unskinned
    Starting = 5,   // starting
    Dead = 6        // the window is gone; the manager frees the object
};

// How the window is framed: a sizing frame, a single one, no caption (the style lacks the full
// WS_CAPTION), or a dialog frame.
enum class TBorderKind : std::int32_t { Sizeable = 0, Single = 1, NoCaption = 2, Dialog = 3 };
// An ordinary window, an MDI frame (it has an "MDIClient" child) or an MDI child.
enum class TSkinWindowKind : std::int32_t { Ordinary = 0, MdiFrame = 1, MdiChild = 2 };
enum class TSkinWindowState : std::int32_t { Normal = 0, Maximised = 1, Minimised = 2 };

class TWinSkinForm : public SkinFormServices {
public:
    // A skin for the framework form's window, or (form null) for a bare window.
    TWinSkinForm(TSkinManage& manager, TCustomForm* form);
    ~TWinSkinForm() override;
    TWinSkinForm(const TWinSkinForm&) = delete;
    TWinSkinForm& operator=(const TWinSkinForm&) = delete;

    // Set by the manager before it attaches the object.
    void SetWindow(HWND window) { m_window = window; }
    HWND Window() const { return m_window; }
    void SetModuleInstance(HINSTANCE module) { m_moduleInstance = module; }
    HINSTANCE ModuleInstance() const { return m_moduleInstance; }
    void SetWindowClassName(std::string className) { m_className = std::move(className); }
    const std::string& WindowClassName() const { return m_className; }

    // Attaches to the framework form given at creation, or to the bare window.
    void AttachToForm(TSkinData& skinData);
    void AttachToWindow(TSkinData& skinData);
    // Gives the window its own procedure back.
    void Unskin();
    // Reads the frame metrics from the skin again.
    void ReloadSkin();
    // Applies a skin that replaced the one the window wore.
    void ApplySkinChange();
    // The manager's MDI-maximised state changed: an MDI child lays its frame out again.
    void MdiMaximisedChanged();

    TSkinFormState SkinState() const { return m_skinState; }
    void SetSkinState(TSkinFormState state) { m_skinState = state; }
    // The framework form; null for a bare window and once the form is gone.
    TCustomForm* Form() const { return m_form; }
    bool Started() const { return m_started; }

    TBorderKind BorderKind() const { return m_borderKind; }
    TSkinWindowKind WindowKind() const { return m_windowKind; }
    TSkinWindowState WindowState() const { return m_windowState; }
    bool IsDialogClass() const { return m_dialogClass; }
    bool RightToLeft() const { return m_rightToLeft; }
    // The window's size minus its client size under its own frame, taken at start.
    SIZE NativeFrameExtra() const { return m_nativeFrameExtra; }
    HMENU SystemMenu() const { return m_systemMenu; }

    // SkinFormServices
    TSkinData* SkinData() const override { return m_skinData; }
    TCanvas* ControlCanvas() override;
    void AddSkinControl(TSkinControl* skin, TControl* control, HWND window) override;
    void RemoveSkinControl(const TSkinControl* skin) override;
    TSkinControl* FindSkinControl(const TControl* control) const override;
    TSkinControl* FindSkinControlByWindow(HWND window) const override;
    TComponent* BareWindowSkinOwner() override;
    int LeftBorderWidth() const override { return m_leftWidth; }
    int CaptionHeight() const override { return m_captionHeight; }
    int RightBorderWidth() const override { return m_rightWidth; }
    int BottomBorderHeight() const override { return m_bottomHeight; }
    int MenuBarHeight() const override { return m_menuBarHeight; }
    HWND FormWindow() const override { return m_window; }

private:
    class TFormWatch;
    struct TListedSkin {
        TSkinControl* skin;
        const TControl* control;
        HWND window;
    };

    LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void AttachSetup(TSkinData& skinData);
    void ReadWindowFacts();
    void ReadWindowState();
    void Start();
    // 0xBC4E to the window, then OnAfterSkinForm.
    void SkinnedNotification();
    void FormGone();

    TSkinManage& m_manager;
    TCustomForm* m_form;
    std::unique_ptr<TFormWatch> m_formWatch;
    HWND m_window = nullptr;
    HINSTANCE m_moduleInstance = nullptr;
    std::string m_className;
    TSkinData* m_skinData = nullptr;
    TWindowSubclass m_subclass;

    TSkinFormState m_skinState = TSkinFormState::Attached;
    bool m_started = false;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    TBorderKind m_borderKind = TBorderKind::Sizeable;
    TSkinWindowKind m_windowKind = TSkinWindowKind::Ordinary;
    TSkinWindowState m_windowState = TSkinWindowState::Normal;
    HWND m_mdiClient = nullptr;
    bool m_rightToLeft = false;
    bool m_dialogClass = false;
    bool m_child = false;
    bool m_sizeable = false;
    HWND m_ownerWindow = nullptr;
    std::uint8_t m_activeByte = 1;

    int m_leftWidth = 0;
    int m_captionHeight = 0;
    int m_rightWidth = 0;
    int m_bottomHeight = 0;
    int m_menuBarHeight = 0;
    SIZE m_nativeFrameExtra{};
    HMENU m_systemMenu = nullptr;

    std::vector<TListedSkin> m_skinControls;
    std::unique_ptr<TComponent> m_bareSkinOwner;
    std::unique_ptr<TCanvas> m_controlCanvas;
};
