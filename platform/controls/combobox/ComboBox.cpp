// The "COMBOBOX" window procedure: the CB_ messages (most of them forwarded to its list box),
// the window's own messages, the keys that open, move and close the list, and
// GetComboBoxInfo. Like the list box, the class has a procedure for each character set.

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ControlTexts.h"
#include "platform/controls/combobox/ComboBoxState.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/WindowClass.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace platform {

namespace {

// The ids the platform gives the inner windows.
constexpr int ListId = 1000;
constexpr int EditId = 1001;

// Notifications and messages of the inner "Edit".
constexpr WORD EditSetFocus = 0x0100;     // EN_SETFOCUS
constexpr WORD EditKillFocus = 0x0200;    // EN_KILLFOCUS
constexpr WORD EditChange = 0x0300;       // EN_CHANGE
constexpr WORD EditUpdate = 0x0400;       // EN_UPDATE
constexpr UINT EditGetSelection = 0x00B0; // EM_GETSEL
constexpr UINT EditSetSelection = 0x00B1; // EM_SETSEL
constexpr UINT EditLimitText = 0x00C5;    // EM_LIMITTEXT
constexpr DWORD EditAutoHScroll = 0x0080; // ES_AUTOHSCROLL
constexpr DWORD EditUpperCase = 0x0008;   // ES_UPPERCASE
constexpr DWORD EditLowerCase = 0x0010;   // ES_LOWERCASE

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    return unicode ? SendMessageW(window, message, wParam, lParam)
                   : SendMessageA(window, message, wParam, lParam);
}

int Selection(const ComboBoxState& combo) {
    return static_cast<int>(SendMessageW(combo.list, LB_GETCURSEL, 0, 0));
}

// The CB_ messages that are the list box's own, and their LB_ counterparts.
UINT ListCounterpart(UINT message) {
    switch (message) {
    case CB_ADDSTRING:
        return LB_ADDSTRING;
    case CB_INSERTSTRING:
        return LB_INSERTSTRING;
    case CB_DELETESTRING:
        return LB_DELETESTRING;
    case CB_GETCOUNT:
        return LB_GETCOUNT;
    case CB_GETCURSEL:
        return LB_GETCURSEL;
    case CB_GETLBTEXT:
        return LB_GETTEXT;
    case CB_GETLBTEXTLEN:
        return LB_GETTEXTLEN;
    case CB_FINDSTRING:
        return LB_FINDSTRING;
    case CB_FINDSTRINGEXACT:
        return LB_FINDSTRINGEXACT;
    case CB_GETITEMDATA:
        return LB_GETITEMDATA;
    case CB_SETITEMDATA:
        return LB_SETITEMDATA;
    case CB_GETTOPINDEX:
        return LB_GETTOPINDEX;
    case CB_SETTOPINDEX:
        return LB_SETTOPINDEX;
    case CB_GETHORIZONTALEXTENT:
        return LB_GETHORIZONTALEXTENT;
    case CB_SETHORIZONTALEXTENT:
        return LB_SETHORIZONTALEXTENT;
    case CB_INITSTORAGE:
        return LB_INITSTORAGE;
    case CB_SETLOCALE:
        return LB_SETLOCALE;
    case CB_GETLOCALE:
        return LB_GETLOCALE;
    default:
        return 0;
    }
}

