// The date and time picker: its value, range and format pictures; fields chosen and changed by
// keyboard, typed digits and the up-down control; the calendar dropped down and a day chosen
// in it by mouse and keyboard; the "no date" check box; and a picture for a person to look at.

#include "../CommonControlTestSupport.h"

#include "platform/controls/common/datetime/CommCtrlDateTime.h"

using namespace testing_support;
using platform::headless::Click;
using platform::headless::PressKey;
using platform::headless::ReleaseKey;
using platform::headless::RunUntilIdle;
using platform::headless::TypeKey;

namespace {

SYSTEMTIME At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

std::string Text(const SYSTEMTIME& time) {
    return std::to_string(time.wYear) + "-" + std::to_string(time.wMonth) + "-" + std::to_string(time.wDay);
}

class DateTimePickerTest : public CommonControlTest {
protected:
    void SetUp() override {
        CommonControlTest::SetUp();
        INITCOMMONCONTROLSEX init{sizeof init, ICC_DATE_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        AnswerNotify([this](const NMHDR& header) -> std::optional<LRESULT> {
            if (header.code == DTN_DATETIMECHANGE) {
                const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
                m_events.push_back(change.dwFlags == GDT_NONE ? "none" : "change " + Text(change.st));
            } else if (header.code == DTN_DROPDOWN) {
                m_events.push_back("dropdown");
                m_calendarAtDrop =
                    reinterpret_cast<HWND>(SendMessageW(header.hwndFrom, DTM_GETMONTHCAL, 0, 0));
            } else if (header.code == DTN_CLOSEUP) {
                m_events.push_back("closeup");
            }
            return std::nullopt;
        });
    }

    // A picker on 23 May 2010, 12:34:56, focused.
    HWND CreatePicker(DWORD style = 0, int width = 160) {
        m_parent = CreateParent(400, 300);
        HWND picker =
            CreateWindowExW(0, DATETIMEPICK_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 20,
                            20, width, 22, m_parent, reinterpret_cast<HMENU>(9), nullptr, nullptr);
        SYSTEMTIME value = At(2010, 5, 23, 12, 34, 56);
        EXPECT_TRUE(SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value)));
        SetFocus(picker);
        RunUntilIdle();
        m_events.clear();
        return picker;
    }
    static std::u16string Shown(HWND picker) {
        WCHAR text[64] = {};
        GetWindowTextW(picker, text, 64);
        return text;
    }
    static SYSTEMTIME Value(HWND picker) {
        SYSTEMTIME value{};
        SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
        return value;
    }
    static void Type(const char* keys) {
        for (const char* key = keys; *key; ++key)
            TypeKey(static_cast<UINT>(*key));
        RunUntilIdle();
    }
    static void ClickButton(HWND picker) {
        RECT client{};
        GetClientRect(picker, &client);
        POINT at{client.right - 5, client.bottom / 2};
        ClientToScreen(picker, &at);
        Click(at.x, at.y);
        RunUntilIdle();
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
    std::vector<std::string> m_events;
    HWND m_calendarAtDrop = nullptr;
};

} // namespace

TEST_F(DateTimePickerTest, Value_ShownInTheFormatAndKeptInTheRange) {
    HWND picker = CreatePicker();
    EXPECT_EQ(Shown(picker), u"2010/5/23");
    EXPECT_TRUE(GetWindowLongW(picker, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "the picker has its sunken edge";
    EXPECT_TRUE(SendMessageW(picker, DTM_SETFORMATW, 0,
                             reinterpret_cast<LPARAM>(u"yyyy'年'MM'月'dd'日' dddd HH:mm")));
    EXPECT_EQ(Shown(picker), u"2010年05月23日 星期日 12:34");
    SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("'''d'd tt h:m:s"));
    EXPECT_EQ(Shown(picker), u"'d23 下午 12:34:56");
    SendMessageW(picker, DTM_SETFORMATW, 0, 0);
    EXPECT_EQ(Shown(picker), u"2010/5/23");

    SYSTEMTIME impossible = At(2010, 2, 30);
    EXPECT_FALSE(SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&impossible)));
    EXPECT_FALSE(SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0)) << "no date needs DTS_SHOWNONE";
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, 0), GDT_ERROR);
    SYSTEMTIME range[2] = {At(2010, 1, 1), At(2010, 3, 31, 23, 59, 59)};
    EXPECT_TRUE(SendMessageW(picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range)));
    EXPECT_EQ(Text(Value(picker)), "2010-3-31") << "the value moves into the range";
    SYSTEMTIME late = At(2011, 1, 1);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&late));
    EXPECT_EQ(Text(Value(picker)), "2010-3-31");
    EXPECT_TRUE(m_events.empty()) << "changes made by messages are not notified";

    HWND longDate = CreatePicker(DTS_LONGDATEFORMAT);
    EXPECT_EQ(Shown(longDate), u"2010年5月23日");
    HWND time = CreatePicker(DTS_TIMEFORMAT);
    EXPECT_EQ(Shown(time), u"12:34:56");
    EXPECT_NE(FindWindowExA(time, nullptr, UPDOWN_CLASSA, nullptr), nullptr)
        << "a time is stepped by an up-down";
}

