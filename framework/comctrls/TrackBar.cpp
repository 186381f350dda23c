#include "framework/comctrls/TrackBar.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/ControlProperties.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>

const TEnumInfo& TrackBarOrientationIdents() {
    static const TEnumInfo idents{{"trHorizontal", "trVertical"}};
    return idents;
}

const TEnumInfo& TickStyleIdents() {
    static const TEnumInfo idents{{"tsNone", "tsAuto", "tsManual"}};
    return idents;
}

const TEnumInfo& TickMarkIdents() {
    static const TEnumInfo idents{{"tmBottomRight", "tmTopLeft", "tmBoth"}};
    return idents;
}

const TClass& TTrackBar::ClassInfo() {
    static const TClass info(
        "TTrackBar", &TWinControl::ClassInfo(),
        CommonControlProperties({
            OrdProperty("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency),
            OrdProperty("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize),
            OrdProperty("Max", &TTrackBar::Max, &TTrackBar::SetMax),
            OrdProperty("Min", &TTrackBar::Min, &TTrackBar::SetMin),
            EnumProperty("Orientation", TrackBarOrientationIdents(), &TTrackBar::Orientation,
                         &TTrackBar::SetOrientation),
            OrdProperty("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize),
            OrdProperty("Position", &TTrackBar::Position, &TTrackBar::SetPosition),
            OrdProperty("SelEnd", &TTrackBar::SelEnd, &TTrackBar::SetSelEnd),
            OrdProperty("SelStart", &TTrackBar::SelStart, &TTrackBar::SetSelStart),
            EnumProperty("TickMarks", TickMarkIdents(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks),
            EnumProperty("TickStyle", TickStyleIdents(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle),
            MethodProperty("OnChange", &TTrackBar::OnChange),
        }));
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Exclude(csSetCaption);
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, TRACKBAR_CLASSA);
    params.Style |= TBS_ENABLESELRANGE;
    if (m_orientation == trVertical)
        params.Style |= TBS_VERT;
    switch (m_tickMarks) {
    case tmTopLeft:
        params.Style |= TBS_TOP;
        break;
    case tmBoth:
        params.Style |= TBS_BOTH;
        break;
    default:
        break;
    }
    if (m_tickStyle == tsNone)
        params.Style |= TBS_NOTICKS;
    else if (m_tickStyle == tsAuto)
        params.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    WriteRange();
    SendMessageA(m_handle, TBM_SETTICFREQ, static_cast<WPARAM>(m_frequency), 0);
    SendMessageA(m_handle, TBM_SETLINESIZE, 0, m_lineSize);
    SendMessageA(m_handle, TBM_SETPAGESIZE, 0, m_pageSize);
    for (int tick : m_ticks)
        SendMessageA(m_handle, TBM_SETTIC, 0, tick);
    WriteSelection();
    SendMessageA(m_handle, TBM_SETPOS, TRUE, m_position);
}

int TTrackBar::Clamp(int position) const {
    return std::clamp(position, m_min, std::max(m_min, m_max));
}

void TTrackBar::WriteRange() {
    if (!HandleAllocated())
        return;
    SendMessageA(m_handle, TBM_SETRANGEMIN, FALSE, m_min);
    SendMessageA(m_handle, TBM_SETRANGEMAX, TRUE, m_max);
}

void TTrackBar::WriteSelection() {
    if (!HandleAllocated())
        return;
    SendMessageA(m_handle, TBM_SETSELSTART, FALSE, m_selStart);
    SendMessageA(m_handle, TBM_SETSELEND, TRUE, m_selEnd);
}

void TTrackBar::PositionChanged(int position) {
    if (position == m_position)
        return;
    m_position = position;
    if (!ComponentState().Contains(csLoading))
        Changed();
}

void TTrackBar::SetMin(int min) {
    if (min == m_min)
        return;
    m_min = min;
    WriteRange();
    PositionChanged(Clamp(m_position));
}

void TTrackBar::SetMax(int max) {
    if (max == m_max)
        return;
    m_max = max;
    WriteRange();
    PositionChanged(Clamp(m_position));
}

void TTrackBar::SetPosition(int position) {
    position = Clamp(position);
    if (position == m_position)
        return;
    if (HandleAllocated())
        SendMessageA(m_handle, TBM_SETPOS, TRUE, position);
    PositionChanged(position);
}

void TTrackBar::SetFrequency(int frequency) {
    frequency = std::max(frequency, 1);
    if (frequency == m_frequency)
        return;
    m_frequency = frequency;
    if (HandleAllocated())
        SendMessageA(m_handle, TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

void TTrackBar::SetLineSize(int lineSize) {
    if (lineSize == m_lineSize)
        return;
    m_lineSize = lineSize;
    if (HandleAllocated())
        SendMessageA(m_handle, TBM_SETLINESIZE, 0, lineSize);
}

void TTrackBar::SetPageSize(int pageSize) {
    if (pageSize == m_pageSize)
        return;
    m_pageSize = pageSize;
    if (HandleAllocated())
        SendMessageA(m_handle, TBM_SETPAGESIZE, 0, pageSize);
}

void TTrackBar::SetSelStart(int selStart) {
    if (ChangeSetting(m_selStart, selStart))
        WriteSelection();
}

void TTrackBar::SetSelEnd(int selEnd) {
    if (ChangeSetting(m_selEnd, selEnd))
        WriteSelection();
}

void TTrackBar::SetTickStyle(TTickStyle style) {
    if (ChangeSetting(m_tickStyle, style))
        RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark marks) {
    if (ChangeSetting(m_tickMarks, marks))
        RecreateWnd();
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
    if (!ChangeSetting(m_orientation, orientation))
        return;
    TurnSides(*this);
    RecreateWnd();
}

void TTrackBar::SetTick(int value) {
    if (std::find(m_ticks.begin(), m_ticks.end(), value) != m_ticks.end())
        return;
    m_ticks.push_back(value);
    if (HandleAllocated())
        SendMessageA(m_handle, TBM_SETTIC, 0, value);
}

void TTrackBar::Changed() {
    if (OnChange)
        OnChange(this);
}

void TTrackBar::CNScroll(TMessage& message) {
    // Every scroll code the window sends follows a move (or ends one); the position says which.
    PositionChanged(static_cast<int>(SendMessageA(m_handle, TBM_GETPOS, 0, 0)));
    message.Result = 0;
}

void TTrackBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        CNScroll(message);
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}
