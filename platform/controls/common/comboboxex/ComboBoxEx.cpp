// The extended combo box ("ComboBoxEx32"): a window that holds an owner-drawn combo box of its
// own (its first child, the same kind as its own style: simple, drop-down or drop-down list)
// and draws that combo box's items: each item's image from the image list (its selected image
// while it is highlighted), indented by 10 pixels a step in the list, then its text. It keeps
// the items, takes the combo box messages for them, and passes the inner combo box's
// notifications on to its parent as its own.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/CommonControlClasses.h"
#include "platform/controls/common/comboboxex/ComboBoxExItems.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr int InnerComboId = 1001;
// Room between an item's image and its text, and before the image.
constexpr int ImageGap = 4;
constexpr int LeadingGap = 2;
constexpr int IndentStep = 10;

class ComboBoxEx {
public:
    explicit ComboBoxEx(HWND window) : m_window(window) {}
    ComboBoxEx(const ComboBoxEx&) = delete;
    ComboBoxEx& operator=(const ComboBoxEx&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The inner combo box covers the window; only a gap while it is being made shows.
    void Paint(HDC dc);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    int Count() const { return static_cast<int>(m_items.size()); }
    ComboBoxExItem& At(int index) { return m_items[static_cast<std::size_t>(index)]; }
    const ComboBoxExItem& At(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    void Create(const CREATESTRUCTW* create);
    // What the border takes from the window's width and height.
    SIZE FrameSize() const;
    void KeepInnerSize(WINDOWPOS* position);
    void UpdateItemHeight();
    int ItemHeight() const;

    template <typename Record>
    LRESULT Insert(const Record* record);
    template <typename Record>
    LRESULT SetItem(const Record* record);
    template <typename Record>
    LRESULT GetItem(Record* record) const;
    LRESULT Delete(WPARAM index);
    void Reset();
    // The index a record names: -1 stands for the item the field shows.
    int Resolve(INT_PTR index) const;
    void NotifyItem(UINT code, int index);

    // The item as shown: the members its parent keeps (callbacks) asked of it now.
    ComboBoxExItem Displayed(int index);
    template <typename Notice, typename Char>
    void AskDisplay(int index, UINT code, ComboBoxExItem& shown);
    void DrawItem(const DRAWITEMSTRUCT& draw);
    LRESULT ForwardColours(UINT message, WPARAM wParam, LPARAM lParam) const;

    // The edit of an editable box shows the chosen item's text; typing marks it changed until
    // the edit ends (return, escape, the focus leaving, the list dropping down), which the
    // parent is told of with CBEN_ENDEDIT.
    void ShowSelectionInEdit();
    void EndEdit(int why);
    LRESULT InnerCommand(WORD code);
    // The item whose text the edit holds (case ignored unless CBES_EX_CASESENSITIVE), or -1.
    int ItemWithText(std::u16string_view text);
    void WatchEditKeys();
    static LRESULT CALLBACK EditKeysProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window;
    HWND m_combo = nullptr;
    HFONT m_font = nullptr;
    HIMAGELIST m_images = nullptr;
    DWORD m_extendedStyle = 0;
    std::vector<ComboBoxExItem> m_items;
    HWND m_edit = nullptr;
    bool m_editChanged = false;
};

constexpr const char* EditOwnerProperty = "QuillmereComboBoxExEdit";
constexpr const char* EditProcedureProperty = "QuillmereComboBoxExEditProcedure";

void ComboBoxEx::Create(const CREATESTRUCTW* create) {
    DWORD kind = (create ? create->style : Style()) & CBS_DROPDOWNLIST;
    if (kind == 0)
        kind = CBS_DROPDOWN;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | kind | CBS_OWNERDRAWFIXED |
                        CBS_AUTOHSCROLL | (Style() & WS_DISABLED);
    // The inner combo box fills the client area, inside any border the window has.
    RECT client{};
    GetClientRect(m_window, &client);
    // A right-to-left window's inner combo box reads right to left, its button at the left.
    const DWORD exStyle =
        static_cast<DWORD>(GetWindowLongW(m_window, GWL_EXSTYLE)) & (WS_EX_LEFTSCROLLBAR | WS_EX_RTLREADING);
    m_combo = CreateWindowExW(exStyle, u"ComboBox", u"", style, 0, 0, client.right, client.bottom, m_window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(InnerComboId)), nullptr, nullptr);
    // The window takes the inner combo box's height; what was asked for more is its list's.
    UpdateItemHeight();
    WatchEditKeys();
}

void ComboBoxEx::WatchEditKeys() {
    COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
    if (!m_combo || !GetComboBoxInfo(m_combo, &info) || !info.hwndItem || info.hwndItem == m_combo)
        return;
    m_edit = info.hwndItem;
    SetPropA(m_edit, EditOwnerProperty, this);
    SetPropA(m_edit, EditProcedureProperty,
             reinterpret_cast<HANDLE>(
                 SetWindowLongPtrW(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditKeysProcedure))));
}

