#include "framework/comctrls/MonthCalendar.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "framework/comctrls/SystemTimes.h"
#include "framework/controls/ControlProperties.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/common/monthcal/CommCtrlMonthCal.h"

#include <algorithm>

const TEnumInfo& CalDayOfWeekIdents() {
    static const TEnumInfo idents{{"dowMonday", "dowTuesday", "dowWednesday", "dowThursday", "dowFriday",
                                   "dowSaturday", "dowSunday", "dowLocaleDefault"}};
    return idents;
}

const TClass& TMonthCalendar::ClassInfo() {
    static const TClass info(
        "TMonthCalendar", &TWinControl::ClassInfo(),
        CommonControlProperties({
            EnumProperty("AutoSize", BooleanIdents(), &TMonthCalendar::AutoSize,
                         &TMonthCalendar::SetAutoSize),
            EnumProperty("FirstDayOfWeek", CalDayOfWeekIdents(), &TMonthCalendar::FirstDayOfWeek,
                         &TMonthCalendar::SetFirstDayOfWeek),
            OrdProperty("MaxSelectRange", &TMonthCalendar::MaxSelectRange,
                        &TMonthCalendar::SetMaxSelectRange),
            EnumProperty("MultiSelect", BooleanIdents(), &TMonthCalendar::MultiSelect,
                         &TMonthCalendar::SetMultiSelect),
            EnumProperty("ShowToday", BooleanIdents(), &TMonthCalendar::ShowToday,
                         &TMonthCalendar::SetShowToday),
            EnumProperty("ShowTodayCircle", BooleanIdents(), &TMonthCalendar::ShowTodayCircle,
                         &TMonthCalendar::SetShowTodayCircle),
            EnumProperty("WeekNumbers", BooleanIdents(), &TMonthCalendar::WeekNumbers,
                         &TMonthCalendar::SetWeekNumbers),
            MethodProperty("OnChange", &TMonthCalendar::OnChange),
        }));
    return info;
}

TMonthCalendar::TMonthCalendar(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Exclude(csSetCaption);
    // A click is a day chosen (MCN_SELECT), not any release of the button.
    m_controlStyle.Exclude(csClickEvents);
    SetBounds(0, 0, 191, 154);
    SetTabStop(true);
    SYSTEMTIME today{};
    GetLocalTime(&today);
    m_date = m_endDate = DateOf(FromSystemTime(today));
}

void TMonthCalendar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, MONTHCAL_CLASSA);
    if (m_multiSelect)
        params.Style |= MCS_MULTISELECT;
    if (!m_showToday)
        params.Style |= MCS_NOTODAY;
    if (!m_showTodayCircle)
        params.Style |= MCS_NOTODAYCIRCLE;
    if (m_weekNumbers)
        params.Style |= MCS_WEEKNUMBERS;
}

void TMonthCalendar::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    if (m_firstDayOfWeek != dowLocaleDefault)
        SendMessageA(m_handle, MCM_SETFIRSTDAYOFWEEK, 0, m_firstDayOfWeek);
    if (m_multiSelect)
        SendMessageA(m_handle, MCM_SETMAXSELCOUNT, static_cast<WPARAM>(m_maxSelectRange), 0);
    WriteRange();
    WriteSelection();
    FitToCalendar();
}

void TMonthCalendar::FitToCalendar() {
    if (!m_autoSize || !HandleAllocated())
        return;
    RECT needed{};
    if (!SendMessageA(m_handle, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed)))
        return;
    RECT window{};
    RECT client{};
    GetWindowRect(m_handle, &window);
    GetClientRect(m_handle, &client);
    int frameWidth = (window.right - window.left) - client.right;
    int frameHeight = (window.bottom - window.top) - client.bottom;
    SetBounds(Left(), Top(), needed.right + frameWidth, needed.bottom + frameHeight);
}

