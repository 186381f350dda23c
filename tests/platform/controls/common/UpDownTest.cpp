// The up-down control: range and position answers, steps by click with the parent's say, the
// scroll messages that follow, wrapping, acceleration while held, and a buddy window that
// shows the position, sits beside the control and lends it its arrow keys.

#include "../CommonControlTestSupport.h"

using namespace testing_support;
using platform::headless::Click;
using platform::headless::PressButton;
using platform::headless::ReleaseButton;
using platform::headless::RunFor;
using platform::headless::RunUntilIdle;

namespace {

class UpDownTest : public CommonControlTest {
protected:
    HWND CreateUpDown(HWND parent, DWORD style = 0, int x = 200, int width = 16) {
        return CreateWindowExW(0, UPDOWN_CLASSW, u"", WS_CHILD | WS_VISIBLE | style, x, 10, width, 24, parent,
                               reinterpret_cast<HMENU>(3), nullptr, nullptr);
    }

    static int Position(HWND upDown) { return static_cast<int>(SendMessageW(upDown, UDM_GETPOS32, 0, 0)); }

    // Clicks the upper (or right) or lower (or left) arrow.
    void ClickArrow(HWND upDown, bool up) {
        RECT client;
        GetClientRect(upDown, &client);
        bool horizontal = GetWindowLongW(upDown, GWL_STYLE) & UDS_HORZ;
        POINT at = horizontal ? ScreenPoint(upDown, up ? client.right - 3 : 3, client.bottom / 2)
                              : ScreenPoint(upDown, client.right / 2, up ? 3 : client.bottom - 3);
        Click(at.x, at.y);
        RunUntilIdle();
    }

    std::vector<WPARAM> ScrollParams(HWND parent, UINT message = WM_VSCROLL) const {
        std::vector<WPARAM> params;
        for (const LoggedMessage& m : Logged(parent, message))
            params.push_back(m.wParam);
        return params;
    }
};

TEST_F(UpDownTest, RangeAndPosition) {
    HWND parent = CreateParent();
    HWND upDown = CreateUpDown(parent);
    EXPECT_EQ(SendMessageW(upDown, UDM_GETRANGE, 0, 0), MAKELONG(0, 100)) << "from 100 up to 0 by default";
    int lower = 0;
    int upper = 0;
    SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);

    SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(-50), 50000);
    EXPECT_EQ(SendMessageW(upDown, UDM_SETPOS32, 0, 60000), 0) << "the previous position";
    EXPECT_EQ(Position(upDown), 50000) << "positions stay in the range";
    BOOL error = TRUE;
    EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 50000);
    EXPECT_FALSE(error);
    SendMessageW(upDown, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(-7), 0));
    EXPECT_EQ(Position(upDown), -7);
    EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS, 0, 0), MAKELONG(static_cast<WORD>(-7), 0));

    SendMessageW(upDown, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(20), static_cast<WORD>(10)));
    EXPECT_EQ(SendMessageW(upDown, UDM_GETRANGE, 0, 0), MAKELONG(20, 10));
    EXPECT_EQ(Position(upDown), 10);

    EXPECT_EQ(SendMessageW(upDown, UDM_SETBASE, 16, 0), 10);
    EXPECT_EQ(SendMessageW(upDown, UDM_SETBASE, 8, 0), 0) << "only 10 and 16";
    EXPECT_EQ(SendMessageW(upDown, UDM_GETBASE, 0, 0), 16);

    UDACCEL accelerations[2] = {{0, 2}, {1, 10}};
    EXPECT_TRUE(SendMessageW(upDown, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accelerations)));
    UDACCEL back[3] = {};
    EXPECT_EQ(SendMessageW(upDown, UDM_GETACCEL, 3, reinterpret_cast<LPARAM>(back)), 2);
    EXPECT_EQ(back[1].nInc, 10u);
    EXPECT_FALSE(SendMessageW(upDown, UDM_SETACCEL, 0, reinterpret_cast<LPARAM>(accelerations)));
}

