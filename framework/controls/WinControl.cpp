#include "framework/controls/WinControl.h"

#include "core/Format.h"
#include "framework/classes/Module.h"
#include "framework/classes/PropertyTable.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

void SetCreationControl(TWinControl* control);
LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// Child window ids, so that WM_MEASUREITEM (which names only an id) finds its control.
int g_nextChildId = 100;

// The control the mouse is over, told of CM_MOUSEENTER and CM_MOUSELEAVE.
TControl* g_mouseControl = nullptr;

bool IsReflectedCommand(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

} // namespace

const TClass& TWinControl::ClassInfo() {
    static const TClass info(
        "TWinControl", &TControl::ClassInfo(),
        {
            OrdProperty("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
            EnumProperty("TabStop", BooleanIdents(), &TWinControl::TabStop, &TWinControl::SetTabStop),
        });
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), m_brush(std::make_unique<TBrush>()) {
    m_brush->SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    if (g_mouseControl == this)
        g_mouseControl = nullptr;
    if (m_parent)
        m_parent->RemoveControl(this);
    // Children that are owned elsewhere lose their parent; their windows go with ours.
    while (!m_controls.empty())
        RemoveControl(m_controls.back());
    DestroyHandle();
}

// ---- the window -------------------------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = m_text;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (m_controlStyle.Contains(csAcceptsControls))
        params.Style |= WS_CLIPCHILDREN;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (m_tabStop)
        params.Style |= WS_TABSTOP;
    params.X = m_left;
    params.Y = m_top;
    params.Width = m_width;
    params.Height = m_height;
    params.WndParent = m_parent ? m_parent->Handle() : m_parentWindow;
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WindowClass.lpfnWndProc = DefWindowProcA;
    params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    params.WindowClass.hInstance = HInstance();
    params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* platformClass) {
    WNDCLASSA platform{};
    if (!GetClassInfoA(nullptr, platformClass, &platform))
        return;
    const HINSTANCE instance = params.WindowClass.hInstance;
    params.WindowClass = platform;
    params.WindowClass.hInstance = instance;
    params.WindowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        return;
    m_defWndProc = params.WindowClass.lpfnWndProc;
    WNDCLASSA registered{};
    const bool known =
        GetClassInfoA(params.WindowClass.hInstance, params.WinClassName.c_str(), &registered) &&
        registered.lpfnWndProc == FrameworkWindowProc;
    if (!known) {
        WNDCLASSA windowClass = params.WindowClass;
        windowClass.lpfnWndProc = FrameworkWindowProc;
        windowClass.lpszClassName = params.WinClassName.c_str();
        if (!RegisterClassA(&windowClass))
            throw EOutOfResources(Format("Cannot create window class %s", params.WinClassName.c_str()));
    }
    CreateWindowHandle(params);
    if (!m_handle)
        throw EOutOfResources(Format("Error creating window of %s", ClassName().c_str()));
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    HMENU id = nullptr;
    if (params.Style & WS_CHILD)
        id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextChildId++));
    SetCreationControl(this);
    HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                                  params.Style, params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, id, params.WindowClass.hInstance, params.Param);
    SetCreationControl(nullptr);
    m_handle = window;
}

