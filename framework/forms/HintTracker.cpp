#include "framework/forms/HintTracker.h"

#include "framework/forms/Application.h"
#include "framework/forms/HintWindow.h"
#include "framework/forms/Screen.h"
#include "framework/forms/Timer.h"

namespace {

// The hint's top edge is this far below the mouse, clear of the arrow.
constexpr int BelowCursor = 20;

bool HasShortHint(const TControl* control) {
    return control && control->ShowHint() && !GetShortHint(control->Hint()).empty();
}

} // namespace

THintTracker::THintTracker(TApplication& application)
    : TComponent(nullptr), m_application(application), m_timer(std::make_unique<TTimer>(nullptr)) {
    m_timer->SetEnabled(false);
    m_timer->SetOnTimer([this](TObject*) { TimerFired(); });
}

THintTracker::~THintTracker() {
    Destroying();
    SetControl(nullptr);
}

void THintTracker::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_control) {
        m_control = nullptr;
        Hide();
        m_timer->SetEnabled(false);
        m_phase = Phase::Idle;
    }
}

void THintTracker::SetControl(TControl* control) {
    if (m_control)
        RemoveFreeNotification(m_control);
    m_control = control;
    if (m_control)
        FreeNotification(m_control);
}

void THintTracker::MouseMoved(TPoint position) {
    m_cursor = position;
    TControl* control = FindDragTarget(position, false);
    if (control == m_control)
        return;
    SetControl(control);
    m_application.SetHint(control ? GetLongHint(control->Hint()) : std::string());
    // From one hint straight to the next, the short pause is enough.
    const bool wasShown = m_phase == Phase::Shown;
    Hide();
    if (m_application.ShowHint() && HasShortHint(control)) {
        m_phase = Phase::Waiting;
        Wait(wasShown ? m_application.HintShortPause() : m_application.HintPause());
    } else {
        m_phase = Phase::Idle;
        m_timer->SetEnabled(false);
    }
}

void THintTracker::Cancel() {
    Hide();
    m_timer->SetEnabled(false);
    m_phase = Phase::Idle;
}

void THintTracker::Wait(int milliseconds) {
    m_timer->SetEnabled(false);
    m_timer->SetInterval(std::max(milliseconds, 1));
    m_timer->SetEnabled(true);
}

void THintTracker::TimerFired() {
    m_timer->SetEnabled(false);
    if (m_phase == Phase::Waiting)
        Show();
    else
        Cancel();
}

void THintTracker::Show() {
    if (!HasShortHint(m_control) || !m_application.ShowHint()) {
        m_phase = Phase::Idle;
        return;
    }
    THintInfo info;
    info.HintControl = m_control;
    info.HintPos = Point(m_cursor.x, m_cursor.y + BelowCursor);
    info.HintMaxWidth = Screen()->Width();
    info.HintStr = GetShortHint(m_control->Hint());
    info.HideTimeout = m_application.HintHidePause();
    if (m_control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) {
        m_phase = Phase::Idle;
        return;
    }
    if (!m_window)
        m_window = std::make_unique<THintWindow>(nullptr);
    TRect rect = m_window->CalcHintRect(info.HintMaxWidth, info.HintStr);
    OffsetRect(&rect, info.HintPos.x, info.HintPos.y);
    m_window->ActivateHint(rect, info.HintStr);
    m_phase = Phase::Shown;
    if (info.HideTimeout > 0)
        Wait(info.HideTimeout);
}

void THintTracker::Hide() {
    if (m_window && m_window->HandleAllocated())
        ShowWindow(m_window->Handle(), SW_HIDE);
}
