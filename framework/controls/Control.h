#pragma once
// TControl: a visible element of a form: bounds inside its parent, alignment, visibility,
// enabled state, text, colour and font (or the parent's), hint, mouse events. Every message a
// control receives goes through its WindowProc slot, which starts out as its own WndProc and
// may be replaced (the skin engine does) and put back in any order.

#include "framework/classes/Events.h"
#include "framework/controls/Component.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GraphTypes.h"

#include <functional>
#include <memory>
#include <string>

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateBit { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateBit>;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TControlStyleBit {
    csAcceptsControls,
    csCaptureMouse,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csParentBackground,
    csReplicatable
};
using TControlStyle = TSet<TControlStyleBit>;
enum TControlStateBit { csLButtonDown, csClicked, csFocusing, csCreating, csAlignmentNeeded, csRecreating };
using TControlState = TSet<TControlStateBit>;
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;

const TEnumInfo& AlignIdents();
const TEnumInfo& BiDiModeIdents();

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

// The WindowProc slot: an object and one of its message methods. Two slots are equal when
// both the object and the method are.
struct TWndMethod {
    TObject* Object = nullptr;
    void (TObject::*Method)(TMessage&) = nullptr;

    template <typename C>
    static TWndMethod Of(C* object, void (C::*method)(TMessage&)) {
        return TWndMethod{object, static_cast<void (TObject::*)(TMessage&)>(method)};
    }
    void operator()(TMessage& message) const { (Object->*Method)(message); }
    explicit operator bool() const { return Object && Method; }
    bool operator==(const TWndMethod&) const = default;
};

// The shift state of a mouse message's wParam, or of the keyboard now.
TShiftState MouseShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

class TControl : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int left) { SetBounds(left, m_top, m_width, m_height); }
    void SetTop(int top) { SetBounds(m_left, top, m_width, m_height); }
    void SetWidth(int width) { SetBounds(m_left, m_top, width, m_height); }
    void SetHeight(int height) { SetBounds(m_left, m_top, m_width, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(m_left, m_top, m_width, m_height); }
    void SetBoundsRect(const TRect& rect) {
        SetBounds(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
    }
    // The client area in the control's own coordinates.
    virtual TRect ClientRect();
    int ClientWidth() { return RectWidth(ClientRect()); }
    int ClientHeight() { return RectHeight(ClientRect()); }
    virtual void SetClientWidth(int width);
    virtual void SetClientHeight(int height);
    // The screen position of the client area's origin.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint point);
    TPoint ScreenToClient(TPoint point);

    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents.
    virtual bool Showing() const;
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // Caption and Text are one text; a windowed control keeps it in its window.
    std::string Text() const { return GetText(); }
    void SetText(const std::string& text);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& caption) { SetText(caption); }

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* font) { m_font->Assign(font); }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);

    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool parentShowHint);
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftReading() const { return m_biDiMode != bdLeftToRight; }
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor);
    // Shown (when its AutoPopup is on) for the control's context-menu request.
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle style) { m_controlStyle = style; }
    TControlState ControlState() const { return m_controlState; }

    // The message slot. Replacing it and putting any earlier value back works in any order.
    TWndMethod WindowProc() const { return m_windowProc; }
    void SetWindowProc(TWndMethod method) { m_windowProc = method ? method : DefaultWindowProc(); }
    TWndMethod DefaultWindowProc() { return TWndMethod::Of(this, &TControl::WndProc); }
    // Sends a message through the WindowProc slot and gives its result.
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // The control's own message handling: mouse and key events, then Dispatch.
    virtual void WndProc(TMessage& message);
    // Calls the handler method of the message's number; unknown numbers go to DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    virtual void Invalidate();
    // Paints now what is invalid.
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // The mouse handlers (public so that subclassing code can re-deliver a press).
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    friend class TWinControl;
    virtual std::string GetText() const { return m_text; }
    // Stores the text (a windowed control also in its window).
    virtual void StoreText(const std::string& text) { m_text = text; }
    // Tells the parent's alignment pass that this control moved or changed.
    void RequestAlign();
    // Ends up in the parent's painting: the control's area of the parent is invalidated.
    void InvalidateControl(bool isVisible, bool isOpaque);

    void CMEnabledChanged(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMParentColorChanged(TMessage& message);
    void CMParentFontChanged(TMessage& message);
    void CMParentShowHintChanged(TMessage& message);
    void CMTextChanged(TMessage& message);
    void WMMouseButton(TMessage& message);
    void WMContextMenu(TMessage& message);
    void Notification(TComponent* component, TOperation operation) override;

    std::string m_text;
    TControlStyle m_controlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState m_controlState;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;

private:
    void FontChanged();

    TWinControl* m_parent = nullptr;
    TAlign m_align = alNone;
    bool m_visible = true;
    bool m_enabled = true;
    TColor m_color = clWindow;
    bool m_parentColor = true;
    std::unique_ptr<TFont> m_font;
    bool m_parentFont = true;
    bool m_updatingFromParent = false;
    std::string m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TBiDiMode m_biDiMode = bdLeftToRight;
    TCursor m_cursor = crDefault;
    TPopupMenu* m_popupMenu = nullptr;
    TWndMethod m_windowProc;
};

// The form a control lies on, or null.
TCustomForm* GetParentForm(const TControl* control);