void Resize(ComboBoxState& combo) {
    if (!combo.IsSimple()) {
        RECT window{};
        GetWindowRect(combo.window, &window);
        SetWindowPos(combo.window, nullptr, 0, 0, window.right - window.left, ComboHeight(combo),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayOutChildren(combo);
    InvalidateRect(combo.window, nullptr, FALSE);
}

BOOL FillInfo(const ComboBoxState& combo, COMBOBOXINFO* info) {
    if (!info || info->cbSize != sizeof(COMBOBOXINFO))
        return FALSE;
    info->rcItem = FieldRect(combo);
    info->rcButton = ButtonRect(combo);
    info->stateButton =
        combo.IsSimple() ? STATE_SYSTEM_INVISIBLE : (combo.buttonDown ? STATE_SYSTEM_PRESSED : 0);
    info->hwndCombo = combo.window;
    info->hwndItem = combo.edit ? combo.edit : combo.window;
    info->hwndList = combo.list;
    return TRUE;
}

BOOL DroppedRect(const ComboBoxState& combo, RECT* rect) {
    if (!rect)
        return FALSE;
    GetWindowRect(combo.window, rect);
    if (!combo.IsSimple()) {
        rect->right = rect->left + std::max(combo.droppedWidth, static_cast<int>(rect->right - rect->left));
        rect->bottom = rect->top + ComboHeight(combo) + combo.droppedHeight;
    }
    return TRUE;
}

LRESULT SetItemHeight(ComboBoxState& combo, int index, int height) {
    if (height <= 0 || height > 255)
        return CB_ERR;
    if (index != -1)
        return SendMessageW(combo.list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height);
    combo.fieldHeight = height;
    Resize(combo);
    return CB_OKAY;
}

LRESULT EditMessage(const ComboBoxState& combo, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!combo.edit)
        return CB_ERR;
    SendMessageW(combo.edit, message, wParam, lParam);
    return TRUE;
}

// The CB_ messages; nothing for the rest.
std::optional<LRESULT> ComboMessage(ComboBoxState& combo, UINT message, WPARAM wParam, LPARAM lParam,
                                    bool unicode) {
    if (UINT counterpart = ListCounterpart(message)) {
        LRESULT answer = Send(combo.list, counterpart, wParam, lParam, unicode);
        if (message == CB_DELETESTRING)
            SelectionChanged(combo, false);
        return answer;
    }
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case CB_SETCURSEL:
    case CB_SELECTSTRING: {
        LRESULT answer = Send(combo.list, message == CB_SETCURSEL ? LB_SETCURSEL : LB_SELECTSTRING, wParam,
                              lParam, unicode);
        SelectionChanged(combo, false);
        combo.notifiedSelection = Selection(combo);
        return answer;
    }
    case CB_RESETCONTENT:
        SendMessageW(combo.list, LB_RESETCONTENT, 0, 0);
        SelectionChanged(combo, false);
        combo.notifiedSelection = -1;
        return CB_OKAY;
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown(combo, false);
        else
            CloseUp(combo, true);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return combo.dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
        return DroppedRect(combo, reinterpret_cast<RECT*>(lParam));
    case CB_SETITEMHEIGHT:
        return SetItemHeight(combo, index, LOWORD(lParam));
    case CB_GETITEMHEIGHT:
        return index == -1 ? combo.fieldHeight : SendMessageW(combo.list, LB_GETITEMHEIGHT, wParam, 0);
    case CB_SETEXTENDEDUI:
        combo.extendedUI = wParam != 0;
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return combo.extendedUI ? TRUE : FALSE;
    case CB_GETDROPPEDWIDTH: {
        RECT window{};
        GetWindowRect(combo.window, &window);
        return std::max(combo.droppedWidth, static_cast<int>(window.right - window.left));
    }
    case CB_SETDROPPEDWIDTH:
        combo.droppedWidth = std::max(0, index);
        return ComboMessage(combo, CB_GETDROPPEDWIDTH, 0, 0, unicode);
    case CB_GETEDITSEL:
        return combo.edit ? SendMessageW(combo.edit, EditGetSelection, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        return EditMessage(combo, EditSetSelection, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                           static_cast<short>(HIWORD(lParam)));
    case CB_LIMITTEXT:
        return EditMessage(combo, EditLimitText, wParam, 0);
    case CB_GETCOMBOBOXINFO:
        return FillInfo(combo, reinterpret_cast<COMBOBOXINFO*>(lParam));
    case CB_DIR:
        return CB_ERR;
    default:
        return std::nullopt;
    }
}

void ToggleDropDown(ComboBoxState& combo) {
    if (combo.dropped)
        CloseUp(combo, true);
    else
        DropDown(combo, false);
}

void KeyDown(ComboBoxState& combo, UINT key) {
    switch (key) {
    case VK_F4:
        if (!combo.extendedUI)
            ToggleDropDown(combo);
        return;
    case VK_RETURN:
        CloseUp(combo, true);
        return;
    case VK_ESCAPE:
        CloseUp(combo, false);
        return;
    case VK_DOWN:
        if (combo.extendedUI && !combo.dropped && !combo.IsSimple()) {
            DropDown(combo, false);
            return;
        }
        [[fallthrough]];
    case VK_UP:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        // The list moves its selection and tells the combo box, which tells the parent.
        if (combo.edit && (key == VK_HOME || key == VK_END) && !combo.dropped)
            return;
        SendMessageW(combo.list, WM_KEYDOWN, key, 0);
        return;
    default:
        return;
    }
}

// The wheel scrolls an open list; over a closed combo box it steps through the items.
void Wheel(ComboBoxState& combo, WPARAM wParam) {
    if (combo.dropped || combo.IsSimple()) {
        SendMessageW(combo.list, WM_MOUSEWHEEL, wParam, 0);
        return;
    }
    int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    for (int i = 0; i < std::abs(steps); ++i)
        SendMessageW(combo.list, WM_KEYDOWN, steps > 0 ? VK_UP : VK_DOWN, 0);
}

void Press(ComboBoxState& combo, POINT point) {
    if (!combo.focused)
        SetFocus(combo.edit ? combo.edit : combo.window);
    if (!IsWindow(combo.window) || combo.IsSimple())
        return;
    RECT button = ButtonRect(combo);
    if (!combo.IsDropDownList() && !PtInRect(&button, point))
        return;
    if (combo.dropped)
        CloseUp(combo, false);
    else
        DropDown(combo, true);
}

void Focus(ComboBoxState& combo, bool focused, HWND other) {
    // The focus moving into the field stays the combo box's; focus given to the combo box
    // itself, from anywhere, goes on into the field.
    if (!focused && combo.edit && other == combo.edit)
        return;
    if (focused && combo.edit) {
        SetFocus(combo.edit);
        return;
    }
    if (combo.focused == focused)
        return;
    combo.focused = focused;
    if (!focused)
        CloseUp(combo, false);
    InvalidateRect(combo.window, nullptr, FALSE);
    NotifyCombo(combo, focused ? CBN_SETFOCUS : CBN_KILLFOCUS);
}

void Command(ComboBoxState& combo, WPARAM wParam, LPARAM lParam) {
    auto from = reinterpret_cast<HWND>(lParam);
    WORD code = HIWORD(wParam);
    if (from == combo.list) {
        if (code == LBN_SELCHANGE)
            SelectionChanged(combo, true);
        else if (code == LBN_DBLCLK)
            NotifyCombo(combo, CBN_DBLCLK);
        return;
    }
    if (from != combo.edit || !from)
        return;
    switch (code) {
    case EditSetFocus:
        if (!combo.focused) {
            combo.focused = true;
            NotifyCombo(combo, CBN_SETFOCUS);
        }
        return;
    case EditKillFocus:
        if (GetFocus() != combo.window && combo.focused) {
            combo.focused = false;
            CloseUp(combo, false);
            NotifyCombo(combo, CBN_KILLFOCUS);
        }
        return;
    case EditChange:
        NotifyCombo(combo, CBN_EDITCHANGE);
        return;
    case EditUpdate:
        NotifyCombo(combo, CBN_EDITUPDATE);
        return;
    default:
        return;
    }
}

// The text of a drop-down list combo box is its selected item's.
LRESULT SelectedText(const ComboBoxState& combo, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    int selection = Selection(combo);
    if (selection < 0) {
        if (message == WM_GETTEXT && wParam && lParam) {
            if (unicode)
                *reinterpret_cast<LPWSTR>(lParam) = 0;
            else
                *reinterpret_cast<LPSTR>(lParam) = 0;
        }
        return 0;
    }
    LRESULT length = Send(combo.list, LB_GETTEXTLEN, static_cast<WPARAM>(selection), 0, unicode);
    if (message == WM_GETTEXTLENGTH || length < 0)
        return std::max<LRESULT>(length, 0);
    if (unicode) {
        std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
        Send(combo.list, LB_GETTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(text.data()),
             true);
        text.resize(static_cast<std::size_t>(length));
        return CopyToBuffer(text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    Send(combo.list, LB_GETTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(text.data()),
         false);
    text.resize(static_cast<std::size_t>(length));
    return CopyToBuffer(text, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
}

std::optional<LRESULT> TextMessage(ComboBoxState& combo, UINT message, WPARAM wParam, LPARAM lParam,
                                   bool unicode) {
    if (message != WM_SETTEXT && message != WM_GETTEXT && message != WM_GETTEXTLENGTH)
        return std::nullopt;
    if (combo.edit)
        return Send(combo.edit, message, wParam, lParam, unicode);
    if (message != WM_SETTEXT)
        return SelectedText(combo, message, wParam, lParam, unicode);
    LRESULT found = Send(combo.list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam, unicode);
    if (found < 0)
        return CB_ERR;
    ComboMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0, unicode);
    return TRUE;
}

WNDPROC EditProcedureOf(HWND edit) {
    return reinterpret_cast<WNDPROC>(GetPropA(edit, "QuillmereComboEdit"));
}

// The inner edit hands the keys that belong to the combo box over to it.
LRESULT CALLBACK ComboEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = EditProcedureOf(edit);
    ComboBoxState* combo = ComboBoxOf(GetParent(edit));
    if (combo && message == WM_KEYDOWN) {
        bool comboKey = wParam == VK_F4 || wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR ||
                        wParam == VK_NEXT || (combo->dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE));
        if (comboKey) {
            KeyDown(*combo, static_cast<UINT>(wParam));
            return 0;
        }
    }
    if (combo && message == WM_SYSKEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        ToggleDropDown(*combo);
        return 0;
    }
    if (combo && message == WM_GETDLGCODE && combo->dropped)
        return CallWindowProcW(previous, edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
    if (message == WM_NCDESTROY)
        RemovePropA(edit, "QuillmereComboEdit");
    return previous ? CallWindowProcW(previous, edit, message, wParam, lParam) : 0;
}

void CreateInnerWindows(ComboBoxState& combo, int requestedHeight) {
    DWORD listStyle = WS_BORDER | WS_VSCROLL | LBS_COMBOBOX | LBS_NOINTEGRALHEIGHT;
    if (combo.style & CBS_SORT)
        listStyle |= LBS_SORT;
    if (combo.style & CBS_HASSTRINGS)
        listStyle |= LBS_HASSTRINGS;
    if (combo.style & CBS_OWNERDRAWFIXED)
        listStyle |= LBS_OWNERDRAWFIXED;
    if (combo.style & CBS_OWNERDRAWVARIABLE)
        listStyle |= LBS_OWNERDRAWVARIABLE;
    if (combo.style & CBS_DISABLENOSCROLL)
        listStyle |= LBS_DISABLENOSCROLL;
    auto self = reinterpret_cast<LPVOID>(combo.window);
    if (combo.IsSimple()) {
        combo.list =
            CreateWindowExW(0, u"ComboLBox", u"", listStyle | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, combo.window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)), nullptr, self);
    } else {
        combo.list = CreateWindowExW(WS_EX_TOOLWINDOW, u"ComboLBox", u"", listStyle | WS_POPUP, 0, 0, 0, 0,
                                     combo.window, nullptr, nullptr, self);
        combo.droppedHeight = std::max(requestedHeight - ComboHeight(combo), 0);
    }
    if (combo.IsDropDownList())
        return;
    DWORD editStyle = WS_CHILD | WS_VISIBLE;
    if (combo.style & CBS_AUTOHSCROLL)
        editStyle |= EditAutoHScroll;
    if (combo.style & CBS_UPPERCASE)
        editStyle |= EditUpperCase;
    if (combo.style & CBS_LOWERCASE)
        editStyle |= EditLowerCase;
    combo.edit = CreateWindowExW(0, u"Edit", u"", editStyle, 0, 0, 0, 0, combo.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(EditId)), nullptr, nullptr);
    if (!combo.edit)
        return;
    auto previous =
        SetWindowLongPtrW(combo.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboEditProcedure));
    SetPropA(combo.edit, "QuillmereComboEdit", reinterpret_cast<HANDLE>(previous));
}

