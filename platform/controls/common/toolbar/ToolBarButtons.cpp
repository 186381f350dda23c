// The tool bar's buttons: added and inserted from TBBUTTON records, deleted and moved, read and
// changed through TBBUTTONINFO in either character set, their state bits, check groups, the
// tool bar's own string list and bitmaps added to its image list.

#include "platform/controls/common/toolbar/ToolBar.h"

#include <algorithm>

namespace platform {

namespace {

// The transparent colour of tool-bar bitmaps: the classic button face.
constexpr COLORREF BitmapBackground = RGB(192, 192, 192);
// A string index, not a text: the value of a resource identifier.
bool IsStringIndex(INT_PTR value) {
    return value >= 0 && value < 0x10000;
}

} // namespace

int ToolBar::IndexOfCommand(int command) const {
    for (int index = 0; index < Count(); ++index) {
        if (m_buttons[static_cast<std::size_t>(index)].command == command)
            return index;
    }
    return -1;
}

ToolBarButton* ToolBar::ButtonOfCommand(int command) {
    const int index = IndexOfCommand(command);
    return index < 0 ? nullptr : &m_buttons[static_cast<std::size_t>(index)];
}

std::u16string ToolBar::TextOf(const ToolBarButton& button) const {
    if (button.stringIndex >= 0)
        return button.stringIndex < static_cast<INT_PTR>(m_strings.size())
                   ? m_strings[static_cast<std::size_t>(button.stringIndex)]
                   : std::u16string();
    return button.text;
}

template <typename Text>
LRESULT ToolBar::InsertButtons(int index, int count, const TBBUTTON* buttons) {
    if (!buttons || count <= 0)
        return FALSE;
    if (index < 0 || index > Count())
        index = Count();
    std::vector<ToolBarButton> added;
    for (int i = 0; i < count; ++i) {
        const TBBUTTON& source = buttons[i];
        ToolBarButton button;
        button.image = source.iBitmap;
        button.command = source.idCommand;
        button.state = source.fsState;
        button.style = source.fsStyle;
        button.data = source.dwData;
        if (IsStringIndex(source.iString))
            button.stringIndex = source.iString;
        else if (source.iString != -1)
            button.text = TextFromCaller(reinterpret_cast<const Text*>(source.iString));
        added.push_back(std::move(button));
    }
    m_buttons.insert(m_buttons.begin() + index, added.begin(), added.end());
    for (int* position : {&m_hot, &m_pressed}) {
        if (*position >= index)
            *position += count;
    }
    Changed();
    return TRUE;
}

LRESULT ToolBar::DeleteButton(int index) {
    if (!Valid(index))
        return FALSE;
    m_buttons.erase(m_buttons.begin() + index);
    for (int* position : {&m_hot, &m_pressed}) {
        if (*position == index)
            *position = -1;
        else if (*position > index)
            --*position;
    }
    Changed();
    return TRUE;
}

LRESULT ToolBar::GetButton(int index, TBBUTTON* button) const {
    if (!button || !Valid(index))
        return FALSE;
    const ToolBarButton& source = m_buttons[static_cast<std::size_t>(index)];
    *button = TBBUTTON{};
    button->iBitmap = source.image;
    button->idCommand = source.command;
    button->fsState = source.state;
    button->fsStyle = source.style;
    button->dwData = source.data;
    button->iString = source.stringIndex;
    return TRUE;
}

LRESULT ToolBar::MoveButton(int from, int to) {
    if (!Valid(from) || !Valid(to))
        return FALSE;
    ToolBarButton moving = std::move(m_buttons[static_cast<std::size_t>(from)]);
    m_buttons.erase(m_buttons.begin() + from);
    m_buttons.insert(m_buttons.begin() + to, std::move(moving));
    m_hot = m_pressed = -1;
    Changed();
    return TRUE;
}

template <typename Info>
LRESULT ToolBar::GetButtonInfo(int id, Info* info) const {
    if (!info || info->cbSize != sizeof(Info))
        return -1;
    const int index = (info->dwMask & TBIF_BYINDEX) ? id : IndexOfCommand(id);
    if (!Valid(index))
        return -1;
    const ToolBarButton& source = m_buttons[static_cast<std::size_t>(index)];
    if (info->dwMask & TBIF_COMMAND)
        info->idCommand = source.command;
    if (info->dwMask & TBIF_IMAGE)
        info->iImage = source.image;
    if (info->dwMask & TBIF_STATE)
        info->fsState = source.state;
    if (info->dwMask & TBIF_STYLE)
        info->fsStyle = source.style;
    if (info->dwMask & TBIF_LPARAM)
        info->lParam = source.data;
    if (info->dwMask & TBIF_SIZE)
        info->cx = static_cast<WORD>(source.rect.right - source.rect.left);
    if (info->dwMask & TBIF_TEXT)
        CopyTextToCaller(TextOf(source), info->pszText, info->cchText);
    return index;
}

template <typename Info>
LRESULT ToolBar::SetButtonInfo(int id, const Info* info) {
    if (!info || info->cbSize != sizeof(Info))
        return FALSE;
    const int index = (info->dwMask & TBIF_BYINDEX) ? id : IndexOfCommand(id);
    if (!Valid(index))
        return FALSE;
    ToolBarButton& target = m_buttons[static_cast<std::size_t>(index)];
    if (info->dwMask & TBIF_COMMAND)
        target.command = info->idCommand;
    if (info->dwMask & TBIF_IMAGE)
        target.image = info->iImage;
    if (info->dwMask & TBIF_STATE)
        target.state = info->fsState;
    if (info->dwMask & TBIF_STYLE)
        target.style = info->fsStyle;
    if (info->dwMask & TBIF_LPARAM)
        target.data = info->lParam;
    if (info->dwMask & TBIF_SIZE)
        target.width = info->cx;
    if (info->dwMask & TBIF_TEXT) {
        target.stringIndex = -1;
        target.text = TextFromCaller(info->pszText);
    }
    Changed();
    return TRUE;
}

template <typename Text>
LRESULT ToolBar::GetButtonText(int command, Text* buffer) const {
    const int index = IndexOfCommand(command);
    if (!Valid(index))
        return -1;
    const std::u16string text = TextOf(m_buttons[static_cast<std::size_t>(index)]);
    constexpr bool wide = sizeof(Text) == sizeof(WCHAR);
    const int length = TextLengthFor(text, wide);
    // Without a buffer only the length is asked for.
    if (buffer)
        CopyTextToCaller(text, buffer, length + 1);
    return length;
}

LRESULT ToolBar::ChangeState(int command, BYTE bits, bool on) {
    const int index = IndexOfCommand(command);
    if (!Valid(index))
        return FALSE;
    ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
    const BYTE before = button.state;
    if (on && bits == TBSTATE_CHECKED && (button.style & BTNS_GROUP))
        CheckInGroup(index);
    else
        button.state = static_cast<BYTE>(on ? (before | bits) : (before & ~bits));
    if (!on && (bits & TBSTATE_ENABLED) && (m_pressed == index || m_hot == index)) {
        if (m_pressed == index)
            CancelPress();
        m_hot = m_hot == index ? -1 : m_hot;
    }
    if ((before ^ button.state) & (TBSTATE_HIDDEN | TBSTATE_WRAP))
        Changed();
    else
        InvalidateButton(index);
    return TRUE;
}

LRESULT ToolBar::SetState(int command, BYTE state) {
    const int index = IndexOfCommand(command);
    if (!Valid(index))
        return FALSE;
    ToolBarButton& button = m_buttons[static_cast<std::size_t>(index)];
    const BYTE before = button.state;
    button.state = state;
    if ((before ^ state) & (TBSTATE_HIDDEN | TBSTATE_WRAP))
        Changed();
    else
        InvalidateButton(index);
    return TRUE;
}

void ToolBar::CheckInGroup(int index) {
    // A group is the run of group buttons around the one checked.
    int first = index;
    while (first > 0 && (m_buttons[static_cast<std::size_t>(first - 1)].style & BTNS_GROUP))
        --first;
    int last = index;
    while (last + 1 < Count() && (m_buttons[static_cast<std::size_t>(last + 1)].style & BTNS_GROUP))
        ++last;
    for (int member = first; member <= last; ++member) {
        ToolBarButton& button = m_buttons[static_cast<std::size_t>(member)];
        const BYTE state =
            member == index ? (button.state | TBSTATE_CHECKED) : (button.state & ~TBSTATE_CHECKED);
        if (state != button.state) {
            button.state = state;
            InvalidateButton(member);
        }
    }
}

template <typename Text>
LRESULT ToolBar::AddStrings(HINSTANCE instance, const Text* strings) {
    // Texts from a module's string resources are not offered.
    if (instance || !strings)
        return -1;
    const LRESULT first = static_cast<LRESULT>(m_strings.size());
    // One text after another, each ended by a zero, the list by a second zero.
    for (const Text* text = strings; *text; text += std::char_traits<Text>::length(text) + 1)
        m_strings.push_back(TextFromCaller(text));
    Changed();
    return first;
}

LRESULT ToolBar::AddBitmap(int count, const TBADDBITMAP* bitmap) {
    if (!bitmap || count <= 0 || bitmap->hInst)
        return -1;
    if (!m_images) {
        m_ownImages = ImageList_Create(m_bitmapSize.cx, m_bitmapSize.cy, ILC_COLOR32 | ILC_MASK, count, 4);
        m_images = m_ownImages;
    }
    const int first = ImageList_GetImageCount(m_images);
    if (ImageList_AddMasked(m_images, reinterpret_cast<HBITMAP>(bitmap->nID), BitmapBackground) < 0)
        return -1;
    Changed();
    return first;
}

template LRESULT ToolBar::InsertButtons<char>(int, int, const TBBUTTON*);
template LRESULT ToolBar::InsertButtons<WCHAR>(int, int, const TBBUTTON*);
template LRESULT ToolBar::GetButtonInfo(int, TBBUTTONINFOA*) const;
template LRESULT ToolBar::GetButtonInfo(int, TBBUTTONINFOW*) const;
template LRESULT ToolBar::SetButtonInfo(int, const TBBUTTONINFOA*);
template LRESULT ToolBar::SetButtonInfo(int, const TBBUTTONINFOW*);
template LRESULT ToolBar::GetButtonText(int, char*) const;
template LRESULT ToolBar::GetButtonText(int, WCHAR*) const;
template LRESULT ToolBar::AddStrings(HINSTANCE, const char*);
template LRESULT ToolBar::AddStrings(HINSTANCE, const WCHAR*);

} // namespace platform
