#pragma once
// TWinControl: a control with a window of its own. The window is made when first needed from
// CreateParams (class, styles, ex-styles) and made again when a property needs it
// (RecreateWnd, announced by CM_RECREATEWND). It holds child controls in z-order and a tab
// order, paints its graphic children, reflects notifications its parent receives back to
// itself as CN_ messages, and passes what it does not handle to the window's own procedure.

#include "framework/controls/Control.h"
#include "framework/graphics/Brush.h"
#include "platform/gdi/WinRect.h"
#include "platform/user/WinUser.h"

#include <string>
#include <vector>

class TCanvas;

// What CreateParams fills in before the window is made.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    // The class the window is made of: a framework class of this name is registered from
    // WindowClass (a subclass of a platform class keeps that class's extra bytes and calls its
    // procedure as the default).
    WNDCLASSA WindowClass{};
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made (with those of the parents) when first asked for.
    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes a new one (when the control shows), keeping the state.
    void RecreateWnd();
    // The parent window of a control whose parent is not a framework control.
    HWND ParentWindow() const { return m_parentWindow; }
    void SetParentWindow(HWND window);

    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    // Children from the bottom of the z-order to the top.
    TControl* Controls(int index) const { return m_controls.at(static_cast<std::size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The visible, enabled child at a client position (graphic children only unless asked),
    // topmost first.
    TControl* ControlAtPos(TPoint position, bool allowDisabled = false, bool allowWinControls = false);
    void SetChildOrder(TControl* child, bool toFront);
    // Where a child's new window goes in z-order: just below the window of the nearest child
    // above it in the list, or on top.
    HWND WindowAbove(const TWinControl* child) const;
    // Sends a message to every child.
    void Broadcast(TMessage& message);
    void NotifyControls(UINT message);

    // Runs the alignment pass over the children with an Align other than alNone.
    void Realign();
    void DisableAlign() { ++m_alignDisabled; }
    void EnableAlign();

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);
    // Windowed children in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    // The next (or previous) control after `current` among this control's tab order.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();

    TBrush* Brush() const { return m_brush.get(); }
    bool ParentBackground() const { return m_controlStyle.Contains(csParentBackground); }
    void SetParentBackground(bool parentBackground);

    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void SetBounds(int left, int top, int width, int height) override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;

    // Draws the control and its windowed children into a DC at (x, y).
    void PaintTo(HDC dc, int x, int y);
    // Draws the visible graphic (windowless) children into a DC whose origin is this control's
    // client area: for code that paints the window itself instead of the control's own paint.
    void PaintGraphicChildren(HDC dc) { PaintControls(dc, nullptr); }

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    // Calls the window's previous procedure (the platform class's, or the default one).
    void DefaultHandler(TMessage& message) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    friend class TControl;
    friend LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    virtual void CreateParams(TCreateParams& params);
    // Makes a subclass of a platform window class (its procedure becomes the default).
    void CreateSubClass(TCreateParams& params, const char* platformClass);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Called once the window exists: text, font, children.
    virtual void CreateHandle();
    virtual void DestroyWnd();
    // Destroys the window itself (DestroyWnd keeps the state first).
    virtual void DestroyWindowHandle();
    void DestroyHandle();
    // Shows or hides the window, making it when the control shows.
    void UpdateControlState();
    // Takes the window's place and size after the platform moved it.
    void UpdateBounds();
    virtual void AlignControls(TControl* control, TRect& rect);

    std::string GetText() const override;
    void StoreText(const std::string& text) override;

    virtual void PaintWindow(HDC dc);
    void PaintHandler(TMessage& message);
    void PaintControls(HDC dc, TControl* first);

    // Keys: true when the control took the key.
    virtual bool DoKeyDown(WORD& key, TShiftState shift);
    virtual bool DoKeyPress(char& key);
    virtual bool DoKeyUp(WORD& key, TShiftState shift);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // The WM_GETDLGCODE answer of the window (which special keys it handles itself).
    LRESULT DialogCode();

    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMSize(TMessage& message);
    void WMWindowPosChanged(TMessage& message);
    void WMSetFocus(TMessage& message);
    void WMKillFocus(TMessage& message);
    void WMKeyDown(TMessage& message);
    void WMChar(TMessage& message);
    void WMKeyUp(TMessage& message);
    void WMMouseMove(TMessage& message);
    void WMMouseLeave(TMessage& message);
    void WMSetCursor(TMessage& message);
    void WMNCDestroy(TMessage& message);
    void WMCommandFamily(TMessage& message);
    void CNKeyDown(TMessage& message);
    void CNChar(TMessage& message);
    void CNCtlColor(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMTextChanged(TMessage& message);
    void CMShowingChanged(TMessage& message);
    void CMRecreateWnd(TMessage& message);
    void CMEnter(TMessage& message);
    void CMExit(TMessage& message);

    HWND m_handle = nullptr;
    WNDPROC m_defWndProc = nullptr;

private:
    // Mouse messages that belong to a graphic child (or the child that has the mouse
    // captured) go there; true when one took it.
    bool RouteMouseToChild(TMessage& message);
    void TrackMouseControl(TControl* control);

    HWND m_parentWindow = nullptr;
    std::vector<TControl*> m_controls;
    std::vector<TWinControl*> m_tabList;
    bool m_tabStop = false;
    int m_alignDisabled = 0;
    bool m_aligning = false;
    std::unique_ptr<TBrush> m_brush;
    TControl* m_captureControl = nullptr;
};

// The framework control of a window made by the framework in this program, or null.
TWinControl* FindControl(HWND window);
// The name of the window property that holds a window's framework control: the text made with
// "ControlOfs%.8X%.8X" from the program's instance and the thread, also registered as a
// window message.
const std::string& ControlAtomName();
ATOM ControlAtom();
// The framework control (windowed or graphic) under a screen position, or null.
TControl* FindDragTarget(TPoint position, bool allowDisabled);
// Releases the device contexts that canvases of controls hold between paints.
void FreeDeviceContexts();