void Create(ComboBoxState& combo, const CREATESTRUCTW* create) {
    combo.fieldHeight = FontItemHeight(combo.window, nullptr) + 2;
    CreateInnerWindows(combo, create ? create->cy : 0);
    Resize(combo);
}

void SetFont(ComboBoxState& combo, WPARAM wParam, LPARAM lParam) {
    combo.font = reinterpret_cast<HFONT>(wParam);
    combo.fieldHeight = FontItemHeight(combo.window, combo.font) + 2;
    SendMessageW(combo.list, WM_SETFONT, wParam, lParam);
    if (combo.edit)
        SendMessageW(combo.edit, WM_SETFONT, wParam, lParam);
    Resize(combo);
}

// Keeps a drop-down combo box at its own height; a taller size asked for is the list's.
void KeepHeight(ComboBoxState& combo, WINDOWPOS* position) {
    if (combo.IsSimple() || !position || (position->flags & SWP_NOSIZE))
        return;
    int height = ComboHeight(combo);
    if (position->cy > height)
        combo.droppedHeight = position->cy - height;
    position->cy = height;
}

// The colours its inner windows ask for are the combo box's parent's to give.
LRESULT ForwardColours(ComboBoxState& combo, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(combo.window);
    LRESULT brush = parent ? SendMessageW(parent, message, wParam, lParam) : 0;
    return brush ? brush : DefWindowProcW(combo.window, message, wParam, lParam);
}

