#include "skin/controls/WScrollbar.h"

#include "framework/classes/TypInfo.h"
#include "framework/graphics/Canvas.h"
#include "platform/base/MulDiv.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinProperties.h"
#include "skin/controls/WinSubClass.h"
#include "skin/forms/WinSkinDataHelpers.h"

#include <algorithm>

namespace {

// The range a control bar without one is measured against.
constexpr int EmptyRange = 9999999;
// The smallest thumb a control bar shows.
constexpr int MinimumThumb = 8;

LPARAM PointParam(POINT point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

POINT PointOf(const TMessage& message) {
    return POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
}

} // namespace

void ControlThumb(int length, int arrow, int minimum, int maximum, int page, int position, int& start,
                  int& end) {
    const int range = maximum == minimum ? EmptyRange : maximum - minimum;
    const int track = length - 2 * arrow;
    int size = 0;
    if (page != 0) {
        size = MulDiv(track, page - 1, range);
        if (size > MinimumThumb - 1) {
            start = position == minimum ? arrow : arrow + MulDiv(track, position - minimum, range);
        } else {
            size = MinimumThumb;
            start =
                position == minimum ? arrow : arrow + MulDiv(track - MinimumThumb, position - minimum, range);
        }
    } else {
        size = arrow;
        start = position == minimum ? arrow : arrow + MulDiv(length - 3 * arrow, position - minimum, range);
    }
    end = start + size;
}

const TClass& TWScrollbar::ClassInfo() {
    static const TClass info("TWScrollbar", &TCustomControl::ClassInfo());
    return info;
}

TWScrollbar::TWScrollbar(TComponent* owner)
    : TCustomControl(owner), m_arrowSize(GetSystemMetrics(SM_CXHSCROLL)) {
    SetTabStop(false);
}

TWScrollbar::~TWScrollbar() {
    m_alive.reset();
}

void TWScrollbar::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    // Made hidden: placing shows it over the bar.
    params.Style &= ~(WS_VISIBLE | WS_TABSTOP | WS_BORDER);
    params.ExStyle |= WS_EX_TOOLWINDOW;
}

void TWScrollbar::AttachToControl(TSkinControl* skin, TWinControl* control, TScrollBarMode mode) {
    Attach(skin, control, control->Handle(), mode);
}

void TWScrollbar::AttachToWindow(TSkinControl* skin, HWND window, TScrollBarMode mode) {
    Attach(skin, nullptr, window, mode);
}

void TWScrollbar::Attach(TSkinControl* skin, TWinControl* control, HWND window, TScrollBarMode mode) {
    m_skin = skin;
    m_scrolledControl = control;
    m_scrolledWindow = window;
    m_mode = mode;
    m_vertical = mode == sbmControl ? !skin_properties::Is(control, "Kind", "sbhorizontal")
                                    : mode == sbmWindowVertical;
    const TControl* parent = control ? control->Parent() : nullptr;
    if (skin_properties::HasOrdinal(parent, "Color"))
        SetColor(static_cast<TColor>(GetOrdProp(parent, "Color")));
    else if (skin && skin->SkinData())
        SetColor(SkinBackgroundColour(skin->SkinData()->Elements()));
    SetParentWindow(GetParent(window));
    HandleNeeded();
    Place();
}

// ---- where the bar is ----------------------------------------------------------------------

