#pragma once
// One "EDIT" control: its text, selection, caret, scrolling, undo and notifications. The
// window procedure (EditWindow.cpp) turns messages into calls of this class; painting is in
// EditPainter.cpp, keyboard and mouse in EditInput.cpp, placement and scrolling in EditView.cpp.

#include "platform/base/WinTypes.h"
#include "platform/controls/edit/EditLayout.h"
#include "platform/controls/edit/EditText.h"
#include "platform/user/ScrollBar.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace platform {

class EditControl {
public:
    explicit EditControl(HWND window);

    HWND Window() const { return m_window; }
    DWORD Style() const;
    bool IsMultiLine() const;
    bool IsReadOnly() const;
    bool IsEnabled() const;
    bool HasFocus() const { return m_focused; }

    // Text
    const EditText& Text() const { return m_text; }
    // WM_SETTEXT: replaces everything, empties the undo buffer, clears the modified flag;
    // notify: report EN_UPDATE and (single-line only) EN_CHANGE.
    void SetText(std::string_view text, bool notify);
    // Replaces the selection. fromUser: typing, pasting, cutting (subject to read-only and the
    // limit; typed characters merge into one undo step). False when nothing could be changed.
    bool ReplaceSelection(std::string_view text, bool canUndo, bool fromUser);
    bool Undo();
    bool CanUndo() const { return m_undo.valid; }
    void EmptyUndo() { m_undo = {}; }
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    int Limit() const { return m_limit; }
    void SetLimit(int limit);
    char PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char mask);

    // Selection: the anchor stays, the caret moves; both are character starts.
    int SelectionStart() const { return std::min(m_anchor, m_caret); }
    int SelectionEnd() const { return std::max(m_anchor, m_caret); }
    int Caret() const { return m_caret; }
    void SetSelection(int anchor, int caret);
    // Moves the caret, extending the selection or collapsing it onto the caret.
    void MoveCaret(int position, bool extend);
    void Copy() const;
    void Cut();
    void Paste();
    void Clear();

    // Characters, words and lines
    int SnapToCharacter(int position) const;
    int NextCharacter(int position) const;
    int PreviousCharacter(int position) const;
    int NextWord(int position) const;
    int PreviousWord(int position) const;
    const EditLayout& Layout() const { return m_layout; }
    int CaretLine() const;

    // Geometry and scrolling (EditView.cpp)
    void SetFont(HFONT font, bool redraw);
    HFONT Font() const { return m_widths.Font(); }
    void SetMargins(WPARAM which, int left, int right);
    int LeftMargin() const { return m_leftMargin; }
    int RightMargin() const { return m_rightMargin; }
    RECT FormatRect() const;
    void SetFormatRect(const RECT* rect, bool redraw);
    void OnSize();
    int LineHeight() const { return m_widths.LineHeight(); }
    int VisibleLineCount() const;
    int FirstVisibleLine() const { return m_firstLine; }
    int HorizontalOffset() const { return m_xOffset; }
    int AverageCharWidth() const { return std::max(1, m_widths.AverageWidth()); }
    // Client position of the character at position (its top-left).
    POINT PositionToPoint(int position) const;
    // The character boundary nearest to a client point.
    int PointToPosition(POINT point) const;
    // Scrolls by lines and pixels; true when the view moved.
    bool ScrollBy(int lines, int pixels);
    void ScrollCaretIntoView();
    void OnScrollBar(int bar, WORD request);
    void OnMouseWheel(int delta);
    void UpdateCaret() const;

    // Focus and painting
    void OnSetFocus();
    void OnKillFocus();
    void Paint(HDC dc, const RECT& area) const;

    // Keyboard and mouse (EditInput.cpp)
    bool OnKeyDown(UINT key);
    void OnChar(BYTE byte);
    void OnImeChar(WPARAM character);
    void OnButtonDown(POINT point, bool extend);
    void OnDoubleClick(POINT point);
    void OnMouseMove(POINT point);
    void OnButtonUp();
    void OnCaptureLost() { m_dragging = false; }
    void OnStyleChanged(DWORD oldStyle, DWORD newStyle);
    int FirstVisibleCharacter() const;

private:
    struct UndoStep {
        bool valid = false;
        int position = 0;
        std::string removed;
        int insertedLength = 0;
        bool typing = false; // typed characters that the next typed one may join
    };

    void Replace(int position, int count, std::string_view inserted);
    // Whether the text still fits where the control cannot scroll.
    bool FitsWithoutScrolling() const;
    // The text as the control takes it: one line for a single-line edit, the case styles
    // applied, cut to the limit (limited tells).
    std::string LimitedInsertion(std::string_view text, int selected, bool& limited) const;
    void Notify(WORD code) const;
    void InvalidateLines(int first, int last) const;
    void InvalidateSelectionChange(int oldStart, int oldEnd);
    void Relayout();
    void UpdateScrollBars();
    int LineOriginX(int line) const;
    int LineFromPositionForCaret(int position) const;
    void SetView(int firstLine, int xOffset);
    void ScrollIfDragOutside(POINT point);
    int WordClass(int position) const;

    HWND m_window;
    EditText m_text;
    CharWidths m_widths;
    EditLayout m_layout;
    int m_anchor = 0;
    int m_caret = 0;
    bool m_caretAtLineEnd = false; // a caret at a wrapped line's end shows there, not below
    int m_desiredX = -1;           // for Up and Down through lines of different lengths
    int m_firstLine = 0;
    int m_xOffset = 0;
    int m_leftMargin = 1;
    int m_rightMargin = 1;
    bool m_explicitRect = false;
    RECT m_formatRect{};
    int m_limit = 30000;
    bool m_modified = false;
    char m_passwordChar = '*';
    UndoStep m_undo;
    bool m_focused = false;
    bool m_dragging = false;
    BYTE m_pendingLead = 0; // first byte of a double-byte character typed as two WM_CHARs
    SCROLLINFO m_vertical{};
    SCROLLINFO m_horizontal{};
};

} // namespace platform
