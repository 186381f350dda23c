// TWinSkinForm: an MDI frame's client window, whose procedure the frame's skin takes over too,
// so that the skinned frame follows the children the client makes, maximises and arranges.

#include "skin/forms/WinSkinForm.h"

#include "platform/user/mdi/WinMdi.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/SkinHold.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinMenu.h"

void TWinSkinForm::AttachMdiClient() {
    if (m_windowKind != TSkinWindowKind::MdiFrame || !m_mdiClient || !m_skinData)
        return;
    m_menuUpdateAtAttach = m_skinData->MenuUpdate();
    m_mdiClientSubclass.Attach(m_mdiClient);
}

HWND TWinSkinForm::ActiveMdiChild(bool* maximised) const {
    BOOL zoomed = FALSE;
    HWND child = m_mdiClient ? reinterpret_cast<HWND>(SendMessageA(m_mdiClient, WM_MDIGETACTIVE, 0,
                                                                   reinterpret_cast<LPARAM>(&zoomed)))
                             : nullptr;
    if (maximised)
        *maximised = child && zoomed;
    return child;
}

LRESULT TWinSkinForm::MdiClientProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    TSkinHold hold;
    auto callPrevious = [&] { return m_mdiClientSubclass.CallPrevious(client, message, wParam, lParam); };
    switch (message) {
    case WM_NCCALCSIZE:
        // The skinned frame has no room for the client's own scroll bars unless the skin asks.
        if (m_frameSkinning && m_skinData && !m_skinData->Options().Contains(xoMDIScrollbar)) {
            const LONG style = GetWindowLongA(client, GWL_STYLE);
            SetWindowLongA(client, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
        }
        return callPrevious();
    case WM_MDICREATE:
        if (m_skinData)
            m_skinData->SetMenuUpdate(false);
        return callPrevious();
    case WM_MDIDESTROY: {
        const LRESULT result = callPrevious();
        bool maximised = false;
        const HWND active = ActiveMdiChild(&maximised);
        m_manager.MdiMaximise(maximised ? 1 : 0);
        if (!active) {
            if (m_skinData)
                m_skinData->SetMenuUpdate(m_menuUpdateAtAttach);
            // The last child took its system menu and buttons with it.
            if (m_menuBar)
                m_menuBar->MenuChanged();
        }
        return result;
    }
    case WM_MDISETMENU: {
        // The frame shows the skinned bar, not a menu of its own: the bar takes the new menu
        // over, and the program gets back the menu the bar showed.
        const HMENU shown = m_menuBar ? m_menuBar->Bar().NativeMenu() : nullptr;
        LRESULT result = callPrevious();
        if (m_menuBar) {
            m_menuBar->MenuChanged();
            if (!result)
                result = reinterpret_cast<LRESULT>(shown);
        }
        return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        m_manager.MdiMaximise(0);
        return callPrevious();
    case SM_REDRAWMDIFRAME:
        RedrawWindow(m_window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = callPrevious();
        m_mdiClientSubclass.Detach();
        m_mdiClient = nullptr;
        return result;
    }
    default:
        return callPrevious();
    }
}