bool TWScrollbar::ReadGeometry(TOverlayGeometry& geometry) const {
    if (m_mode == sbmControl) {
        if (!m_scrolledControl || !IsWindow(m_scrolledWindow))
            return false;
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        if (!GetScrollInfo(m_scrolledWindow, SB_CTL, &info))
            return false;
        const TRect bounds = m_scrolledControl->BoundsRect();
        geometry.bar = bounds;
        geometry.arrow = m_arrowSize;
        const int length = m_vertical ? RectHeight(bounds) : RectWidth(bounds);
        ControlThumb(length, m_arrowSize, info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos,
                     geometry.thumbStart, geometry.thumbEnd);
        geometry.invisible = !IsWindowVisible(m_scrolledWindow);
        geometry.enabled = IsWindowEnabled(m_scrolledWindow) != FALSE;
        return true;
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!SkinGetScrollBarInfo(m_scrolledWindow, m_mode == sbmWindowVertical ? OBJID_VSCROLL : OBJID_HSCROLL,
                              &info))
        return false;
    geometry.bar = info.rcScrollBar;
    geometry.arrow = info.dxyLineButton;
    geometry.thumbStart = info.xyThumbTop;
    geometry.thumbEnd = info.xyThumbBottom;
    geometry.invisible = (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0;
    geometry.enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    return true;
}

bool TWScrollbar::ControlPressGeometry(TOverlayGeometry& geometry) const {
    if (!ReadGeometry(geometry))
        return false;
    // The thumb as the control's own properties place it.
    const int position = static_cast<int>(GetOrdProp(m_scrolledControl, "Position"));
    const int minimum = static_cast<int>(GetOrdProp(m_scrolledControl, "Min"));
    const int maximum = static_cast<int>(GetOrdProp(m_scrolledControl, "Max"));
    const int page = static_cast<int>(GetOrdProp(m_scrolledControl, "PageSize"));
    const int length =
        m_vertical ? geometry.bar.bottom - geometry.bar.top : geometry.bar.right - geometry.bar.left;
    const int arrow = m_arrowSize;
    const int track = page != 0 ? length - 2 * arrow : length - 3 * arrow;
    const int size = page != 0 ? MulDiv(length - 2 * arrow, page - 1, maximum - minimum) : arrow;
    geometry.thumbStart =
        position == minimum ? arrow : arrow + MulDiv(track, position - minimum, maximum - minimum);
    geometry.thumbEnd = geometry.thumbStart + size;
    return true;
}

void TWScrollbar::Measure(const TOverlayGeometry& geometry) {
    const int width = geometry.bar.right - geometry.bar.left;
    const int height = geometry.bar.bottom - geometry.bar.top;
    m_trackLength = m_vertical ? height : width;
    m_thumbStart = geometry.thumbStart;
    m_thumbEnd = geometry.thumbEnd;
}

void TWScrollbar::Place() {
    TOverlayGeometry geometry;
    if (!ReadGeometry(geometry)) {
        m_shown = false;
        return;
    }
    const bool windowVisible = (GetWindowLongPtrW(m_scrolledWindow, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!windowVisible || geometry.invisible) {
        HideOverlay();
        return;
    }
    const int width = geometry.bar.right - geometry.bar.left;
    const int height = geometry.bar.bottom - geometry.bar.top;
    POINT topLeft{geometry.bar.left, geometry.bar.top};
    if (m_mode == sbmControl) {
        m_barClientRect = RECT{0, 0, width, height};
    } else {
        m_barClientRect = geometry.bar;
        MapWindowPoints(nullptr, m_scrolledWindow, reinterpret_cast<POINT*>(&m_barClientRect), 2);
        ::ScreenToClient(GetParent(m_scrolledWindow), &topLeft);
    }
    Measure(geometry);
    m_barOrigin = POINT{geometry.bar.left, geometry.bar.top};
    HWND overlay = Handle();
    ShowWindow(overlay, SW_SHOWNA);
    m_shown = true;
    // Directly above the scrolled window, so nothing else comes between them.
    HWND above = GetWindow(m_scrolledWindow, GW_HWNDPREV);
    if (above != overlay)
        SetWindowPos(overlay, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MoveWindow(overlay, topLeft.x, topLeft.y, width, height, TRUE);
}

void TWScrollbar::HideOverlay() {
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
    m_shown = false;
}

void TWScrollbar::SetHotPart(int part) {
    m_hotPart = part;
    if (m_shown)
        Invalidate();
}

// ---- painting ------------------------------------------------------------------------------

bool TWScrollbar::CurrentPicture(TScrollBarPicture& picture) {
    TOverlayGeometry geometry;
    if (!ReadGeometry(geometry) || geometry.invisible)
        return false;
    picture.bar = RECT{0, 0, geometry.bar.right - geometry.bar.left, geometry.bar.bottom - geometry.bar.top};
    picture.vertical = m_vertical;
    picture.enabled = geometry.enabled;
    picture.arrow = m_arrowSize;
    picture.hot = static_cast<TScrollPart>(m_hotPart);
    picture.pressed = m_pressed;
    picture.skinThickness = m_mode == sbmControl;
    if (m_mode != sbmControl && m_pressed && m_hotPart == spThumb) {
        // The system drags the thumb: it follows the pointer from where it was taken.
        const int size = m_thumbEnd - m_thumbStart;
        POINT cursor{};
        GetCursorPos(&cursor);
        const int highest = std::max(m_arrowSize, m_trackLength - m_arrowSize - size);
        const int start =
            std::clamp(m_thumbStartAtPress + Along(cursor) - Along(m_pressCursor), m_arrowSize, highest);
        picture.thumbStart = start;
        picture.thumbEnd = start + size;
        return true;
    }
    Measure(geometry);
    picture.thumbStart = m_thumbStart;
    picture.thumbEnd = m_thumbEnd;
    return true;
}

void TWScrollbar::Paint() {
    if (!m_skin || !m_skin->SkinData())
        return;
    TScrollBarPicture picture;
    if (!CurrentPicture(picture))
        return;
    const TSkinElements& skin = m_skin->SkinData()->Elements();
    PaintScrollBar(Canvas()->Handle(), skin, picture, SIZE{Width(), Height()});
    m_painted = picture;
    m_paintedSkin = &skin;
}

void TWScrollbar::RefreshAfterScrolledPaint() {
    if (!m_shown)
        return;
    const bool keptOff = (GetWindowLongPtrW(m_scrolledWindow, GWL_STYLE) & WS_CLIPSIBLINGS) != 0;
    TScrollBarPicture picture;
    const bool same = keptOff && m_painted && m_skin && m_skin->SkinData() &&
                      m_paintedSkin == &m_skin->SkinData()->Elements() && CurrentPicture(picture) &&
                      SamePicture(picture, *m_painted);
    if (!same)
        Invalidate();
}

// ---- the mouse -----------------------------------------------------------------------------

TScrollPart TWScrollbar::PartAt(POINT client) const {
    return ScrollPartAt(Along(client), m_trackLength, m_arrowSize, m_thumbStart, m_thumbEnd);
}

void TWScrollbar::WndProc(TMessage& message) {
    const std::weak_ptr<bool> alive = m_alive;
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1; // the paint covers every pixel
        return;
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(message);
        if (!alive.expired())
            HandleMouseMove(PointOf(message));
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        TCustomControl::WndProc(message);
        if (!alive.expired())
            HandlePress(PointOf(message));
        return;
    case WM_LBUTTONUP:
        TCustomControl::WndProc(message);
        if (!alive.expired())
            HandleRelease(PointOf(message));
        return;
    case WM_MOUSELEAVE:
        TCustomControl::WndProc(message);
        if (!alive.expired())
            HandleMouseLeave();
        return;
    default:
        TCustomControl::WndProc(message);
        return;
    }
}

void TWScrollbar::HandleMouseMove(POINT client) {
    const TScrollPart part = PartAt(client);
    if (part != m_hotPart) {
        m_hotPart = part;
        Invalidate();
    }
    TrackMouseLeave(Handle());
}

void TWScrollbar::HandleMouseLeave() {
    if (m_pressed)
        return;
    m_hotPart = spNone;
    Invalidate();
}

void TWScrollbar::HandlePress(POINT client) {
    // Where the press happened, on the screen (the pointer may have moved on since).
    m_pressCursor = client;
    ::ClientToScreen(Handle(), &m_pressCursor);
    TOverlayGeometry geometry;
    const bool measured = m_mode == sbmControl ? ControlPressGeometry(geometry) : ReadGeometry(geometry);
    if (measured) {
        Measure(geometry);
        m_thumbStartAtPress = geometry.thumbStart;
    }
    m_hotPart = PartAt(client);
    POINT at = client;
    if (m_mode != sbmControl && measured) {
        // The frame click the system expects is at a screen position.
        m_barOrigin = POINT{geometry.bar.left, geometry.bar.top};
        at.x += m_barOrigin.x;
        at.y += m_barOrigin.y;
    }
    m_pressed = true;
    Invalidate();
    m_hotPart = PartAt(client);
    ReleaseCapture();
    const std::weak_ptr<bool> alive = m_alive;
    // Returns when the system's tracking loop has seen the button go up.
    switch (m_mode) {
    case sbmWindowVertical:
        SendMessageW(m_scrolledWindow, WM_NCLBUTTONDOWN, HTVSCROLL, PointParam(at));
        break;
    case sbmWindowHorizontal:
        SendMessageW(m_scrolledWindow, WM_NCLBUTTONDOWN, HTHSCROLL, PointParam(at));
        break;
    case sbmControl:
        SendMessageW(m_scrolledWindow, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(at));
        break;
    }
    if (alive.expired())
        return;
    m_pressed = false;
    ReleaseCapture();
    if (m_mode == sbmControl)
        Invalidate();
}

void TWScrollbar::HandleRelease(POINT client) {
    POINT at = client;
    if (m_mode != sbmControl) {
        at.x += m_barOrigin.x;
        at.y += m_barOrigin.y;
    }
    m_pressed = false;
    ReleaseCapture();
    switch (m_mode) {
    case sbmWindowVertical:
        PostMessageW(m_scrolledWindow, WM_NCLBUTTONUP, HTVSCROLL, PointParam(at));
        break;
    case sbmWindowHorizontal:
        PostMessageW(m_scrolledWindow, WM_NCLBUTTONUP, HTHSCROLL, PointParam(at));
        break;
    case sbmControl:
        PostMessageW(m_scrolledWindow, WM_LBUTTONUP, MK_LBUTTON, PointParam(at));
        Invalidate();
        break;
    }
}
