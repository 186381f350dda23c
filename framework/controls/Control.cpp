#include "framework/controls/Control.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/WinControl.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinRect.h"
#include "platform/user/WinUser.h"

const TEnumInfo& AlignIdents() {
    static const TEnumInfo idents{{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
    return idents;
}

const TEnumInfo& BiDiModeIdents() {
    static const TEnumInfo idents{
        {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
    return idents;
}

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift;
    if (keys & MK_SHIFT)
        shift.Include(ssShift);
    if (keys & MK_CONTROL)
        shift.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        shift.Include(ssLeft);
    if (keys & MK_RBUTTON)
        shift.Include(ssRight);
    if (keys & MK_MBUTTON)
        shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}

TShiftState KeyboardShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0)
        shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}

const TClass& TControl::ClassInfo() {
    static const TClass info(
        "TControl", &TComponent::ClassInfo(),
        {
            EnumProperty("Align", AlignIdents(), &TControl::Align, &TControl::SetAlign),
            EnumProperty("Enabled", BooleanIdents(), &TControl::Enabled, &TControl::SetEnabled),
            OrdProperty("Height", &TControl::Height, &TControl::SetHeight),
            StrProperty("Hint", &TControl::Hint, &TControl::SetHint),
            ObjProperty("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
            OrdProperty("Left", &TControl::Left, &TControl::SetLeft),
            EnumProperty("ParentShowHint", BooleanIdents(), &TControl::ParentShowHint,
                         &TControl::SetParentShowHint),
            EnumProperty("ShowHint", BooleanIdents(), &TControl::ShowHint, &TControl::SetShowHint),
            OrdProperty("Top", &TControl::Top, &TControl::SetTop),
            EnumProperty("Visible", BooleanIdents(), &TControl::Visible, &TControl::SetVisible),
            OrdProperty("Width", &TControl::Width, &TControl::SetWidth),
        });
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), m_font(std::make_unique<TFont>()) {
    m_windowProc = DefaultWindowProc();
    m_font->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    Destroying();
    if (m_parent)
        m_parent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == m_parent)
        return;
    if (parent == this)
        return;
    if (m_parent)
        m_parent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    InvalidateControl(m_visible, false);
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    InvalidateControl(m_visible, false);
    RequestAlign();
}

TRect TControl::ClientRect() {
    return Rect(0, 0, m_width, m_height);
}

void TControl::SetClientWidth(int width) {
    SetWidth(width + m_width - ClientWidth());
}

void TControl::SetClientHeight(int height) {
    SetHeight(height + m_height - ClientHeight());
}

TPoint TControl::ClientOrigin() {
    if (!m_parent)
        return Point(m_left, m_top);
    const TPoint origin = m_parent->ClientOrigin();
    return Point(origin.x + m_left, origin.y + m_top);
}

TPoint TControl::ClientToScreen(TPoint point) {
    const TPoint origin = ClientOrigin();
    return Point(point.x + origin.x, point.y + origin.y);
}

TPoint TControl::ScreenToClient(TPoint point) {
    const TPoint origin = ClientOrigin();
    return Point(point.x - origin.x, point.y - origin.y);
}

void TControl::SetAlign(TAlign align) {
    if (align == m_align)
        return;
    m_align = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (m_parent)
        m_parent->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == m_visible)
        return;
    InvalidateControl(true, false);
    m_visible = visible;
    Perform(CM_VISIBLECHANGED, visible);
    RequestAlign();
}

bool TControl::Showing() const {
    return m_visible && (!m_parent || m_parent->Showing());
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text) {
    if (GetText() == text)
        return;
    StoreText(text);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    if (!m_updatingFromParent)
        m_parentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == m_parentColor)
        return;
    m_parentColor = parentColor;
    if (parentColor && m_parent)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    if (!m_updatingFromParent)
        m_parentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == m_parentFont)
        return;
    m_parentFont = parentFont;
    if (parentFont && m_parent)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetShowHint(bool showHint) {
    m_showHint = showHint;
    m_parentShowHint = false;
}

