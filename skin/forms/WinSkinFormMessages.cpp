// TWinSkinForm: the window's messages, in three tables: those always looked at, those of a
// skinned frame, and those of a frame that has started; then the framework form's own messages.

#include "skin/forms/WinSkinForm.h"

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/menus/MenuMessages.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/SkinHold.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinData.h"

namespace {

// The themed caption drawing of newer systems: nothing is drawn for it.
constexpr UINT WM_NCUAHDRAWCAPTION = 0xAE;

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// A bare window's label or button text in the system's window-text colour stands on the skin's
// background: where that colour would hardly show on it, the skin's own text colour is used.
void FollowSkinTextColourOn(HDC dc, const TSkinElements& skin) {
    if (GetTextColor(dc) != GetSysColor(COLOR_WINDOWTEXT))
        return;
    const TColor colour = TextColourOnSkin(skin, clWindowText, SkinBackgroundColour(skin));
    if (colour != clWindowText)
        SetTextColor(dc, ColorToRGB(colour));
}

bool IsSystemCommandId(WORD id) {
    switch (id) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        return true;
    default:
        return false;
    }
}

} // namespace

// The window's system menu, or the skinned copy of it the caption opens.
bool TWinSkinForm::IsSystemMenu(HMENU menu) const {
    if (!menu)
        return false;
    if (menu == m_systemMenu)
        return true;
    const TPopupMenu* copy = m_caption->SystemMenuCopy();
    return copy && copy->Items()->Handle() == menu;
}

LRESULT TWinSkinForm::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_subclass.CallPrevious(m_window, message, wParam, lParam);
}

LRESULT TWinSkinForm::WindowProcedure(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    TSkinHold hold;
    LRESULT result = 0;
    if (m_skinState == TSkinFormState::Attached && message == WM_NCPAINT)
        return 0;
    if (AlwaysHandled(message, wParam, lParam, result))
        return result;
    if (!m_frameSkinning || (m_child && m_windowKind != TSkinWindowKind::MdiChild))
        return CallPrevious(message, wParam, lParam);
    if (FrameWindowMessage(message, wParam, lParam, result))
        return result;
    const bool maximisedMdiChild =
        m_windowKind == TSkinWindowKind::MdiChild && m_windowState == TSkinWindowState::Maximised;
    if (!maximisedMdiChild && m_started && FrameStartedMessage(message, wParam, lParam, result))
        return result;
    return CallPrevious(message, wParam, lParam);
}

bool TWinSkinForm::AlwaysHandled(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        result = CallPrevious(message, wParam, lParam);
        if (!m_form && m_skinData) {
            RECT client{};
            GetClientRect(m_window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, m_skinData->Elements().FaceBrush.Get());
            result = 1;
        }
        return true;
    case WM_NCDESTROY:
        m_skinState = TSkinFormState::Unskinning;
        Unskin(TUnskinMode::Destroying);
        result = CallPrevious(message, wParam, lParam);
        m_skinState = TSkinFormState::Dead;
        return true;
    case WM_NCACTIVATE:
        if (m_skinState != TSkinFormState::Attached || m_windowKind == TSkinWindowKind::MdiChild)
            return false;
        // Nothing is drawn before the start; a deactivation is allowed to go on.
        result = wParam ? 0 : TRUE;
        return true;
    case WM_NCUAHDRAWCAPTION:
        result = 0;
        return true;
    case WM_INITMENUPOPUP:
        m_manager.SetMenuMode(IsSystemMenu(reinterpret_cast<HMENU>(wParam)) ? mmSystemMenu : mmMenuBar);
        return false;
    case WM_CTLCOLORBTN:
        result = CallPrevious(message, wParam, lParam);
        if (!m_form) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            if (m_skinData)
                FollowSkinTextColourOn(reinterpret_cast<HDC>(wParam), m_skinData->Elements());
        }
        return true;
    case WM_CTLCOLORSTATIC:
        result = CallPrevious(message, wParam, lParam);
        if (!m_form && m_skinData) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            FollowSkinTextColourOn(reinterpret_cast<HDC>(wParam), m_skinData->Elements());
            result = reinterpret_cast<LRESULT>(m_skinData->Elements().FaceBrush.Get());
        }
        return true;
    case SM_STARTSKIN:
        Start();
        result = 0;
        return true;
    case SM_RESKINCONTROL:
        ReskinScrolledControl(reinterpret_cast<HWND>(wParam));
        result = 0;
        return true;
    case SM_SKINNEDQUERY:
        PostMessageA(m_window, SM_SKINNEDNOTIFY, 0, SkinMagic);
        result = SkinnedAnswer;
        return true;
    default:
        return false;
    }
}