TEST_F(DateTimePickerTest, Keyboard_ChoosesFieldsStepsThemAndTakesTypedDigits) {
    HWND picker = CreatePicker();
    TypeKey(VK_RIGHT); // from the year to the month
    TypeKey(VK_UP);
    RunUntilIdle();
    EXPECT_EQ(Text(Value(picker)), "2010-6-23");
    TypeKey(VK_HOME);
    TypeKey(VK_DOWN); // January down wraps to December of the same year
    RunUntilIdle();
    EXPECT_EQ(Text(Value(picker)), "2010-12-23");
    TypeKey(VK_RIGHT);
    Type("31");
    EXPECT_EQ(Text(Value(picker)), "2010-12-31");
    TypeKey(VK_LEFT);
    TypeKey(VK_LEFT);
    Type("1999");
    EXPECT_EQ(Text(Value(picker)), "1999-12-31");
    TypeKey(VK_LEFT);
    Type("2");
    TypeKey(VK_RIGHT);
    RunUntilIdle();
    EXPECT_EQ(Text(Value(picker)), "1902-12-31") << "a short year lies in the century shown";
    EXPECT_EQ(m_events, (std::vector<std::string>{"change 2010-6-23", "change 2010-1-23", "change 2010-12-23",
                                                  "change 2010-12-3", "change 2010-12-31",
                                                  "change 1999-12-31", "change 1902-12-31"}));

    // The day follows the month's length when another month is chosen.
    Type("2");
    EXPECT_EQ(Text(Value(picker)), "1902-2-28");
}

TEST_F(DateTimePickerTest, Calendar_DropsDownAndADayIsChosenByMouseOrKeyboard) {
    HWND picker = CreatePicker();
    ClickButton(picker);
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(m_calendarAtDrop, calendar) << "the parent finds the calendar while it drops";
    EXPECT_TRUE(IsWindowVisible(calendar));
    RECT pickerRect{};
    RECT calendarRect{};
    GetWindowRect(picker, &pickerRect);
    GetWindowRect(calendar, &calendarRect);
    EXPECT_EQ(calendarRect.top, pickerRect.bottom);
    EXPECT_EQ(calendarRect.left, pickerRect.left);
    SYSTEMTIME selected{};
    SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected));
    EXPECT_EQ(Text(selected), "2010-5-23");

    // Clicking the 12th chooses it and closes the calendar; the time of day stays.
    RECT client{};
    GetClientRect(calendar, &client);
    POINT twelfth{};
    for (int y = 0; y < client.bottom && !twelfth.x; y += 2) {
        for (int x = 0; x < client.right; x += 2) {
            MCHITTESTINFO hit{sizeof hit, {x, y}, 0, {}};
            SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_CALENDARDATE && hit.st.wMonth == 5 && hit.st.wDay == 12) {
                twelfth = {x + 3, y + 3};
                break;
            }
        }
    }
    ClientToScreen(calendar, &twelfth);
    Click(twelfth.x, twelfth.y);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0), 0);
    EXPECT_FALSE(IsWindow(calendar));
    EXPECT_EQ(Text(Value(picker)), "2010-5-12");
    EXPECT_EQ(Value(picker).wHour, 12);
    EXPECT_EQ(m_events, (std::vector<std::string>{"dropdown", "change 2010-5-12", "closeup"}));

    // Alt+Down opens it, the arrows move in it, Enter takes the day; Escape takes nothing.
    m_events.clear();
    PressKey(VK_MENU);
    TypeKey(VK_DOWN);
    ReleaseKey(VK_MENU);
    TypeKey(VK_RIGHT);
    TypeKey(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(Text(Value(picker)), "2010-5-13");
    TypeKey(VK_F4);
    TypeKey(VK_DOWN);
    TypeKey(VK_ESCAPE);
    RunUntilIdle();
    EXPECT_EQ(Text(Value(picker)), "2010-5-13");
    EXPECT_EQ(m_events,
              (std::vector<std::string>{"dropdown", "change 2010-5-13", "closeup", "dropdown", "closeup"}));

    // A click outside closes it without a choice.
    ClickButton(picker);
    ASSERT_NE(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0), 0);
    RECT dropped{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0)), &dropped);
    Click(dropped.right + 20, dropped.top + 10);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0), 0);
}

