// The status bar ("msctls_statusbar32"): a row of parts along the bottom of its parent, each
// with a text drawn sunken, raised, without borders or by the owner; a simple mode with a
// text of its own over the whole bar; and a size grip that sizes the top-level window.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/CommonControlClasses.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr int HorizontalBorder = 0;
constexpr int VerticalBorder = 2;
constexpr int PartGap = 2;
constexpr int MaxParts = 256;
// Space between a part's edge and its text.
constexpr int TextInset = 3;

struct Part {
    int rightEdge = -1;
    std::u16string text;
    WORD type = 0;
    LPARAM ownerData = 0;
};

class StatusBar {
public:
    explicit StatusBar(HWND window) : m_window(window), m_parts(1) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area (WM_PAINT, WM_PRINTCLIENT).
    void Paint(HDC dc);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    int PartCount() const { return static_cast<int>(m_parts.size()); }
    int Height() const;
    RECT PartRect(int index) const;
    RECT GripRect() const;
    bool ShowsGrip() const;
    Part* PartFor(WPARAM index);

    void PlaceInParent();
    template <typename Char>
    LRESULT SetText(WPARAM wParam, LPARAM lParam);
    template <typename Char>
    LRESULT GetText(WPARAM index, Char* buffer);
    LRESULT TextLength(WPARAM index, bool unicode);
    LRESULT SetParts(int count, const int* edges);
    LRESULT GetParts(int count, int* edges) const;
    void SetSimple(bool simple);
    LRESULT HitTest(LPARAM lParam);

    void PaintPart(HDC dc, const Part& part, int index, RECT rect);
    void PaintText(HDC dc, std::u16string_view text, RECT rect, bool parseTabs);

    HWND m_window;
    std::vector<Part> m_parts;
    Part m_simplePart;
    bool m_simple = false;
    int m_minHeight = 0;
    HFONT m_font = nullptr;
    COLORREF m_background = CLR_DEFAULT;
};

int StatusBar::Height() const {
    // The text's line and a pixel of the part's edge above and below it.
    int drawingArea = std::max(m_minHeight, LineHeight(m_font) + 2);
    return drawingArea + 2 * VerticalBorder;
}

RECT StatusBar::PartRect(int index) const {
    RECT client;
    GetClientRect(m_window, &client);
    RECT rect{HorizontalBorder, VerticalBorder, client.right, client.bottom - VerticalBorder};
    if (m_simple)
        return rect;
    if (index > 0) {
        int previous = m_parts[static_cast<std::size_t>(index - 1)].rightEdge;
        rect.left = (previous < 0 ? client.right : previous) + PartGap;
    }
    int edge = m_parts[static_cast<std::size_t>(index)].rightEdge;
    if (edge >= 0 && edge < client.right)
        rect.right = edge;
    rect.left = std::min(rect.left, client.right);
    rect.right = std::max(rect.right, rect.left);
    return rect;
}

RECT StatusBar::GripRect() const {
    RECT client;
    GetClientRect(m_window, &client);
    int size = GetSystemMetrics(SM_CXVSCROLL);
    return RECT{client.right - size, client.bottom - size, client.right, client.bottom};
}

// The grip is shown while the top-level window can be sized, that is, not maximised.
bool StatusBar::ShowsGrip() const {
    return (Style() & SBARS_SIZEGRIP) && !IsZoomed(GetAncestor(m_window, GA_ROOT));
}

Part* StatusBar::PartFor(WPARAM index) {
    if (index == SB_SIMPLEID)
        return &m_simplePart;
    if (index >= m_parts.size())
        return nullptr;
    return &m_parts[index];
}

