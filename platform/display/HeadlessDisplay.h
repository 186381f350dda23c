#pragma once
// A display with no screen: a virtual clock, a fixed-size screen, and input that tests inject.
// Waiting for a timer moves the clock forward instead of sleeping, so timers run instantly.

#include "platform/display/DisplayBackend.h"

#include <functional>

namespace platform {

class HeadlessDisplay final : public DisplayBackend {
public:
    static constexpr SIZE DefaultScreenSize{1024, 768};
    static constexpr DWORD StartTime = 1000;

    std::string_view Name() const override { return "headless"; }
    SIZE ScreenSize() const override { return m_screen; }
    RECT WorkArea() const override { return {0, 0, m_screen.cx, m_screen.cy}; }
    DWORD Now() const override { return m_now; }

    void PollEvents() override {}
    bool WaitForEvents(DWORD timeout) override;
    void Beep() override { ++m_beeps; }
    void GrabPointer(bool grabbed) override { m_pointerGrabbed = grabbed; }

    void SetScreenSize(SIZE size) { m_screen = size; }
    void AdvanceClock(DWORD milliseconds) { m_now += milliseconds; }
    // Called when a message loop would wait with no timer running: it may inject input or post
    // messages and answers whether it did; without one the wait fails.
    void SetIdleHandler(std::function<bool()> handler) { m_idle = std::move(handler); }
    // Hands an injected event to the window manager, stamped with the clock.
    void Inject(InputEvent event);
    int BeepCount() const { return m_beeps; }
    bool PointerGrabbed() const { return m_pointerGrabbed; }

private:
    SIZE m_screen = DefaultScreenSize;
    DWORD m_now = StartTime;
    std::function<bool()> m_idle;
    int m_beeps = 0;
    bool m_pointerGrabbed = false;
};

} // namespace platform