TEST_F(DateTimePickerTest, UpDown_StepsTheChosenField) {
    HWND picker = CreatePicker(DTS_UPDOWN);
    HWND upDown = FindWindowExA(picker, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(upDown, nullptr);
    RECT pickerClient{};
    GetClientRect(picker, &pickerClient);
    RECT arrows{};
    GetWindowRect(upDown, &arrows);
    MapWindowPoints(nullptr, picker, reinterpret_cast<POINT*>(&arrows), 2);
    EXPECT_EQ(arrows.right, pickerClient.right) << "the up-down sits at the right";
    TypeKey(VK_RIGHT);
    TypeKey(VK_RIGHT); // the day
    RunUntilIdle();
    RECT onScreen{};
    GetWindowRect(upDown, &onScreen);
    Click(onScreen.left + 3, onScreen.top + 3);
    RunUntilIdle();
    EXPECT_EQ(Text(Value(picker)), "2010-5-24");
    Click(onScreen.left + 3, onScreen.bottom - 3);
    Click(onScreen.left + 3, onScreen.bottom - 3);
    RunUntilIdle();
    EXPECT_EQ(Text(Value(picker)), "2010-5-22");
    EXPECT_EQ(GetFocus(), picker);
}

TEST_F(DateTimePickerTest, ShowNone_CheckBoxSwitchesBetweenADateAndNone) {
    HWND picker = CreatePicker(DTS_SHOWNONE);
    RECT client{};
    GetClientRect(picker, &client);
    POINT box{8, client.bottom / 2};
    ClientToScreen(picker, &box);
    Click(box.x, box.y);
    RunUntilIdle();
    SYSTEMTIME value{};
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)), GDT_NONE);
    TypeKey(VK_SPACE);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)), GDT_VALID);
    EXPECT_EQ(m_events, (std::vector<std::string>{"none", "change 2010-5-23"}));
    EXPECT_TRUE(SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0));
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)), GDT_NONE);
}

TEST_F(DateTimePickerTest, Picture_DateLongDateTimeNoneAndTheDroppedCalendar) {
    PaintDialogBackground();
    m_parent = CreateParent(420, 330);
    int top = 10;
    for (DWORD style : {DWORD{0}, DTS_LONGDATEFORMAT, DTS_TIMEFORMAT, DTS_SHOWNONE}) {
        HWND picker = CreateWindowExW(0, DATETIMEPICK_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | style, 10, top,
                                      180, 22, m_parent, nullptr, nullptr, nullptr);
        SYSTEMTIME value = At(2010, 5, 23, 9, 5, 0);
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
        top += 30;
    }
    HWND dropped = CreateWindowExW(0, DATETIMEPICK_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 220, 10, 180, 22,
                                   m_parent, nullptr, nullptr, nullptr);
    SYSTEMTIME value = At(2010, 5, 23);
    SendMessageW(dropped, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
    SetFocus(dropped);
    ClickButton(dropped);
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(dropped, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    SYSTEMTIME today = At(2010, 5, 20);
    SendMessageW(calendar, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
    RunUntilIdle();
    EXPECT_TRUE(platform::headless::SaveWindowPng(m_parent, QUILLMERE_BIN_DIR "/gallery-datetimepicker.png"));
    EXPECT_TRUE(platform::headless::SaveWindowPng(calendar,
                                                  QUILLMERE_BIN_DIR "/gallery-datetimepicker-calendar.png"));
}
