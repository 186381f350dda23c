// TSkinCaption: the mouse over the caption buttons, their actions, the keyboard menu, and the
// caption button hints.

#include "skin/forms/WinSkinCaption.h"

#include "framework/forms/Application.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSysButton.h"

namespace {

// Where a hint shows below the cursor.
constexpr int HintBelowCursor = 24;
constexpr int HoverInterval = 250;

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// The hint of a caption button's action; empty for actions without one.
const char* HintText(int action) {
    switch (action) {
    case caClose:
    case caMdiClose:
    case caMdiClose2:
        return "Close";
    case caMaximise:
    case caMaximise2:
        return "Maximize";
    case caMinimise:
    case caMdiMinimise:
    case caMinimise2:
    case caMdiMinimise2:
        return "Minimize";
    case caMdiRestore:
    case caMdiRestore2:
        return "Restore";
    default:
        return "";
    }
}

} // namespace

TWinSysButton* TSkinCaption::ButtonAt(POINT window) const {
    for (const auto& button : m_buttons) {
        if (button->Visible && button->Record().Action >= 0 && Contains(button->Bounds, window))
            return button.get();
    }
    return nullptr;
}

bool TSkinCaption::MouseMove(POINT screen) {
    if (TWinSysButton* button = ButtonAt(m_form.ScreenToWindow(screen))) {
        button->MouseMove();
        return true;
    }
    if (TNCObject* hot = m_hot) {
        hot->MouseLeave();
        SetHotObject(nullptr);
    }
    return false;
}

bool TSkinCaption::LeftButtonDown(POINT screen) {
    CloseHint();
    TWinSysButton* button = ButtonAt(m_form.ScreenToWindow(screen));
    if (!button)
        return false;
    if (!m_form.Active())
        SetForegroundWindow(m_form.Window());
    button->MouseDown();
    return true;
}

bool TSkinCaption::LeftButtonUp(POINT screen) {
    CloseHint();
    TWinSysButton* button = ButtonAt(m_form.ScreenToWindow(screen));
    if (!button)
        return false;
    if (button == m_hot) {
        button->MouseUp();
        if (button->Enabled)
            RunAction(button->Record().Action, screen);
    }
    return true;
}

bool TSkinCaption::RightButtonDown(POINT screen) {
    CloseHint();
    OpenSystemMenu(screen);
    return true;
}

bool TSkinCaption::DoubleClick(POINT screen) {
    TWinSysButton* button = ButtonAt(m_form.ScreenToWindow(screen));
    if (button) {
        if (button->IsIconButton()) {
            m_form.EnableHoverTimer(false);
            PostMessageA(m_form.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return true;
    }
    switch (m_form.WindowState()) {
    case TSkinWindowState::Maximised:
    case TSkinWindowState::Minimised:
        m_form.SetWindowState(TSkinWindowState::Normal);
        PostMessageA(m_form.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
        return true;
    case TSkinWindowState::Normal:
        if ((m_form.CaptionButtonSet() & cbMaximise) == 0)
            return false;
        RunAction(caMaximise, screen);
        return true;
    }
    return false;
}

void TSkinCaption::RunAction(int action, POINT screen) {
    HWND window = m_form.Window();
    auto activeMdiChild = [this] { return m_form.ActiveMdiChild(); };
    switch (action) {
    case caClose:
        if (GetMenuState(m_form.SystemMenu(), SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            m_form.EnableHoverTimer(false);
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    case caMaximise:
    case caMaximise2:
        if (m_form.WindowState() == TSkinWindowState::Maximised) {
            m_form.SetWindowState(TSkinWindowState::Normal);
            PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            if (m_form.WindowKind() == TSkinWindowKind::MdiChild)
                m_form.Manager().MdiMaximise(1);
            m_form.SetWindowState(TSkinWindowState::Maximised);
            PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            SetHotObject(nullptr);
        }
        break;
    case caMinimise:
    case caMinimise2:
        if (m_form.WindowState() == TSkinWindowState::Minimised) {
            PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            m_form.SetWindowState(TSkinWindowState::Minimised);
            m_form.SetSystemMenuStyle(true);
            PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
        break;
    case caSystemMenu:
    case caIcon:
    case caSystemMenu2:
        OpenSystemMenu(POINT{screen.x + 1, screen.y + 1});
        break;
    case caHelp:
        PostMessageA(window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        break;
    case caMdiMinimise:
    case caMdiMinimise2:
        if (HWND child = activeMdiChild())
            SendMessageA(child, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case caMdiRestore:
    case caMdiRestore2:
        if (HWND child = activeMdiChild())
            SendMessageA(child, WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    case caMdiClose:
    case caMdiClose2:
        if (HWND child = activeMdiChild())
            SendMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    default:
        PostMessageA(window, SM_CAPTIONBUTTONCLICK, static_cast<WPARAM>(action), 0);
        break;
    }
}

bool TSkinCaption::KeyMenu(WPARAM command, LPARAM character) {
    if ((command & 0xFFF0) != SC_KEYMENU)
        return false;
    if (character == ' ') {
        POINT origin{0, 0};
        ClientToScreen(m_form.Window(), &origin);
        OpenSystemMenu(origin);
        return true;
    }
    // Alt or F10 alone opens the skinned menu bar's first menu; nothing else takes the key.
    return character == 0 && !GetCapture();
}

// ---- hints -----------------------------------------------------------------------------------------

void TSkinCaption::CloseHint() {
    m_hoverTime = 0;
    if (TSkinData* skinData = m_form.SkinData())
        skinData->HideCaptionHint();
}

void TSkinCaption::SetHotObject(TNCObject* object) {
    m_hot = object;
    m_form.UpdateHoverTimer();
}

void TSkinCaption::HoverTick() {
    if (m_form.MenuTracking() || !m_hot)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT point = m_form.ScreenToWindow(cursor);
    if (!Contains(m_hot->Bounds, point)) {
        m_hot->MouseLeave();
        SetHotObject(nullptr);
        CloseHint();
        return;
    }
    auto* button = dynamic_cast<TWinSysButton*>(m_hot);
    TSkinData* skinData = m_form.SkinData();
    if (!button || !skinData)
        return;
    m_hoverTime += HoverInterval;
    const int showAt = 2 * Application()->HintPause();
    if (m_hoverTime >= showAt + Application()->HintHidePause()) {
        skinData->HideCaptionHint();
    } else if (m_hoverTime >= showAt && !skinData->HintShown()) {
        const char* text = HintText(button->Record().Action);
        if (*text == '\0')
            return;
        RECT windowRect{};
        GetWindowRect(m_form.Window(), &windowRect);
        const int left = button->Bounds.left + windowRect.left;
        const int top = cursor.y + HintBelowCursor;
        skinData->ShowCaptionHint(RECT{left, top, left, top}, text);
    }
}
