#pragma once
// TMonthCalendar over the platform's "SysMonthCal32" window: a month (or as many as fit) to
// choose a day, or a range of days with MultiSelect, from. Its value and settings are kept
// here and written into every window made for it; OnChange follows every change of the
// selection, OnClick a day the user clicked.

#include "core/DateTime.h"
#include "framework/controls/WinControl.h"

enum TCalDayOfWeek {
    dowMonday,
    dowTuesday,
    dowWednesday,
    dowThursday,
    dowFriday,
    dowSaturday,
    dowSunday,
    dowLocaleDefault
};

const TEnumInfo& CalDayOfWeekIdents();

class TMonthCalendar : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TMonthCalendar(TComponent* owner);

    // The selected day (the first of a range).
    TDateTime Date() const { return m_date; }
    void SetDate(TDateTime date);
    // The last day of the range with MultiSelect; the same day as Date without.
    TDateTime EndDate() const { return m_multiSelect ? m_endDate : m_date; }
    void SetEndDate(TDateTime date);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool multiSelect);
    // The longest range, in days.
    int MaxSelectRange() const { return m_maxSelectRange; }
    void SetMaxSelectRange(int days);
    // The range of days offered; a zero date leaves that end open.
    TDateTime MinDate() const { return m_minDate; }
    void SetMinDate(TDateTime date);
    TDateTime MaxDate() const { return m_maxDate; }
    void SetMaxDate(TDateTime date);
    bool ShowToday() const { return m_showToday; }
    void SetShowToday(bool show);
    bool ShowTodayCircle() const { return m_showTodayCircle; }
    void SetShowTodayCircle(bool show);
    bool WeekNumbers() const { return m_weekNumbers; }
    void SetWeekNumbers(bool show);
    TCalDayOfWeek FirstDayOfWeek() const { return m_firstDayOfWeek; }
    void SetFirstDayOfWeek(TCalDayOfWeek day);
    // Sizes the control to one month with its today line.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    void WriteSelection();
    void WriteRange();
    void FitToCalendar();
    void CNNotify(TMessage& message);

    TDateTime m_date;
    TDateTime m_endDate;
    TDateTime m_minDate;
    TDateTime m_maxDate;
    bool m_multiSelect = false;
    int m_maxSelectRange = 31;
    bool m_showToday = true;
    bool m_showTodayCircle = true;
    bool m_weekNumbers = false;
    TCalDayOfWeek m_firstDayOfWeek = dowLocaleDefault;
    bool m_autoSize = true;
};