void TWinControl::CreateHandle() {
    if (m_handle)
        return;
    m_controlState.Include(csCreating);
    try {
        CreateWnd();
    } catch (...) {
        m_controlState.Exclude(csCreating);
        throw;
    }
    m_controlState.Exclude(csCreating);
    if (!m_handle)
        return;
    SendMessageA(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    // The window's own idea of its size (a combo box's, a form's frame) becomes the bounds.
    UpdateBounds();
    if (m_parent)
        SetWindowPos(m_handle, m_parent->WindowAbove(this), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Children get their windows with ours, in z-order.
    for (TControl* control : m_controls) {
        if (auto* child = dynamic_cast<TWinControl*>(control)) {
            if (child->Visible())
                child->HandleNeeded();
        }
    }
    Realign();
}

void TWinControl::HandleNeeded() {
    if (m_handle)
        return;
    if (m_parent)
        m_parent->HandleNeeded();
    CreateHandle();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return m_handle;
}

void TWinControl::SetParentWindow(HWND window) {
    if (window == m_parentWindow)
        return;
    m_parentWindow = window;
    if (m_handle && !m_parent)
        ::SetParent(m_handle, window);
}

void TWinControl::DestroyWnd() {
    // The text lives in the window; keep it for the next one.
    m_text = GetText();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    DestroyWindow(m_handle);
}

void TWinControl::DestroyHandle() {
    if (!m_handle)
        return;
    for (TControl* control : m_controls) {
        if (auto* child = dynamic_cast<TWinControl*>(control))
            child->DestroyHandle();
    }
    if (m_handle)
        DestroyWnd();
    m_handle = nullptr;
}

void TWinControl::RecreateWnd() {
    if (m_handle)
        Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&) {
    const bool wasFocused = Focused();
    m_controlState.Include(csRecreating);
    DestroyHandle();
    m_controlState.Exclude(csRecreating);
    UpdateControlState();
    if (wasFocused && m_handle)
        ::SetFocus(m_handle);
}

void TWinControl::WMNCDestroy(TMessage& message) {
    DefaultHandler(message);
    RemovePropA(m_handle, MAKEINTATOM(ControlAtom()));
    m_handle = nullptr;
}

void TWinControl::UpdateControlState() {
    if (!Showing()) {
        if (m_handle)
            ShowWindow(m_handle, SW_HIDE);
        return;
    }
    if (!m_parent && !m_parentWindow && !dynamic_cast<TCustomForm*>(this))
        return;
    HandleNeeded();
    if (m_handle)
        SetWindowPos(m_handle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TWinControl::UpdateBounds() {
    if (!m_handle)
        return;
    RECT rect{};
    GetWindowRect(m_handle, &rect);
    if (GetWindowLongA(m_handle, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(m_handle);
        POINT origin{0, 0};
        ::ClientToScreen(parent, &origin);
        OffsetRect(&rect, -origin.x, -origin.y);
    }
    m_left = rect.left;
    m_top = rect.top;
    m_width = RectWidth(rect);
    m_height = RectHeight(rect);
}

std::string TWinControl::GetText() const {
    if (!m_handle)
        return m_text;
    const int length = GetWindowTextLengthA(m_handle);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(m_handle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::StoreText(const std::string& text) {
    m_text = text;
    if (m_handle)
        SetWindowTextA(m_handle, text.c_str());
}

// ---- children, alignment, z-order -------------------------------------------------------------

void TWinControl::InsertControl(TControl* control) {
    if (!control || control->m_parent == this)
        return;
    m_controls.push_back(control);
    control->m_parent = this;
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        m_tabList.push_back(child);
        if (m_handle && child->Visible())
            child->UpdateControlState();
    } else {
        control->Invalidate();
    }
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return;
    if (m_captureControl == control)
        m_captureControl = nullptr;
    if (g_mouseControl == control)
        g_mouseControl = nullptr;
    control->Invalidate();
    m_controls.erase(it);
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        m_tabList.erase(std::remove(m_tabList.begin(), m_tabList.end(), child), m_tabList.end());
        if (!m_controlState.Contains(csRecreating))
            child->DestroyHandle();
    }
    control->m_parent = nullptr;
    Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* parent = control; parent; parent = parent->Parent()) {
        if (parent == this)
            return true;
    }
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint position, bool allowDisabled, bool allowWinControls) {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* control = *it;
        if (!allowWinControls && dynamic_cast<TWinControl*>(control))
            continue;
        if (!control->Visible() || (!control->Enabled() && !allowDisabled))
            continue;
        const TRect bounds = control->BoundsRect();
        if (PtInRect(&bounds, position))
            return control;
    }
    return nullptr;
}

HWND TWinControl::WindowAbove(const TWinControl* child) const {
    auto it = std::find(m_controls.begin(), m_controls.end(), child);
    if (it == m_controls.end())
        return HWND_TOP;
    for (++it; it != m_controls.end(); ++it) {
        if (auto* above = dynamic_cast<TWinControl*>(*it); above && above->m_handle)
            return above->m_handle;
    }
    return HWND_TOP;
}

void TWinControl::SetChildOrder(TControl* child, bool toFront) {
    auto it = std::find(m_controls.begin(), m_controls.end(), child);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    if (toFront)
        m_controls.push_back(child);
    else
        m_controls.insert(m_controls.begin(), child);
    if (auto* windowed = dynamic_cast<TWinControl*>(child); windowed && windowed->m_handle)
        SetWindowPos(windowed->m_handle, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else
        child->Invalidate();
}

void TWinControl::Broadcast(TMessage& message) {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        m_controls[i]->WindowProc()(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(UINT message) {
    TMessage record{message, 0, 0, 0};
    for (std::size_t i = 0; i < m_controls.size(); ++i)
        m_controls[i]->WindowProc()(record);
}

void TWinControl::EnableAlign() {
    if (--m_alignDisabled == 0)
        Realign();
}

void TWinControl::Realign() {
    if (m_alignDisabled > 0 || m_aligning)
        return;
    m_aligning = true;
    TRect rect = ClientRect();
    AlignControls(nullptr, rect);
    m_aligning = false;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    // One kind after the other, each in the order of its place (top to bottom, left to right,
    // from the edge inwards).
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* control : m_controls) {
            if (control->Align() == kind && control->Visible())
                list.push_back(control);
        }
        std::stable_sort(list.begin(), list.end(), [kind](TControl* a, TControl* b) {
            switch (kind) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* control : list) {
            const int width = control->Width();
            const int height = control->Height();
            switch (kind) {
            // A control may take another height at its new width (a tool bar's rows wrap).
            case alTop:
                control->SetBounds(rect.left, rect.top, RectWidth(rect), height);
                rect.top += control->Height();
                break;
            case alBottom:
                control->SetBounds(rect.left, rect.bottom - height, RectWidth(rect), height);
                if (control->Height() != height)
                    control->SetBounds(rect.left, rect.bottom - control->Height(), RectWidth(rect),
                                       control->Height());
                rect.bottom -= control->Height();
                break;
            case alLeft:
                control->SetBounds(rect.left, rect.top, width, RectHeight(rect));
                rect.left += width;
                break;
            case alRight:
                control->SetBounds(rect.right - width, rect.top, width, RectHeight(rect));
                rect.right -= width;
                break;
            default:
                control->SetBounds(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
                break;
            }
        }
    }
}

// ---- tab order and focus -------------------------------------------------------------------

int TWinControl::TabOrder() const {
    if (!m_parent)
        return -1;
    const auto& list = m_parent->m_tabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!m_parent)
        return;
    auto& list = m_parent->m_tabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == m_tabStop)
        return;
    m_tabStop = tabStop;
    if (m_handle) {
        const LONG style = GetWindowLongA(m_handle, GWL_STYLE);
        SetWindowLongA(m_handle, GWL_STYLE,
                       tabStop ? style | WS_TABSTOP : style & ~static_cast<LONG>(WS_TABSTOP));
    }
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* child : m_tabList) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count)
        start = forward ? count - 1 : 0;
    int index = start;
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index - 1 + count) % count;
        TWinControl* candidate = list[static_cast<std::size_t>(index)];
        if (candidate == current)
            break;
        if ((!checkTabStop || candidate->TabStop()) && (!checkParent || candidate->Parent() == this) &&
            candidate->CanFocus())
            return candidate;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

bool TWinControl::CanFocus() {
    for (const TControl* control = this; control; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled())
            return false;
    }
    return true;
}

bool TWinControl::Focused() {
    return m_handle && GetFocus() == m_handle;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
        return;
    }
    if (CanFocus())
        ::SetFocus(Handle());
}