LRESULT CALLBACK ComboBoxEx::EditKeysProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* owner = static_cast<ComboBoxEx*>(GetPropA(edit, EditOwnerProperty));
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(edit, EditProcedureProperty));
    // Return and escape end an edit, unless the list is open: then they choose or close it.
    if (owner && message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE) &&
        !SendMessageW(owner->m_combo, CB_GETDROPPEDSTATE, 0, 0)) {
        owner->EndEdit(wParam == VK_RETURN ? CBENF_RETURN : CBENF_ESCAPE);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(edit, EditOwnerProperty);
        RemovePropA(edit, EditProcedureProperty);
        if (owner)
            owner->m_edit = nullptr;
    }
    return previous ? CallWindowProcW(previous, edit, message, wParam, lParam) : 0;
}

void ComboBoxEx::ShowSelectionInEdit() {
    if (!m_edit)
        return;
    const int selection = static_cast<int>(SendMessageW(m_combo, CB_GETCURSEL, 0, 0));
    const std::u16string text =
        selection >= 0 && selection < Count() ? Displayed(selection).text : std::u16string();
    SetWindowTextW(m_edit, text.c_str());
    // Setting the text is no edit of the user's.
    m_editChanged = false;
}

int ComboBoxEx::ItemWithText(std::u16string_view text) {
    const bool caseSensitive = (m_extendedStyle & CBES_EX_CASESENSITIVE) != 0;
    auto lower = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    for (int index = 0; index < Count(); ++index) {
        const std::u16string item = Displayed(index).text;
        if (item.size() != text.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < item.size() && same; ++i)
            same = caseSensitive ? item[i] == text[i] : lower(item[i]) == lower(text[i]);
        if (same)
            return index;
    }
    return -1;
}

void ComboBoxEx::EndEdit(int why) {
    if (!m_edit)
        return;
    std::u16string text(static_cast<std::size_t>(CBEMAXSTRLEN), u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(m_edit, text.data(), CBEMAXSTRLEN)));
    const bool changed = m_editChanged;
    const int found = ItemWithText(text);
    LRESULT refused = 0;
    if (ParentTakesUnicode(m_window)) {
        NMCBEENDEDITW notice{};
        notice.fChanged = changed;
        notice.iNewSelection = found >= 0 ? found : CB_ERR;
        CopyTextToCaller(text, notice.szText, CBEMAXSTRLEN);
        notice.iWhy = why;
        refused = NotifyParent(m_window, CBEN_ENDEDITW, notice.hdr);
    } else {
        NMCBEENDEDITA notice{};
        notice.fChanged = changed;
        notice.iNewSelection = found >= 0 ? found : CB_ERR;
        CopyTextToCaller(text, notice.szText, CBEMAXSTRLEN);
        notice.iWhy = why;
        refused = NotifyParent(m_window, CBEN_ENDEDITA, notice.hdr);
    }
    m_editChanged = false;
    // A refusal leaves the text as typed; otherwise the chosen item shows again (escape drops
    // what was typed), or the item the text names becomes the chosen one.
    if (refused || !m_edit)
        return;
    if (why != CBENF_ESCAPE && changed && found >= 0)
        SendMessageW(m_combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    if (why == CBENF_ESCAPE || (changed && found >= 0))
        ShowSelectionInEdit();
}

LRESULT ComboBoxEx::InnerCommand(WORD code) {
    switch (code) {
    case CBN_EDITCHANGE:
        m_editChanged = true;
        break;
    case CBN_SELCHANGE:
        ShowSelectionInEdit();
        break;
    case CBN_KILLFOCUS:
        EndEdit(CBENF_KILLFOCUS);
        break;
    case CBN_DROPDOWN:
        EndEdit(CBENF_DROPDOWN);
        break;
    default:
        break;
    }
    return NotifyParentCommand(m_window, code);
}