void StatusBar::PlaceInParent() {
    DWORD style = Style();
    HWND parent = GetParent(m_window);
    if (!parent || (style & (CCS_NORESIZE | CCS_NOPARENTALIGN)))
        return;
    RECT client;
    GetClientRect(parent, &client);
    int height = Height();
    int top = (style & CCS_BOTTOM) == CCS_TOP ? 0 : client.bottom - height;
    SetWindowPos(m_window, nullptr, 0, top, client.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// lParam is the text, or for an owner-drawn part the data handed to the owner.
template <typename Char>
LRESULT StatusBar::SetText(WPARAM wParam, LPARAM lParam) {
    Part* part = PartFor(wParam & 0xFF);
    if (!part)
        return FALSE;
    part->type = static_cast<WORD>(wParam & 0xFF00);
    bool ownerDrawn = part->type & SBT_OWNERDRAW;
    part->ownerData = ownerDrawn ? lParam : 0;
    part->text = ownerDrawn ? std::u16string() : TextFromCaller(reinterpret_cast<const Char*>(lParam));
    InvalidateRect(m_window, nullptr, TRUE);
    return TRUE;
}

template <typename Char>
LRESULT StatusBar::GetText(WPARAM index, Char* buffer) {
    Part* part = PartFor(index);
    if (!part)
        return 0;
    if (part->type & SBT_OWNERDRAW)
        return part->ownerData;
    // The caller's buffer is as large as the length says; there is no size to go by.
    if (buffer)
        CopyTextToCaller(part->text, buffer, TextLengthFor(part->text, sizeof(Char) == 2) + 1);
    return MAKELONG(TextLengthFor(part->text, sizeof(Char) == 2), part->type);
}

LRESULT StatusBar::TextLength(WPARAM index, bool unicode) {
    Part* part = PartFor(index);
    if (!part)
        return 0;
    return MAKELONG(TextLengthFor(part->text, unicode), part->type);
}

LRESULT StatusBar::SetParts(int count, const int* edges) {
    if (count <= 0 || count > MaxParts || !edges)
        return FALSE;
    m_parts.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        m_parts[static_cast<std::size_t>(i)].rightEdge = edges[i];
    InvalidateRect(m_window, nullptr, TRUE);
    return TRUE;
}

LRESULT StatusBar::GetParts(int count, int* edges) const {
    if (edges) {
        for (int i = 0; i < std::min(count, PartCount()); ++i)
            edges[i] = m_parts[static_cast<std::size_t>(i)].rightEdge;
    }
    return PartCount();
}

void StatusBar::SetSimple(bool simple) {
    m_simple = simple;
    NMHDR header{};
    NotifyParent(m_window, SBN_SIMPLEMODECHANGE, header);
    InvalidateRect(m_window, nullptr, TRUE);
}

LRESULT StatusBar::HitTest(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_window, &point);
    RECT grip = GripRect();
    if (ShowsGrip() && PtInRect(&grip, point))
        return HTBOTTOMRIGHT;
    return DefWindowProcW(m_window, WM_NCHITTEST, 0, lParam);
}

void StatusBar::PaintText(HDC dc, std::u16string_view text, RECT rect, bool parseTabs) {
    rect.left += TextInset;
    rect.right -= TextInset;
    // Up to two tab characters split the text into a left, a centred and a right-aligned piece.
    const UINT alignments[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (UINT alignment : alignments) {
        std::size_t tab = parseTabs && alignment != DT_RIGHT ? text.find(u'\t') : std::u16string_view::npos;
        std::u16string_view piece = text.substr(0, tab);
        if (!piece.empty()) {
            DrawTextW(dc, piece.data(), static_cast<int>(piece.size()), &rect,
                      alignment | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        if (tab == std::u16string_view::npos)
            return;
        text.remove_prefix(tab + 1);
    }
}

void StatusBar::PaintPart(HDC dc, const Part& part, int index, RECT rect) {
    if (rect.right <= rect.left)
        return;
    if (!(part.type & SBT_NOBORDERS))
        DrawEdge(dc, &rect, (part.type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    if (part.type & SBT_OWNERDRAW) {
        DRAWITEMSTRUCT item{};
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(m_window));
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = m_window;
        item.hDC = dc;
        item.rcItem = rect;
        item.itemData = static_cast<ULONG_PTR>(part.ownerData);
        SendMessageW(GetParent(m_window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        return;
    }
    PaintText(dc, part.text, rect, !(part.type & SBT_NOTABPARSING));
}

void StatusBar::Paint(HDC dc) {
    FontSelection font(dc, m_font);
    RECT client;
    GetClientRect(m_window, &client);
    COLORREF background = m_background == CLR_DEFAULT ? GetSysColor(COLOR_3DFACE) : m_background;
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(m_window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if (m_simple) {
        PaintPart(dc, m_simplePart, SB_SIMPLEID, PartRect(0));
    } else {
        for (int i = 0; i < PartCount(); ++i)
            PaintPart(dc, m_parts[static_cast<std::size_t>(i)], i, PartRect(i));
    }
    if (ShowsGrip()) {
        RECT grip = GripRect();
        DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

LRESULT StatusBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            create && !IS_INTRESOURCE(create->lpszName))
            m_parts[0].text = TextFromCaller(create->lpszName);
        PlaceInParent();
        return 0;
    case WM_SIZE:
        PlaceInParent();
        InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETTEXT:
        DefWindowProcW(m_window, message, wParam, lParam);
        return SetText<WCHAR>(0, lParam);
    case WM_NCHITTEST:
        return HitTest(lParam);
    case WM_NCLBUTTONDOWN:
        if (wParam == HTBOTTOMRIGHT) {
            SendMessageW(GetAncestor(m_window, GA_ROOT), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, lParam);
            return 0;
        }
        break;
    case SB_SETTEXTA:
        return SetText<char>(wParam, lParam);
    case SB_SETTEXTW:
        return SetText<WCHAR>(wParam, lParam);
    case SB_GETTEXTA:
        return GetText(wParam, reinterpret_cast<LPSTR>(lParam));
    case SB_GETTEXTW:
        return GetText(wParam, reinterpret_cast<LPWSTR>(lParam));
    case SB_GETTEXTLENGTHA:
        return TextLength(wParam, false);
    case SB_GETTEXTLENGTHW:
        return TextLength(wParam, true);
    case SB_SETPARTS:
        return SetParts(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case SB_GETPARTS:
        return GetParts(static_cast<int>(wParam), reinterpret_cast<int*>(lParam));
    case SB_GETBORDERS:
        if (auto* borders = reinterpret_cast<int*>(lParam)) {
            borders[0] = HorizontalBorder;
            borders[1] = VerticalBorder;
            borders[2] = PartGap;
            return TRUE;
        }
        return FALSE;
    case SB_SETMINHEIGHT:
        m_minHeight = static_cast<int>(wParam);
        return 0;
    case SB_SIMPLE:
        SetSimple(wParam != 0);
        return 0;
    case SB_ISSIMPLE:
        return m_simple;
    case SB_GETRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam); rect && (m_simple || wParam < m_parts.size())) {
            *rect = PartRect(m_simple ? 0 : static_cast<int>(wParam));
            return TRUE;
        }
        return FALSE;
    case SB_SETBKCOLOR: {
        COLORREF previous = m_background;
        m_background = static_cast<COLORREF>(lParam);
        InvalidateRect(m_window, nullptr, TRUE);
        return static_cast<LRESULT>(previous);
    }
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

} // namespace

void RegisterStatusBarClass() {
    RegisterCommonControlClass(STATUSCLASSNAMEW, CommonControlProc<StatusBar>,
                               CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform

HWND CreateStatusWindowW(LONG style, LPCWSTR text, HWND parent, UINT id) {
    InitCommonControls();
    return CreateWindowExW(0, STATUSCLASSNAMEW, text, static_cast<DWORD>(style), -100, -100, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
    InitCommonControls();
    return CreateWindowExA(0, STATUSCLASSNAMEA, text, static_cast<DWORD>(style), -100, -100, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}