std::optional<LRESULT> WindowMessage(ComboBoxState& combo, UINT message, WPARAM wParam, LPARAM lParam,
                                     bool unicode) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE:
        Create(combo, reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_DESTROY:
        if (GetCapture() == combo.list)
            ReleaseCapture();
        if (combo.list && !combo.IsSimple())
            DestroyWindow(combo.list);
        return 0;
    case WM_WINDOWPOSCHANGING:
        KeepHeight(combo, reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_SIZE:
        LayOutChildren(combo);
        InvalidateRect(combo.window, nullptr, FALSE);
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintControl(combo.window, wParam, [&](HDC dc) { PaintComboBox(combo, dc); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        SetFont(combo, wParam, lParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(combo.font);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Focus(combo, message == WM_SETFOCUS, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_ENABLE:
        if (combo.edit)
            EnableWindow(combo.edit, static_cast<BOOL>(wParam));
        InvalidateRect(combo.window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(combo, point);
        return 0;
    case WM_KEYDOWN:
        KeyDown(combo, static_cast<UINT>(wParam));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam != VK_UP && wParam != VK_DOWN)
            return std::nullopt;
        ToggleDropDown(combo);
        return 0;
    case WM_CHAR:
        if (combo.IsDropDownList())
            Send(combo.list, WM_CHAR, wParam, lParam, unicode);
        return 0;
    case WM_MOUSEWHEEL:
        Wheel(combo, wParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (combo.dropped ? DLGC_WANTALLKEYS : 0);
    case WM_COMMAND:
        Command(combo, wParam, lParam);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        return ForwardColours(combo, message, wParam, lParam);
    default:
        return std::nullopt;
    }
}

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    auto defaultProcedure = unicode ? DefWindowProcW : DefWindowProcA;
    auto* combo = GetControlState<ComboBoxState>(window);
    if (message == WM_NCCREATE) {
        auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
        // The scroll bar styles are the list's: the combo box itself has no bars.
        SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(style & ~(WS_VSCROLL | WS_HSCROLL)));
        SetControlState(window, new ComboBoxState(window, style));
        SetPropA(window, ComboBoxMark, reinterpret_cast<HANDLE>(1));
        return defaultProcedure(window, message, wParam, lParam);
    }
    if (!combo)
        return defaultProcedure(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(window, ComboBoxMark);
        SetControlState<ComboBoxState>(window, nullptr);
        delete combo;
        return defaultProcedure(window, message, wParam, lParam);
    }
    if (std::optional<LRESULT> answer = ComboMessage(*combo, message, wParam, lParam, unicode))
        return *answer;
    if (std::optional<LRESULT> answer = TextMessage(*combo, message, wParam, lParam, unicode))
        return *answer;
    if (std::optional<LRESULT> answer = WindowMessage(*combo, message, wParam, lParam, unicode))
        return *answer;
    return defaultProcedure(window, message, wParam, lParam);
}

LRESULT CALLBACK ComboBoxProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Procedure(window, message, wParam, lParam, true);
}

LRESULT CALLBACK ComboBoxProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Procedure(window, message, wParam, lParam, false);
}

} // namespace

ComboBoxState::ComboBoxState(HWND window, DWORD style) : window(window), style(style) {
    if (this->Kind() == 0)
        this->style |= CBS_SIMPLE;
}

ComboBoxState* ComboBoxOf(HWND window) {
    // A window of a superclass (another class name, this procedure behind its own) carries the
    // mark the procedure gave it.
    char className[16] = {};
    const bool named =
        GetClassNameA(window, className, sizeof className) && strcasecmp(className, "ComboBox") == 0;
    if (!named && !GetPropA(window, ComboBoxMark))
        return nullptr;
    return GetControlState<ComboBoxState>(window);
}

void RegisterComboBoxClass() {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW;
    description.lpfnWndProc = ComboBoxProcW;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = reinterpret_cast<LPCWSTR>(u"ComboBox");
    RegisterSystemClass(description, ComboBoxProcA);
}

} // namespace platform

BOOL GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info) {
    if (!IsWindow(combo) || !info) {
        SetLastError(info ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return SendMessageW(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE : FALSE;
}
