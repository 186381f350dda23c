// The "LISTBOX" window procedure: the LB_ messages, painting, focus, scrolling and input
// dispatched to the pieces of ListBoxState.h. The class has a procedure for each character
// set; texts are kept in code page 936 and converted for wide callers.

#include "platform/base/CodePage.h"
#include "platform/controls/ControlPaint.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ControlTexts.h"
#include "platform/controls/combobox/ComboBoxState.h"
#include "platform/controls/listbox/ListBoxState.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr LCID ChineseLocale = 0x0804;

// A text argument of an LB_ message in the list's own code page.
std::string TextArgument(LPARAM lParam, bool unicode) {
    if (!lParam)
        return {};
    if (unicode)
        return Utf16ToGbk(WideView(reinterpret_cast<LPCWSTR>(lParam)));
    return reinterpret_cast<LPCSTR>(lParam);
}

LRESULT TextLength(const std::string& text, bool unicode) {
    return unicode ? static_cast<LRESULT>(GbkToUtf16(text).size()) : static_cast<LRESULT>(text.size());
}

LRESULT GetItemText(const ListBoxState& list, int index, LPARAM buffer, bool unicode) {
    if (!list.Valid(index) || !buffer)
        return LB_ERR;
    const ListBoxItem& item = list.items[static_cast<std::size_t>(index)];
    if (!list.HasStrings()) {
        std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
        return sizeof item.data;
    }
    // The caller's buffer is taken to hold the text and its terminator, as LB_GETTEXTLEN told.
    if (unicode) {
        std::u16string wide = GbkToUtf16(item.text);
        return CopyToBuffer(wide, reinterpret_cast<LPWSTR>(buffer), static_cast<int>(wide.size()) + 1);
    }
    return CopyToBuffer(item.text, reinterpret_cast<LPSTR>(buffer), static_cast<int>(item.text.size()) + 1);
}

LRESULT SetCurrentSelection(ListBoxState& list, int index) {
    if (list.IsMultiple())
        return LB_ERR;
    if (!list.Valid(index)) {
        SelectOnly(list, -1);
        return LB_ERR;
    }
    SelectOnly(list, index);
    list.anchor = index;
    SetCaret(list, index);
    EnsureVisible(list, index);
    return index;
}

LRESULT SetSelection(ListBoxState& list, bool select, int index) {
    if (!list.IsMultiple())
        return LB_ERR;
    if (index == -1) {
        SelectRange(list, 0, list.Count() - 1, select);
        return LB_OKAY;
    }
    if (!list.Valid(index))
        return LB_ERR;
    SetSelected(list, index, select);
    return LB_OKAY;
}

LRESULT SelectedItems(const ListBoxState& list, int capacity, int* buffer) {
    if (!list.IsMultiple())
        return LB_ERR;
    int copied = 0;
    for (int i = 0; i < list.Count() && copied < capacity && buffer; ++i) {
        if (IsSelected(list, i))
            buffer[copied++] = i;
    }
    return copied;
}

LRESULT SelectString(ListBoxState& list, int start, LPARAM lParam, bool unicode) {
    LRESULT found = FindItem(list, start, TextArgument(list.HasStrings() ? lParam : 0, unicode),
                             static_cast<ULONG_PTR>(lParam), false);
    if (found == LB_ERR)
        return LB_ERR;
    int index = static_cast<int>(found);
    if (list.IsMultiple())
        SetSelected(list, index, true);
    else
        SelectOnly(list, index);
    SetCaret(list, index);
    EnsureVisible(list, index);
    return found;
}

LRESULT SetItemHeight(ListBoxState& list, int index, int height) {
    if (height <= 0 || height > 255)
        return LB_ERR;
    if (list.IsVariable()) {
        if (!list.Valid(index))
            return LB_ERR;
        list.items[static_cast<std::size_t>(index)].height = height;
    } else {
        list.itemHeight = height;
    }
    list.top = std::clamp(list.top, 0, LastTop(list));
    UpdateScrollBars(list);
    InvalidateAll(list);
    return LB_OKAY;
}

