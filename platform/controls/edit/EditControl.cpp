#include "platform/controls/edit/EditControl.h"

#include "platform/base/CodePage.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/edit/Edit.h"
#include "platform/sys/GlobalMemory.h"
#include "platform/user/WinUser.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace platform {

EditControl::EditControl(HWND window) : m_window(window), m_layout(m_text, m_widths) {
    if (Style() & ES_PASSWORD)
        m_widths.SetMask(m_passwordChar);
    Relayout();
}

DWORD EditControl::Style() const {
    return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE));
}

bool EditControl::IsMultiLine() const {
    return (Style() & ES_MULTILINE) != 0;
}

bool EditControl::IsReadOnly() const {
    return (Style() & ES_READONLY) != 0;
}

bool EditControl::IsEnabled() const {
    return (Style() & WS_DISABLED) == 0;
}

void EditControl::Notify(WORD code) const {
    NotifyParentCommand(m_window, code);
}

void EditControl::SetText(std::string_view text, bool notify) {
    m_text.Assign(text);
    m_anchor = m_caret = 0;
    m_caretAtLineEnd = false;
    m_firstLine = 0;
    m_xOffset = 0;
    m_undo = {};
    m_modified = false;
    m_pendingLead = 0;
    m_layout.Rebuild();
    UpdateScrollBars();
    InvalidateRect(m_window, nullptr, TRUE);
    UpdateCaret();
    if (!notify)
        return;
    // A multi-line edit does not report text it was given with WM_SETTEXT as a change.
    Notify(EN_UPDATE);
    if (!IsMultiLine())
        Notify(EN_CHANGE);
}

void EditControl::Replace(int position, int count, std::string_view inserted) {
    const int oldCount = m_layout.LineCount();
    const int firstLine = std::max(0, m_layout.LineFromPosition(position) - 1);
    m_text.Replace(position, count, inserted);
    m_layout.Changed(position, count, static_cast<int>(inserted.size()));
    if (m_layout.LineCount() != oldCount || !IsMultiLine()) {
        InvalidateLines(firstLine, INT_MAX);
    } else {
        int lastLine = m_layout.LineFromPosition(position + static_cast<int>(inserted.size()));
        InvalidateLines(firstLine, lastLine + 1);
    }
}

std::string EditControl::LimitedInsertion(std::string_view text, int selected, bool& limited) const {
    std::string result(text);
    if (!IsMultiLine()) {
        // A single line takes what comes before the first line break.
        auto end = result.find_first_of("\r\n");
        if (end != std::string::npos)
            result.resize(end);
    }
    const DWORD style = Style();
    for (std::size_t i = 0; i < result.size(); ++i) {
        BYTE c = static_cast<BYTE>(result[i]);
        if (IsGbkLeadByte(c) && i + 1 < result.size()) {
            ++i;
            continue;
        }
        if ((style & ES_UPPERCASE) && c >= 'a' && c <= 'z')
            result[i] = static_cast<char>(c - 'a' + 'A');
        else if ((style & ES_LOWERCASE) && c >= 'A' && c <= 'Z')
            result[i] = static_cast<char>(c - 'A' + 'a');
    }
    const int room = std::max(0, m_limit - (m_text.Length() - selected));
    limited = static_cast<int>(result.size()) > room;
    if (limited) {
        // Cut at a character start, so no double-byte character is split.
        int cut = 0;
        while (cut < room) {
            int size = IsGbkLeadByte(static_cast<BYTE>(result[static_cast<std::size_t>(cut)])) &&
                               cut + 1 < static_cast<int>(result.size())
                           ? 2
                           : 1;
            if (cut + size > room)
                break;
            cut += size;
        }
        result.resize(static_cast<std::size_t>(cut));
    }
    return result;
}

bool EditControl::FitsWithoutScrolling() const {
    const DWORD style = Style();
    const RECT format = FormatRect();
    if (!IsMultiLine())
        return (style & ES_AUTOHSCROLL) || m_layout.LineWidth(0) <= format.right - format.left;
    if (style & (ES_AUTOVSCROLL | WS_VSCROLL))
        return true;
    return m_layout.LineCount() <= VisibleLineCount();
}

