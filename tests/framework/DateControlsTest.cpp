// The date controls: the date and time picker and the month calendar, each in step with its
// window through recreated windows and the user's mouse and keys, with the properties a skin
// reads by name.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/MonthCalendar.h"
#include "framework/comctrls/SystemTimes.h"
#include "platform/controls/common/datetime/CommCtrlDateTime.h"

namespace {

using DateControls = FrameworkTest;

std::string DayText(TDateTime value) {
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(value, year, month, day);
    return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

SYSTEMTIME WindowValue(HWND picker) {
    SYSTEMTIME value{};
    SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

// The screen point of a day in a month calendar window, found by hit-testing its client area.
TPoint DayOnScreen(HWND calendar, int month, int day) {
    RECT client{};
    GetClientRect(calendar, &client);
    for (int y = 0; y < client.bottom; y += 2) {
        for (int x = 0; x < client.right; x += 2) {
            MCHITTESTINFO hit{sizeof hit, {x, y}, 0, {}};
            SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_CALENDARDATE && hit.st.wMonth == month && hit.st.wDay == day) {
                POINT at{x + 3, y + 3};
                ClientToScreen(calendar, &at);
                return {at.x, at.y};
            }
        }
    }
    ADD_FAILURE() << "no day " << month << "-" << day;
    return {};
}

} // namespace

TEST_F(DateControls, APickerKeepsItsValueAndSettingsInEveryWindowAndReportsTheUsersChanges) {
    TForm* form = NewForm(400, 300);
    auto* picker = new TDateTimePicker(form);
    picker->SetParent(form);
    picker->SetBounds(10, 10, 180, 21);
    picker->SetDateTime(TDateTime(EncodeDate(2010, 5, 23).Days() + 0.75));
    EXPECT_EQ(DayText(picker->Date()), "2010-5-23");
    EXPECT_DOUBLE_EQ(picker->Time().Days(), 0.75);
    std::vector<std::string> changes;
    picker->OnChange = [&](TObject*) { changes.push_back(DayText(picker->Date())); };
    form->Show();
    picker->SetFocus();
    Pump();
    HWND window = picker->Handle();
    SYSTEMTIME shown = WindowValue(window);
    EXPECT_EQ(shown.wDay, 23);
    EXPECT_EQ(shown.wHour, 18);

    // The user steps the day field: two fields to the right, then up.
    platform::headless::TypeKey(VK_RIGHT);
    platform::headless::TypeKey(VK_RIGHT);
    platform::headless::TypeKey(VK_UP);
    Pump();
    EXPECT_EQ(DayText(picker->Date()), "2010-5-24");
    EXPECT_EQ(changes, std::vector<std::string>{"2010-5-24"});

    // Kind and mode are window styles; the value lives on in the new window.
    EXPECT_EQ(GetEnumProp(picker, "Kind"), "dtkDate");
    EXPECT_TRUE(SetPropValue(picker, "Kind", "dtkTime"));
    EXPECT_TRUE(SetPropValue(picker, "DateMode", "dmUpDown"));
    Pump();
    EXPECT_NE(picker->Handle(), window);
    window = picker->Handle();
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    EXPECT_EQ(WindowValue(window).wDay, 24);
    EXPECT_EQ(GetPropValue(picker, "DateMode"), "dmUpDown");

    // A cleared check box is no date; the range keeps the value inside it.
    picker->SetShowCheckbox(true);
    picker->SetChecked(false);
    Pump();
    SYSTEMTIME ignored{};
    EXPECT_EQ(SendMessageA(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&ignored)),
              GDT_NONE);
    picker->SetChecked(true);
    picker->SetMaxDate(EncodeDate(2010, 5, 20));
    EXPECT_EQ(DayText(picker->Date()), "2010-5-20");
    EXPECT_THROW(picker->SetMinDate(EncodeDate(2011, 1, 1)), Exception);
    EXPECT_TRUE(errors.empty());
}

TEST_F(DateControls, APickersCalendarDropsDownAndTheChosenDayIsTheNewDate) {
    TForm* form = NewForm(400, 300);
    auto* picker = new TDateTimePicker(form);
    picker->SetParent(form);
    picker->SetBounds(10, 10, 180, 21);
    picker->SetDate(EncodeDate(2010, 5, 23));
    std::vector<std::string> events;
    picker->OnDropDown = [&](TObject*) { events.push_back("drop"); };
    picker->OnCloseUp = [&](TObject*) { events.push_back("close"); };
    picker->OnChange = [&](TObject*) { events.push_back("change " + DayText(picker->Date())); };
    form->Show();
    Pump();
    const TPoint button = OnScreen(picker, picker->ClientWidth() - 5, picker->ClientHeight() / 2);
    platform::headless::Click(button.x, button.y);
    Pump();
    EXPECT_TRUE(picker->DroppedDown());
    auto calendar = reinterpret_cast<HWND>(SendMessageA(picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    const TPoint day = DayOnScreen(calendar, 5, 7);
    platform::headless::Click(day.x, day.y);
    Pump();
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(DayText(picker->Date()), "2010-5-7");
    EXPECT_EQ(events, (std::vector<std::string>{"drop", "change 2010-5-7", "close"}));
}

TEST_F(DateControls, AMonthCalendarSizesItselfAndFollowsTheUsersDays) {
    TForm* form = NewForm(500, 400);
    auto* calendar = new TMonthCalendar(form);
    calendar->SetParent(form);
    calendar->SetLeft(10);
    calendar->SetTop(10);
    calendar->SetDate(EncodeDate(2010, 5, 23));
    std::vector<std::string> changes;
    int clicks = 0;
    calendar->OnChange = [&](TObject*) { changes.push_back(DayText(calendar->Date())); };
    calendar->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    HWND window = calendar->Handle();
    RECT needed{};
    SendMessageA(window, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
    EXPECT_EQ(calendar->ClientWidth(), needed.right) << "AutoSize fits one month";
    EXPECT_EQ(calendar->ClientHeight(), needed.bottom);
    SYSTEMTIME selected{};
    SendMessageA(window, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected));
    EXPECT_EQ(selected.wDay, 23);

    const TPoint day = DayOnScreen(window, 5, 12);
    platform::headless::Click(day.x, day.y);
    Pump();
    EXPECT_EQ(DayText(calendar->Date()), "2010-5-12");
    EXPECT_EQ(changes, std::vector<std::string>{"2010-5-12"});
    EXPECT_EQ(clicks, 1);

    // A range with MultiSelect, written into the new window.
    EXPECT_TRUE(SetPropValue(calendar, "MultiSelect", "True"));
    calendar->SetEndDate(EncodeDate(2010, 5, 14));
    Pump();
    SYSTEMTIME range[2]{};
    SendMessageA(calendar->Handle(), MCM_GETSELRANGE, 0, reinterpret_cast<LPARAM>(range));
    EXPECT_EQ(range[0].wDay, 12);
    EXPECT_EQ(range[1].wDay, 14);
    EXPECT_THROW(calendar->SetEndDate(EncodeDate(2010, 7, 1)), Exception) << "longer than MaxSelectRange";
    EXPECT_EQ(GetPropValue(calendar, "WeekNumbers"), "False");
    EXPECT_TRUE(errors.empty());
}
