// The "EDIT" window class: its procedure takes narrow messages (texts and positions in code page
// 936 bytes) and hands them to the control's EditControl.

#include "platform/controls/edit/EditWindow.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/edit/Edit.h"
#include "platform/controls/edit/EditControl.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

LRESULT AnswerDialogCode(const EditControl& edit, const MSG* message) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!edit.IsMultiLine())
        return code;
    code |= DLGC_WANTALLKEYS;
    // In a dialog, Escape and Tab belong to the dialog, and Enter too unless ES_WANTRETURN.
    if (message && (message->message == WM_KEYDOWN || message->message == WM_CHAR)) {
        const WPARAM key = message->wParam;
        const bool isChar = message->message == WM_CHAR;
        if (key == (isChar ? 0x1B : VK_ESCAPE) || key == (isChar ? '\t' : VK_TAB) ||
            (key == (isChar ? '\r' : VK_RETURN) && !(edit.Style() & ES_WANTRETURN)))
            code &= ~DLGC_WANTALLKEYS;
    }
    return code;
}

LRESULT CopyText(const EditControl& edit, WPARAM size, LPARAM buffer) {
    if (!buffer || size == 0)
        return 0;
    auto* out = reinterpret_cast<char*>(buffer);
    const int count =
        std::min(edit.Text().Length(), static_cast<int>(std::min<WPARAM>(size - 1, 0x7FFFFFFF)));
    // A double-byte character that does not fit whole is left out.
    const int end = count < edit.Text().Length() ? edit.SnapToCharacter(count) : count;
    std::string text = edit.Text().Copy(0, end);
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT GetLine(const EditControl& edit, WPARAM line, LPARAM buffer) {
    const EditLayout& layout = edit.Layout();
    const int index = edit.IsMultiLine() ? static_cast<int>(line) : 0;
    if (!buffer || index < 0 || index >= layout.LineCount())
        return 0;
    WORD room = 0;
    std::memcpy(&room, reinterpret_cast<const void*>(buffer), sizeof(room));
    const int start = layout.LineStart(index);
    const int end = std::min(layout.LineEnd(index), start + static_cast<int>(room));
    std::string text = edit.Text().Copy(start, end);
    // The line is copied without a terminator.
    std::memcpy(reinterpret_cast<void*>(buffer), text.data(), text.size());
    return static_cast<LRESULT>(text.size());
}

LRESULT LineLength(const EditControl& edit, WPARAM index) {
    const EditLayout& layout = edit.Layout();
    if (!edit.IsMultiLine())
        return edit.Text().Length();
    if (static_cast<int>(index) == -1) {
        // The unselected characters on the lines the selection touches.
        const int first = layout.LineFromPosition(edit.SelectionStart());
        const int last = layout.LineFromPosition(edit.SelectionEnd());
        return (edit.SelectionStart() - layout.LineStart(first)) +
               std::max(0, layout.LineEnd(last) - edit.SelectionEnd());
    }
    const int position = std::clamp(static_cast<int>(index), 0, edit.Text().Length());
    const int line = layout.LineFromPosition(position);
    return layout.LineEnd(line) - layout.LineStart(line);
}

LRESULT LineIndex(const EditControl& edit, WPARAM line) {
    const int index = static_cast<int>(line) == -1 ? edit.CaretLine() : static_cast<int>(line);
    if (index < 0 || index >= edit.Layout().LineCount())
        return -1;
    return edit.Layout().LineStart(index);
}

LRESULT LineFromChar(const EditControl& edit, WPARAM index) {
    if (static_cast<int>(index) == -1)
        return edit.SelectionStart() != edit.SelectionEnd()
                   ? edit.Layout().LineFromPosition(edit.SelectionStart())
                   : edit.CaretLine();
    return edit.Layout().LineFromPosition(std::clamp(static_cast<int>(index), 0, edit.Text().Length()));
}

LRESULT GetSelection(const EditControl& edit, WPARAM start, LPARAM end) {
    const DWORD from = static_cast<DWORD>(edit.SelectionStart());
    const DWORD to = static_cast<DWORD>(edit.SelectionEnd());
    if (start)
        *reinterpret_cast<DWORD*>(start) = from;
    if (end)
        *reinterpret_cast<DWORD*>(end) = to;
    return from > 0xFFFF || to > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(from, to));
}

