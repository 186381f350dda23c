#include "framework/forms/Timer.h"

#include "framework/classes/Module.h"
#include "framework/classes/PropertyTable.h"
#include "framework/forms/Application.h"

namespace {

constexpr UINT_PTR TimerId = 1;
constexpr const char* TimerWindowClass = "TTimerWindow";

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
            try {
                timer->Tick();
            } catch (...) {
                Application()->HandleException(timer);
            }
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTimerWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TimerWindowProc;
        windowClass.hInstance = HInstance();
        windowClass.lpszClassName = TimerWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

} // namespace

const TClass& TTimer::ClassInfo() {
    static const TClass info(
        "TTimer", &TComponent::ClassInfo(),
        {
            EnumProperty("Enabled", BooleanIdents(), &TTimer::Enabled, &TTimer::SetEnabled),
            OrdProperty("Interval", &TTimer::Interval, &TTimer::SetInterval),
            MethodProperty("OnTimer", &TTimer::OnTimer),
        });
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    RegisterTimerWindowClass();
    m_window = CreateWindowExA(0, TimerWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, HInstance(),
                               nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer() {
    if (m_window) {
        KillTimer(m_window, TimerId);
        DestroyWindow(m_window);
    }
}

void TTimer::UpdateTimer() {
    if (!m_window)
        return;
    KillTimer(m_window, TimerId);
    if (m_enabled && m_interval > 0 && OnTimer && !ComponentState().Contains(csLoading))
        SetTimer(m_window, TimerId, static_cast<UINT>(m_interval), nullptr);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(int interval) {
    if (interval == m_interval)
        return;
    m_interval = interval;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    OnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Tick() {
    if (m_enabled && OnTimer)
        OnTimer(this);
}