TEST_F(UpDownTest, Clicks_AskTheParentThenTellItWithScrollMessages) {
    HWND parent = CreateParent();
    HWND upDown = CreateUpDown(parent);
    SendMessageW(upDown, UDM_SETRANGE32, 0, 10);
    SendMessageW(upDown, UDM_SETPOS32, 0, 5);
    std::vector<NMUPDOWN> asked;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == UDN_DELTAPOS)
            asked.push_back(reinterpret_cast<const NMUPDOWN&>(header));
        return std::nullopt;
    });
    RunUntilIdle();
    ClearLog();
    ClickArrow(upDown, true);
    EXPECT_EQ(Position(upDown), 6);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].iPos, 5);
    EXPECT_EQ(asked[0].iDelta, 1);
    EXPECT_EQ(asked[0].hdr.hwndFrom, upDown);
    EXPECT_EQ(ScrollParams(parent),
              (std::vector<WPARAM>{MAKEWPARAM(SB_THUMBPOSITION, 6), MAKEWPARAM(SB_ENDSCROLL, 6)}));
    EXPECT_EQ(Logged(parent, WM_VSCROLL)[0].lParam, reinterpret_cast<LPARAM>(upDown));

    ClickArrow(upDown, false);
    EXPECT_EQ(Position(upDown), 5);
    EXPECT_EQ(asked.back().iDelta, -1);

    AnswerNotify([](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == UDN_DELTAPOS)
            return TRUE;
        return std::nullopt;
    });
    ClearLog();
    ClickArrow(upDown, true);
    EXPECT_EQ(Position(upDown), 5) << "a non-zero answer cancels the step";
    EXPECT_EQ(ScrollParams(parent), std::vector<WPARAM>{MAKEWPARAM(SB_ENDSCROLL, 5)});
}

TEST_F(UpDownTest, EndsOfTheRange_StopOrWrap) {
    HWND parent = CreateParent();
    HWND stops = CreateUpDown(parent, 0, 200);
    SendMessageW(stops, UDM_SETRANGE32, 0, 3);
    SendMessageW(stops, UDM_SETPOS32, 0, 3);
    ClickArrow(stops, true);
    EXPECT_EQ(Position(stops), 3);

    HWND wraps = CreateUpDown(parent, UDS_WRAP | UDS_HORZ, 240, 32);
    SendMessageW(wraps, UDM_SETRANGE32, 0, 3);
    SendMessageW(wraps, UDM_SETPOS32, 0, 3);
    ClearLog();
    ClickArrow(wraps, true);
    EXPECT_EQ(Position(wraps), 0) << "past the top it wraps to the bottom";
    ClickArrow(wraps, false);
    EXPECT_EQ(Position(wraps), 3);
    EXPECT_EQ(ScrollParams(parent, WM_HSCROLL).front(), MAKEWPARAM(SB_THUMBPOSITION, 0))
        << "a horizontal control scrolls its parent horizontally";

    // With the default range from 100 down to 0, the upper arrow counts down.
    HWND reversed = CreateUpDown(parent, 0, 300);
    SendMessageW(reversed, UDM_SETPOS32, 0, 50);
    ClickArrow(reversed, true);
    EXPECT_EQ(Position(reversed), 49);
}

TEST_F(UpDownTest, HoldingAnArrowRepeatsFasterAndFaster) {
    HWND parent = CreateParent();
    HWND upDown = CreateUpDown(parent);
    SendMessageW(upDown, UDM_SETRANGE32, 0, 100000);
    RunUntilIdle();
    std::vector<int> deltas;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == UDN_DELTAPOS)
            deltas.push_back(reinterpret_cast<const NMUPDOWN&>(header).iDelta);
        return std::nullopt;
    });
    POINT up = ScreenPoint(upDown, 8, 3);
    PressButton(up.x, up.y);
    RunFor(5600);
    ReleaseButton(up.x, up.y);
    RunUntilIdle();
    ASSERT_GE(deltas.size(), 40u);
    EXPECT_EQ(deltas.front(), 1);
    EXPECT_EQ(deltas[10], 1) << "one at a time for two seconds";
    EXPECT_EQ(deltas[25], 5);
    EXPECT_EQ(deltas.back(), 20) << "twenty at a time after five seconds";
    size_t steps = deltas.size();
    RunFor(1000);
    EXPECT_EQ(deltas.size(), steps) << "releasing stops the repetition";
}

