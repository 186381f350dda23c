// The tool bar's window: the TB_ messages in both character sets, its image lists, sizes,
// styles and parent, the mouse and keys handed to the input code, and the class.

#include "platform/controls/common/toolbar/ToolBar.h"

#include "platform/controls/common/CommonControlClasses.h"

#include <algorithm>

namespace platform {

namespace {

// The answer of the TB_IS... messages: -1 for an unknown button.
LRESULT HasState(const ToolBarButton* button, BYTE bit) {
    if (!button)
        return -1;
    return (button->state & bit) ? TRUE : FALSE;
}

HIMAGELIST Exchange(HIMAGELIST& slot, HIMAGELIST list) {
    HIMAGELIST previous = slot;
    slot = list;
    return previous;
}

} // namespace

LRESULT ToolBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int command = static_cast<int>(wParam);
    switch (message) {
    case WM_CREATE:
        m_unicodeParent = ParentTakesUnicode(m_window);
        AutoSize();
        return 0;
    case WM_DESTROY:
        if (m_ownImages)
            ImageList_Destroy(m_ownImages);
        m_ownImages = nullptr;
        break;
    case TB_BUTTONSTRUCTSIZE:
        return 0;
    case TB_ADDBUTTONSA:
        return InsertButtons<char>(-1, command, reinterpret_cast<const TBBUTTON*>(lParam));
    case TB_ADDBUTTONSW:
        return InsertButtons<WCHAR>(-1, command, reinterpret_cast<const TBBUTTON*>(lParam));
    case TB_INSERTBUTTONA:
        return InsertButtons<char>(command, 1, reinterpret_cast<const TBBUTTON*>(lParam));
    case TB_INSERTBUTTONW:
        return InsertButtons<WCHAR>(command, 1, reinterpret_cast<const TBBUTTON*>(lParam));
    case TB_DELETEBUTTON:
        return DeleteButton(command);
    case TB_GETBUTTON:
        return GetButton(command, reinterpret_cast<TBBUTTON*>(lParam));
    case TB_BUTTONCOUNT:
        return Count();
    case TB_COMMANDTOINDEX:
        return IndexOfCommand(command);
    case TB_MOVEBUTTON:
        return MoveButton(command, static_cast<int>(lParam));
    case TB_GETBUTTONINFOA:
        return GetButtonInfo(command, reinterpret_cast<TBBUTTONINFOA*>(lParam));
    case TB_GETBUTTONINFOW:
        return GetButtonInfo(command, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_SETBUTTONINFOA:
        return SetButtonInfo(command, reinterpret_cast<const TBBUTTONINFOA*>(lParam));
    case TB_SETBUTTONINFOW:
        return SetButtonInfo(command, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    case TB_GETBUTTONTEXTA:
        return GetButtonText(command, reinterpret_cast<char*>(lParam));
    case TB_GETBUTTONTEXTW:
        return GetButtonText(command, reinterpret_cast<WCHAR*>(lParam));
    case TB_SETCMDID:
        if (Valid(command)) {
            m_buttons[static_cast<std::size_t>(command)].command = static_cast<int>(lParam);
            return TRUE;
        }
        return FALSE;
    case TB_ENABLEBUTTON:
        return ChangeState(command, TBSTATE_ENABLED, LOWORD(lParam) != 0);
    case TB_CHECKBUTTON:
        return ChangeState(command, TBSTATE_CHECKED, LOWORD(lParam) != 0);
    case TB_PRESSBUTTON:
        return ChangeState(command, TBSTATE_PRESSED, LOWORD(lParam) != 0);
    case TB_HIDEBUTTON:
        return ChangeState(command, TBSTATE_HIDDEN, LOWORD(lParam) != 0);
    case TB_INDETERMINATE:
        return ChangeState(command, TBSTATE_INDETERMINATE, LOWORD(lParam) != 0);
    case TB_MARKBUTTON:
        return ChangeState(command, TBSTATE_MARKED, LOWORD(lParam) != 0);
    case TB_ISBUTTONENABLED:
        return HasState(ButtonOfCommand(command), TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED:
        return HasState(ButtonOfCommand(command), TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED:
        return HasState(ButtonOfCommand(command), TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN:
        return HasState(ButtonOfCommand(command), TBSTATE_HIDDEN);
    case TB_ISBUTTONINDETERMINATE:
        return HasState(ButtonOfCommand(command), TBSTATE_INDETERMINATE);
    case TB_ISBUTTONHIGHLIGHTED:
        return HasState(ButtonOfCommand(command), TBSTATE_MARKED);
    case TB_SETSTATE:
        return SetState(command, static_cast<BYTE>(LOWORD(lParam)));
    case TB_GETSTATE:
        if (const ToolBarButton* button = ButtonOfCommand(command))
            return button->state;
        return -1;
    case TB_ADDSTRINGA:
        return AddStrings(reinterpret_cast<HINSTANCE>(wParam), reinterpret_cast<const char*>(lParam));
    case TB_ADDSTRINGW:
        return AddStrings(reinterpret_cast<HINSTANCE>(wParam), reinterpret_cast<const WCHAR*>(lParam));
    case TB_ADDBITMAP:
        return AddBitmap(command, reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_CHANGEBITMAP:
        if (ToolBarButton* button = ButtonOfCommand(command)) {
            button->image = static_cast<int>(lParam);
            InvalidateButton(IndexOfCommand(command));
            return TRUE;
        }
        return FALSE;
    case TB_GETBITMAP:
        if (const ToolBarButton* button = ButtonOfCommand(command))
            return button->image;
        return 0;
    case TB_SETIMAGELIST: {
        const LRESULT previous =
            reinterpret_cast<LRESULT>(Exchange(m_images, reinterpret_cast<HIMAGELIST>(lParam)));
        int width = 0;
        int height = 0;
        if (m_images && ImageList_GetIconSize(m_images, &width, &height))
            m_bitmapSize = SIZE{width, height};
        Changed();
        return previous;
    }
    case TB_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case TB_SETHOTIMAGELIST: {
        const LRESULT previous =
            reinterpret_cast<LRESULT>(Exchange(m_hotImages, reinterpret_cast<HIMAGELIST>(lParam)));
        InvalidateRect(m_window, nullptr, FALSE);
        return previous;
    }
    case TB_GETHOTIMAGELIST:
        return reinterpret_cast<LRESULT>(m_hotImages);
    case TB_SETDISABLEDIMAGELIST: {
        const LRESULT previous =
            reinterpret_cast<LRESULT>(Exchange(m_disabledImages, reinterpret_cast<HIMAGELIST>(lParam)));
        InvalidateRect(m_window, nullptr, FALSE);
        return previous;
    }
    case TB_GETDISABLEDIMAGELIST:
        return reinterpret_cast<LRESULT>(m_disabledImages);
    case TB_SETBITMAPSIZE:
        m_bitmapSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
        Changed();
        return TRUE;
    case TB_SETBUTTONSIZE:
        m_buttonSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
        Changed();
        return TRUE;
    case TB_GETBUTTONSIZE: {
        const SIZE size = ButtonSize();
        return MAKELONG(size.cx, size.cy);
    }
    case TB_SETBUTTONWIDTH:
        m_minWidth = LOWORD(lParam);
        m_maxWidth = HIWORD(lParam);
        Changed();
        return TRUE;
    case TB_SETINDENT:
        m_indent = command;
        Changed();
        return TRUE;
    case TB_GETITEMRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam);
            rect && Valid(command) && !(m_buttons[wParam].state & TBSTATE_HIDDEN)) {
            *rect = m_buttons[wParam].rect;
            return TRUE;
        }
        return FALSE;
    case TB_GETRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam); rect && ButtonOfCommand(command)) {
            *rect = ButtonOfCommand(command)->rect;
            return TRUE;
        }
        return FALSE;
    case TB_GETROWS:
        return m_rows;
    case TB_GETMAXSIZE:
        if (auto* size = reinterpret_cast<SIZE*>(lParam)) {
            *size = SIZE{0, 0};
            for (const ToolBarButton& button : m_buttons) {
                size->cx = std::max(size->cx, button.rect.right);
                size->cy = std::max(size->cy, button.rect.bottom);
            }
            return TRUE;
        }
        return FALSE;
    case TB_HITTEST:
        if (const auto* point = reinterpret_cast<const POINT*>(lParam)) {
            for (int index = 0; index < Count(); ++index) {
                const ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
                if (!(button.state & TBSTATE_HIDDEN) && PtInRect(&button.rect, *point))
                    return IsSeparator(button) ? -index : index;
            }
        }
        return -1;
    case TB_AUTOSIZE:
        AutoSize();
        return 0;
    case TB_SETPARENT: {
        HWND previous = NotifyWindow();
        m_notify = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case TB_SETSTYLE:
        SetWindowLongW(m_window, GWL_STYLE, static_cast<LONG>(lParam));
        Changed();
        return 0;
    case TB_GETSTYLE:
        return static_cast<LRESULT>(Style());
    case TB_SETEXTENDEDSTYLE: {
        const DWORD previous = m_exStyle;
        m_exStyle = static_cast<DWORD>(lParam);
        Changed();
        return static_cast<LRESULT>(previous);
    }
    case TB_GETEXTENDEDSTYLE:
        return static_cast<LRESULT>(m_exStyle);
    case TB_GETHOTITEM:
        return m_hot;
    case TB_SETHOTITEM: {
        const int previous = m_hot;
        SetHotItem(command, HICF_OTHER);
        return previous;
    }
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        Changed();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SIZE:
        Layout();
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_STYLECHANGED:
        Changed();
        return 0;
    case WM_NOTIFYFORMAT:
        if (lParam == NF_REQUERY)
            m_unicodeParent = ParentTakesUnicode(m_window);
        return m_unicodeParent ? NFR_UNICODE : NFR_ANSI;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSELEAVE:
        if (!m_hasFocus)
            SetHotItem(-1, HICF_MOUSE);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_window)
            CancelPress();
        return 0;
    case WM_SETFOCUS:
        m_hasFocus = true;
        if (!Valid(m_hot))
            SetHotItem(NextHotItem(-1, 1), HICF_OTHER);
        return 0;
    case WM_KILLFOCUS:
        m_hasFocus = false;
        SetHotItem(-1, HICF_OTHER);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_GETDLGCODE: {
        // Enter clicks the hot button rather than the dialog's default one.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return DLGC_WANTARROWS | (enter && Clickable(m_hot) ? DLGC_WANTMESSAGE : 0);
    }
    case WM_ENABLE:
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RegisterToolBarClass() {
    RegisterCommonControlClass(TOOLBARCLASSNAMEW, CommonControlProc<ToolBar>, CS_DBLCLKS);
}

} // namespace platform
