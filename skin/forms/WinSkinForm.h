#pragma once
// TWinSkinForm: the skin of one top-level or MDI-child window. The manager makes one per skinned
// window, attaches it and posts the start message; from then on the object sees every message
// of the window before the window's own procedure (and, for a framework form, before the form's
// own message handling). It replaces the window's frame with the skin's (borders, caption,
// caption buttons), gives the window the skin's shape, and keeps the list of the window's
// control skins.

#include "framework/controls/Control.h"
#include "platform/user/WinUser.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/forms/WindowThunk.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TCanvas;
class TComponent;
class TCustomForm;
class TSkinCaption;
class TSkinFrameMenuBar;
class TSkinManage;
class TTimer;

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

// The caption buttons a window has by its styles.
enum TCaptionButtonBits : std::uint32_t {
    cbMaximise = 1,
    cbMinimise = 2,
    cbHelp = 4,
    cbSystemMenu = 8,
    cbKeepNativeStyles = 0x10 // the native style bits stay as they are
};

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
    // Gives the window its own procedure, frame, styles and shape back, with its own frame's size
    // around the same client area; while the window is being destroyed only what the window
    // would call back into is given back.
    enum class TUnskinMode { Full, Destroying };
    void Unskin(TUnskinMode mode = TUnskinMode::Full);
    // Frees the caption button objects (they refer to the skin's records).
    void FreeCaptionButtons();
    // Reads the frame metrics from the skin again and rebuilds the caption buttons.
    void ReloadSkin();
    // Applies a skin that replaced the one the window wore.
    void ApplySkinChange();
    // The manager's MDI-maximised state changed: an MDI child shows or hides its own frame.
    void MdiMaximisedChanged();

    TSkinFormState SkinState() const { return m_skinState; }
    void SetSkinState(TSkinFormState state) { m_skinState = state; }
    // The skin data is being freed: the window, already unskinned, keeps no pointer to it and
    // waits dead for the next purge.
    void ForgetSkinData() {
        m_skinData = nullptr;
        m_skinState = TSkinFormState::Dead;
    }
    // The framework form; null for a bare window and once the form is gone.
    TCustomForm* Form() const { return m_form; }
    bool Started() const { return m_started; }
    TSkinManage& Manager() const { return m_manager; }

    bool FrameSkinning() const { return m_frameSkinning; }
    TBorderKind BorderKind() const { return m_borderKind; }
    TSkinWindowKind WindowKind() const { return m_windowKind; }
    TSkinWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TSkinWindowState state) { m_windowState = state; }
    std::uint32_t CaptionButtonSet() const { return m_captionButtons; }
    bool IsDialogClass() const { return m_dialogClass; }
    bool RightToLeft() const { return m_rightToLeft; }
    bool IsPopup() const { return (m_style & WS_POPUP) != 0; }
    bool Active() const { return m_activeByte != 0; }
    // Set while a menu dropped from the frame is open.
    bool MenuTracking() const { return m_menuTracking; }
    void SetMenuTracking(bool tracking) { m_menuTracking = tracking; }
    HWND MdiClient() const { return m_mdiClient; }
    // The MDI client's active child, and whether it is maximised; null without one.
    HWND ActiveMdiChild(bool* maximised = nullptr) const;
    // The window's size minus its client size under its own frame, taken at start.
    SIZE NativeFrameExtra() const { return m_nativeFrameExtra; }
    HMENU SystemMenu() const { return m_systemMenu; }
    bool RegionSet() const { return m_regionSet; }
    TSkinCaption& Caption() { return *m_caption; }
    // The skinned menu bar of a window with a native menu; null for others.
    TSkinFrameMenuBar* MenuBar() const { return m_menuBar.get(); }

    // A screen point in window coordinates as the caption and menu bar measure them: from the
    // client origin, moved by the border and the caption (not for a minimised MDI child).
    POINT ScreenToWindow(POINT screen) const;
    // Paints the frame now (or into the DC given).
    void PaintFrame(HDC dc = nullptr);
    // Gives the window its skinned region when its size changed (or the skin did).
    void BuildRegion();
    // Restores WS_SYSMENU (when the window has a system menu) or clears it.
    void SetSystemMenuStyle(bool on);
    // The hover timer is on while the window is active; it ticks only while a caption button
    // (or menu-bar button) is hot, since with nothing hot a tick has nothing to do, and an idle
    // window then wakes nobody.
    void EnableHoverTimer(bool enabled);
    void UpdateHoverTimer();
    // Gives a child window of a bare window its control skin, by its class (once per window).
    void MapChildWindow(HWND child);
    // A control skin of the class for a child window, owned by the bare-window owner.
    template <typename Skin>
    void GiveBareSkin(HWND child);

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

    // The three tables of the window's messages (WinSkinFormMessages.cpp).
    LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool AlwaysHandled(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool FrameWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool FrameStartedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsSystemMenu(HMENU menu) const;
    // WM_MEASUREITEM or WM_DRAWITEM of an item of the skinned menu bar's drop-downs.
    bool MenuBarItem(UINT message, LPARAM lParam);
    // SC_KEYMENU for the skinned menu bar: true when a button's drop-down was opened.
    bool MenuBarKey(WPARAM command, LPARAM character);
    // The framework form's own message handling comes after this one.
    void FormWindowProc(TMessage& message);
    void FormDialogChar(TMessage& message);

    void AttachSetup(TSkinData& skinData);
    void ReadWindowFacts();
    void ReadWindowState();
    void Start();
    // The control skins of the window (WinSkinFormControls.cpp): the control mapping of a
    // framework form or the child windows of a bare window, after the skins of destroyed
    // windows are freed.
    void SkinControls();
    void FreeDeadSkinControls();
    // Every control skin takes the new skin's colours and repaints.
    void ControlSkinsChanged();
    // 0xBC4E to the window, then OnAfterSkinForm.
    void SkinnedNotification();
    void FormGone();
    void SkinChanged();

    // The frame (WinSkinFormFrame.cpp).
    void FrameLayout(bool firstLayout);
    void WidenForDialogCaption(int& width);
    void ClearCaptionButtonStyles();
    void RestoreCaptionButtonStyles();
    void CaptionStylesOnMinMax();
    LRESULT CalculateFrame(WPARAM wParam, LPARAM lParam);
    LRESULT HitTest(LPARAM lParam);
    LRESULT Activate(WPARAM wParam, LPARAM lParam);
    void PaintBorders(HDC dc, const RECT& windowRect);
    void PaintMenuBand(HDC dc, int width);
    void RecalculateFrame();
    void UpdateStateFromSize(WPARAM sizeType);
    void UpdateStateFromCommand(WPARAM command);

    // An MDI frame's client window, whose procedure the frame's skin takes too
    // (WinSkinFormMdi.cpp).
    void AttachMdiClient();
    LRESULT MdiClientProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam);
    // Frees every listed control skin; those whose window remains take its look back first,
    // unless the form's window is being destroyed.
    void ReleaseSkinControls(bool destroying);
    // A scrolled control made a new window: its skin is made again for the new one.
    void ReskinScrolledControl(HWND oldWindow);

    // The control skins of a bare window's children (WinSkinFormMapping.cpp).
    void MapChildWindows(HWND parent);
    // A panel's framework control takes the skin's form colour.
    void SetFormColour(HWND child);

    TSkinManage& m_manager;
    TCustomForm* m_form;
    std::unique_ptr<TFormWatch> m_formWatch;
    HWND m_window = nullptr;
    HINSTANCE m_moduleInstance = nullptr;
    std::string m_className;
    TSkinData* m_skinData = nullptr;
    TWindowSubclass m_subclass;
    TWindowSubclass m_mdiClientSubclass;
    // The skin data's MenuUpdate when an MDI frame was attached; the frame's last child gone
    // gives it back.
    bool m_menuUpdateAtAttach = false;
    TWndMethod m_savedFormProc;
    TColor m_savedFormColor = 0;
    bool m_formColorSaved = false;

    TSkinFormState m_skinState = TSkinFormState::Attached;
    bool m_started = false;
    bool m_frameSkinning = false;
    bool m_framePaintSuspended = false;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    std::uint32_t m_captionButtons = 0;
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
    bool m_menuTracking = false;

    int m_leftWidth = 0;
    int m_captionHeight = 0;
    int m_rightWidth = 0;
    int m_bottomHeight = 0;
    int m_menuBarHeight = 0;
    SIZE m_nativeFrameExtra{};
    HMENU m_systemMenu = nullptr;
    RECT m_paintedRect{};
    SIZE m_regionSize{};
    bool m_regionSet = false;

    std::unique_ptr<TTimer> m_hoverTimer;
    bool m_hoverWanted = false;
    std::unique_ptr<TSkinCaption> m_caption;
    std::unique_ptr<TSkinFrameMenuBar> m_menuBar;
    std::vector<TListedSkin> m_skinControls;
    std::set<HWND> m_mappedWindows;
    std::unique_ptr<TComponent> m_bareSkinOwner;
    std::unique_ptr<TCanvas> m_controlCanvas;
};