void TMonthCalendar::WriteSelection() {
    if (!HandleAllocated())
        return;
    if (m_multiSelect) {
        SYSTEMTIME range[2] = {ToSystemTime(m_date), ToSystemTime(m_endDate)};
        SendMessageA(m_handle, MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(range));
    } else {
        SYSTEMTIME day = ToSystemTime(m_date);
        SendMessageA(m_handle, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    }
}

void TMonthCalendar::WriteRange() {
    if (!HandleAllocated())
        return;
    SYSTEMTIME range[2] = {ToSystemTime(m_minDate), ToSystemTime(m_maxDate)};
    DWORD which = (m_minDate.Days() != 0 ? GDTR_MIN : 0) | (m_maxDate.Days() != 0 ? GDTR_MAX : 0);
    SendMessageA(m_handle, MCM_SETRANGE, which, reinterpret_cast<LPARAM>(range));
}

void TMonthCalendar::SetDate(TDateTime date) {
    date = DateOf(date);
    if (m_minDate.Days() != 0)
        date = std::max(date, DateOf(m_minDate));
    if (m_maxDate.Days() != 0)
        date = std::min(date, DateOf(m_maxDate));
    if (date == m_date)
        return;
    m_date = date;
    // A range keeps its length where it can; it never ends before it starts.
    if (m_endDate < m_date || m_endDate.Days() - m_date.Days() >= m_maxSelectRange)
        m_endDate = m_date;
    WriteSelection();
    Change();
}

void TMonthCalendar::SetEndDate(TDateTime date) {
    date = DateOf(date);
    if (!m_multiSelect || date == m_endDate)
        return;
    if (date < m_date || date.Days() - m_date.Days() >= m_maxSelectRange)
        throw EInvalidOperation("The range of days does not fit the calendar's selection");
    m_endDate = date;
    WriteSelection();
    Change();
}

void TMonthCalendar::SetMultiSelect(bool multiSelect) {
    if (!ChangeSetting(m_multiSelect, multiSelect))
        return;
    m_endDate = m_date;
    RecreateWnd();
}

void TMonthCalendar::SetMaxSelectRange(int days) {
    if (days < 1)
        throw EInvalidOperation("A calendar selects one day at least");
    if (!ChangeSetting(m_maxSelectRange, days))
        return;
    if (m_endDate.Days() - m_date.Days() >= days)
        m_endDate = TDateTime(m_date.Days() + days - 1);
    if (HandleAllocated() && m_multiSelect) {
        SendMessageA(m_handle, MCM_SETMAXSELCOUNT, static_cast<WPARAM>(days), 0);
        WriteSelection();
    }
}

void TMonthCalendar::SetMinDate(TDateTime date) {
    if (m_maxDate.Days() != 0 && date.Days() != 0 && DateOf(date) > DateOf(m_maxDate))
        throw EInvalidOperation("The earliest date lies after the latest");
    m_minDate = date;
    WriteRange();
    SetDate(m_date);
}

void TMonthCalendar::SetMaxDate(TDateTime date) {
    if (m_minDate.Days() != 0 && date.Days() != 0 && DateOf(date) < DateOf(m_minDate))
        throw EInvalidOperation("The latest date lies before the earliest");
    m_maxDate = date;
    WriteRange();
    SetDate(m_date);
}

void TMonthCalendar::SetShowToday(bool show) {
    if (ChangeSetting(m_showToday, show))
        RecreateWnd();
}

void TMonthCalendar::SetShowTodayCircle(bool show) {
    if (ChangeSetting(m_showTodayCircle, show))
        RecreateWnd();
}

void TMonthCalendar::SetWeekNumbers(bool show) {
    if (ChangeSetting(m_weekNumbers, show))
        RecreateWnd();
}

void TMonthCalendar::SetFirstDayOfWeek(TCalDayOfWeek day) {
    if (!ChangeSetting(m_firstDayOfWeek, day) || !HandleAllocated())
        return;
    SendMessageA(m_handle, MCM_SETFIRSTDAYOFWEEK, 0, day == dowLocaleDefault ? -1 : day);
}

void TMonthCalendar::SetAutoSize(bool autoSize) {
    if (ChangeSetting(m_autoSize, autoSize))
        FitToCalendar();
}

void TMonthCalendar::Change() {
    if (OnChange && !ComponentState().Contains(csLoading))
        OnChange(this);
}

void TMonthCalendar::CNNotify(TMessage& message) {
    const auto* change = reinterpret_cast<const NMSELCHANGE*>(message.LParam);
    if (!change || (change->nmhdr.code != MCN_SELCHANGE && change->nmhdr.code != MCN_SELECT)) {
        TWinControl::Dispatch(message);
        return;
    }
    TDateTime start = FromSystemTime(change->stSelStart);
    TDateTime end = m_multiSelect ? FromSystemTime(change->stSelEnd) : start;
    if (start != m_date || end != m_endDate) {
        m_date = start;
        m_endDate = end;
        Change();
    }
    if (change->nmhdr.code == MCN_SELECT)
        Click();
}

void TMonthCalendar::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY)
        CNNotify(message);
    else
        TWinControl::Dispatch(message);
}
