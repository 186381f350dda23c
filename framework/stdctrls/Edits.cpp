#include "framework/stdctrls/Edits.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/ControlProperties.h"
#include "platform/controls/edit/Edit.h"

#include <algorithm>

const TClass& TCustomEdit::ClassInfo() {
    static const TClass info(
        "TCustomEdit", &TWinControl::ClassInfo(),
        CommonControlProperties({
            EnumProperty("AutoSelect", BooleanIdents(), &TCustomEdit::AutoSelect,
                         &TCustomEdit::SetAutoSelect),
            EnumProperty("BorderStyle", BorderStyleIdents(), &TCustomEdit::BorderStyle,
                         &TCustomEdit::SetBorderStyle),
            OrdProperty("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
            EnumProperty("ReadOnly", BooleanIdents(), &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
            StrProperty("Text", &TControl::Text, &TControl::SetText),
            MethodProperty("OnChange", &TCustomEdit::OnChange),
        }));
    return info;
}

const TClass& TEdit::ClassInfo() {
    static const TClass info("TEdit", &TCustomEdit::ClassInfo());
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(crIBeam);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOHSCROLL;
    if (m_readOnly)
        params.Style |= ES_READONLY;
    if (m_borderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    if (UseRightToLeftReading())
        params.ExStyle |= WS_EX_RTLREADING;
}

void TCustomEdit::CreateHandle() {
    TWinControl::CreateHandle();
    if (!HandleAllocated())
        return;
    SendMessageA(m_handle, EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
    SendMessageA(m_handle, EM_SETMODIFY, m_modified ? TRUE : FALSE, 0);
    SendMessageA(m_handle, EM_SETSEL, static_cast<WPARAM>(m_selection.start),
                 static_cast<LPARAM>(m_selection.end));
}

void TCustomEdit::DestroyWnd() {
    // What the window holds goes back into the control, for the next window.
    m_modified = Modified();
    m_selection = Selection();
    TWinControl::DestroyWnd();
}

bool TCustomEdit::IsMultiLine() const {
    return m_handle && (GetWindowLongA(m_handle, GWL_STYLE) & ES_MULTILINE) != 0;
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    if (HandleAllocated())
        SendMessageA(m_handle, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int length) {
    length = std::max(length, 0);
    if (length == m_maxLength)
        return;
    m_maxLength = length;
    if (HandleAllocated())
        SendMessageA(m_handle, EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

bool TCustomEdit::Modified() const {
    if (m_handle)
        return SendMessageA(m_handle, EM_GETMODIFY, 0, 0) != 0;
    return m_modified;
}

void TCustomEdit::SetModified(bool modified) {
    m_modified = modified;
    if (m_handle)
        SendMessageA(m_handle, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

TCustomEdit::TSelection TCustomEdit::Selection() const {
    if (!m_handle) {
        const int length = static_cast<int>(m_text.size());
        return {std::min(m_selection.start, length), std::min(m_selection.end, length)};
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(m_handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void TCustomEdit::SetSelection(int start, int end) {
    if (m_handle) {
        SendMessageA(m_handle, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
        SendMessageA(m_handle, EM_SCROLLCARET, 0, 0);
        return;
    }
    const int length = static_cast<int>(m_text.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    m_selection = {start, end};
}

void TCustomEdit::SetSelStart(int start) {
    SetSelection(start, start);
}

int TCustomEdit::SelLength() const {
    const TSelection selection = Selection();
    return selection.end - selection.start;
}

void TCustomEdit::SetSelLength(int length) {
    const int start = SelStart();
    SetSelection(start, start + std::max(length, 0));
}

std::string TCustomEdit::SelText() const {
    const TSelection selection = Selection();
    const std::string text = Text();
    const auto start =
        static_cast<std::size_t>(std::min<int>(selection.start, static_cast<int>(text.size())));
    return text.substr(start, static_cast<std::size_t>(std::max(selection.end - selection.start, 0)));
}

void TCustomEdit::SetSelText(const std::string& text) {
    if (m_handle) {
        SendMessageA(m_handle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    const TSelection selection = Selection();
    std::string whole = m_text;
    whole.replace(static_cast<std::size_t>(selection.start),
                  static_cast<std::size_t>(selection.end - selection.start), text);
    const int caret = selection.start + static_cast<int>(text.size());
    SetText(whole);
    m_selection = {caret, caret};
}

void TCustomEdit::SelectAll() {
    SetSelection(0, static_cast<int>(Text().size()));
}

void TCustomEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::CMEnter(TMessage& message) {
    if (m_autoSelect && !m_recreating && !IsMultiLine())
        SelectAll();
    TWinControl::Dispatch(message);
}

void TCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == EN_CHANGE && !m_controlState.Contains(csCreating))
            Change();
        else
            TWinControl::Dispatch(message);
        break;
    case CM_TEXTCHANGED:
        TWinControl::Dispatch(message);
        // The window reports its own changes, except those of a multi-line window's
        // WM_SETTEXT; without a window nobody else does.
        if (!m_handle || IsMultiLine())
            Change();
        break;
    case CM_ENTER:
        CMEnter(message);
        break;
    case CM_RECREATEWND:
        m_recreating = true;
        TWinControl::Dispatch(message);
        m_recreating = false;
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}
