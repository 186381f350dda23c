// The "STATIC" window procedure: text laid out by its style, icons and bitmaps (the control
// takes their size unless told otherwise), rectangles, frames and etched lines, and clicks
// reported with SS_NOTIFY.

#include "platform/controls/statics/Static.h"

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/OwnerDraw.h"
#include "platform/user/WindowClass.h"

namespace platform {

namespace {

struct StaticState {
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
};

bool IsTextType(DWORD type) {
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
           type == SS_LEFTNOWORDWRAP;
}

UINT TextFormat(DWORD style) {
    DWORD type = style & SS_TYPEMASK;
    UINT format = DT_EXPANDTABS;
    if (type == SS_CENTER)
        format |= DT_CENTER;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT;
    if (type == SS_SIMPLE)
        format |= DT_SINGLELINE;
    else if (style & SS_CENTERIMAGE)
        format |= DT_SINGLELINE | DT_VCENTER;
    else if (type != SS_LEFTNOWORDWRAP)
        format |= DT_WORDBREAK;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_EDITCONTROL)
        format |= DT_EDITCONTROL;
    switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS:
        format |= DT_END_ELLIPSIS;
        break;
    case SS_PATHELLIPSIS:
        format |= DT_PATH_ELLIPSIS;
        break;
    case SS_WORDELLIPSIS:
        format |= DT_WORD_ELLIPSIS;
        break;
    default:
        break;
    }
    return format;
}

// The colour of the plain rectangles and frames, as the style names it.
int PlainColour(DWORD type) {
    switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME:
        return COLOR_WINDOWFRAME;
    case SS_GRAYRECT:
    case SS_GRAYFRAME:
        return COLOR_BACKGROUND;
    default:
        return COLOR_WINDOW;
    }
}

SIZE ImageSize(HANDLE image, UINT type) {
    if (!image)
        return {0, 0};
    HBITMAP bitmap = static_cast<HBITMAP>(image);
    ICONINFO info{};
    if (type == IMAGE_ICON) {
        if (!GetIconInfo(static_cast<HICON>(image), &info))
            return {0, 0};
        bitmap = info.hbmColor ? info.hbmColor : info.hbmMask;
    }
    BITMAP described{};
    SIZE size{0, 0};
    if (GetObjectW(bitmap, sizeof described, &described))
        size = {described.bmWidth,
                type == IMAGE_ICON && !info.hbmColor ? described.bmHeight / 2 : described.bmHeight};
    if (type == IMAGE_ICON) {
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    return size;
}

class Static {
public:
    Static(HWND handle, StaticState& state) : m_handle(handle), m_state(state) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_handle, GWL_STYLE)); }
    DWORD Type() const { return Style() & SS_TYPEMASK; }
    bool Notifies() const { return (Style() & SS_NOTIFY) != 0; }
    // The type that shows the image kind, or 0 when the image does not fit the control.
    bool ShowsImage(UINT imageType) const {
        return (Type() == SS_ICON && imageType == IMAGE_ICON) ||
               (Type() == SS_BITMAP && imageType == IMAGE_BITMAP);
    }

    void Paint(HDC dc);
    void PaintImage(HDC dc, const RECT& client);
    void DrawOwnerDrawn(HDC dc);
    HANDLE SetImage(HANDLE image, UINT type);
    void FitToImage();

    HWND m_handle;
    StaticState& m_state;
};

void Static::Paint(HDC dc) {
    RECT client{};
    GetClientRect(m_handle, &client);
    DWORD style = Style();
    DWORD type = style & SS_TYPEMASK;
    int saved = SaveDC(dc);
    SelectObject(dc, ControlFont(m_state.font));
    switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
        FillRect(dc, &client, GetSysColorBrush(PlainColour(type)));
        break;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
        FrameRect(dc, &client, GetSysColorBrush(PlainColour(type)));
        break;
    case SS_ETCHEDFRAME:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
        break;
    case SS_ETCHEDHORZ:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP);
        break;
    case SS_ETCHEDVERT:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_LEFT);
        break;
    case SS_OWNERDRAW:
        DrawOwnerDrawn(dc);
        break;
    case SS_ICON:
    case SS_BITMAP:
        FillRect(dc, &client, AskParentForColours(m_handle, dc, WM_CTLCOLORSTATIC));
        PaintImage(dc, client);
        break;
    default:
        if (IsTextType(type)) {
            FillRect(dc, &client, AskParentForColours(m_handle, dc, WM_CTLCOLORSTATIC));
            DrawControlText(dc, ControlText(m_handle), client, TextFormat(style),
                            IsWindowEnabled(m_handle) != FALSE);
        }
        break;
    }
    RestoreDC(dc, saved);
}

