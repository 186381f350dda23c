// InitCommonControls and InitCommonControlsEx: the common control classes exist once a
// program has asked for their groups; asking again changes nothing.

#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/common/CommonControlClasses.h"
#include "platform/controls/common/datetime/DateTimePicker.h"
#include "platform/controls/common/monthcal/MonthCalendar.h"

namespace {

// The groups this layer knows; other bits make the call fail.
constexpr DWORD KnownGroups = 0x0000FFFF;

} // namespace

void InitCommonControls() {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX) || (init->dwICC & ~KnownGroups))
        return FALSE;
    DWORD groups = init->dwICC;
    if (groups & ICC_LISTVIEW_CLASSES) {
        platform::RegisterHeaderClass();
        platform::RegisterListViewClass();
    }
    if (groups & ICC_BAR_CLASSES) {
        platform::RegisterStatusBarClass();
        platform::RegisterTrackBarClass();
        platform::RegisterToolBarClass();
    }
    if (groups & ICC_TAB_CLASSES)
        platform::RegisterTabControlClass();
    // The tab control scrolls overflowing tabs with an up-down control of its own.
    if (groups & (ICC_UPDOWN_CLASS | ICC_TAB_CLASSES))
        platform::RegisterUpDownClass();
    if (groups & ICC_PROGRESS_CLASS)
        platform::RegisterProgressClass();
    // The picker drops a month calendar down and steps its fields with an up-down control.
    if (groups & ICC_DATE_CLASSES) {
        platform::RegisterMonthCalendarClass();
        platform::RegisterDateTimePickerClass();
        platform::RegisterUpDownClass();
    }
    if (groups & ICC_USEREX_CLASSES)
        platform::RegisterComboBoxExClass();
    return TRUE;
}
