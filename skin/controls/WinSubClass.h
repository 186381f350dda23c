#pragma once
// TSkinControl: the base of every control skin. One object skins one window: it takes over the
// window's message stream (a framework control through its WindowProc slot, a bare window
// through its window procedure), lets the window's own code run, and paints the skin over what
// the window drew or instead of it. It holds what every control skin shares: attaching and
// detaching in any order, the message skeleton, repaint requests, state flags, colours and the
// small drawing routines.

#include "framework/controls/Component.h"
#include "framework/controls/Control.h"
#include "framework/graphics/Colors.h"
#include "platform/user/WinUser.h"
#include "skin/forms/WinSkinData.h"

#include <memory>
#include <string>

class SkinFormServices;
class TCanvas;
class TWindowThunk;

// The object's life with its window.
enum TSkinLifecycle { slCreated = 0, slSkinned = 1, slWindowDestroyed = 6 };

// Bits of StateFlags.
constexpr unsigned char SkinStateHot = 0x01;
constexpr unsigned char SkinStatePressed = 0x02;

class TSkinControl : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    // Owned by the control it skins; a skin of a bare window by its form's bare-window owner.
    explicit TSkinControl(TComponent* owner);
    // Gives the control or the window its previous procedure back, wherever the object stands
    // among the window's subclassing layers, and leaves the form's list.
    ~TSkinControl() override;

    // Attaches to the owning framework control through its WindowProc slot; a second attach
    // does nothing. With recolor the control takes the skin's background colour.
    virtual void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas);
    // Attaches to a bare window by replacing its window procedure.
    virtual void InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form, TCanvas* canvas);
    // Stops skinning and gives the control its own look back (nothing on a destroyed window).
    virtual void Unskin();
    // Sees every message first while active: true passes it to the previous procedure and then
    // to AfterMessage; false means the skin dealt with it.
    virtual bool BeforeMessage(TMessage& message);
    virtual void AfterMessage(TMessage& message);
    // Paints the skin over the whole window rectangle, into dc or the window's DC.
    virtual void PaintSkin(HDC dc);
    // Draws the skin into dc within rect (window coordinates from 0, 0).
    virtual void DrawSkin(HDC dc, const RECT& rect);
    // Takes the skin's colours again after the skin changed, then repaints.
    virtual void SkinChanged();
    virtual bool Available() const { return true; }

    // The replacement procedure of both attach modes.
    void WndProc(TMessage& message);
    // Passes the message to the procedure the object replaced; the answer lands in Result.
    void CallDefault(TMessage& message);
    // Invalidates and repaints the window now (or asks the repaint target to invalidate).
    void Repaint();

    HWND Window() const { return m_window; }
    TControl* Control() const { return m_control; }
    SkinFormServices* Form() const { return m_form; }
    TSkinData* SkinData() const { return m_skinData; }
    bool Active() const { return m_active; }
    TSkinLifecycle Lifecycle() const { return m_lifecycle; }
    int Kind() const { return m_kind; }
    // The per-class mode some creators choose (see each skin class).
    void SetKind(int kind) { m_kind = kind; }
    unsigned char StateFlags() const { return m_stateFlags; }

protected:
    // Fills with the skin's background colour.
    void FillBackground(HDC dc, const RECT& rect);
    // Fills with the parent's Color when it has one, else the skin's background colour.
    void FillParentColor(HDC dc, const RECT& rect);
    // A focus rectangle around the caption as `format` places it inside `bounds`.
    void DrawFocusBox(HDC dc, UINT format, const RECT& bounds);
    // The caption text, right-to-left reading added when the control reads that way.
    int DrawCaption(HDC dc, std::u16string_view text, RECT& rect, UINT format);
    // GetWindowLong in the window's character set.
    LONG_PTR WindowLong(int index) const;
    // Hands a left press to the control's own mouse-down handling.
    void ForwardMouseDown(const TMessage& message);
    // WM_PAINT drawn entirely by DrawSkin (BeginPaint when wParam has no DC); not passed on.
    void PaintWhole(TMessage& message);
    // WM_ERASEBKGND showing the parent's background (or its colour); answers 1.
    void EraseToParent(TMessage& message);
    // The attached framework control's graphic children, into a DC whose origin is the client
    // area (the control's window has no frame of its own where this is used).
    void PaintGraphicChildren(HDC dc) const;
    // The skin's background colour as drawn (system colours resolved).
    TColor BackgroundColour() const;
    bool HasOption(TSkinOption option) const;
    // The control's right-to-left reading (or the repaint target's).
    bool RightToLeftReading() const;
    // Whether the window has the keyboard focus / is enabled, read now into the state bytes.
    void RefreshFocusAndEnabled();

    void SetStateFlag(unsigned char flag, bool on);
    bool Hot() const { return (m_stateFlags & SkinStateHot) != 0; }
    bool Pressed() const { return (m_stateFlags & SkinStatePressed) != 0; }

    unsigned char m_stateFlags = 0;
    TCanvas* m_canvas = nullptr;
    bool m_enabled = false;
    bool m_focused = false;
    std::u16string m_caption;
    bool m_active = true;
    bool m_unicode = false;
    TSkinData* m_skinData = nullptr;
    HWND m_window = nullptr;
    TControl* m_control = nullptr;
    RECT m_windowRect{};
    TControl* m_repaintTarget = nullptr;
    bool m_recolor = false;
    TColor m_savedColour = 0;
    bool m_initialized = false;
    TSkinLifecycle m_lifecycle = slCreated;
    SkinFormServices* m_form = nullptr;
    int m_kind = 0;
    bool m_parentBackgroundSwitched = false;

    // The previous WindowProc of a control attach; empty when none.
    TWndMethod m_savedWindowProc;
    // Puts this object's WndProc into the control's WindowProc slot, keeping the previous one.
    void InstallWindowProc(TControl* control);
    // A token that turns false when the object is destroyed.
    std::weak_ptr<bool> AliveToken() const { return m_alive; }
    // Gives the control its WindowProc back (or hands it to the control skin above this one).
    void RestoreWindowProc();

private:
    void SwitchParentBackgroundOff();
    void RestoreParentBackground();
    void RestoreWindowProcedure();
    // The thunk standing for this object as a window procedure, and the procedure it replaced
    // (handle attach only).
    std::unique_ptr<TWindowThunk> m_thunk;
    WNDPROC m_previousProc = nullptr;
    bool m_savedParentColor = false;
    // Cleared when the object goes, so a message handler that outlives it stops touching it.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// Fills the rectangle with a solid brush of the colour (system colours resolved).
void FillColor(HDC dc, const RECT& rect, TColor color);