SIZE ComboBoxEx::FrameSize() const {
    RECT outer{};
    RECT client{};
    GetWindowRect(m_window, &outer);
    GetClientRect(m_window, &client);
    return {outer.right - outer.left - client.right, outer.bottom - outer.top - client.bottom};
}

void ComboBoxEx::KeepInnerSize(WINDOWPOS* position) {
    if (!m_combo || !position || (position->flags & SWP_NOSIZE))
        return;
    const SIZE frame = FrameSize();
    SetWindowPos(m_combo, nullptr, 0, 0, std::max(0, position->cx - frame.cx),
                 std::max(0, position->cy - frame.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT inner{};
    GetWindowRect(m_combo, &inner);
    position->cy = inner.bottom - inner.top + frame.cy;
}

int ComboBoxEx::ItemHeight() const {
    int imageHeight = 0;
    int imageWidth = 0;
    if (m_images)
        ImageList_GetIconSize(m_images, &imageWidth, &imageHeight);
    return std::max(LineHeight(m_font), imageHeight) + 2;
}

void ComboBoxEx::UpdateItemHeight() {
    if (!m_combo)
        return;
    const int height = ItemHeight();
    SendMessageW(m_combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    SendMessageW(m_combo, CB_SETITEMHEIGHT, 0, height);
    // The inner combo box's field follows the item height: the window follows it, so that a
    // taller field (a larger font or images) is not cut off.
    RECT outer{};
    GetWindowRect(m_window, &outer);
    SetWindowPos(m_window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ComboBoxEx::Resolve(INT_PTR index) const {
    if (index == -1 && m_combo)
        return static_cast<int>(SendMessageW(m_combo, CB_GETCURSEL, 0, 0));
    return index >= 0 && index < Count() ? static_cast<int>(index) : -1;
}

template <typename Record>
LRESULT ComboBoxEx::Insert(const Record* record) {
    if (!record || !m_combo || record->iItem < -1)
        return -1;
    const int index =
        record->iItem == -1 || record->iItem > Count() ? Count() : static_cast<int>(record->iItem);
    // The inner combo box keeps a place for each item; the items themselves are kept here.
    if (SendMessageW(m_combo, CB_INSERTSTRING, static_cast<WPARAM>(index), 0) < 0)
        return -1;
    ComboBoxExItem item;
    ApplyRecord(item, *record);
    m_items.insert(m_items.begin() + index, std::move(item));
    NotifyItem(CBEN_INSERTITEM, index);
    return index;
}

template <typename Record>
LRESULT ComboBoxEx::SetItem(const Record* record) {
    const int index = record ? Resolve(record->iItem) : -1;
    if (index < 0)
        return FALSE;
    ApplyRecord(At(index), *record);
    InvalidateRect(m_combo, nullptr, TRUE);
    return TRUE;
}

template <typename Record>
LRESULT ComboBoxEx::GetItem(Record* record) const {
    const int index = record ? Resolve(record->iItem) : -1;
    if (index < 0)
        return FALSE;
    FillRecord(*record, At(index));
    return TRUE;
}

LRESULT ComboBoxEx::Delete(WPARAM wParam) {
    const auto index = static_cast<INT_PTR>(wParam);
    if (index < 0 || index >= Count())
        return CB_ERR;
    NotifyItem(CBEN_DELETEITEM, static_cast<int>(index));
    m_items.erase(m_items.begin() + index);
    return SendMessageW(m_combo, CB_DELETESTRING, wParam, 0);
}

void ComboBoxEx::Reset() {
    for (int index = Count() - 1; index >= 0; --index)
        NotifyItem(CBEN_DELETEITEM, index);
    m_items.clear();
    SendMessageW(m_combo, CB_RESETCONTENT, 0, 0);
}

void ComboBoxEx::NotifyItem(UINT code, int index) {
    if (ParentTakesUnicode(m_window)) {
        NMCOMBOBOXEXW notice{};
        std::u16string text;
        DescribeItem(notice.ceItem, At(index), index, text);
        NotifyParent(m_window, code, notice.hdr);
        return;
    }
    NMCOMBOBOXEXA notice{};
    std::string text;
    DescribeItem(notice.ceItem, At(index), index, text);
    NotifyParent(m_window, code, notice.hdr);
}

ComboBoxExItem ComboBoxEx::Displayed(int index) {
    ComboBoxExItem shown = At(index);
    if (shown.CallbackMask() == 0)
        return shown;
    if (ParentTakesUnicode(m_window))
        AskDisplay<NMCOMBOBOXEXW, char16_t>(index, CBEN_GETDISPINFOW, shown);
    else
        AskDisplay<NMCOMBOBOXEXA, char>(index, CBEN_GETDISPINFOA, shown);
    return shown;
}

template <typename Notice, typename Char>
void ComboBoxEx::AskDisplay(int index, UINT code, ComboBoxExItem& shown) {
    const UINT mask = shown.CallbackMask();
    Char buffer[CBEMAXSTRLEN] = {};
    Notice notice{};
    notice.ceItem.mask = mask;
    notice.ceItem.iItem = index;
    notice.ceItem.pszText = buffer;
    notice.ceItem.cchTextMax = CBEMAXSTRLEN;
    notice.ceItem.iImage = shown.image;
    notice.ceItem.iSelectedImage = shown.selectedImage;
    notice.ceItem.iIndent = shown.indent;
    notice.ceItem.lParam = shown.data;
    NotifyParent(m_window, code, notice.hdr);
    const auto& answer = notice.ceItem;
    // The parent writes into the buffer or points at a text of its own.
    if (mask & CBEIF_TEXT) {
        const bool readable = answer.pszText && answer.pszText != reinterpret_cast<Char*>(-1);
        if (answer.pszText == buffer)
            buffer[CBEMAXSTRLEN - 1] = 0;
        shown.text = readable ? TextFromCaller(answer.pszText) : std::u16string();
    }
    if (mask & CBEIF_IMAGE)
        shown.image = answer.iImage;
    if (mask & CBEIF_SELECTEDIMAGE)
        shown.selectedImage = answer.iSelectedImage;
    if (!(answer.mask & CBEIF_DI_SETITEM))
        return;
    // Kept from now on: the parent is not asked again.
    ComboBoxExItem& item = At(index);
    if (mask & CBEIF_TEXT)
        item.text = shown.text;
    if (mask & CBEIF_IMAGE)
        item.image = shown.image;
    if (mask & CBEIF_SELECTEDIMAGE)
        item.selectedImage = shown.selectedImage;
    item.textCallback = false;
    item.imageCallback = false;
    item.selectedImageCallback = false;
}

void ComboBoxEx::DrawItem(const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    RECT rect = draw.rcItem;
    const bool highlighted = (draw.itemState & ODS_SELECTED) != 0;
    const bool field = (draw.itemState & ODS_COMBOBOXEDIT) != 0;
    const bool enabled = !(draw.itemState & ODS_DISABLED);
    FillRect(dc, &rect, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int index = static_cast<int>(draw.itemID);
    if (index < 0 || index >= Count())
        return;
    const ComboBoxExItem item = Displayed(index);
    // Only the list shows the indent; the field keeps its image at the left.
    int x = rect.left + LeadingGap + (field ? 0 : item.indent * IndentStep);
    const bool withImage = m_images && !(field && (m_extendedStyle & CBES_EX_NOEDITIMAGE));
    if (withImage) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(m_images, &width, &height);
        const int image = highlighted && item.selectedImage >= 0 ? item.selectedImage : item.image;
        if (image >= 0)
            ImageList_Draw(m_images, image, dc, x, rect.top + (rect.bottom - rect.top - height) / 2,
                           ILD_TRANSPARENT);
        x += width + ImageGap;
    }
    FontSelection font(dc, m_font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled      ? COLOR_GRAYTEXT
                                 : highlighted ? COLOR_HIGHLIGHTTEXT
                                               : COLOR_WINDOWTEXT));
    RECT text{x, rect.top, rect.right, rect.bottom};
    DrawTextW(dc, item.text.data(), static_cast<int>(item.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((draw.itemState & ODS_FOCUS) && !field)
        DrawFocusRect(dc, &rect);
}

LRESULT ComboBoxEx::ForwardColours(UINT message, WPARAM wParam, LPARAM lParam) const {
    HWND parent = GetParent(m_window);
    const LRESULT brush = parent ? SendMessageW(parent, message, wParam, lParam) : 0;
    return brush ? brush : DefWindowProcW(m_window, message, wParam, lParam);
}

void ComboBoxEx::Paint(HDC dc) {
    RECT client{};
    GetClientRect(m_window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
}

LRESULT ComboBoxEx::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        Create(reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGING:
        KeepInnerSize(reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (m_combo)
            SendMessageW(m_combo, WM_SETFONT, wParam, lParam);
        UpdateItemHeight();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETFOCUS:
        if (m_combo)
            SetFocus(m_combo);
        return 0;
    case WM_ENABLE:
        if (m_combo)
            EnableWindow(m_combo, wParam != 0);
        return 0;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure)
            measure->itemHeight = static_cast<UINT>(ItemHeight());
        return TRUE;
    }
    case WM_DRAWITEM:
        if (const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            draw && draw->CtlType == ODT_COMBOBOX) {
            DrawItem(*draw);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        // The inner combo box's notifications reach the parent as this window's.
        if (reinterpret_cast<HWND>(lParam) == m_combo && m_combo)
            return InnerCommand(HIWORD(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        return ForwardColours(message, wParam, lParam);

    case CBEM_INSERTITEMA:
        return Insert(reinterpret_cast<const COMBOBOXEXITEMA*>(lParam));
    case CBEM_INSERTITEMW:
        return Insert(reinterpret_cast<const COMBOBOXEXITEMW*>(lParam));
    case CBEM_SETITEMA:
        return SetItem(reinterpret_cast<const COMBOBOXEXITEMA*>(lParam));
    case CBEM_SETITEMW:
        return SetItem(reinterpret_cast<const COMBOBOXEXITEMW*>(lParam));
    case CBEM_GETITEMA:
        return GetItem(reinterpret_cast<COMBOBOXEXITEMA*>(lParam));
    case CBEM_GETITEMW:
        return GetItem(reinterpret_cast<COMBOBOXEXITEMW*>(lParam));
    case CBEM_DELETEITEM:
        return Delete(wParam);
    case CB_RESETCONTENT:
        Reset();
        return CB_OKAY;
    case CBEM_SETIMAGELIST: {
        HIMAGELIST previous = m_images;
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        UpdateItemHeight();
        InvalidateRect(m_combo, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }
    case CBEM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case CBEM_GETCOMBOCONTROL:
        return reinterpret_cast<LRESULT>(m_combo);
    case CBEM_GETEDITCONTROL: {
        COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
        if (!m_combo || !GetComboBoxInfo(m_combo, &info) || info.hwndItem == m_combo)
            return 0;
        return reinterpret_cast<LRESULT>(info.hwndItem);
    }
    case CBEM_SETEXTENDEDSTYLE:
    case CBEM_SETEXSTYLE: {
        const DWORD previous = m_extendedStyle;
        const DWORD mask = message == CBEM_SETEXTENDEDSTYLE && wParam ? static_cast<DWORD>(wParam) : ~0u;
        m_extendedStyle = (m_extendedStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        InvalidateRect(m_combo, nullptr, TRUE);
        return previous;
    }
    case CBEM_GETEXTENDEDSTYLE:
        return m_extendedStyle;
    case CBEM_HASEDITCHANGED:
        return m_editChanged ? TRUE : FALSE;
    case CB_SETCURSEL: {
        const LRESULT result = m_combo ? SendMessageW(m_combo, message, wParam, lParam) : CB_ERR;
        ShowSelectionInEdit();
        return result;
    }
    case CB_GETITEMDATA: {
        const auto index = static_cast<INT_PTR>(wParam);
        return index >= 0 && index < Count() ? At(static_cast<int>(index)).data : CB_ERR;
    }
    case CB_SETITEMDATA: {
        const auto index = static_cast<INT_PTR>(wParam);
        if (index < 0 || index >= Count())
            return CB_ERR;
        At(static_cast<int>(index)).data = lParam;
        return TRUE;
    }
    case CB_GETCOUNT:
    case CB_GETCURSEL:
    case CB_SHOWDROPDOWN:
    case CB_GETDROPPEDSTATE:
    case CB_GETDROPPEDCONTROLRECT:
    case CB_GETDROPPEDWIDTH:
    case CB_SETDROPPEDWIDTH:
    case CB_GETITEMHEIGHT:
    case CB_SETITEMHEIGHT:
    case CB_LIMITTEXT:
    case CB_GETEDITSEL:
    case CB_SETEDITSEL:
    case CB_GETCOMBOBOXINFO:
        return m_combo ? SendMessageW(m_combo, message, wParam, lParam) : CB_ERR;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

} // namespace

void RegisterComboBoxExClass() {
    RegisterCommonControlClass(WC_COMBOBOXEXW, CommonControlProc<ComboBoxEx>, CS_DBLCLKS);
}

} // namespace platform
