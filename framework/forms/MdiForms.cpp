// MDI forms: an fsMDIForm holds a platform MDI client window where what its aligned controls
// leave of its client area, and its fsMDIChild forms are that client's children, made and
// destroyed through it (WM_MDICREATE, WM_MDIDESTROY) so that a subclass of the client sees
// them come and go. The frame's messages end in DefFrameProc, the children's in
// DefMDIChildProc.

#include "framework/classes/Module.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/user/mdi/WinMdi.h"

// The framework's window procedure binds the next window made to this control.
void SetCreationControl(TWinControl* control);

namespace {

// The window menu's entries of the children take command numbers from here, above the
// menus' own numbers and the system commands.
constexpr UINT FirstMDIChildCommand = 0xFF00;

} // namespace

const TEnumInfo& TileModeIdents() {
    static const TEnumInfo idents{{"tbHorizontal", "tbVertical"}};
    return idents;
}

TCustomForm* TCustomForm::MDIParentForm() const {
    TCustomForm* main = Application()->MainForm();
    if (main && main != this && main->m_formStyle == fsMDIForm)
        return main;
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        if (form != this && form->m_formStyle == fsMDIForm)
            return form;
    }
    return nullptr;
}

void TCustomForm::CreateClientWindow() {
    if (m_clientHandle || m_formStyle != fsMDIForm || !m_handle)
        return;
    CLIENTCREATESTRUCT create{m_windowMenu ? m_windowMenu->Handle() : nullptr, FirstMDIChildCommand};
    m_clientHandle =
        CreateWindowExA(WS_EX_CLIENTEDGE, MDICLIENT_CLASS_NAME, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES, 0, 0,
                        ClientWidth(), ClientHeight(), m_handle, nullptr, HInstance(), &create);
    if (!m_clientHandle)
        throw EOutOfResources("Error creating the MDI client window");
    Realign();
}

void TCustomForm::CreateMDIChildHandle(const TCreateParams& params) {
    TCustomForm* parent = MDIParentForm();
    if (!parent || !parent->HandleAllocated() || !parent->m_clientHandle)
        throw EInvalidOperation("No MDI form is open to hold the MDI child");
    MDICREATESTRUCTA create{params.WinClassName.c_str(),
                            params.Caption.c_str(),
                            params.WindowClass.hInstance,
                            params.X,
                            params.Y,
                            params.Width,
                            params.Height,
                            params.Style,
                            reinterpret_cast<LPARAM>(params.Param)};
    SetCreationControl(this);
    auto window = reinterpret_cast<HWND>(
        SendMessageA(parent->m_clientHandle, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    SetCreationControl(nullptr);
    m_handle = window;
}

void TCustomForm::DestroyMDIChildHandle() {
    HWND client = GetParent(m_handle);
    TCustomForm* parent = MDIParentForm();
    if (parent && client && client == parent->m_clientHandle)
        SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_handle), 0);
    else
        DestroyWindow(m_handle);
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!m_clientHandle)
        return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageA(m_clientHandle, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(active));
}

int TCustomForm::MDIChildCount() const {
    int count = 0;
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        if (form->m_formStyle == fsMDIChild && form->HandleAllocated() &&
            GetParent(form->m_handle) == m_clientHandle)
            ++count;
    }
    return m_clientHandle ? count : 0;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    for (int i = 0; m_clientHandle && i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        if (form->m_formStyle == fsMDIChild && form->HandleAllocated() &&
            GetParent(form->m_handle) == m_clientHandle && index-- == 0)
            return form;
    }
    throw EInvalidOperation("MDI child index out of range");
}

void TCustomForm::Cascade() {
    if (m_clientHandle)
        SendMessageA(m_clientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
    if (m_clientHandle)
        SendMessageA(m_clientHandle, WM_MDITILE,
                     m_tileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::ArrangeIcons() {
    if (m_clientHandle)
        SendMessageA(m_clientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (m_clientHandle)
        SendMessageA(m_clientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
    if (m_clientHandle)
        SendMessageA(m_clientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    if (item == m_windowMenu)
        return;
    m_windowMenu = item;
    if (m_clientHandle && item) {
        SendMessageA(m_clientHandle, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(item->Handle()));
        DrawMenuBar(m_handle);
    }
}

void TCustomForm::RefreshMDIMenus() {
    if (!m_clientHandle)
        return;
    if (m_windowMenu)
        SendMessageA(m_clientHandle, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(m_windowMenu->Handle()));
    SendMessageA(m_clientHandle, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(m_handle);
}

bool TCustomForm::MDIDefaultHandler(TMessage& message) {
    if (m_formStyle == fsMDIForm && m_clientHandle && message.Msg != WM_SIZE) {
        // The frame places its client itself (AlignControls), so WM_SIZE stays with the
        // ordinary default.
        message.Result = DefFrameProcA(m_handle, m_clientHandle, message.Msg, message.WParam, message.LParam);
        return true;
    }
    if (m_formStyle == fsMDIChild && m_handle) {
        message.Result = DefMDIChildProcA(m_handle, message.Msg, message.WParam, message.LParam);
        return true;
    }
    return false;
}

void TCustomForm::WMMDIActivate(TMessage& message) {
    DefaultHandler(message);
    const bool active = reinterpret_cast<HWND>(message.LParam) == m_handle;
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        if (m_activeControl && m_activeControl->CanFocus())
            ::SetFocus(m_activeControl->Handle());
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

bool IsMDIMessage(MSG& message) {
    if (!message.hwnd || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN))
        return false;
    auto* form = dynamic_cast<TCustomForm*>(FindControl(GetAncestor(message.hwnd, GA_ROOT)));
    return form && form->FormStyle() == fsMDIForm && form->ClientHandle() &&
           TranslateMDISysAccel(form->ClientHandle(), &message);
}
