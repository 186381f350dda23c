#include "framework/forms/Form.h"

#include "framework/classes/PropertyTable.h"
#include "framework/forms/Application.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/MenuMessages.h"
#include "framework/menus/Menus.h"
#include "platform/user/mdi/WinMdi.h"

#include <algorithm>

const TEnumInfo& PositionIdents() {
    static const TEnumInfo idents{{"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                   "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                                   "poOwnerFormCenter"}};
    return idents;
}

const TEnumInfo& FormBorderStyleIdents() {
    static const TEnumInfo idents{
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
    return idents;
}

const TEnumInfo& BorderIconIdents() {
    static const TEnumInfo idents{{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
    return idents;
}

const TEnumInfo& FormStyleIdents() {
    static const TEnumInfo idents{{"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
    return idents;
}

const TEnumInfo& WindowStateIdents() {
    static const TEnumInfo idents{{"wsNormal", "wsMinimized", "wsMaximized"}};
    return idents;
}

TCustomForm* GetParentForm(const TControl* control) {
    const TControl* top = control;
    while (top && top->Parent())
        top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

const TClass& TCustomForm::ClassInfo() {
    static const TClass info(
        "TCustomForm", &TWinControl::ClassInfo(),
        {
            EnumProperty("AutoScroll", BooleanIdents(), &TCustomForm::AutoScroll,
                         &TCustomForm::SetAutoScroll),
            SetProperty("BorderIcons", BorderIconIdents(), &TCustomForm::BorderIcons,
                        &TCustomForm::SetBorderIcons),
            EnumProperty("BorderStyle", FormBorderStyleIdents(), &TCustomForm::BorderStyle,
                         &TCustomForm::SetBorderStyle),
            StrProperty("Caption", &TControl::Caption, &TControl::SetCaption),
            OrdProperty("ClientHeight", &TControl::ClientHeight, &TCustomForm::SetClientHeight),
            OrdProperty("ClientWidth", &TControl::ClientWidth, &TCustomForm::SetClientWidth),
            OrdProperty("Color", &TControl::Color, &TControl::SetColor),
            ObjProperty("Font", &TControl::Font, &TControl::SetFont),
            EnumProperty("FormStyle", FormStyleIdents(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle),
            ObjProperty("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon),
            EnumProperty("KeyPreview", BooleanIdents(), &TCustomForm::KeyPreview,
                         &TCustomForm::SetKeyPreview),
            ObjProperty("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu),
            EnumProperty("ParentFont", BooleanIdents(), &TControl::ParentFont, &TControl::SetParentFont),
            EnumProperty("Position", PositionIdents(), &TCustomForm::Position, &TCustomForm::SetPosition),
            EnumProperty("TileMode", TileModeIdents(), &TCustomForm::TileMode, &TCustomForm::SetTileMode),
            ObjProperty("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu),
            EnumProperty("WindowState", WindowStateIdents(), &TCustomForm::WindowState,
                         &TCustomForm::SetWindowState),
            MethodProperty("OnClose", &TCustomForm::OnClose),
            MethodProperty("OnCreate", &TCustomForm::OnCreate),
            MethodProperty("OnDestroy", &TCustomForm::OnDestroy),
            MethodProperty("OnShow", &TCustomForm::OnShow),
        });
    return info;
}

const TClass& TForm::ClassInfo() {
    static const TClass info("TForm", &TCustomForm::ClassInfo());
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), m_icon(std::make_unique<TIcon>()) {
    m_controlStyle.Include(csAcceptsControls);
    SetVisible(false);
    SetParentColor(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    BeginLoading();
    Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application()->HandleException(this);
        }
    }
    Screen()->RemoveForm(this);
    Destroying();
    DestroyHandle();
}

void TCustomForm::LoadComponents(TComponent* component) {
    for (int i = 0; i < component->ComponentCount(); ++i) {
        TComponent* child = component->Components(i);
        if (child->ComponentState().Contains(csLoading))
            child->Loaded();
    }
}

void TCustomForm::AfterConstruction() {
    try {
        LoadComponents(this);
        Loaded();
    } catch (...) {
        TComponent::Loaded();
        Application()->HandleException(this);
    }
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (...) {
            Application()->HandleException(this);
        }
    }
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    Realign();
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN;
    params.ExStyle = 0;
    params.WndParent = nullptr;
    switch (m_borderStyle) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (m_borderStyle == bsToolWindow || m_borderStyle == bsSizeToolWin)
        params.ExStyle |= WS_EX_TOOLWINDOW;
    if (m_borderStyle != bsNone && m_borderIcons.Contains(biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (m_borderStyle != bsDialog && m_borderStyle != bsToolWindow && m_borderStyle != bsSizeToolWin) {
            if (m_borderIcons.Contains(biMinimize))
                params.Style |= WS_MINIMIZEBOX;
            if (m_borderIcons.Contains(biMaximize))
                params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (m_formStyle == fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    if (m_formStyle == fsMDIChild) {
        // A document window of the MDI form's client, placed by the client unless designed.
        params.Style = (params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        params.ExStyle |= WS_EX_MDICHILD;
        TCustomForm* parent = MDIParentForm();
        params.WndParent = parent ? parent->m_clientHandle : nullptr;
        if (m_position == poDefault || m_position == poDefaultPosOnly)
            params.X = params.Y = CW_USEDEFAULT;
        if (m_position == poDefault || m_position == poDefaultSizeOnly)
            params.Width = params.Height = CW_USEDEFAULT;
    }
    params.WindowClass.style = CS_DBLCLKS;
    params.WindowClass.hIcon = nullptr;
}

void TCustomForm::CreateHandle() {
    if (m_formStyle == fsMDIChild) {
        TCustomForm* parent = MDIParentForm();
        if (!parent)
            throw EInvalidOperation("No MDI form is open to hold the MDI child");
        parent->HandleNeeded();
    }
    TWinControl::CreateHandle();
    if (HandleAllocated() && !m_icon->Empty())
        SendMessageA(m_handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon->Handle()));
    if (HandleAllocated() && m_menu && m_formStyle != fsMDIChild)
        m_menu->SetWindowHandle(m_handle);
    if (HandleAllocated() && m_formStyle == fsMDIForm)
        CreateClientWindow();
}

void TCustomForm::CreateWindowHandle(const TCreateParams& params) {
    if (m_formStyle == fsMDIChild)
        CreateMDIChildHandle(params);
    else
        TWinControl::CreateWindowHandle(params);
}

void TCustomForm::DestroyWnd() {
    // The window would destroy its menu bar with itself; the menu outlives the window.
    if (m_menu)
        m_menu->SetWindowHandle(nullptr);
    TWinControl::DestroyWnd();
    m_clientHandle = nullptr;
}

void TCustomForm::DestroyWindowHandle() {
    if (m_formStyle == fsMDIChild)
        DestroyMDIChildHandle();
    else
        TWinControl::DestroyWindowHandle();
}

void TCustomForm::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    // The MDI client takes what the aligned controls leave.
    if (m_clientHandle)
        MoveWindow(m_clientHandle, rect.left, rect.top, RectWidth(rect), RectHeight(rect), TRUE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == m_menu)
        return;
    if (m_menu) {
        m_menu->SetWindowHandle(nullptr);
        m_menu->RemoveFreeNotification(this);
    }
    m_menu = menu;
    if (m_menu) {
        m_menu->FreeNotification(this);
        if (HandleAllocated())
            m_menu->SetWindowHandle(m_handle);
    }
    if (HandleAllocated())
        SendMessageA(m_handle, CM_MENUCHANGED, 0, 0);
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
    return m_menu && m_menu->IsShortCut(key, shift);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_menu)
        m_menu = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == m_borderIcons)
        return;
    m_borderIcons = icons;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == m_formStyle)
        return;
    const bool mdi =
        style == fsMDIForm || style == fsMDIChild || m_formStyle == fsMDIForm || m_formStyle == fsMDIChild;
    m_formStyle = style;
    if (mdi) {
        RecreateWnd();
        return;
    }
    if (HandleAllocated())
        SetWindowPos(m_handle, style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
    if (m_handle) {
        if (IsIconic(m_handle))
            return wsMinimized;
        if (IsZoomed(m_handle))
            return wsMaximized;
        return wsNormal;
    }
    return m_windowState;
}

void TCustomForm::SetWindowState(TWindowState state) {
    m_windowState = state;
    if (!m_handle || !Showing())
        return;
    static constexpr int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(m_handle, commands[state]);
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::SetClientWidth(int width) {
    if (HandleAllocated()) {
        TControl::SetClientWidth(width);
        return;
    }
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, width, 100};
    AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    SetWidth(RectWidth(frame));
}

void TCustomForm::SetClientHeight(int height) {
    if (HandleAllocated()) {
        TControl::SetClientHeight(height);
        return;
    }
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, 100, height};
    AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    SetHeight(RectHeight(frame));
}

void TCustomForm::PlaceOnFirstShow() {
    if (m_placed || m_formStyle == fsMDIChild)
        return;
    m_placed = true;
    TCustomForm* mainForm = Application()->MainForm();
    TPosition position = m_position;
    if (position == poMainFormCenter && (!mainForm || mainForm == this))
        position = poScreenCenter;
    if (position == poScreenCenter || position == poDesktopCenter) {
        SetBounds((Screen()->Width() - Width()) / 2, (Screen()->Height() - Height()) / 2, Width(), Height());
    } else if (position == poMainFormCenter) {
        SetBounds(mainForm->Left() + (mainForm->Width() - Width()) / 2,
                  mainForm->Top() + (mainForm->Height() - Height()) / 2, Width(), Height());
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    if (m_handle && m_formStyle == fsMDIChild) {
        SendMessageA(GetParent(m_handle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_handle), 0);
    } else if (m_handle) {
        SetWindowPos(m_handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(m_handle);
    }
}

void TCustomForm::CMVisibleChanged(TMessage& message) {
    if (Visible()) {
        PlaceOnFirstShow();
        HandleNeeded();
        static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(m_handle, commands[m_windowState]);
        if (!m_shown) {
            m_shown = true;
            if (!m_activeControl)
                SelectNext(nullptr, true, true);
        }
        if (m_activeControl && m_activeControl->CanFocus())
            ::SetFocus(m_activeControl->Handle());
        DoShow();
    } else if (m_handle) {
        DoHide();
        ShowWindow(m_handle, SW_HIDE);
    }
    (void)message;
}

void TCustomForm::CMShowingChanged(TMessage& message) {
    CMVisibleChanged(message);
}

void TCustomForm::DoShow() {
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide)
        OnHide(this);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (m_modal) {
        if (!CloseQuery())
            return;
        TCloseAction action = caHide;
        if (OnClose)
            OnClose(this, action);
        if (action != caNone && m_modalResult == mrNone)
            m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    // The main form and a document window of an MDI form go when closed; others hide.
    TCloseAction action = Application()->MainForm() == this || m_formStyle == fsMDIChild ? caFree : caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        if (action != caMinimize)
            Hide();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    default:
        Release();
        break;
    }
}

void TCustomForm::Release() {
    if (HandleAllocated())
        PostMessageA(m_handle, CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) {
    delete this;
}

std::vector<HWND> TCustomForm::DisableOtherWindows() {
    std::vector<HWND> disabled;
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        if (form != this && form->HandleAllocated() && IsWindowEnabled(form->m_handle)) {
            EnableWindow(form->m_handle, FALSE);
            disabled.push_back(form->m_handle);
        }
    }
    return disabled;
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || m_modal)
        throw EInvalidOperation("Cannot make a visible window modal");
    HWND previousActive = GetActiveWindow();
    const std::vector<HWND> disabled = DisableOtherWindows();
    m_modal = true;
    m_modalResult = mrNone;
    try {
        Show();
        while (m_modalResult == mrNone && !Application()->Terminated()) {
            Application()->HandleMessage();
            if (m_modalResult != mrNone)
                Close();
        }
    } catch (...) {
        m_modal = false;
        for (HWND window : disabled)
            EnableWindow(window, TRUE);
        throw;
    }
    m_modal = false;
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    Hide();
    if (previousActive && IsWindow(previousActive))
        SetActiveWindow(previousActive);
    return m_modalResult;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == m_activeControl)
        return;
    if (control && (!ContainsControl(control) || control == this))
        throw EInvalidOperation("Invalid active control");
    m_activeControl = control;
    if (control && HandleAllocated() && Visible() && control->CanFocus())
        ::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (!control || !control->CanFocus())
        return;
    m_activeControl = control;
    if (Visible())
        ::SetFocus(control->Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
    if (control == m_focusedControl)
        return;
    TWinControl* previous = m_focusedControl;
    m_focusedControl = control;
    if (control != this)
        m_activeControl = control;
    if (previous)
        previous->Perform(CM_EXIT);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    if (control)
        control->Perform(CM_ENTER);
}

void TCustomForm::CMFocusChanged(TMessage& message) {
    // Every control of the form hears which control has the focus now.
    std::vector<TControl*> all;
    std::vector<TWinControl*> pending{this};
    while (!pending.empty()) {
        TWinControl* parent = pending.back();
        pending.pop_back();
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* child = parent->Controls(i);
            all.push_back(child);
            if (auto* windowed = dynamic_cast<TWinControl*>(child))
                pending.push_back(windowed);
        }
    }
    for (TControl* control : all)
        control->Perform(CM_FOCUSCHANGED, message.WParam, message.LParam);
}

void TCustomForm::CMDialogKey(TMessage& message) {
    const WORD key = static_cast<WORD>(message.WParam);
    const TShiftState shift = KeyboardShiftState();
    if (shift.Contains(ssAlt)) {
        message.Result = 0;
        return;
    }
    if (shift.Contains(ssCtrl)) {
        // Ctrl+Tab is offered to the controls (a page control turns its page); other keys with
        // Ctrl are not dialog keys.
        message.Result = 0;
        if (key == VK_TAB)
            TWinControl::Dispatch(message);
        return;
    }
    switch (key) {
    case VK_TAB:
        SelectNext(m_activeControl, !shift.Contains(ssShift), true);
        message.Result = 1;
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (m_activeControl && m_activeControl->Parent()) {
            m_activeControl->Parent()->SelectNext(m_activeControl, key == VK_RIGHT || key == VK_DOWN, false);
            message.Result = 1;
        }
        return;
    default:
        // Enter and Escape go to the buttons: the default and the cancel button take them.
        TWinControl::Dispatch(message);
        return;
    }
}

void TCustomForm::CMDialogChar(TMessage& message) {
    TWinControl::Dispatch(message);
}

void TCustomForm::WMClose(TMessage&) {
    Close();
}

void TCustomForm::WMActivate(TMessage& message) {
    DefaultHandler(message);
    m_active = LOWORD(message.WParam) != WA_INACTIVE;
    if (m_active) {
        Screen()->SetActiveForm(this);
        if (m_activeControl && m_activeControl->CanFocus() && !IsIconic(m_handle))
            ::SetFocus(m_activeControl->Handle());
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGKEY:
        CMDialogKey(message);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        break;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        break;
    case CM_SHOWINGCHANGED:
        CMShowingChanged(message);
        break;
    case CM_RELEASE:
        CMRelease(message);
        break;
    case WM_CLOSE:
        WMClose(message);
        break;
    case WM_ACTIVATE:
        WMActivate(message);
        break;
    case WM_MDIACTIVATE:
        WMMDIActivate(message);
        break;
    case CM_MENUCHANGED:
        TWinControl::Dispatch(message);
        RefreshMDIMenus();
        break;
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
    case WM_MENUSELECT:
        if (!HandleMenuMessage(message))
            TWinControl::Dispatch(message);
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

void TCustomForm::DefaultHandler(TMessage& message) {
    if (!MDIDefaultHandler(message))
        TWinControl::DefaultHandler(message);
}