TEST_F(UpDownTest, Buddy_ShowsThePositionSitsBesideAndLendsItsArrowKeys) {
    HWND parent = CreateParent();
    HWND buddy = CreateChild(parent, 20, 10, 100, 22, 11);
    HWND upDown = CreateWindowExW(0, UPDOWN_CLASSW, u"",
                                  WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0,
                                  0, 16, 0, parent, nullptr, nullptr, nullptr);
    EXPECT_EQ(SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0), 0) << "no buddy before";
    EXPECT_EQ(SendMessageW(upDown, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(buddy));
    RECT buddyRect;
    GetWindowRect(buddy, &buddyRect);
    RECT ownRect;
    GetWindowRect(upDown, &ownRect);
    EXPECT_EQ(buddyRect.right - buddyRect.left, 84) << "the buddy made room";
    EXPECT_EQ(ownRect.left, buddyRect.right);
    EXPECT_EQ(ownRect.bottom - ownRect.top, 22) << "as tall as the buddy";

    SendMessageW(upDown, UDM_SETRANGE32, 0, 100000);
    SendMessageW(upDown, UDM_SETPOS32, 0, 1234);
    char text[32] = {};
    GetWindowTextA(buddy, text, 32);
    EXPECT_EQ(std::string(text), "1,234");

    SendMessageW(buddy, WM_KEYDOWN, VK_UP, 0);
    GetWindowTextA(buddy, text, 32);
    EXPECT_EQ(std::string(text), "1,235");
    SendMessageW(buddy, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(buddy, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Position(upDown), 1233);

    // What the user typed into the buddy is where the next step starts.
    SetWindowTextA(buddy, "2,000");
    ClickArrow(upDown, true);
    EXPECT_EQ(Position(upDown), 2001);
    SetWindowTextA(buddy, "abc");
    BOOL error = FALSE;
    EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 2001);
    EXPECT_TRUE(error);
    EXPECT_NE(HIWORD(SendMessageW(upDown, UDM_GETPOS, 0, 0)), 0);

    SendMessageW(upDown, UDM_SETBASE, 16, 0);
    GetWindowTextA(buddy, text, 32);
    EXPECT_EQ(std::string(text), "0x07D1");

    // A new buddy gives the old one its own procedure back.
    EXPECT_EQ(SendMessageW(upDown, UDM_SETBUDDY, 0, 0), reinterpret_cast<LRESULT>(buddy));
    ClearLog();
    SendMessageW(buddy, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Position(upDown), 2001);
    EXPECT_EQ(Logged(buddy, WM_KEYDOWN).size(), 1u);
}

TEST_F(UpDownTest, AutoBuddy_TakesTheWindowCreatedJustBefore) {
    HWND parent = CreateParent();
    CreateChild(parent, 20, 10, 100, 22, 10);
    HWND edit = CreateChild(parent, 20, 40, 100, 22, 11);
    HWND upDown = CreateUpDown(parent, UDS_AUTOBUDDY | UDS_SETBUDDYINT);
    EXPECT_EQ(SendMessageW(upDown, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(edit));
    HWND first = CreateUpDown(CreateParent(), UDS_AUTOBUDDY);
    EXPECT_EQ(SendMessageW(first, UDM_GETBUDDY, 0, 0), 0) << "the first child has none before it";
}

TEST_F(UpDownTest, NoThousandsSeparatorsWhenAsked) {
    HWND parent = CreateParent();
    HWND buddy = CreateChild(parent, 20, 10, 100, 22, 11);
    HWND upDown = CreateUpDown(parent, UDS_SETBUDDYINT | UDS_NOTHOUSANDS);
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(-100000), 100000);
    SendMessageW(upDown, UDM_SETPOS32, 0, -98765);
    char text[32] = {};
    GetWindowTextA(buddy, text, 32);
    EXPECT_EQ(std::string(text), "-98765");
}

} // namespace
