#pragma once
// What the window manager needs from a display: the screen, a clock, input, and a place to show
// each top-level window. Two backends implement it: headless (tests) and X11.

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class InputKind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Text };
enum class MouseButton { Left, Right, Middle };

// One event of the user's hardware, as the display reports it.
struct InputEvent {
    InputKind kind = InputKind::MouseMove;
    POINT position{}; // pointer position on the screen (mouse events)
    MouseButton button = MouseButton::Left;
    int wheelDelta = 0; // multiples of 120, positive away from the user
    UINT virtualKey = 0;
    UINT scanCode = 0;
    bool extendedKey = false;
    std::u16string text; // Text: characters committed by a keyboard layout or input method
    DWORD time = 0;
};

// Receives the input a display delivers; the window manager implements it.
class InputSink {
public:
    virtual ~InputSink() = default;
    virtual void OnInput(const InputEvent& event) = 0;
};

// A 32-bit BGRX image owned by the window manager: a top-level window's backing store.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // in pixels
};

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    virtual std::string_view Name() const = 0;
    virtual SIZE ScreenSize() const = 0;
    // The part of the screen not taken by panels and docks.
    virtual RECT WorkArea() const = 0;
    // Milliseconds of a monotonic clock: the time base of messages and timers.
    virtual DWORD Now() const = 0;

    void SetInputSink(InputSink* sink) { m_sink = sink; }

    // Delivers pending native events to the sink without waiting.
    virtual void PollEvents() = 0;
    // Waits up to timeout milliseconds (INFINITE: no limit) for native events and delivers
    // them. False when nothing can ever arrive, so waiting would never end.
    virtual bool WaitForEvents(DWORD timeout) = 0;

    // Top-level windows. The window manager tells the display about each change; a backend
    // that shows nothing ignores them.
    virtual void SurfaceCreated(HWND /*window*/, const RECT& /*screenRect*/, bool /*popup*/) {}
    virtual void SurfaceDestroyed(HWND /*window*/) {}
    virtual void SurfaceMoved(HWND /*window*/, const RECT& /*screenRect*/) {}
    virtual void SurfaceShown(HWND /*window*/, bool /*visible*/) {}
    // Top-level windows from the topmost down.
    virtual void SurfacesRestacked(const std::vector<HWND>& /*topToBottom*/) {}
    virtual void SurfaceActivated(HWND /*window*/) {}
    // The window was minimised or restored; a desktop with a task list may keep it as an icon
    // instead of where the window manager parks minimised windows.
    virtual void SurfaceMinimized(HWND /*window*/, bool /*minimized*/) {}
    // The window's title, for the desktop's task list and window switcher.
    virtual void SurfaceTitled(HWND /*window*/, std::u16string_view /*title*/) {}
    // The window's shape in window coordinates: none means the whole rectangle, an empty list
    // nothing at all.
    virtual void SurfaceShaped(HWND /*window*/, const std::optional<std::vector<RECT>>& /*shape*/) {}
    // Shows the damaged part (window coordinates) of the window's backing store.
    virtual void Present(HWND /*window*/, const PixelBuffer& /*pixels*/, const RECT& /*damage*/) {}
    virtual void WarpPointer(POINT /*screenPosition*/) {}
    // The pointer's shape: a standard cursor id (32512 for the arrow...), 0 for none.
    virtual void CursorChanged(WORD /*standardCursorId*/) {}
    virtual void CursorShown(bool /*shown*/) {}
    virtual void Beep() {}
    // While an open menu holds the pointer, presses and moves anywhere on the screen come to the
    // program, also over other programs' windows, so that a click there closes the menu.
    virtual void GrabPointer(bool /*grabbed*/) {}

    // Hands moving (hitCode HTCAPTION) or sizing (a sizing edge's code) of a top-level window
    // to the desktop's window manager, which follows the pointer until the button goes up.
    // False when there is none to take it: the window manager then runs its own loop.
    virtual bool BeginMoveSize(HWND /*window*/, int /*hitCode*/, POINT /*screenPosition*/) { return false; }

    // The desktop's text clipboard. A display without a desktop keeps the text itself.
    virtual void SetClipboardText(std::u16string text) { m_clipboard = std::move(text); }
    virtual std::optional<std::u16string> ClipboardText() { return m_clipboard; }
    // Leaves the desktop's clipboard without a text, whoever put it there.
    virtual void ClearClipboardText() { m_clipboard.reset(); }

    InputSink* Sink() const { return m_sink; }

protected:
    void Deliver(const InputEvent& event) {
        if (m_sink)
            m_sink->OnInput(event);
    }

private:
    InputSink* m_sink = nullptr;
    std::optional<std::u16string> m_clipboard;
};

constexpr DWORD INFINITE = 0xFFFFFFFF;

} // namespace platform