// ---- geometry and state ---------------------------------------------------------------------

TRect TWinControl::ClientRect() {
    if (!m_handle)
        return TControl::ClientRect();
    RECT rect{};
    GetClientRect(m_handle, &rect);
    return rect;
}

TPoint TWinControl::ClientOrigin() {
    POINT origin{0, 0};
    if (m_handle) {
        ::ClientToScreen(m_handle, &origin);
        return origin;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (m_handle)
        SetWindowPos(m_handle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        Realign();
    RequestAlign();
}

bool TWinControl::Showing() const {
    if (!Visible())
        return false;
    if (Parent())
        return Parent()->Showing();
    return m_handle ? IsWindowVisible(m_handle) != FALSE : true;
}

void TWinControl::SetParentBackground(bool parentBackground) {
    if (parentBackground == ParentBackground())
        return;
    if (parentBackground)
        m_controlStyle.Include(csParentBackground);
    else
        m_controlStyle.Exclude(csParentBackground);
    Invalidate();
}

void TWinControl::Invalidate() {
    if (m_handle)
        InvalidateRect(m_handle, nullptr, !m_controlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (m_handle)
        UpdateWindow(m_handle);
}

void TWinControl::CMEnabledChanged(TMessage&) {
    if (m_handle)
        EnableWindow(m_handle, Enabled());
}

void TWinControl::CMVisibleChanged(TMessage&) {
    UpdateControlState();
}

void TWinControl::CMShowingChanged(TMessage&) {
    UpdateControlState();
}

void TWinControl::CMColorChanged(TMessage& message) {
    m_brush->SetColor(Color());
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::CMColorChanged(message);
}

void TWinControl::CMFontChanged(TMessage& message) {
    if (m_handle)
        SendMessageA(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::CMFontChanged(message);
}

void TWinControl::CMTextChanged(TMessage&) {}

void TWinControl::CMEnter(TMessage&) {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::CMExit(TMessage&) {
    if (OnExit)
        OnExit(this);
}

// ---- painting -------------------------------------------------------------------------------

void TWinControl::PaintWindow(HDC dc) {
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = first ? std::find(m_controls.begin(), m_controls.end(), first) : m_controls.begin();
    for (; it != m_controls.end(); ++it) {
        TControl* control = *it;
        if (dynamic_cast<TWinControl*>(control) || !control->Visible())
            continue;
        const TRect bounds = control->BoundsRect();
        if (!RectVisible(dc, &bounds))
            continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, RectWidth(bounds), RectHeight(bounds));
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    PAINTSTRUCT paint{};
    if (!dc)
        dc = BeginPaint(m_handle, &paint);
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    if (!message.WParam)
        EndPaint(m_handle, &paint);
}

void TWinControl::WMPaint(TMessage& message) {
    const bool hasGraphicChildren = std::any_of(m_controls.begin(), m_controls.end(), [](TControl* control) {
        return !dynamic_cast<TWinControl*>(control);
    });
    if (hasGraphicChildren)
        PaintHandler(message);
    else
        DefaultHandler(message);
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    if (m_defWndProc != DefWindowProcA) {
        DefaultHandler(message);
        return;
    }
    RECT rect{};
    GetClientRect(m_handle, &rect);
    FillRect(reinterpret_cast<HDC>(message.WParam), &rect, m_brush->Handle());
    message.Result = 1;
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    HandleNeeded();
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    IntersectClipRect(dc, 0, 0, m_width, m_height);
    // The frame first, then the client area at its offset inside the window.
    SendMessageA(m_handle, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
    RECT window{};
    GetWindowRect(m_handle, &window);
    POINT client{0, 0};
    ::ClientToScreen(m_handle, &client);
    OffsetViewportOrgEx(dc, client.x - window.left, client.y - window.top, nullptr);
    const RECT clientRect = ClientRect();
    IntersectClipRect(dc, 0, 0, RectWidth(clientRect), RectHeight(clientRect));
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TControl* control : m_controls) {
        if (auto* child = dynamic_cast<TWinControl*>(control); child && child->Visible())
            child->PaintTo(dc, child->Left(), child->Top());
    }
    RestoreDC(dc, saved);
}

// ---- messages -------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (RouteMouseToChild(message))
            return;
        break;
    default:
        break;
    }
    TControl::WndProc(message);
}

bool TWinControl::RouteMouseToChild(TMessage& message) {
    const TPoint position = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TControl* child = m_captureControl;
    if (!child)
        child = ControlAtPos(position);
    if (message.Msg == WM_MOUSEMOVE)
        TrackMouseControl(child ? child : this);
    if (!child)
        return false;
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN || message.Msg == WM_MBUTTONDOWN ||
        message.Msg == WM_LBUTTONDBLCLK || message.Msg == WM_RBUTTONDBLCLK) {
        if (child->ControlStyle().Contains(csCaptureMouse)) {
            m_captureControl = child;
            SetCapture(m_handle);
        }
    } else if (message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP) {
        if (m_captureControl) {
            m_captureControl = nullptr;
            ReleaseCapture();
        }
    }
    const LPARAM local = MAKELPARAM(static_cast<WORD>(position.x - child->Left()),
                                    static_cast<WORD>(position.y - child->Top()));
    message.Result = child->Perform(message.Msg, message.WParam, local);
    return true;
}

void TWinControl::TrackMouseControl(TControl* control) {
    if (control == g_mouseControl)
        return;
    TControl* previous = g_mouseControl;
    g_mouseControl = control;
    if (previous)
        previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
    if (control) {
        control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_handle, 0};
        TrackMouseEvent(&track);
    }
}

void TWinControl::WMMouseMove(TMessage& message) {
    TControl::Dispatch(message);
}

void TWinControl::WMMouseLeave(TMessage& message) {
    if (g_mouseControl == this ||
        (g_mouseControl && g_mouseControl->Parent() == this && !dynamic_cast<TWinControl*>(g_mouseControl))) {
        TControl* previous = g_mouseControl;
        g_mouseControl = nullptr;
        previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
    }
    DefaultHandler(message);
}

void TWinControl::WMSetCursor(TMessage& message) {
    if (Cursor() != crDefault && LOWORD(message.LParam) == HTCLIENT) {
        const LPCSTR shapes[] = {IDC_ARROW, IDC_ARROW, IDC_ARROW, IDC_IBEAM,  IDC_IBEAM, IDC_ARROW,
                                 IDC_ARROW, IDC_ARROW, IDC_ARROW, IDC_SIZEWE, IDC_ARROW, IDC_WAIT};
        const int index = -Cursor();
        if (index >= 0 && index < static_cast<int>(std::size(shapes))) {
            ::SetCursor(LoadCursorA(nullptr, shapes[index]));
            message.Result = 1;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::WMSize(TMessage& message) {
    DefaultHandler(message);
    Realign();
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
    DefaultHandler(message);
    UpdateBounds();
}

void TWinControl::WMSetFocus(TMessage& message) {
    DefaultHandler(message);
    if (TCustomForm* form = GetParentForm(this))
        form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& message) {
    DefaultHandler(message);
}

LRESULT TWinControl::DialogCode() {
    return SendMessageA(m_handle, WM_GETDLGCODE, 0, 0);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(key, shift))
        return true;
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(key, shift))
        return true;
    KeyUp(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(char& key) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(key))
        return true;
    KeyPress(key);
    return key == 0;
}

void TWinControl::WMKeyDown(TMessage& message) {
    WORD key = static_cast<WORD>(message.WParam);
    if (!DoKeyDown(key, KeyboardShiftState())) {
        message.WParam = key;
        DefaultHandler(message);
    }
}

void TWinControl::WMKeyUp(TMessage& message) {
    WORD key = static_cast<WORD>(message.WParam);
    if (!DoKeyUp(key, KeyboardShiftState())) {
        message.WParam = key;
        DefaultHandler(message);
    }
}

void TWinControl::WMChar(TMessage& message) {
    char key = static_cast<char>(message.WParam);
    if (!DoKeyPress(key)) {
        message.WParam = static_cast<BYTE>(key);
        DefaultHandler(message);
    }
}

void TWinControl::CNKeyDown(TMessage& message) {
    // Sent by the message loop before the key is dispatched: the key events run here, and
    // keys the window does not want itself become the form's dialog keys. A result of 1 means
    // the key was taken.
    message.Result = 1;
    WORD key = static_cast<WORD>(message.WParam);
    if (DoKeyDown(key, KeyboardShiftState()))
        return;
    message.WParam = key;
    TShiftState shift = KeyboardShiftState();
    if (key == VK_TAB || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN ||
        key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL) {
        const LRESULT code = DialogCode();
        bool wanted = false;
        switch (key) {
        case VK_TAB:
            // Ctrl+Tab is never a typed tab: it goes to the form, where a page control
            // around the focus turns the page.
            wanted = (code & DLGC_WANTTAB) != 0 && !shift.Contains(ssCtrl);
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            wanted = (code & DLGC_WANTARROWS) != 0;
            break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL:
            wanted = (code & DLGC_WANTALLKEYS) != 0;
            break;
        default:
            break;
        }
        if (!wanted && Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) == 0) {
            if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, key, 0) != 0)
                return;
        }
    }
    message.Result = 0;
}

