#include "framework/comctrls/DateTimePicker.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "framework/comctrls/SystemTimes.h"
#include "framework/controls/ControlProperties.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/common/datetime/CommCtrlDateTime.h"

#include <cmath>

const TEnumInfo& DateTimeKindIdents() {
    static const TEnumInfo idents{{"dtkDate", "dtkTime"}};
    return idents;
}

const TEnumInfo& DTDateModeIdents() {
    static const TEnumInfo idents{{"dmComboBox", "dmUpDown"}};
    return idents;
}

const TEnumInfo& DTDateFormatIdents() {
    static const TEnumInfo idents{{"dfShort", "dfLong"}};
    return idents;
}

const TEnumInfo& DTCalAlignmentIdents() {
    static const TEnumInfo idents{{"dtaLeft", "dtaRight"}};
    return idents;
}

const TClass& TDateTimePicker::ClassInfo() {
    static const TClass info(
        "TDateTimePicker", &TWinControl::ClassInfo(),
        CommonControlProperties({
            EnumProperty("CalAlignment", DTCalAlignmentIdents(), &TDateTimePicker::CalAlignment,
                         &TDateTimePicker::SetCalAlignment),
            EnumProperty("Checked", BooleanIdents(), &TDateTimePicker::Checked, &TDateTimePicker::SetChecked),
            EnumProperty("DateFormat", DTDateFormatIdents(), &TDateTimePicker::DateFormat,
                         &TDateTimePicker::SetDateFormat),
            EnumProperty("DateMode", DTDateModeIdents(), &TDateTimePicker::DateMode,
                         &TDateTimePicker::SetDateMode),
            StrProperty("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat),
            EnumProperty("Kind", DateTimeKindIdents(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind),
            EnumProperty("ShowCheckbox", BooleanIdents(), &TDateTimePicker::ShowCheckbox,
                         &TDateTimePicker::SetShowCheckbox),
            MethodProperty("OnChange", &TDateTimePicker::OnChange),
            MethodProperty("OnCloseUp", &TDateTimePicker::OnCloseUp),
            MethodProperty("OnDropDown", &TDateTimePicker::OnDropDown),
        }));
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Exclude(csSetCaption);
    m_controlStyle.Exclude(csClickEvents);
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    m_dateTime = FromSystemTime(now);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, DATETIMEPICK_CLASSA);
    if (m_kind == dtkTime)
        params.Style |= DTS_TIMEFORMAT;
    else if (m_dateFormat == dfLong)
        params.Style |= DTS_LONGDATEFORMAT;
    if (m_dateMode == dmUpDown)
        params.Style |= DTS_UPDOWN;
    if (m_showCheckbox)
        params.Style |= DTS_SHOWNONE;
    if (m_calAlignment == dtaRight)
        params.Style |= DTS_RIGHTALIGN;
}

void TDateTimePicker::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    WriteFormat();
    WriteRange();
    WriteValue();
}