void SetSelection(EditControl& edit, WPARAM start, LPARAM end) {
    const int from = static_cast<int>(start);
    int to = static_cast<int>(end);
    if (from == -1) {
        edit.SetSelection(edit.Caret(), edit.Caret());
        return;
    }
    if (to < 0)
        to = edit.Text().Length();
    edit.SetSelection(from < 0 ? edit.Text().Length() : from, to);
}

LRESULT ScrollRequest(EditControl& edit, WPARAM request) {
    if (!edit.IsMultiLine())
        return FALSE;
    const int before = edit.FirstVisibleLine();
    const int page = std::max(1, edit.VisibleLineCount() - 1);
    switch (request) {
    case SB_LINEUP:
        edit.ScrollBy(-1, 0);
        break;
    case SB_LINEDOWN:
        edit.ScrollBy(1, 0);
        break;
    case SB_PAGEUP:
        edit.ScrollBy(-page, 0);
        break;
    case SB_PAGEDOWN:
        edit.ScrollBy(page, 0);
        break;
    default:
        return FALSE;
    }
    return MAKELONG(static_cast<WORD>(edit.FirstVisibleLine() - before), TRUE);
}

void PaintMessage(EditControl& edit, HWND window, HDC given) {
    if (given) {
        // Painting into a DC handed over (by a skin) leaves the update region alone.
        RECT client{};
        GetClientRect(window, &client);
        if (edit.HasFocus())
            HideCaret(window);
        edit.Paint(given, client);
        if (edit.HasFocus())
            ShowCaret(window);
        return;
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    if (dc)
        edit.Paint(dc, paint.rcPaint);
    EndPaint(window, &paint);
}

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT EditMessage(EditControl& edit, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case EM_GETSEL:
        return GetSelection(edit, wParam, lParam);
    case EM_SETSEL:
        SetSelection(edit, wParam, lParam);
        return 0;
    case EM_GETRECT:
        if (lParam)
            *reinterpret_cast<RECT*>(lParam) = edit.FormatRect();
        return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
        edit.SetFormatRect(reinterpret_cast<const RECT*>(lParam), message == EM_SETRECT);
        return 0;
    case EM_SCROLL:
        return ScrollRequest(edit, wParam);
    case EM_LINESCROLL:
        if (!edit.IsMultiLine())
            return FALSE;
        edit.ScrollBy(static_cast<int>(lParam),
                      static_cast<int>(static_cast<INT_PTR>(wParam)) * edit.AverageCharWidth());
        return TRUE;
    case EM_SCROLLCARET:
        edit.ScrollCaretIntoView();
        return TRUE;
    case EM_GETMODIFY:
        return edit.Modified() ? TRUE : FALSE;
    case EM_SETMODIFY:
        edit.SetModified(wParam != 0);
        return 0;
    case EM_GETLINECOUNT:
        return edit.IsMultiLine() ? edit.Layout().LineCount() : 1;
    case EM_LINEINDEX:
        return LineIndex(edit, wParam);
    case EM_LINELENGTH:
        return LineLength(edit, wParam);
    case EM_GETLINE:
        return GetLine(edit, wParam, lParam);
    case EM_LINEFROMCHAR:
        return LineFromChar(edit, wParam);
    case EM_REPLACESEL:
        edit.ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0, false);
        return 0;
    case EM_LIMITTEXT:
        edit.SetLimit(static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE)));
        return 0;
    case EM_GETLIMITTEXT:
        return edit.Limit();
    case EM_CANUNDO:
        return edit.CanUndo() ? TRUE : FALSE;
    case EM_UNDO:
        return edit.Undo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
        edit.EmptyUndo();
        return 0;
    case EM_GETFIRSTVISIBLELINE:
        return edit.IsMultiLine() ? edit.FirstVisibleLine() : edit.FirstVisibleCharacter();
    case EM_SETREADONLY: {
        LONG style = GetWindowLongW(window, GWL_STYLE);
        style = wParam ? (style | static_cast<LONG>(ES_READONLY)) : (style & ~static_cast<LONG>(ES_READONLY));
        SetWindowLongW(window, GWL_STYLE, style);
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    case EM_SETPASSWORDCHAR:
        edit.SetPasswordChar(static_cast<char>(wParam & 0xFF));
        return 0;
    case EM_GETPASSWORDCHAR:
        return (edit.Style() & ES_PASSWORD) ? static_cast<BYTE>(edit.PasswordChar()) : 0;
    case EM_SETMARGINS:
        edit.SetMargins(wParam, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case EM_GETMARGINS:
        return MAKELONG(edit.LeftMargin(), edit.RightMargin());
    case EM_POSFROMCHAR: {
        if (static_cast<int>(wParam) < 0 || static_cast<int>(wParam) > edit.Text().Length())
            return -1;
        POINT at = edit.PositionToPoint(edit.SnapToCharacter(static_cast<int>(wParam)));
        return MAKELONG(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
    }
    case EM_CHARFROMPOS: {
        const int position = edit.PointToPosition(PointOf(lParam));
        const int line = edit.Layout().LineFromPosition(position);
        return MAKELONG(static_cast<WORD>(position), static_cast<WORD>(line));
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EditControl* edit = GetControlState<EditControl>(window);
    if (message == WM_NCCREATE) {
        SetControlState(window, new EditControl(window));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (!edit)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName))
            edit->SetText(create->lpszName, false);
        return 0;
    }
    case WM_NCDESTROY:
        SetControlState<EditControl>(window, nullptr);
        delete edit;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETTEXT:
        edit->SetText(lParam ? reinterpret_cast<const char*>(lParam) : "", true);
        return TRUE;
    case WM_GETTEXT:
        return CopyText(*edit, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return edit->Text().Length();
    case WM_SETFONT:
        edit->SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(edit->Font());
    case WM_PAINT:
        PaintMessage(*edit, window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(window, &client);
        edit->Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_ERASEBKGND:
        // The paint fills the background with the parent's brush itself.
        return 1;
    case WM_SIZE:
        edit->OnSize();
        return 0;
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_STYLE) && lParam) {
            const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
            edit->OnStyleChanged(change->styleOld, change->styleNew);
        }
        return 0;
    case WM_ENABLE:
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
        edit->OnSetFocus();
        return 0;
    case WM_KILLFOCUS:
        edit->OnKillFocus();
        return 0;
    case WM_GETDLGCODE:
        return AnswerDialogCode(*edit, reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
        if (!edit->OnKeyDown(static_cast<UINT>(wParam)))
            return DefWindowProcA(window, message, wParam, lParam);
        return 0;
    case WM_CHAR:
        edit->OnChar(static_cast<BYTE>(wParam & 0xFF));
        return 0;
    case WM_IME_CHAR:
        edit->OnImeChar(wParam);
        return 0;
    case WM_LBUTTONDOWN:
        edit->OnButtonDown(PointOf(lParam), (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        edit->OnDoubleClick(PointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        edit->OnMouseMove(PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        edit->OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        edit->OnCaptureLost();
        return 0;
    case WM_MOUSEWHEEL:
        edit->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        edit->OnScrollBar(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_COPY:
        edit->Copy();
        return 0;
    case WM_CUT:
        edit->Cut();
        return 0;
    case WM_PASTE:
        edit->Paste();
        return 0;
    case WM_CLEAR:
        edit->Clear();
        return 0;
    case WM_UNDO:
        return edit->Undo() ? TRUE : FALSE;
    default:
        return EditMessage(*edit, window, message, wParam, lParam);
    }
}

} // namespace

void RegisterEditClass() {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.style = CS_DBLCLKS | CS_GLOBALCLASS;
    description.lpfnWndProc = EditProcedure;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    description.lpszClassName = "Edit";
    RegisterSystemClass(description);
}

} // namespace platform