LRESULT ItemRectInto(const ListBoxState& list, int index, LPARAM lParam) {
    if (!list.Valid(index) || !lParam)
        return LB_ERR;
    *reinterpret_cast<RECT*>(lParam) = ItemRect(list, index);
    return 1;
}

LRESULT SetCaretIndex(ListBoxState& list, int index) {
    if (!list.Valid(index))
        return LB_ERR;
    SetCaret(list, index);
    EnsureVisible(list, index);
    return LB_OKAY;
}

// The LB_ messages; nothing for the rest.
std::optional<LRESULT> ListMessage(ListBoxState& list, UINT message, WPARAM wParam, LPARAM lParam,
                                   bool unicode) {
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case LB_ADDSTRING:
        return AddItem(list, TextArgument(list.HasStrings() ? lParam : 0, unicode),
                       list.HasStrings() ? 0 : static_cast<ULONG_PTR>(lParam));
    case LB_INSERTSTRING:
        return InsertItem(list, index, TextArgument(list.HasStrings() ? lParam : 0, unicode),
                          list.HasStrings() ? 0 : static_cast<ULONG_PTR>(lParam));
    case LB_DELETESTRING:
        return DeleteItem(list, index);
    case LB_RESETCONTENT:
        ResetItems(list);
        return LB_OKAY;
    case LB_GETCOUNT:
        return list.Count();
    case LB_GETTEXT:
        return GetItemText(list, index, lParam, unicode);
    case LB_GETTEXTLEN:
        if (!list.Valid(index))
            return LB_ERR;
        if (!list.HasStrings())
            return sizeof(ULONG_PTR);
        return TextLength(list.items[static_cast<std::size_t>(index)].text, unicode);
    case LB_GETITEMDATA:
        return list.Valid(index) ? static_cast<LRESULT>(list.items[static_cast<std::size_t>(index)].data)
                                 : LB_ERR;
    case LB_SETITEMDATA:
        if (!list.Valid(index))
            return LB_ERR;
        list.items[static_cast<std::size_t>(index)].data = static_cast<ULONG_PTR>(lParam);
        return TRUE;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return FindItem(list, index, TextArgument(list.HasStrings() ? lParam : 0, unicode),
                        static_cast<ULONG_PTR>(lParam), message == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING:
        return SelectString(list, index, lParam, unicode);
    case LB_SETCURSEL:
        return SetCurrentSelection(list, index);
    case LB_GETCURSEL:
        if (list.IsMultiple())
            return list.Count() ? list.caret : LB_ERR;
        return list.current >= 0 ? list.current : LB_ERR;
    case LB_SETSEL:
        return SetSelection(list, wParam != 0, static_cast<int>(lParam));
    case LB_GETSEL:
        return list.Valid(index) ? (IsSelected(list, index) ? 1 : 0) : LB_ERR;
    case LB_GETSELCOUNT:
        return list.IsMultiple() ? SelectedCount(list) : LB_ERR;
    case LB_GETSELITEMS:
        return SelectedItems(list, index, reinterpret_cast<int*>(lParam));
    case LB_SELITEMRANGE:
        if (!list.IsMultiple())
            return LB_ERR;
        SelectRange(list, LOWORD(lParam), HIWORD(lParam), wParam != 0);
        return LB_OKAY;
    case LB_SELITEMRANGEEX: {
        if (!list.IsMultiple())
            return LB_ERR;
        int last = static_cast<int>(lParam);
        SelectRange(list, index, last, index <= last);
        return LB_OKAY;
    }
    case LB_GETTOPINDEX:
        return list.top;
    case LB_SETTOPINDEX:
        if (!list.Valid(index) && !(index == 0 && list.Count() == 0))
            return LB_ERR;
        SetTop(list, index);
        return LB_OKAY;
    case LB_GETITEMRECT:
        return ItemRectInto(list, index, lParam);
    case LB_SETITEMHEIGHT:
        return SetItemHeight(list, index, LOWORD(lParam));
    case LB_GETITEMHEIGHT:
        if (list.IsVariable() && list.Count())
            return list.Valid(index) ? ItemHeightAt(list, index) : LB_ERR;
        return list.itemHeight;
    case LB_ITEMFROMPOINT: {
        bool outside = false;
        int found = ItemFromPoint(list, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
        return MAKELONG(static_cast<WORD>(found), outside ? 1 : 0);
    }
    case LB_SETCARETINDEX:
        return SetCaretIndex(list, index);
    case LB_GETCARETINDEX:
        return list.caret;
    case LB_SETANCHORINDEX:
        if (!list.Valid(index))
            return LB_ERR;
        list.anchor = index;
        return LB_OKAY;
    case LB_GETANCHORINDEX:
        return list.anchor;
    case LB_SETHORIZONTALEXTENT:
        list.horizontalExtent = std::max(0, index);
        UpdateScrollBars(list);
        InvalidateAll(list);
        return 0;
    case LB_GETHORIZONTALEXTENT:
        return list.horizontalExtent;
    case LB_SETTABSTOPS:
        return (list.style & LBS_USETABSTOPS) ? TRUE : FALSE;
    case LB_INITSTORAGE:
        list.items.reserve(list.items.size() + wParam);
        return static_cast<LRESULT>(list.items.capacity());
    case LB_GETLISTBOXINFO:
        return FullyVisibleCount(list);
    case LB_SETLOCALE:
    case LB_GETLOCALE:
        return ChineseLocale;
    case LB_SETCOLUMNWIDTH:
    case LB_SETCOUNT:
    case LB_DIR:
    case LB_ADDFILE:
        // Multiple columns, data-less lists and directory listings are not offered.
        return LB_ERR;
    default:
        return std::nullopt;
    }
}

void Create(ListBoxState& list) {
    MeasureFixedHeight(list);
    UpdateScrollBars(list);
    FitIntegralHeight(list);
}

void Wheel(ListBoxState& list, WPARAM wParam) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    SetTop(list, list.top - steps * static_cast<int>(std::max(1u, lines)));
}

