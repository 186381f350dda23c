#pragma once
// The date and time picker ("SysDateTimePick32") as the platform's headers spell it: styles,
// messages, notifications and structures. The calendar it drops down is a month calendar,
// whose colour indices (MCSC_) and range flags (GDTR_) the picker's messages share.

#include "platform/controls/common/monthcal/CommCtrlMonthCal.h"

inline constexpr const char* DATETIMEPICK_CLASSA = "SysDateTimePick32";
inline constexpr const WCHAR* DATETIMEPICK_CLASSW = u"SysDateTimePick32";

constexpr DWORD DTS_UPDOWN = 0x0001;   // an up-down control instead of the calendar
constexpr DWORD DTS_SHOWNONE = 0x0002; // a check box: unchecked means "no date"
constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
constexpr DWORD DTS_SHORTDATECENTURYFORMAT = 0x000C;
constexpr DWORD DTS_TIMEFORMAT = 0x0009; // with DTS_UPDOWN
constexpr DWORD DTS_APPCANPARSE = 0x0010;
constexpr DWORD DTS_RIGHTALIGN = 0x0020; // the calendar drops aligned to the right edge

constexpr UINT DTM_FIRST = 0x1000;
constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;
constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;
constexpr UINT DTM_GETRANGE = DTM_FIRST + 3;
constexpr UINT DTM_SETRANGE = DTM_FIRST + 4;
constexpr UINT DTM_SETFORMATA = DTM_FIRST + 5;
constexpr UINT DTM_SETMCCOLOR = DTM_FIRST + 6;
constexpr UINT DTM_GETMCCOLOR = DTM_FIRST + 7;
constexpr UINT DTM_GETMONTHCAL = DTM_FIRST + 8;
constexpr UINT DTM_SETMCFONT = DTM_FIRST + 9;
constexpr UINT DTM_GETMCFONT = DTM_FIRST + 10;
constexpr UINT DTM_SETMCSTYLE = DTM_FIRST + 11;
constexpr UINT DTM_GETMCSTYLE = DTM_FIRST + 12;
constexpr UINT DTM_CLOSEMONTHCAL = DTM_FIRST + 13;
constexpr UINT DTM_GETIDEALSIZE = DTM_FIRST + 15;
constexpr UINT DTM_SETFORMATW = DTM_FIRST + 50;

// DTM_GETSYSTEMTIME's answers, DTM_SETSYSTEMTIME's wParam and NMDATETIMECHANGE's flags.
constexpr LRESULT GDT_ERROR = -1;
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;

constexpr UINT DTN_FIRST = 0U - 740U;
constexpr UINT DTN_FIRST2 = 0U - 753U;
constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST2 - 6;
constexpr UINT DTN_DROPDOWN = DTN_FIRST2 - 1;
constexpr UINT DTN_CLOSEUP = DTN_FIRST2;

struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags; // GDT_VALID, or GDT_NONE when the check box was cleared
    SYSTEMTIME st;
};
using LPNMDATETIMECHANGE = NMDATETIMECHANGE*;
