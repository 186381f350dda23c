#include "framework/stdctrls/Memo.h"

#include "framework/classes/PropertyTable.h"
#include "platform/controls/edit/Edit.h"

#include <algorithm>
#include <cstring>
#include <vector>

// ---- TMemoStrings -----------------------------------------------------------------------------

HWND TMemoStrings::Window() const {
    return m_memo.HandleAllocated() ? m_memo.Handle() : nullptr;
}

int TMemoStrings::LineStart(int index) const {
    return static_cast<int>(SendMessageA(Window(), EM_LINEINDEX, static_cast<WPARAM>(index), 0));
}

int TMemoStrings::LineLength(int start) const {
    return static_cast<int>(SendMessageA(Window(), EM_LINELENGTH, static_cast<WPARAM>(start), 0));
}

void TMemoStrings::Replace(int start, int end, const std::string& text) {
    HWND window = Window();
    SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageA(window, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

template <typename Edit>
void TMemoStrings::EditKept(Edit edit) {
    TStringList list;
    list.SetText(m_memo.KeptText());
    edit(list);
    m_memo.SetText(list.Text());
}

int TMemoStrings::Count() const {
    if (!Window()) {
        TStringList list;
        list.SetText(m_memo.KeptText());
        return list.Count();
    }
    int count = static_cast<int>(SendMessageA(Window(), EM_GETLINECOUNT, 0, 0));
    // The empty line after a final line break is where the next line goes, not a line.
    if (count > 0 && LineLength(LineStart(count - 1)) == 0)
        --count;
    return count;
}

std::string TMemoStrings::Strings(int index) const {
    CheckIndex(index);
    if (!Window()) {
        TStringList list;
        list.SetText(m_memo.KeptText());
        return list[index];
    }
    const int length = LineLength(LineStart(index));
    // EM_GETLINE reads the room from the buffer's first two bytes and writes no terminator.
    std::vector<char> buffer(static_cast<std::size_t>(std::max(length, 2)) + 1, '\0');
    const WORD room = static_cast<WORD>(std::min(length, 0xFFFF));
    std::memcpy(buffer.data(), &room, sizeof room);
    const auto copied = SendMessageA(Window(), EM_GETLINE, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
}

void TMemoStrings::SetStrings(int index, const std::string& text) {
    CheckIndex(index);
    if (!Window()) {
        EditKept([&](TStringList& list) { list.SetStrings(index, text); });
        return;
    }
    const int start = LineStart(index);
    Replace(start, start + LineLength(start), text);
}

void TMemoStrings::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count())
        IndexError(index);
    if (!Window()) {
        EditKept([&](TStringList& list) { list.Insert(index, text); });
        return;
    }
    const int start = LineStart(index);
    if (start >= 0) {
        Replace(start, start, text + "\r\n");
        return;
    }
    // After a last line that has no line break of its own.
    const int previous = LineStart(index - 1);
    const int end = previous + LineLength(previous);
    Replace(end, end, "\r\n" + text);
}

void TMemoStrings::Delete(int index) {
    CheckIndex(index);
    if (!Window()) {
        EditKept([&](TStringList& list) { list.Delete(index); });
        return;
    }
    const int start = LineStart(index);
    const int next = LineStart(index + 1);
    Replace(start, next >= 0 ? next : start + LineLength(start), std::string());
}

void TMemoStrings::Clear() {
    m_memo.SetText(std::string());
}

std::string TMemoStrings::Text() const {
    return m_memo.Text();
}

void TMemoStrings::SetText(std::string_view text) {
    // The window breaks lines at CR LF only; a lone CR or LF becomes one.
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            lines += c;
            continue;
        }
        lines += "\r\n";
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    m_memo.SetText(lines);
}

// ---- TCustomMemo ------------------------------------------------------------------------------

const TClass& TCustomMemo::ClassInfo() {
    static const TClass info(
        "TCustomMemo", &TCustomEdit::ClassInfo(),
        {
            EnumProperty("Alignment", AlignmentIdents(), &TCustomMemo::Alignment, &TCustomMemo::SetAlignment),
            EnumProperty("ScrollBars", ScrollStyleIdents(), &TCustomMemo::ScrollBars,
                         &TCustomMemo::SetScrollBars),
            EnumProperty("WantReturns", BooleanIdents(), &TCustomMemo::WantReturns,
                         &TCustomMemo::SetWantReturns),
            EnumProperty("WantTabs", BooleanIdents(), &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs),
            EnumProperty("WordWrap", BooleanIdents(), &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap),
        });
    return info;
}

const TClass& TMemo::ClassInfo() {
    static const TClass info("TMemo", &TCustomMemo::ClassInfo());
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), m_lines(std::make_unique<TMemoStrings>(*this)) {
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!m_wordWrap)
        params.Style |= ES_AUTOHSCROLL;
    if (m_alignment == taCenter)
        params.Style |= ES_CENTER;
    else if (m_alignment == taRightJustify)
        params.Style |= ES_RIGHT;
    if (m_scrollBars == ssHorizontal || m_scrollBars == ssBoth)
        params.Style |= WS_HSCROLL;
    if (m_scrollBars == ssVertical || m_scrollBars == ssBoth)
        params.Style |= WS_VSCROLL;
}

void TCustomMemo::SetAlignment(TAlignment alignment) {
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle scrollBars) {
    if (scrollBars == m_scrollBars)
        return;
    m_scrollBars = scrollBars;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool wordWrap) {
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    RecreateWnd();
}

void TCustomMemo::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if (key == '\r' && !m_wantReturns)
        key = 0;
}

void TCustomMemo::Dispatch(TMessage& message) {
    TCustomEdit::Dispatch(message);
    if (message.Msg != WM_GETDLGCODE)
        return;
    if (m_wantTabs)
        message.Result |= DLGC_WANTTAB;
    else
        message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!m_wantReturns)
        message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}