void TDateTimePicker::WriteValue() {
    if (!HandleAllocated())
        return;
    SYSTEMTIME time = ToSystemTime(m_dateTime);
    SendMessageA(m_handle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    if (m_showCheckbox && !m_checked)
        SendMessageA(m_handle, DTM_SETSYSTEMTIME, GDT_NONE, 0);
}

void TDateTimePicker::WriteRange() {
    if (!HandleAllocated())
        return;
    SYSTEMTIME range[2] = {ToSystemTime(m_minDate), ToSystemTime(m_maxDate)};
    // The ends take the whole first and last day.
    range[0].wHour = range[0].wMinute = range[0].wSecond = range[0].wMilliseconds = 0;
    range[1].wHour = 23;
    range[1].wMinute = range[1].wSecond = 59;
    range[1].wMilliseconds = 999;
    DWORD which = (m_minDate.Days() != 0 ? GDTR_MIN : 0) | (m_maxDate.Days() != 0 ? GDTR_MAX : 0);
    SendMessageA(m_handle, DTM_SETRANGE, which, reinterpret_cast<LPARAM>(range));
}

void TDateTimePicker::WriteFormat() {
    if (HandleAllocated())
        SendMessageA(m_handle, DTM_SETFORMATA, 0,
                     m_format.empty() ? 0 : reinterpret_cast<LPARAM>(m_format.c_str()));
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    if (m_minDate.Days() != 0 && value < DateOf(m_minDate))
        value = DateOf(m_minDate);
    if (m_maxDate.Days() != 0 && value >= TDateTime(DateOf(m_maxDate).Days() + 1))
        value = TDateTime(DateOf(m_maxDate).Days() + 0.99999);
    if (value == m_dateTime)
        return;
    m_dateTime = value;
    WriteValue();
    Change();
}

TDateTime TDateTimePicker::Date() const {
    return DateOf(m_dateTime);
}

void TDateTimePicker::SetDate(TDateTime date) {
    SetDateTime(TDateTime(DateOf(date).Days() + (m_dateTime.Days() - DateOf(m_dateTime).Days())));
}

TDateTime TDateTimePicker::Time() const {
    return TDateTime(m_dateTime.Days() - DateOf(m_dateTime).Days());
}

void TDateTimePicker::SetTime(TDateTime time) {
    SetDateTime(TDateTime(DateOf(m_dateTime).Days() + (time.Days() - DateOf(time).Days())));
}

void TDateTimePicker::SetMinDate(TDateTime date) {
    if (m_maxDate.Days() != 0 && date.Days() != 0 && DateOf(date) > DateOf(m_maxDate))
        throw EInvalidOperation("The earliest date lies after the latest");
    m_minDate = date;
    WriteRange();
    SetDateTime(m_dateTime);
}

void TDateTimePicker::SetMaxDate(TDateTime date) {
    if (m_minDate.Days() != 0 && date.Days() != 0 && DateOf(date) < DateOf(m_minDate))
        throw EInvalidOperation("The latest date lies before the earliest");
    m_maxDate = date;
    WriteRange();
    SetDateTime(m_dateTime);
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (ChangeSetting(m_kind, kind))
        RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
    if (ChangeSetting(m_dateMode, mode))
        RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format) {
    if (ChangeSetting(m_dateFormat, format))
        RecreateWnd();
}

void TDateTimePicker::SetFormat(const std::string& format) {
    if (ChangeSetting(m_format, format))
        WriteFormat();
}

void TDateTimePicker::SetCalAlignment(TDTCalAlignment alignment) {
    if (ChangeSetting(m_calAlignment, alignment))
        RecreateWnd();
}

void TDateTimePicker::SetShowCheckbox(bool show) {
    if (ChangeSetting(m_showCheckbox, show))
        RecreateWnd();
}

void TDateTimePicker::SetChecked(bool checked) {
    if (!ChangeSetting(m_checked, checked))
        return;
    WriteValue();
    Change();
}

bool TDateTimePicker::DroppedDown() const {
    return m_handle && SendMessageA(m_handle, DTM_GETMONTHCAL, 0, 0) != 0;
}

void TDateTimePicker::Change() {
    if (OnChange && !ComponentState().Contains(csLoading))
        OnChange(this);
}

void TDateTimePicker::CNNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (!header) {
        TWinControl::Dispatch(message);
        return;
    }
    switch (header->code) {
    case DTN_DATETIMECHANGE: {
        const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(message.LParam);
        bool checked = change->dwFlags != GDT_NONE;
        TDateTime value = checked ? FromSystemTime(change->st) : m_dateTime;
        if (checked == m_checked && value == m_dateTime)
            return;
        m_checked = checked;
        m_dateTime = value;
        Change();
        return;
    }
    case DTN_DROPDOWN:
        if (OnDropDown)
            OnDropDown(this);
        return;
    case DTN_CLOSEUP:
        if (OnCloseUp)
            OnCloseUp(this);
        return;
    default:
        TWinControl::Dispatch(message);
        return;
    }
}

void TDateTimePicker::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY)
        CNNotify(message);
    else
        TWinControl::Dispatch(message);
}
