#pragma once
// TCustomForm / TForm: a top-level window holding controls. A form is built in code: its
// constructor sets the design properties of the form and its controls while the form is
// loading; AfterConstruction (run by whoever makes the form) then runs every component's
// Loaded in component order and OnCreate, as if the form had been read from a stored
// description. Errors there go to the application's HandleException and the form still opens.

#include "framework/controls/WinControl.h"
#include "framework/graphics/Icon.h"

#include <functional>
#include <memory>

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;

const TEnumInfo& PositionIdents();
const TEnumInfo& FormBorderStyleIdents();
const TEnumInfo& BorderIconIdents();
const TEnumInfo& FormStyleIdents();
const TEnumInfo& WindowStateIdents();
const TEnumInfo& TileModeIdents();

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TMainMenu;
class TMenuItem;

class TCustomForm : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    // Starts loading: the form's and its controls' properties are set from here on.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Ends loading (every component's Loaded, in component order) and runs OnCreate.
    virtual void AfterConstruction();

    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool autoScroll) { m_autoScroll = autoScroll; }
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool keyPreview) { m_keyPreview = keyPreview; }
    TIcon* Icon() const { return m_icon.get(); }
    void SetIcon(TIcon* icon) { m_icon->Assign(icon); }

    // The menu bar: the window shows the menu's native menu and keeps it while it is remade.
    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);
    // Clicks the menu bar's item with the shortcut of the key; true when there was one.
    bool IsShortCut(WORD key, TShiftState shift);

    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    // Gives a control the focus (making windows as needed).
    void FocusControl(TWinControl* control);
    // Told by a control's window that it received the focus.
    void SetFocusedControl(TWinControl* control);
    bool Active() const { return m_active; }

    // MDI (MdiForms.cpp): an fsMDIForm holds its fsMDIChild forms in its client window.
    HWND ClientHandle() const { return m_clientHandle; }
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    void Cascade();
    // Side by side (tbVertical) or one above the other (tbHorizontal).
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();
    TTileMode TileMode() const { return m_tileMode; }
    void SetTileMode(TTileMode mode) { m_tileMode = mode; }
    // The menu item whose submenu lists the children.
    TMenuItem* WindowMenu() const { return m_windowMenu; }
    void SetWindowMenu(TMenuItem* item);

    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult result) { m_modalResult = result; }
    // Shows the form and runs the message loop, the other forms disabled, until ModalResult
    // is set (closing sets mrCancel); the form is hidden again.
    TModalResult ShowModal();
    bool Modal() const { return m_modal; }

    void Show();
    void Close();
    bool CloseQuery();
    void Release();

    void SetBounds(int left, int top, int width, int height) override;
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;

    // The keys of KeyPreview.
    bool DoKeyDown(WORD& key, TShiftState shift) override { return TWinControl::DoKeyDown(key, shift); }
    bool DoKeyUp(WORD& key, TShiftState shift) override { return TWinControl::DoKeyUp(key, shift); }
    bool DoKeyPress(char& key) override { return TWinControl::DoKeyPress(key); }

    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    void DestroyWindowHandle() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoShow();
    virtual void DoHide();

    void CMDialogKey(TMessage& message);
    void CMDialogChar(TMessage& message);
    void CMFocusChanged(TMessage& message);
    void CMShowingChanged(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMRelease(TMessage& message);
    void WMClose(TMessage& message);
    void WMActivate(TMessage& message);
    void WMMDIActivate(TMessage& message);

private:
    // MDI (MdiForms.cpp).
    TCustomForm* MDIParentForm() const;
    void CreateClientWindow();
    void CreateMDIChildHandle(const TCreateParams& params);
    void DestroyMDIChildHandle();
    // The child list and a maximised child's buttons, after the menus were made anew.
    void RefreshMDIMenus();
    // DefFrameProc for an MDI form, DefMDIChildProc for an MDI child; false for other forms.
    bool MDIDefaultHandler(TMessage& message);

    void PlaceOnFirstShow();
    void LoadComponents(TComponent* component);
    // Forms that are not this one, enabled before a modal loop, to be enabled after it.
    std::vector<HWND> DisableOtherWindows();

    TPosition m_position = poDesigned;
    TFormBorderStyle m_borderStyle = bsSizeable;
    TBorderIcons m_borderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle m_formStyle = fsNormal;
    TWindowState m_windowState = wsNormal;
    bool m_autoScroll = true;
    bool m_keyPreview = false;
    std::unique_ptr<TIcon> m_icon;
    TMainMenu* m_menu = nullptr;
    TWinControl* m_activeControl = nullptr;
    TWinControl* m_focusedControl = nullptr;
    bool m_active = false;
    TModalResult m_modalResult = mrNone;
    bool m_modal = false;
    bool m_placed = false;
    bool m_shown = false;
    HWND m_clientHandle = nullptr;
    TTileMode m_tileMode = tbHorizontal;
    TMenuItem* m_windowMenu = nullptr;
};

// TranslateMDISysAccel for the client of the MDI form the message's window is in (Ctrl+F4,
// Ctrl+F6, Ctrl+Tab); true when the message became a system command of the active child.
bool IsMDIMessage(MSG& message);

class TForm : public TCustomForm {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// Makes a form of class T with its owner and finishes its construction.
template <typename T, typename... Args>
T* CreateForm(TComponent* owner, Args&&... args) {
    auto* form = new T(owner, std::forward<Args>(args)...);
    form->AfterConstruction();
    return form;
}