void TWinControl::CNChar(TMessage& message) {
    message.Result = 0;
    if (DialogCode() & DLGC_WANTCHARS)
        return;
    // A character the control does not type is a mnemonic for the form.
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, message.WParam, 0) != 0)
        message.Result = 1;
}

void TWinControl::CNCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    message.Result = reinterpret_cast<LRESULT>(m_brush->Handle());
}

void TWinControl::WMCommandFamily(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<const NMHDR*>(message.LParam))
            child = header->hwndFrom;
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
        // These name the control by its id (the menu's items have ODT_MENU, not handled here).
        if (message.WParam != 0 && m_handle)
            child = GetDlgItem(m_handle, static_cast<int>(message.WParam));
        break;
    default:
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    }
    if (TWinControl* control = FindControl(child); control && control != this) {
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TWinControl::Dispatch(TMessage& message) {
    if (IsReflectedCommand(message.Msg)) {
        WMCommandFamily(message);
        return;
    }
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        break;
    case WM_SIZE:
        WMSize(message);
        break;
    case WM_WINDOWPOSCHANGED:
        WMWindowPosChanged(message);
        break;
    case WM_SETFOCUS:
        WMSetFocus(message);
        break;
    case WM_KILLFOCUS:
        WMKillFocus(message);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(message);
        break;
    case WM_CHAR:
        WMChar(message);
        break;
    case WM_MOUSEMOVE:
        WMMouseMove(message);
        break;
    case WM_MOUSELEAVE:
        WMMouseLeave(message);
        break;
    case WM_SETCURSOR:
        WMSetCursor(message);
        break;
    case WM_NCDESTROY:
        WMNCDestroy(message);
        break;
    case CN_KEYDOWN:
        CNKeyDown(message);
        break;
    case CN_CHAR:
        CNChar(message);
        break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC:
        CNCtlColor(message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        break;
    case CM_SHOWINGCHANGED:
        CMShowingChanged(message);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(message);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(message);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        break;
    case CM_RECREATEWND:
        CMRecreateWnd(message);
        break;
    case CM_ENTER:
        CMEnter(message);
        break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        // Dialog keys and mnemonics travel down to every control until one takes them.
        Broadcast(message);
        break;
    case CM_EXIT:
        CMExit(message);
        break;
    default:
        TControl::Dispatch(message);
        break;
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!m_handle) {
        TControl::DefaultHandler(message);
        return;
    }
    message.Result = CallWindowProcA(m_defWndProc ? m_defWndProc : DefWindowProcA, m_handle, message.Msg,
                                     message.WParam, message.LParam);
}

TControl* FindDragTarget(TPoint position, bool allowDisabled) {
    HWND window = WindowFromPoint(position);
    TWinControl* control = nullptr;
    for (; window && !control; window = GetParent(window))
        control = FindControl(window);
    if (!control)
        return nullptr;
    const TPoint local = control->ScreenToClient(position);
    if (TControl* child = control->ControlAtPos(local, allowDisabled))
        return child;
    return control;
}