bool TWinSkinForm::FrameWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SIZE:
        UpdateStateFromSize(wParam);
        result = CallPrevious(message, wParam, lParam);
        if (m_windowState == TSkinWindowState::Minimised)
            return true;
        if (m_windowKind == TSkinWindowKind::MdiChild &&
            (m_manager.MdiMaximised() || m_windowState != TSkinWindowState::Normal)) {
            // A maximised child fills the client, its frame outside; a region kept from its
            // restored size would show only that corner of it.
            if (m_windowState == TSkinWindowState::Maximised && m_regionSet) {
                SetWindowRgn(m_window, nullptr, TRUE);
                m_regionSet = false;
            }
            return true;
        }
        if (m_skinState == TSkinFormState::Running || m_skinState == TSkinFormState::Applying)
            BuildRegion();
        return true;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
        m_activeByte = LOWORD(wParam) != 0 ? 1 : 0;
        return false;
    case WM_GETMINMAXINFO:
        result = CallPrevious(message, wParam, lParam);
        ReadWindowState();
        CaptionStylesOnMinMax();
        return true;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        return false;
    case WM_SETICON:
        result = CallPrevious(message, wParam, lParam);
        m_caption->LoadIcon();
        return true;
    case WM_COMMAND:
        if (lParam == 0 && IsSystemCommandId(LOWORD(wParam))) {
            PostMessageA(m_window, WM_SYSCOMMAND, LOWORD(wParam), 0);
            result = 0;
            return true;
        }
        return false;
    case WM_SYSCOMMAND:
        if (!m_menuTracking && MenuBarKey(wParam, lParam)) {
            result = 1;
            return true;
        }
        if (!m_menuTracking && m_caption->KeyMenu(wParam, lParam)) {
            result = 1;
            return true;
        }
        UpdateStateFromCommand(wParam);
        result = CallPrevious(message, wParam, lParam);
        return true;
    case CM_MENUCHANGED:
        m_framePaintSuspended = true;
        result = CallPrevious(message, wParam, lParam);
        m_framePaintSuspended = false;
        if (m_menuBar) {
            m_menuBar->MenuChanged();
            PaintFrame();
        }
        return true;
    default:
        return false;
    }
}

