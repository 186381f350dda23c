#pragma once
// Window procedures bound to objects, for subclassing a window's class-independent procedure.
//
// A window procedure is a plain function, so an object cannot be one. Each TWindowThunk takes
// one procedure from a fixed pool of distinct functions and makes it call the object's handler.
// Distinct procedures keep every subclassing layer of a window apart, so several objects may
// subclass one window and each finds its own previous procedure. A thunk given back keeps
// passing messages to the procedure it replaced until its slot is taken again (slots are
// reused oldest first), so a window that still calls it after an out-of-order restore keeps
// working.

#include "platform/user/WinUser.h"

#include <functional>

class TWindowThunk {
public:
    using Handler = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

    // The number of thunks that may exist at once.
    static constexpr int PoolSize = 2048;

    explicit TWindowThunk(Handler handler);
    ~TWindowThunk();
    TWindowThunk(const TWindowThunk&) = delete;
    TWindowThunk& operator=(const TWindowThunk&) = delete;

    // The procedure that calls the handler; null when the pool was exhausted.
    WNDPROC Procedure() const { return m_procedure; }

    // The procedure a released thunk hands its messages to (the one it replaced).
    void SetFallback(WNDPROC previous, bool unicode);

private:
    int m_slot = -1;
    WNDPROC m_procedure = nullptr;
};

// One subclassing layer: a thunk installed as a window's procedure, and the procedure it
// replaced. The procedure is exchanged with SetWindowLongPtrW for a Unicode window and
// SetWindowLongPtrA otherwise, so messages reach the handler in the window's own character set.
class TWindowSubclass {
public:
    explicit TWindowSubclass(TWindowThunk::Handler handler);
    ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Installs the thunk; false when the window is not valid, already attached, or no thunk was
    // left.
    bool Attach(HWND window);
    // Puts the previous procedure back while the window exists; the thunk stays bound until the
    // subclass goes, so a message already on its way still reaches the handler.
    void Detach();
    bool Attached() const { return m_window != nullptr; }
    HWND Window() const { return m_window; }
    bool Unicode() const { return m_unicode; }
    WNDPROC Previous() const { return m_previous; }

    // Passes a message to the previous procedure, in the window's character set.
    LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    TWindowThunk m_thunk;
    HWND m_window = nullptr;
    WNDPROC m_previous = nullptr;
    bool m_unicode = false;
};
