#pragma once
// TTimer: raises OnTimer every Interval milliseconds while Enabled and assigned, through the
// platform's timers on a hidden window of its own.

#include "framework/classes/Events.h"
#include "framework/controls/Component.h"
#include "platform/base/WinTypes.h"

class TTimer : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return m_interval; }
    void SetInterval(int interval);
    void SetOnTimer(TNotifyEvent handler);

    TNotifyEvent OnTimer;

    // Called from the timer window.
    void Tick();

protected:
    void Loaded() override;

private:
    void UpdateTimer();

    bool m_enabled = true;
    int m_interval = 1000;
    HWND m_window = nullptr;
};
