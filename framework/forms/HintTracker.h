#pragma once
// THintTracker: the application's hints. It follows the mouse from control to control, keeps
// the application's Hint text (the long part of the control's hint) up to date, and shows the
// short part in a hint window once the mouse has rested for the hint pause, hiding it again after
// the hide pause, or at once on a click or a key.

#include "framework/controls/Component.h"
#include "framework/graphics/GraphTypes.h"

#include <memory>

class TApplication;
class TControl;
class THintWindow;
class TTimer;

class THintTracker : public TComponent {
public:
    explicit THintTracker(TApplication& application);
    ~THintTracker() override;

    // The mouse is at a screen position (any mouse move the application takes).
    void MouseMoved(TPoint position);
    // Hides the hint; the next one waits for the mouse to reach another control.
    void Cancel();
    // The control under the mouse, as last seen.
    TControl* HintControl() const { return m_control; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    enum class Phase { Idle, Waiting, Shown };

    void SetControl(TControl* control);
    void Wait(int milliseconds);
    void TimerFired();
    void Show();
    void Hide();

    TApplication& m_application;
    std::unique_ptr<TTimer> m_timer;
    std::unique_ptr<THintWindow> m_window;
    TControl* m_control = nullptr;
    TPoint m_cursor{};
    Phase m_phase = Phase::Idle;
};
