#pragma once
// TDateTimePicker over the platform's "SysDateTimePick32" window: a date (or a time of day)
// edited field by field, the date chosen from a dropped-down calendar (DateMode dmComboBox)
// or stepped with up-down buttons (dmUpDown); with ShowCheckbox a cleared box means no date.
// Its value and settings are kept here and written into every window made for it; OnChange
// follows every change the user makes.

#include "core/DateTime.h"
#include "framework/controls/WinControl.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };

const TEnumInfo& DateTimeKindIdents();
const TEnumInfo& DTDateModeIdents();
const TEnumInfo& DTDateFormatIdents();
const TEnumInfo& DTCalAlignmentIdents();

class TDateTimePicker : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TDateTimePicker(TComponent* owner);

    // The whole value; Date is its day (the time of day cut off), Time its time of day.
    TDateTime DateTime() const { return m_dateTime; }
    void SetDateTime(TDateTime value);
    TDateTime Date() const;
    void SetDate(TDateTime date);
    TDateTime Time() const;
    void SetTime(TDateTime time);
    // The range the user may choose from; a zero date leaves that end open.
    TDateTime MinDate() const { return m_minDate; }
    void SetMinDate(TDateTime date);
    TDateTime MaxDate() const { return m_maxDate; }
    void SetMaxDate(TDateTime date);

    TDateTimeKind Kind() const { return m_kind; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return m_dateMode; }
    void SetDateMode(TDTDateMode mode);
    TDTDateFormat DateFormat() const { return m_dateFormat; }
    void SetDateFormat(TDTDateFormat format);
    // A format picture of the platform's ("yyyy'年'M'月'd'日'"); empty for the kind's default.
    const std::string& Format() const { return m_format; }
    void SetFormat(const std::string& format);
    TDTCalAlignment CalAlignment() const { return m_calAlignment; }
    void SetCalAlignment(TDTCalAlignment alignment);
    bool ShowCheckbox() const { return m_showCheckbox; }
    void SetShowCheckbox(bool show);
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);
    // Whether the calendar is open.
    bool DroppedDown() const;

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    virtual void Change();
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    void WriteValue();
    void WriteRange();
    void WriteFormat();
    void CNNotify(TMessage& message);

    TDateTime m_dateTime;
    TDateTime m_minDate;
    TDateTime m_maxDate;
    TDateTimeKind m_kind = dtkDate;
    TDTDateMode m_dateMode = dmComboBox;
    TDTDateFormat m_dateFormat = dfShort;
    std::string m_format;
    TDTCalAlignment m_calAlignment = dtaLeft;
    bool m_showCheckbox = false;
    bool m_checked = true;
};