bool EditControl::ReplaceSelection(std::string_view text, bool canUndo, bool fromUser) {
    if (fromUser && IsReadOnly()) {
        MessageBeep(0);
        return false;
    }
    const int start = SelectionStart();
    const int selected = SelectionEnd() - start;
    bool truncated = false;
    std::string inserted = LimitedInsertion(text, selected, truncated);
    if (inserted.empty() && selected == 0) {
        if (truncated)
            Notify(EN_MAXTEXT);
        return false;
    }
    std::string removed = m_text.Copy(start, start + selected);
    Replace(start, selected, inserted);
    if (!FitsWithoutScrolling()) {
        Replace(start, static_cast<int>(inserted.size()), removed);
        Notify(EN_MAXTEXT);
        MessageBeep(0);
        return false;
    }
    const int insertedLength = static_cast<int>(inserted.size());
    const bool typing = fromUser && selected == 0 && insertedLength <= 2;
    if (canUndo) {
        if (typing && m_undo.valid && m_undo.typing && m_undo.position + m_undo.insertedLength == start) {
            m_undo.insertedLength += insertedLength;
        } else {
            m_undo = {true, start, std::move(removed), insertedLength, typing};
        }
    }
    m_anchor = m_caret = start + insertedLength;
    m_caretAtLineEnd = false;
    m_desiredX = -1;
    m_modified = true;
    UpdateScrollBars();
    ScrollCaretIntoView();
    UpdateCaret();
    Notify(EN_UPDATE);
    if (truncated)
        Notify(EN_MAXTEXT);
    Notify(EN_CHANGE);
    return true;
}

bool EditControl::Undo() {
    if (!m_undo.valid || IsReadOnly())
        return false;
    UndoStep step = std::move(m_undo);
    std::string undone = m_text.Copy(step.position, step.position + step.insertedLength);
    Replace(step.position, step.insertedLength, step.removed);
    // Undoing again puts the change back.
    m_undo = {true, step.position, std::move(undone), static_cast<int>(step.removed.size()), false};
    m_anchor = step.position;
    m_caret = step.position + static_cast<int>(step.removed.size());
    m_caretAtLineEnd = false;
    m_modified = true;
    UpdateScrollBars();
    ScrollCaretIntoView();
    UpdateCaret();
    Notify(EN_UPDATE);
    Notify(EN_CHANGE);
    return true;
}

void EditControl::SetLimit(int limit) {
    // 0 asks for the largest limit there is.
    m_limit = limit <= 0 ? 0x7FFFFFFE : limit;
}

void EditControl::SetPasswordChar(char mask) {
    m_passwordChar = mask;
    LONG style = GetWindowLongW(m_window, GWL_STYLE);
    style = mask ? (style | static_cast<LONG>(ES_PASSWORD)) : (style & ~static_cast<LONG>(ES_PASSWORD));
    SetWindowLongW(m_window, GWL_STYLE, style);
    m_widths.SetMask(mask && !IsMultiLine() ? mask : 0);
    Relayout();
}

void EditControl::OnStyleChanged(DWORD oldStyle, DWORD newStyle) {
    // Only these styles change where lines break or how wide characters are.
    constexpr DWORD LayoutStyles = ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL | ES_PASSWORD;
    if (((oldStyle ^ newStyle) & LayoutStyles) == 0) {
        InvalidateRect(m_window, nullptr, TRUE);
        return;
    }
    m_widths.SetMask((Style() & ES_PASSWORD) && !IsMultiLine() ? m_passwordChar : 0);
    Relayout();
}

int EditControl::FirstVisibleCharacter() const {
    if (IsMultiLine())
        return m_layout.LineStart(m_firstLine);
    return m_layout.PositionAtX(0, m_xOffset - LineOriginX(0));
}

void EditControl::SetSelection(int anchor, int caret) {
    const int length = m_text.Length();
    anchor = SnapToCharacter(std::clamp(anchor, 0, length));
    caret = SnapToCharacter(std::clamp(caret, 0, length));
    const int oldStart = SelectionStart();
    const int oldEnd = SelectionEnd();
    m_anchor = anchor;
    m_caret = caret;
    m_caretAtLineEnd = false;
    m_desiredX = -1;
    InvalidateSelectionChange(oldStart, oldEnd);
    UpdateCaret();
}

