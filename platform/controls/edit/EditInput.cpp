// The keyboard and the mouse in an edit control: caret movement and selection with the arrow,
// Home, End and page keys (Ctrl for words and the whole text, Shift to extend), editing keys,
// typed characters (a double-byte character arrives as its two bytes), clicks, drags and
// double clicks, and the focus.

#include "platform/base/CodePage.h"
#include "platform/controls/edit/Edit.h"
#include "platform/controls/edit/EditControl.h"
#include "platform/user/WinUser.h"

#include <algorithm>

namespace platform {

namespace {

bool KeyIsDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

void EditControl::OnSetFocus() {
    m_focused = true;
    CreateCaret(m_window, nullptr, 1, LineHeight());
    UpdateCaret();
    ShowCaret(m_window);
    if (SelectionStart() != SelectionEnd() && !(Style() & ES_NOHIDESEL))
        InvalidateLines(m_layout.LineFromPosition(SelectionStart()),
                        m_layout.LineFromPosition(SelectionEnd()));
    Notify(EN_SETFOCUS);
}

void EditControl::OnKillFocus() {
    m_focused = false;
    m_dragging = false;
    m_pendingLead = 0;
    DestroyCaret();
    if (SelectionStart() != SelectionEnd() && !(Style() & ES_NOHIDESEL))
        InvalidateLines(m_layout.LineFromPosition(SelectionStart()),
                        m_layout.LineFromPosition(SelectionEnd()));
    Notify(EN_KILLFOCUS);
}

bool EditControl::OnKeyDown(UINT key) {
    const bool shift = KeyIsDown(VK_SHIFT);
    const bool control = KeyIsDown(VK_CONTROL);
    const bool multiLine = IsMultiLine();
    const bool selection = SelectionStart() != SelectionEnd();
    const int line = CaretLine();
    auto moveTo = [&](int position, bool atLineEnd = false) {
        MoveCaret(position, shift);
        m_caretAtLineEnd = atLineEnd;
        UpdateCaret();
    };
    // Up and Down keep the column where vertical movement started.
    auto moveToLine = [&](int target) {
        if (m_desiredX < 0)
            m_desiredX = m_layout.XOfPosition(line, m_caret) + LineOriginX(line);
        const int desired = m_desiredX;
        target = std::clamp(target, 0, m_layout.LineCount() - 1);
        int position = m_layout.PositionAtX(target, desired - LineOriginX(target));
        bool atEnd = target + 1 < m_layout.LineCount() && position == m_layout.LineEnd(target) &&
                     position == m_layout.LineStart(target + 1);
        moveTo(position, atEnd);
        m_desiredX = desired;
    };
    if (key != VK_UP && key != VK_DOWN && key != VK_PRIOR && key != VK_NEXT)
        m_desiredX = -1;
    switch (key) {
    case VK_LEFT:
        if (selection && !shift)
            moveTo(SelectionStart());
        else
            moveTo(control ? PreviousWord(m_caret) : PreviousCharacter(m_caret));
        return true;
    case VK_RIGHT:
        if (selection && !shift)
            moveTo(SelectionEnd());
        else
            moveTo(control ? NextWord(m_caret) : NextCharacter(m_caret));
        return true;
    case VK_UP:
        if (!multiLine)
            return OnKeyDown(VK_LEFT);
        moveToLine(line - 1);
        return true;
    case VK_DOWN:
        if (!multiLine)
            return OnKeyDown(VK_RIGHT);
        moveToLine(line + 1);
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        if (!multiLine)
            return false;
        {
            const int page = std::max(1, VisibleLineCount() - 1) * (key == VK_PRIOR ? -1 : 1);
            ScrollBy(page, 0);
            moveToLine(line + page);
        }
        return true;
    case VK_HOME:
        moveTo(control || !multiLine ? 0 : m_layout.LineStart(line));
        return true;
    case VK_END:
        if (control || !multiLine) {
            moveTo(m_text.Length());
        } else {
            const int end = m_layout.LineEnd(line);
            moveTo(end, line + 1 < m_layout.LineCount() && end == m_layout.LineStart(line + 1));
        }
        return true;
    case VK_DELETE:
        if (shift) {
            Cut();
        } else if (!selection && m_caret < m_text.Length() && !IsReadOnly()) {
            int end = control ? NextWord(m_caret) : NextCharacter(m_caret);
            m_anchor = end;
            ReplaceSelection({}, true, true);
        } else {
            Clear();
        }
        return true;
    case VK_INSERT:
        if (control)
            Copy();
        else if (shift)
            Paste();
        return true;
    default:
        return false;
    }
}

void EditControl::OnChar(BYTE byte) {
    if (m_pendingLead) {
        const char character[2] = {static_cast<char>(m_pendingLead), static_cast<char>(byte)};
        m_pendingLead = 0;
        if (IsGbkTrailByte(byte) && !(Style() & ES_NUMBER)) {
            ReplaceSelection(std::string_view(character, 2), true, true);
            return;
        }
    }
    if (IsGbkLeadByte(byte)) {
        m_pendingLead = byte;
        return;
    }
    const bool multiLine = IsMultiLine();
    switch (byte) {
    case 0x01: // Ctrl+A
        SetSelection(0, m_text.Length());
        return;
    case 0x03: // Ctrl+C
        Copy();
        return;
    case 0x16: // Ctrl+V
        Paste();
        return;
    case 0x18: // Ctrl+X
        Cut();
        return;
    case 0x1A: // Ctrl+Z
        Undo();
        return;
    case 0x08: // Backspace
    case 0x7F: // Ctrl+Backspace: the word before the caret
        if (IsReadOnly()) {
            MessageBeep(0);
        } else if (SelectionStart() != SelectionEnd()) {
            Clear();
        } else if (m_caret > 0) {
            m_anchor = byte == 0x08 ? PreviousCharacter(m_caret) : PreviousWord(m_caret);
            ReplaceSelection({}, true, true);
        }
        return;
    case '\r':
    case '\n':
        if (multiLine)
            ReplaceSelection("\r\n", true, true);
        return;
    case '\t':
        if (multiLine)
            ReplaceSelection("\t", true, true);
        return;
    default:
        break;
    }
    if (byte < 0x20)
        return;
    if ((Style() & ES_NUMBER) && (byte < '0' || byte > '9')) {
        MessageBeep(0);
        return;
    }
    const char character = static_cast<char>(byte);
    ReplaceSelection(std::string_view(&character, 1), true, true);
}

void EditControl::OnImeChar(WPARAM character) {
    if (character > 0xFF) {
        OnChar(static_cast<BYTE>((character >> 8) & 0xFF));
        OnChar(static_cast<BYTE>(character & 0xFF));
    } else {
        OnChar(static_cast<BYTE>(character));
    }
}

void EditControl::OnButtonDown(POINT point, bool extend) {
    if (!m_focused)
        SetFocus(m_window);
    const int position = PointToPosition(point);
    const int line =
        IsMultiLine() ? std::clamp(m_firstLine + static_cast<int>(point.y - FormatRect().top) / LineHeight(),
                                   0, m_layout.LineCount() - 1)
                      : 0;
    m_desiredX = -1;
    MoveCaret(position, extend);
    // A click past the end of a wrapped line puts the caret there, not on the next line.
    m_caretAtLineEnd = line + 1 < m_layout.LineCount() && position == m_layout.LineEnd(line) &&
                       position == m_layout.LineStart(line + 1);
    UpdateCaret();
    m_dragging = true;
    SetCapture(m_window);
}

void EditControl::OnDoubleClick(POINT point) {
    const int position = PointToPosition(point);
    int start = position;
    if (start > 0 && (start == m_text.Length() || WordClass(start) <= 1))
        start = PreviousCharacter(start);
    if (m_text.Length() == 0)
        return;
    const int kind = WordClass(start);
    int end = start;
    while (end < m_text.Length() && WordClass(end) == kind && kind != 1)
        end = NextCharacter(end);
    while (start > 0 && WordClass(PreviousCharacter(start)) == kind && kind != 1)
        start = PreviousCharacter(start);
    SetSelection(start, end);
    ScrollCaretIntoView();
    m_dragging = false;
}

void EditControl::OnMouseMove(POINT point) {
    if (!m_dragging)
        return;
    ScrollIfDragOutside(point);
    MoveCaret(PointToPosition(point), true);
}

// A drag past the text's edges scrolls it a step at a time.
void EditControl::ScrollIfDragOutside(POINT point) {
    RECT format = FormatRect();
    if (IsMultiLine()) {
        if (point.y < format.top)
            ScrollBy(-1, 0);
        else if (point.y >= format.bottom)
            ScrollBy(1, 0);
    }
    if (m_layout.WrapWidth() == 0) {
        const int step = std::max(1, m_widths.AverageWidth());
        if (point.x < format.left)
            ScrollBy(0, -step);
        else if (point.x >= format.right)
            ScrollBy(0, step);
    }
}

void EditControl::OnButtonUp() {
    if (!m_dragging)
        return;
    m_dragging = false;
    if (GetCapture() == m_window)
        ReleaseCapture();
}

} // namespace platform
