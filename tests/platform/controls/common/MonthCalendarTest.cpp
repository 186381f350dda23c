// The month calendar: its answers about the selection, the months shown, today, the range and
// what lies under a point; days chosen by mouse and keyboard with the notifications that
// follow, ranges with multiple selection, bold days, and a picture for a person to look at.

#include "../CommonControlTestSupport.h"

#include "platform/controls/common/monthcal/CommCtrlMonthCal.h"

using namespace testing_support;
using platform::headless::Click;
using platform::headless::PressKey;
using platform::headless::ReleaseKey;
using platform::headless::RunUntilIdle;
using platform::headless::TypeKey;

namespace {

SYSTEMTIME Day(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    return date;
}

std::string Text(const SYSTEMTIME& date) {
    std::string text = std::to_string(date.wYear);
    text += '-';
    text += std::to_string(date.wMonth);
    text += '-';
    text += std::to_string(date.wDay);
    return text;
}

class MonthCalendarTest : public CommonControlTest {
protected:
    void SetUp() override {
        CommonControlTest::SetUp();
        INITCOMMONCONTROLSEX init{sizeof init, ICC_DATE_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        AnswerNotify([this](const NMHDR& header) -> std::optional<LRESULT> {
            if (header.code == MCN_SELCHANGE || header.code == MCN_SELECT) {
                const auto& change = reinterpret_cast<const NMSELCHANGE&>(header);
                std::string text = header.code == MCN_SELECT ? "select " : "change ";
                text += Text(change.stSelStart);
                if (change.stSelEnd.wDay != change.stSelStart.wDay) {
                    text += ' ';
                    text += Text(change.stSelEnd);
                }
                m_changes.push_back(text);
            }
            if (header.code == MCN_GETDAYSTATE) {
                auto& ask = const_cast<NMDAYSTATE&>(reinterpret_cast<const NMDAYSTATE&>(header));
                m_askedStart = ask.stStart;
                m_askedMonths = ask.cDayState;
                for (int i = 0; i < ask.cDayState; ++i)
                    ask.prgDayState[i] = 1u << 14; // the 15th of every month
            }
            return std::nullopt;
        });
    }

    // A calendar on May 2010 with 23 May as today and the selection.
    HWND CreateCalendar(DWORD style = 0, int months = 1) {
        m_parent = CreateParent(420, 420);
        HWND calendar = CreateWindowExW(0, MONTHCAL_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                                        10, m_parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        RECT needed{};
        SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
        SetWindowPos(calendar, nullptr, 10, 10, needed.right * months + 6 * (months - 1), needed.bottom,
                     SWP_NOZORDER);
        SYSTEMTIME today = Day(2010, 5, 23);
        SendMessageW(calendar, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
        SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&today));
        RunUntilIdle();
        m_changes.clear();
        return calendar;
    }
    // The screen point of a day's cell, found by hit-testing the calendar's client area.
    static POINT Where(HWND calendar, const SYSTEMTIME& date, UINT kind = MCHT_CALENDARDATE) {
        RECT client{};
        GetClientRect(calendar, &client);
        for (int y = 0; y < client.bottom; y += 3) {
            for (int x = 0; x < client.right; x += 3) {
                MCHITTESTINFO hit{sizeof hit, {x, y}, 0, {}};
                SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                // Days of the months before and after count as days.
                UINT found = kind == MCHT_CALENDARDATE ? hit.uHit & ~(MCHT_NEXT | MCHT_PREV) : hit.uHit;
                if (found == kind && (kind != MCHT_CALENDARDATE ||
                                      (hit.st.wYear == date.wYear && hit.st.wMonth == date.wMonth &&
                                       hit.st.wDay == date.wDay))) {
                    POINT at{x + 2, y + 2};
                    ClientToScreen(calendar, &at);
                    return at;
                }
            }
        }
        ADD_FAILURE() << "nothing found for " << Text(date);
        return {};
    }
    static SYSTEMTIME Selected(HWND calendar) {
        SYSTEMTIME date{};
        SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
        return date;
    }

    // The parent shows the dialog colour behind the controls, for the pictures.
    void PaintDialogBackground() {
        AlsoHandle([](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_ERASEBKGND)
                return std::nullopt;
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_3DFACE));
            return 1;
        });
    }

    HWND m_parent = nullptr;
    std::vector<std::string> m_changes;
    SYSTEMTIME m_askedStart{};
    int m_askedMonths = 0;
};

} // namespace