void Static::PaintImage(HDC dc, const RECT& client) {
    if (!m_state.image || !ShowsImage(m_state.imageType))
        return;
    SIZE size = ImageSize(m_state.image, m_state.imageType);
    int x = client.left;
    int y = client.top;
    if (Style() & SS_CENTERIMAGE) {
        x = (client.right - client.left - size.cx) / 2;
        y = (client.bottom - client.top - size.cy) / 2;
    }
    if (m_state.imageType == IMAGE_ICON) {
        DrawIconEx(dc, x, y, static_cast<HICON>(m_state.image), size.cx, size.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, m_state.image);
    BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void Static::DrawOwnerDrawn(HDC dc) {
    HWND parent = GetParent(m_handle);
    if (!parent)
        return;
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(m_handle));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = IsWindowEnabled(m_handle) ? 0 : ODS_DISABLED;
    item.hwndItem = m_handle;
    item.hDC = dc;
    GetClientRect(m_handle, &item.rcItem);
    SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void Static::FitToImage() {
    if (Style() & (SS_CENTERIMAGE | SS_REALSIZECONTROL))
        return;
    SIZE size = ImageSize(m_state.image, m_state.imageType);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    RECT frame{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&frame, Style(), FALSE, static_cast<DWORD>(GetWindowLongW(m_handle, GWL_EXSTYLE)));
    SetWindowPos(m_handle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HANDLE Static::SetImage(HANDLE image, UINT type) {
    HANDLE previous = m_state.imageType == type ? m_state.image : nullptr;
    m_state.image = image;
    m_state.imageType = type;
    if (ShowsImage(type))
        FitToImage();
    InvalidateRect(m_handle, nullptr, TRUE);
    return previous;
}

LRESULT Static::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        // A sunken static is drawn with the static edge by the frame.
        if (Style() & SS_SUNKEN)
            SetWindowLongW(m_handle, GWL_EXSTYLE, GetWindowLongW(m_handle, GWL_EXSTYLE) | WS_EX_STATICEDGE);
        break;
    case WM_CREATE:
        if (Type() == SS_ICON) {
            std::u16string name = ControlText(m_handle);
            if (!name.empty())
                if (HICON icon =
                        LoadIconW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_handle, GWLP_HINSTANCE)),
                                  name.c_str()))
                    SetImage(icon, IMAGE_ICON);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCHITTEST:
        // Without SS_NOTIFY the pointer passes through to the parent.
        return Notifies() ? HTCLIENT : HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintControl(m_handle, wParam, [&](HDC dc) { Paint(dc); });
        return 0;
    case WM_SETFONT:
        m_state.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_handle, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_state.font);
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(m_handle, message, wParam, lParam);
        InvalidateRect(m_handle, nullptr, TRUE);
        return result;
    }
    case WM_ENABLE:
        InvalidateRect(m_handle, nullptr, TRUE);
        if (Notifies())
            NotifyParentCommand(m_handle, wParam ? STN_ENABLE : STN_DISABLE);
        return 0;
    case WM_LBUTTONDOWN:
        if (Notifies())
            NotifyParentCommand(m_handle, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (Notifies())
            NotifyParentCommand(m_handle, STN_DBLCLK);
        return 0;
    case STM_SETICON:
        return reinterpret_cast<LRESULT>(SetImage(reinterpret_cast<HANDLE>(wParam), IMAGE_ICON));
    case STM_GETICON:
        return m_state.imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(m_state.image) : 0;
    case STM_SETIMAGE:
        if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON)
            return 0;
        return reinterpret_cast<LRESULT>(
            SetImage(reinterpret_cast<HANDLE>(lParam), static_cast<UINT>(wParam)));
    case STM_GETIMAGE:
        return static_cast<UINT>(wParam) == m_state.imageType ? reinterpret_cast<LRESULT>(m_state.image) : 0;
    default:
        break;
    }
    return DefWindowProcW(m_handle, message, wParam, lParam);
}

} // namespace

void RegisterStaticClass() {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = StatefulControlProc<StaticState, Static>;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = WC_STATICW;
    RegisterSystemClass(description);
}

} // namespace platform