void Focus(ListBoxState& list, bool focused) {
    list.focused = focused;
    InvalidateItem(list, list.caret);
    if (list.Count() == 0)
        InvalidateAll(list);
    if (!focused)
        ReleasePress(list);
    NotifyListBox(list, focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

// Messages of the window itself; nothing for those DefWindowProc handles.
std::optional<LRESULT> WindowMessage(ListBoxState& list, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE:
        Create(list);
        return 0;
    case WM_DESTROY:
        ResetItems(list);
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintControl(list.window, wParam, [&](HDC dc) { PaintListBox(list, dc); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        FitIntegralHeight(list);
        list.top = std::clamp(list.top, 0, LastTop(list));
        UpdateScrollBars(list);
        InvalidateAll(list);
        return 0;
    case WM_SETFONT:
        list.font = reinterpret_cast<HFONT>(wParam);
        if (!(list.style & LBS_OWNERDRAWFIXED))
            MeasureFixedHeight(list);
        UpdateScrollBars(list);
        FitIntegralHeight(list);
        if (LOWORD(lParam))
            InvalidateAll(list);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(list.font);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Focus(list, message == WM_SETFOCUS);
        return 0;
    case WM_ENABLE:
        InvalidateAll(list);
        return 0;
    case WM_SETREDRAW:
        list.redraw = wParam != 0;
        if (list.redraw) {
            UpdateScrollBars(list);
            InvalidateAll(list);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        PressItem(list, point, wParam, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        DragOver(list, point);
        return 0;
    case WM_LBUTTONUP:
        ReleasePress(list);
        return 0;
    case WM_CAPTURECHANGED:
        list.tracking = false;
        return 0;
    case WM_MOUSEWHEEL:
        Wheel(list, wParam);
        return 0;
    case WM_VSCROLL:
        ScrollVertically(list, wParam);
        return 0;
    case WM_HSCROLL:
        ScrollHorizontally(list, wParam);
        return 0;
    case WM_KEYDOWN:
        KeyDown(list, static_cast<UINT>(wParam));
        return 0;
    default:
        return std::nullopt;
    }
}

// A GBK character typed into a narrow window arrives a byte at a time.
std::optional<char16_t> TypedCharacter(ListBoxState& list, WPARAM wParam, bool unicode) {
    if (unicode)
        return static_cast<char16_t>(wParam);
    auto byte = static_cast<BYTE>(wParam);
    if (list.pendingLead) {
        char bytes[2] = {static_cast<char>(list.pendingLead), static_cast<char>(byte)};
        list.pendingLead = 0;
        std::u16string wide = GbkToUtf16(std::string_view(bytes, 2));
        return wide.empty() ? std::nullopt : std::optional<char16_t>(wide[0]);
    }
    if (IsGbkLeadByte(byte)) {
        list.pendingLead = byte;
        return std::nullopt;
    }
    return static_cast<char16_t>(byte);
}

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    auto defaultProcedure = unicode ? DefWindowProcW : DefWindowProcA;
    ListBoxState* list = GetControlState<ListBoxState>(window);
    if (message == WM_NCCREATE) {
        DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
        auto* state = new ListBoxState(window, style);
        // A combo box makes its list with itself as the creation parameter.
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto combo = create ? static_cast<HWND>(create->lpCreateParams) : nullptr;
        if ((style & LBS_COMBOBOX) && combo && ComboBoxOf(combo))
            state->combo = combo;
        SetControlState(window, state);
        SetPropA(window, ListBoxMark, reinterpret_cast<HANDLE>(1));
        return defaultProcedure(window, message, wParam, lParam);
    }
    if (!list)
        return defaultProcedure(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(window, ListBoxMark);
        SetControlState<ListBoxState>(window, nullptr);
        delete list;
        return defaultProcedure(window, message, wParam, lParam);
    }
    if (message == WM_CHAR) {
        if (std::optional<char16_t> character = TypedCharacter(*list, wParam, unicode))
            CharTyped(*list, *character);
        return 0;
    }
    if (list->combo && (list->style & WS_POPUP) && IsComboListMouseMessage(message))
        return ComboListMouse(*list, message, wParam, lParam);
    if (std::optional<LRESULT> answer = ListMessage(*list, message, wParam, lParam, unicode))
        return *answer;
    if (std::optional<LRESULT> answer = WindowMessage(*list, message, wParam, lParam))
        return *answer;
    return defaultProcedure(window, message, wParam, lParam);
}

LRESULT CALLBACK ListBoxProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Procedure(window, message, wParam, lParam, true);
}

LRESULT CALLBACK ListBoxProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Procedure(window, message, wParam, lParam, false);
}

void RegisterListClass(const char16_t* name, UINT style) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = style;
    description.lpfnWndProc = ListBoxProcW;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = reinterpret_cast<LPCWSTR>(name);
    RegisterSystemClass(description, ListBoxProcA);
}

} // namespace

ListBoxState::ListBoxState(HWND window, DWORD style)
    : window(window), style(style), scrollStyles(style & (WS_VSCROLL | WS_HSCROLL)) {
    if ((style & LBS_MULTIPLESEL) && (style & LBS_EXTENDEDSEL))
        this->style &= ~LBS_MULTIPLESEL;
    if ((style & LBS_OWNERDRAWFIXED) && (style & LBS_OWNERDRAWVARIABLE))
        this->style &= ~LBS_OWNERDRAWVARIABLE;
}

ListBoxState* ListBoxOf(HWND window) {
    return GetControlState<ListBoxState>(window);
}

void RegisterListBoxClasses() {
    RegisterListClass(u"LISTBOX", CS_DBLCLKS);
    RegisterListClass(u"ComboLBox", CS_DBLCLKS | CS_SAVEBITS);
}

} // namespace platform