TEST_F(MonthCalendarTest, Messages_AnswerSelectionMonthsRangeAndHitTests) {
    HWND calendar = CreateCalendar();
    EXPECT_EQ(Text(Selected(calendar)), "2010-5-23");
    EXPECT_EQ(Selected(calendar).wDayOfWeek, 0) << "a Sunday";
    SYSTEMTIME range[2]{};
    EXPECT_EQ(SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range)), 1);
    EXPECT_EQ(Text(range[0]) + " " + Text(range[1]), "2010-5-1 2010-5-31");
    // Weeks start on Monday: the first row starts on 26 April, the sixth ends on 6 June.
    EXPECT_EQ(SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)), 3);
    EXPECT_EQ(Text(range[0]) + " " + Text(range[1]), "2010-4-26 2010-6-6");
    EXPECT_EQ(SendMessageW(calendar, MCM_GETFIRSTDAYOFWEEK, 0, 0), 0);
    EXPECT_EQ(SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, 6), 0);
    EXPECT_EQ(SendMessageW(calendar, MCM_GETFIRSTDAYOFWEEK, 0, 0), MAKELONG(6, 1));
    SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range));
    EXPECT_EQ(Text(range[0]), "2010-4-25") << "weeks from Sunday start a day earlier";

    // The range limits what can be selected; the selection moves into it.
    SYSTEMTIME limits[2] = {Day(2010, 5, 10), Day(2010, 5, 20)};
    EXPECT_TRUE(SendMessageW(calendar, MCM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(limits)));
    EXPECT_EQ(Text(Selected(calendar)), "2010-5-20");
    SYSTEMTIME outside = Day(2010, 5, 5);
    EXPECT_FALSE(SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&outside)));
    SYSTEMTIME impossible = Day(2010, 2, 30);
    EXPECT_FALSE(SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&impossible)));
    SYSTEMTIME back[2]{};
    EXPECT_EQ(SendMessageW(calendar, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(back)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(Text(back[0]), "2010-5-10");
    EXPECT_TRUE(m_changes.empty()) << "changes made by messages are not notified";

    EXPECT_EQ(SendMessageW(calendar, MCM_SETCOLOR, MCSC_TITLEBK, RGB(0, 128, 0)),
              static_cast<LRESULT>(GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_EQ(SendMessageW(calendar, MCM_GETCOLOR, MCSC_TITLEBK, 0), RGB(0, 128, 0));
    EXPECT_EQ(SendMessageW(calendar, MCM_GETCOLOR, 9, 0), -1);
    MCHITTESTINFO tooSmall{4, {5, 5}, 0, {}};
    EXPECT_EQ(SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&tooSmall)), -1);
    SYSTEMTIME today{};
    EXPECT_TRUE(SendMessageW(calendar, MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(&today)));
    EXPECT_EQ(Text(today), "2010-5-23");
}

TEST_F(MonthCalendarTest, Mouse_ChoosesDaysTurnsMonthsAndGoesToToday) {
    HWND calendar = CreateCalendar();
    POINT day = Where(calendar, Day(2010, 5, 12));
    Click(day.x, day.y);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2010-5-12");
    EXPECT_EQ(m_changes, (std::vector<std::string>{"change 2010-5-12", "select 2010-5-12"}));
    EXPECT_EQ(GetFocus(), calendar);

    // A day of the next month shown in the last row takes the calendar there.
    m_changes.clear();
    POINT trailing = Where(calendar, Day(2010, 6, 2));
    Click(trailing.x, trailing.y);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2010-6-2");
    SYSTEMTIME shown[2]{};
    SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(shown[0].wMonth, 6);

    // The arrow turns a month and the selection goes with it.
    m_changes.clear();
    POINT previous = Where(calendar, {}, MCHT_TITLEBTNPREV);
    Click(previous.x, previous.y);
    RunUntilIdle();
    SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(shown[0].wMonth, 5);
    EXPECT_EQ(m_changes, std::vector<std::string>{"change 2010-5-2"});

    m_changes.clear();
    POINT today = Where(calendar, {}, MCHT_TODAYLINK);
    Click(today.x, today.y);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2010-5-23");
    EXPECT_EQ(m_changes.back(), "select 2010-5-23");
}

TEST_F(MonthCalendarTest, Keyboard_MovesByDaysWeeksMonthsAndYears) {
    HWND calendar = CreateCalendar();
    SetFocus(calendar);
    TypeKey(VK_RIGHT);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2010-5-24");
    TypeKey(VK_UP);
    TypeKey(VK_HOME);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2010-5-1");
    TypeKey(VK_LEFT);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2010-4-30");
    SYSTEMTIME shown[2]{};
    SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(shown[0].wMonth, 4) << "the month of the selection is shown";
    TypeKey(VK_NEXT);
    TypeKey(VK_END);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2010-5-31");
    PressKey(VK_CONTROL);
    TypeKey(VK_NEXT);
    ReleaseKey(VK_CONTROL);
    RunUntilIdle();
    EXPECT_EQ(Text(Selected(calendar)), "2011-5-31");
    EXPECT_EQ(m_changes.size(), 7u);
    EXPECT_EQ(m_changes.back(), "change 2011-5-31");
}

TEST_F(MonthCalendarTest, MultipleSelection_ExtendsWithShiftUpToTheLimit) {
    HWND calendar = CreateCalendar(MCS_MULTISELECT);
    SYSTEMTIME date{};
    EXPECT_FALSE(SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&date)));
    SYSTEMTIME range[2] = {Day(2010, 5, 3), Day(2010, 5, 5)};
    EXPECT_TRUE(SendMessageW(calendar, MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(range)));
    EXPECT_TRUE(SendMessageW(calendar, MCM_SETMAXSELCOUNT, 4, 0));
    SYSTEMTIME tooLong[2] = {Day(2010, 5, 3), Day(2010, 5, 9)};
    EXPECT_FALSE(SendMessageW(calendar, MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(tooLong)));

    PressKey(VK_SHIFT);
    POINT far = Where(calendar, Day(2010, 5, 20));
    Click(far.x, far.y);
    ReleaseKey(VK_SHIFT);
    RunUntilIdle();
    SYSTEMTIME chosen[2]{};
    SendMessageW(calendar, MCM_GETSELRANGE, 0, reinterpret_cast<LPARAM>(chosen));
    EXPECT_EQ(Text(chosen[0]) + " " + Text(chosen[1]), "2010-5-3 2010-5-6") << "four days from the anchor";
}