void TControl::SetParentShowHint(bool parentShowHint) {
    if (parentShowHint == m_parentShowHint)
        return;
    m_parentShowHint = parentShowHint;
    if (parentShowHint && m_parent)
        Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode mode) {
    if (mode == m_biDiMode)
        return;
    m_biDiMode = mode;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == m_cursor)
        return;
    m_cursor = cursor;
    Perform(CM_CURSORCHANGED);
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage record{message, wParam, lParam, 0};
    m_windowProc(record);
    return record.Result;
}

void TControl::WndProc(TMessage& message) {
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        WMMouseButton(message);
        break;
    case WM_MOUSEMOVE:
        DefaultHandler(message);
        MouseMove(MouseShiftState(message.WParam), GET_X_LPARAM(message.LParam),
                  GET_Y_LPARAM(message.LParam));
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(message);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(message);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(message);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(message);
        break;
    case CM_PARENTSHOWHINTCHANGED:
        CMParentShowHintChanged(message);
        break;
    case WM_CONTEXTMENU:
        WMContextMenu(message);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& message) {
    message.Result = 0;
}

void TControl::WMMouseButton(TMessage& message) {
    DefaultHandler(message);
    const TShiftState shift = MouseShiftState(message.WParam);
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        if (m_controlStyle.Contains(csClickEvents))
            m_controlState.Include(csClicked);
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        if (m_controlStyle.Contains(csDoubleClicks))
            DblClick();
        MouseDown(mbLeft, TShiftState(shift).Include(ssDouble), x, y);
        break;
    case WM_LBUTTONUP:
        if (m_controlState.Contains(csClicked)) {
            m_controlState.Exclude(csClicked);
            const TRect client = ClientRect();
            const POINT point{x, y};
            if (PtInRect(&client, point))
                Click();
        }
        MouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(mbMiddle, shift, x, y);
        break;
    default:
        MouseUp(mbMiddle, shift, x, y);
        break;
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    InvalidateControl(true, false);
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!m_parentColor || !m_parent)
        return;
    m_updatingFromParent = true;
    SetColor(m_parent->Color());
    m_updatingFromParent = false;
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!m_parentFont || !m_parent)
        return;
    m_updatingFromParent = true;
    m_font->Assign(m_parent->Font());
    m_updatingFromParent = false;
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (menu == m_popupMenu)
        return;
    if (m_popupMenu)
        m_popupMenu->RemoveFreeNotification(this);
    m_popupMenu = menu;
    if (m_popupMenu)
        m_popupMenu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_popupMenu)
        m_popupMenu = nullptr;
}

void TControl::WMContextMenu(TMessage& message) {
    // lParam -1 is the keyboard's request (Shift+F10, the menu key): the menu opens at the
    // control's client origin.
    const bool fromKeyboard = message.LParam == -1;
    TPoint point = fromKeyboard ? ClientToScreen(Point(0, 0))
                                : Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TControl* target = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(this); windowed && !fromKeyboard) {
        if (TControl* child = windowed->ControlAtPos(ScreenToClient(point)); child && child->PopupMenu())
            target = child;
    }
    TPopupMenu* menu = target->PopupMenu();
    if (!menu || !menu->AutoPopup()) {
        DefaultHandler(message); // the parent may have one
        return;
    }
    menu->SetPopupComponent(target);
    menu->Popup(point.x, point.y);
    message.Result = 1;
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (m_parentShowHint && m_parent)
        m_showHint = m_parent->ShowHint();
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if (!isVisible || !m_parent || !m_parent->HandleAllocated())
        return;
    const RECT rect = BoundsRect();
    InvalidateRect(m_parent->Handle(), &rect, !isOpaque);
}

void TControl::Invalidate() {
    InvalidateControl(m_visible, m_controlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (m_parent)
        m_parent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (m_parent)
        m_parent->SetChildOrder(this, true);
}

void TControl::SendToBack() {
    if (m_parent)
        m_parent->SetChildOrder(this, false);
}