bool TWinSkinForm::FrameStartedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_NCCALCSIZE:
        result = CalculateFrame(wParam, lParam);
        return true;
    case WM_NCHITTEST:
        result = HitTest(lParam);
        return true;
    case WM_NCPAINT:
        SetSystemMenuStyle(false);
        if (m_framePaintSuspended)
            return true;
        if (m_borderKind == TBorderKind::NoCaption)
            return false;
        PaintFrame();
        result = 0;
        return true;
    case WM_NCACTIVATE:
        result = Activate(wParam, lParam);
        return true;
    case WM_NCMOUSEMOVE:
        if (!Active())
            return true;
        if (m_caption->MouseMove(PointOf(lParam))) {
            if (m_menuBar)
                m_menuBar->MouseLeave();
            return true;
        }
        return m_menuBar && m_menuBar->MouseMove(PointOf(lParam));
    case WM_NCMOUSELEAVE:
        if (m_menuBar)
            m_menuBar->MouseLeave();
        return false;
    case SM_OPENMENUBUTTON:
        if (m_menuBar)
            m_menuBar->Press(PointOf(lParam));
        result = 0;
        return true;
    case WM_NCLBUTTONDOWN:
        if (m_caption->LeftButtonDown(PointOf(lParam)))
            return true;
        if (m_menuBar && m_menuBar->Press(PointOf(lParam)))
            return true;
        if (wParam == HTCAPTION && m_windowState == TSkinWindowState::Maximised && Active()) {
            // A maximised window is not dragged by its caption.
            result = CallPrevious(message, HTMENU, lParam);
            return true;
        }
        return false;
    case WM_NCLBUTTONUP:
        return m_caption->LeftButtonUp(PointOf(lParam));
    case WM_NCRBUTTONDOWN:
        return wParam == HTCAPTION && m_windowKind != TSkinWindowKind::MdiChild &&
               m_caption->RightButtonDown(PointOf(lParam));
    case WM_NCLBUTTONDBLCLK:
        return m_caption->DoubleClick(PointOf(lParam));
    case WM_MEASUREITEM:
    case WM_DRAWITEM: {
        if (m_menuBar && wParam == 0 && MenuBarItem(message, lParam)) {
            result = TRUE;
            return true;
        }
        // A bare window leaves the items of the system menu copy to the framework's menus, as
        // a framework form does.
        if (m_form || !m_caption->SystemMenuCopy())
            return false;
        TMessage record{message, wParam, lParam, 0};
        if (!HandleMenuMessage(record))
            return false;
        result = record.Result;
        return true;
    }
    case SM_REPAINTFRAME:
        PaintFrame();
        result = 0;
        return true;
    default:
        return false;
    }
}

// The items of the skinned menu bar's drop-downs (and of the system menu it leaves native).
bool TWinSkinForm::MenuBarItem(UINT message, LPARAM lParam) {
    if (message == WM_MEASUREITEM)
        return m_menuBar->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    return m_menuBar->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
}

// ---- the framework form's messages -------------------------------------------------------------

void TWinSkinForm::FormWindowProc(TMessage& message) {
    TSkinHold hold;
    switch (message.Msg) {
    case WM_SETTEXT:
        m_savedFormProc(message);
        if (IsWindowVisible(m_window)) {
            if (m_windowState == TSkinWindowState::Maximised && m_windowKind == TSkinWindowKind::MdiChild)
                PostMessageA(GetParent(m_window), SM_REDRAWMDIFRAME, reinterpret_cast<WPARAM>(m_window), 0);
            if (m_windowState == TSkinWindowState::Minimised)
                PaintFrame();
            else
                RecalculateFrame();
        }
        return;
    case SM_SKINCHANGED:
        SkinChanged();
        return;
    case CM_DIALOGCHAR:
        FormDialogChar(message);
        return;
    case SM_PAINTFRAME:
        if (message.LParam == SkinMagic) {
            if (message.WParam)
                PaintFrame(reinterpret_cast<HDC>(message.WParam));
            message.Result = SkinMagic;
            return;
        }
        break;
    case SM_ENGINEQUERY:
        message.Result = message.LParam == SkinMagic ? SkinMagic : 1;
        return;
    default:
        break;
    }
    m_savedFormProc(message);
}

bool TWinSkinForm::MenuBarKey(WPARAM command, LPARAM character) {
    // Alt with a letter opens the button with that mnemonic; Alt alone, the first button.
    if (!m_menuBar || (command & 0xFFF0) != SC_KEYMENU || character == ' ' || character == '-' ||
        GetCapture())
        return false;
    return m_menuBar->OpenByMnemonic(static_cast<char>(character));
}

void TWinSkinForm::FormDialogChar(TMessage& message) {
    m_savedFormProc(message);
    if (message.Result != 0)
        return;
    // Alt alone with a mnemonic key: a button of the skinned menu bar.
    if (m_menuBar && GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 &&
        m_menuBar->OpenByMnemonic(static_cast<char>(message.WParam))) {
        message.Result = 1;
        return;
    }
    // A key no control took: the MDI frame's form, or the main form, may know it.
    TCustomForm* other = nullptr;
    if (m_windowKind == TSkinWindowKind::MdiChild)
        other = FindFrameworkForm(GetAncestor(m_window, GA_ROOT));
    else
        other = Application()->MainForm();
    if (other && other != m_form)
        message.Result = other->Perform(message.Msg, message.WParam, message.LParam);
}