TEST_F(MonthCalendarTest, DayStates_AskedForEveryMonthShownAndDrawnBold) {
    HWND calendar = CreateCalendar(MCS_DAYSTATE);
    EXPECT_EQ(m_askedMonths, 3);
    EXPECT_EQ(Text(m_askedStart), "2010-4-1");
    MONTHDAYSTATE states[3] = {0, 1u << 1, 0};
    EXPECT_FALSE(SendMessageW(calendar, MCM_SETDAYSTATE, 2, reinterpret_cast<LPARAM>(states)));
    EXPECT_TRUE(SendMessageW(calendar, MCM_SETDAYSTATE, 3, reinterpret_cast<LPARAM>(states)));
}

TEST_F(MonthCalendarTest, Picture_MonthsWithSelectionTodayAndWeekNumbers) {
    PaintDialogBackground();
    HWND calendar = CreateCalendar(MCS_WEEKNUMBERS | MCS_DAYSTATE, 2);
    // The selection away from today, so that both show.
    SYSTEMTIME chosen = Day(2010, 5, 12);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&chosen));
    SetFocus(calendar);
    RunUntilIdle();
    EXPECT_TRUE(platform::headless::SaveWindowPng(m_parent, QUILLMERE_BIN_DIR "/gallery-monthcal.png"));
}

TEST_F(MonthCalendarTest, Today_CircledInItsMonthAndNamedUnderTheMonths) {
    HWND calendar = CreateCalendar();
    RECT client{};
    GetClientRect(calendar, &client);
    const COLORREF red = RGB(255, 0, 0);
    // The red circle lies around today's day and nowhere else.
    POINT today = Where(calendar, Day(2010, 5, 23));
    ScreenToClient(calendar, &today);
    RECT around{today.x - 4, today.y - 4, today.x + 26, today.y + 18};
    EXPECT_TRUE(AnyPixel(calendar, around, red));
    RECT grid = client;
    grid.bottom = around.top;
    EXPECT_FALSE(AnyPixel(calendar, grid, red));
    POINT link = Where(calendar, Day(2010, 5, 23), MCHT_TODAYLINK);
    ScreenToClient(calendar, &link);
    RECT todayLine{0, link.y - 4, client.right, client.bottom};
    EXPECT_FALSE(AnyPixel(calendar, todayLine, red)) << "the line under the months has no empty marker";
    EXPECT_TRUE(AnyPixelBut(calendar, todayLine, GetSysColor(COLOR_WINDOW))) << "the line shows today's date";

    // A month without today shows no red at all; nor does a calendar asked not to circle today.
    SYSTEMTIME june = Day(2010, 6, 1);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&june));
    RunUntilIdle();
    EXPECT_FALSE(AnyPixel(calendar, client, red));
    SYSTEMTIME may = Day(2010, 5, 23);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&may));
    SetWindowLongW(calendar, GWL_STYLE, GetWindowLongW(calendar, GWL_STYLE) | MCS_NOTODAYCIRCLE);
    InvalidateRect(calendar, nullptr, TRUE);
    RunUntilIdle();
    EXPECT_FALSE(AnyPixel(calendar, client, red));
}