void EditControl::MoveCaret(int position, bool extend) {
    const int oldStart = SelectionStart();
    const int oldEnd = SelectionEnd();
    m_caret = position;
    if (!extend)
        m_anchor = position;
    InvalidateSelectionChange(oldStart, oldEnd);
    ScrollCaretIntoView();
    UpdateCaret();
}

void EditControl::InvalidateSelectionChange(int oldStart, int oldEnd) {
    const int newStart = SelectionStart();
    const int newEnd = SelectionEnd();
    if (oldStart == oldEnd && newStart == newEnd)
        return;
    if (oldStart == newStart && oldEnd == newEnd)
        return;
    const int from =
        std::min(oldStart == oldEnd ? newStart : oldStart, newStart == newEnd ? oldStart : newStart);
    const int to = std::max(oldEnd, newEnd);
    InvalidateLines(m_layout.LineFromPosition(from), m_layout.LineFromPosition(to));
}

void EditControl::Copy() const {
    if (SelectionStart() == SelectionEnd() || (Style() & ES_PASSWORD))
        return;
    std::string text = m_text.Copy(SelectionStart(), SelectionEnd());
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block)
        return;
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboard(m_window)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block))
        GlobalFree(block);
    CloseClipboard();
}

void EditControl::Cut() {
    if (Style() & ES_PASSWORD)
        return;
    Copy();
    Clear();
}

void EditControl::Clear() {
    if (SelectionStart() != SelectionEnd())
        ReplaceSelection({}, true, true);
}

void EditControl::Paste() {
    if (!OpenClipboard(m_window))
        return;
    std::string text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (auto* bytes = static_cast<const char*>(GlobalLock(block))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(block)));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    if (!text.empty())
        ReplaceSelection(text, true, true);
}

int EditControl::SnapToCharacter(int position) const {
    int line = m_layout.LineFromPosition(position);
    return m_text.CharStartAt(position, m_layout.LineStart(line));
}

int EditControl::NextCharacter(int position) const {
    if (position >= m_text.Length())
        return position;
    // A line break goes as one.
    if (IsMultiLine() && m_text.At(position) == '\r' && position + 1 < m_text.Length() &&
        m_text.At(position + 1) == '\n')
        return position + 2;
    return position + m_text.CharLength(position);
}

int EditControl::PreviousCharacter(int position) const {
    if (position <= 0)
        return 0;
    if (IsMultiLine() && position >= 2 && m_text.At(position - 1) == '\n' && m_text.At(position - 2) == '\r')
        return position - 2;
    int line = m_layout.LineFromPosition(position - 1);
    return m_text.CharStartBefore(position, m_layout.LineStart(line));
}

// Words are runs of one class: blanks (0), line breaks (1), double-byte characters (2) and
// other characters (3).
int EditControl::WordClass(int position) const {
    BYTE c = m_text.At(position);
    if (c == ' ' || c == '\t')
        return 0;
    if (c == '\r' || c == '\n')
        return 1;
    return m_text.CharLength(position) == 2 ? 2 : 3;
}

int EditControl::NextWord(int position) const {
    const int length = m_text.Length();
    if (position >= length)
        return length;
    const int kind = WordClass(position);
    int p = NextCharacter(position);
    if (kind != 0 && kind != 1) {
        while (p < length && WordClass(p) == kind)
            p = NextCharacter(p);
    }
    while (p < length && WordClass(p) == 0)
        p = NextCharacter(p);
    return p;
}

int EditControl::PreviousWord(int position) const {
    int p = position;
    while (p > 0 && WordClass(PreviousCharacter(p)) == 0)
        p = PreviousCharacter(p);
    if (p == 0)
        return 0;
    p = PreviousCharacter(p);
    const int kind = WordClass(p);
    if (kind == 1)
        return p;
    while (p > 0 && WordClass(PreviousCharacter(p)) == kind)
        p = PreviousCharacter(p);
    return p;
}

int EditControl::CaretLine() const {
    return LineFromPositionForCaret(m_caret);
}

int EditControl::LineFromPositionForCaret(int position) const {
    int line = m_layout.LineFromPosition(position);
    if (m_caretAtLineEnd && position == m_caret && line > 0 && m_layout.LineStart(line) == position &&
        m_layout.LineEnd(line - 1) == position)
        return line - 1;
    return line;
}

} // namespace platform
