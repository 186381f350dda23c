#include "framework/comctrls/ProgressBar.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/ControlProperties.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>
#include <climits>

const TEnumInfo& ProgressBarOrientationIdents() {
    static const TEnumInfo idents{{"pbHorizontal", "pbVertical"}};
    return idents;
}

const TClass& TProgressBar::ClassInfo() {
    static const TClass info(
        "TProgressBar", &TWinControl::ClassInfo(),
        CommonControlProperties({
            OrdProperty("Max", &TProgressBar::Max, &TProgressBar::SetMax),
            OrdProperty("Min", &TProgressBar::Min, &TProgressBar::SetMin),
            EnumProperty("Orientation", ProgressBarOrientationIdents(), &TProgressBar::Orientation,
                         &TProgressBar::SetOrientation),
            OrdProperty("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
            EnumProperty("Smooth", BooleanIdents(), &TProgressBar::Smooth, &TProgressBar::SetSmooth),
            OrdProperty("Step", &TProgressBar::Step, &TProgressBar::SetStep),
        }));
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Exclude(csSetCaption);
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&init);
    CreateSubClass(params, PROGRESS_CLASSA);
    if (m_smooth)
        params.Style |= PBS_SMOOTH;
    if (m_orientation == pbVertical)
        params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    WriteRange();
    SendMessageA(m_handle, PBM_SETSTEP, static_cast<WPARAM>(m_step), 0);
    WritePosition();
}

int TProgressBar::Clamp(int position) const {
    return std::clamp(position, std::min(m_min, m_max), std::max(m_min, m_max));
}

void TProgressBar::WriteRange() {
    if (HandleAllocated())
        SendMessageA(m_handle, PBM_SETRANGE32, static_cast<WPARAM>(m_min), m_max);
}

void TProgressBar::WritePosition() {
    if (HandleAllocated())
        SendMessageA(m_handle, PBM_SETPOS, static_cast<WPARAM>(m_position), 0);
}

void TProgressBar::SetMin(int min) {
    if (min == m_min)
        return;
    m_min = min;
    m_position = Clamp(m_position);
    WriteRange();
    WritePosition();
}

void TProgressBar::SetMax(int max) {
    if (max == m_max)
        return;
    m_max = max;
    m_position = Clamp(m_position);
    WriteRange();
    WritePosition();
}

void TProgressBar::SetPosition(int position) {
    position = Clamp(position);
    if (ChangeSetting(m_position, position))
        WritePosition();
}

void TProgressBar::SetStep(int step) {
    if (step == m_step)
        return;
    m_step = step;
    if (HandleAllocated())
        SendMessageA(m_handle, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void TProgressBar::StepIt() {
    const long long next = static_cast<long long>(m_position) + m_step;
    const int low = std::min(m_min, m_max);
    const int high = std::max(m_min, m_max);
    if (next > high)
        m_position = low;
    else if (next < low)
        m_position = high;
    else
        m_position = static_cast<int>(next);
    WritePosition();
}

void TProgressBar::StepBy(int delta) {
    SetPosition(static_cast<int>(
        std::clamp<long long>(static_cast<long long>(m_position) + delta, INT_MIN, INT_MAX)));
}

void TProgressBar::SetSmooth(bool smooth) {
    if (ChangeSetting(m_smooth, smooth))
        RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation) {
    if (!ChangeSetting(m_orientation, orientation))
        return;
    TurnSides(*this);
    RecreateWnd();
}
