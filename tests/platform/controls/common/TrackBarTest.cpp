// The track bar: range, page, line, tic and selection answers, thumb and channel geometry, the
// keyboard, paging and dragging with the mouse, the scroll messages to the parent, and custom
// drawing with a parent that draws the thumb and channel itself.

#include "../CommonControlTestSupport.h"

using namespace testing_support;
using platform::headless::MoveMouse;
using platform::headless::PressButton;
using platform::headless::ReadPixel;
using platform::headless::ReleaseButton;
using platform::headless::RunUntilIdle;
using platform::headless::TypeKey;

namespace {

class TrackBarTest : public CommonControlTest {
protected:
    HWND CreateBar(HWND parent, DWORD style = 0, int width = 200, int height = 30) {
        return CreateWindowExW(0, TRACKBAR_CLASSW, u"", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                               parent, reinterpret_cast<HMENU>(4), nullptr, nullptr);
    }

    static RECT Thumb(HWND bar) {
        RECT rect{};
        SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    static RECT Channel(HWND bar) {
        RECT rect{};
        SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    static int Position(HWND bar) { return static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0)); }

    // The scroll codes and positions the parent received.
    std::vector<std::pair<WORD, WORD>> Scrolls(HWND parent, UINT message = WM_HSCROLL) const {
        std::vector<std::pair<WORD, WORD>> scrolls;
        for (const LoggedMessage& m : Logged(parent, message))
            scrolls.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
        return scrolls;
    }
};

using Scroll = std::pair<WORD, WORD>;

TEST_F(TrackBarTest, RangePagesTicsAndSelection) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(bar, TBM_SETPAGESIZE, 0, 10), 20) << "the default page is a fifth of the range";
    EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 10);
    EXPECT_EQ(SendMessageW(bar, TBM_SETLINESIZE, 0, 2), 1);
    EXPECT_EQ(SendMessageW(bar, TBM_GETLINESIZE, 0, 0), 2);

    SendMessageW(bar, TBM_SETPOS, TRUE, 150);
    EXPECT_EQ(Position(bar), 100) << "positions stay in the range";
    SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(10, 50));
    EXPECT_EQ(Position(bar), 50);
    SendMessageW(bar, TBM_SETRANGEMIN, TRUE, 20);
    SendMessageW(bar, TBM_SETRANGEMAX, TRUE, 40);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 20);
    EXPECT_EQ(Position(bar), 40);

    EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 2) << "the two ends";
    EXPECT_TRUE(SendMessageW(bar, TBM_SETTIC, 0, 30));
    EXPECT_FALSE(SendMessageW(bar, TBM_SETTIC, 0, 90));
    EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 3);
    EXPECT_EQ(SendMessageW(bar, TBM_GETTIC, 0, 0), 30);
    EXPECT_EQ(SendMessageW(bar, TBM_GETTIC, 1, 0), -1);
    SendMessageW(bar, TBM_CLEARTICS, TRUE, 0);
    EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 2);

    HWND autoTicks = CreateBar(parent, TBS_AUTOTICKS);
    SendMessageW(autoTicks, TBM_SETTICFREQ, 10, 0);
    EXPECT_EQ(SendMessageW(autoTicks, TBM_GETNUMTICS, 0, 0), 11);
    EXPECT_EQ(SendMessageW(autoTicks, TBM_GETTIC, 2, 0), 30);
    auto* positions = reinterpret_cast<const DWORD*>(SendMessageW(autoTicks, TBM_GETPTICS, 0, 0));
    ASSERT_NE(positions, nullptr);
    EXPECT_EQ(positions[0], 10u) << "the tics between the ends";
    EXPECT_EQ(positions[8], 90u);
    HWND none = CreateBar(parent, TBS_NOTICKS);
    EXPECT_EQ(SendMessageW(none, TBM_GETNUMTICS, 0, 0), 0);

    SendMessageW(bar, TBM_SETSEL, TRUE, MAKELPARAM(22, 33));
    EXPECT_EQ(SendMessageW(bar, TBM_GETSELSTART, 0, 0), 22);
    EXPECT_EQ(SendMessageW(bar, TBM_GETSELEND, 0, 0), 33);
    SendMessageW(bar, TBM_SETSELEND, TRUE, 38);
    EXPECT_EQ(SendMessageW(bar, TBM_GETSELEND, 0, 0), 38);
}

TEST_F(TrackBarTest, Geometry_ThumbAndChannel) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent);
    EXPECT_EQ(SendMessageW(bar, TBM_GETTHUMBLENGTH, 0, 0), 20);
    EXPECT_EQ(Thumb(bar), (RECT{8, 2, 19, 22}));
    EXPECT_EQ(Channel(bar), (RECT{8, 10, 192, 14}));
    SendMessageW(bar, TBM_SETPOS, TRUE, 100);
    EXPECT_EQ(Thumb(bar), (RECT{181, 2, 192, 22})) << "the thumb stays inside the channel";
    SendMessageW(bar, TBM_SETPOS, TRUE, 50);
    EXPECT_EQ(Thumb(bar).left, 95);

    HWND top = CreateBar(parent, TBS_TOP);
    EXPECT_EQ(Thumb(top).top, 7) << "room for tics above";

    HWND vertical = CreateBar(parent, TBS_VERT, 30, 200);
    EXPECT_EQ(Thumb(vertical), (RECT{2, 8, 22, 19}));
    EXPECT_EQ(Channel(vertical), (RECT{8, 10, 192, 14})) << "reported as if lying down";

    HWND fixed = CreateBar(parent, TBS_FIXEDLENGTH);
    SendMessageW(fixed, TBM_SETTHUMBLENGTH, 14, 0);
    EXPECT_EQ(SendMessageW(fixed, TBM_GETTHUMBLENGTH, 0, 0), 14);
    EXPECT_EQ(Thumb(fixed), (RECT{8, 2, 16, 16}));
}

TEST_F(TrackBarTest, Keyboard_MovesAndTellsTheParent) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent);
    SetFocus(bar);
    RunUntilIdle();
    ClearLog();
    TypeKey(VK_RIGHT);
    RunUntilIdle();
    EXPECT_EQ(Position(bar), 1);
    TypeKey(VK_NEXT);
    TypeKey(VK_END);
    RunUntilIdle();
    EXPECT_EQ(Position(bar), 100);
    TypeKey(VK_UP);
    TypeKey(VK_HOME);
    RunUntilIdle();
    EXPECT_EQ(Position(bar), 0);
    EXPECT_EQ(Scrolls(parent), (std::vector<Scroll>{{TB_LINEDOWN, 0},
                                                    {TB_ENDTRACK, 0},
                                                    {TB_PAGEDOWN, 0},
                                                    {TB_ENDTRACK, 0},
                                                    {TB_BOTTOM, 0},
                                                    {TB_ENDTRACK, 0},
                                                    {TB_LINEUP, 0},
                                                    {TB_ENDTRACK, 0},
                                                    {TB_TOP, 0},
                                                    {TB_ENDTRACK, 0}}));
    EXPECT_EQ(Logged(parent, WM_HSCROLL)[0].lParam, reinterpret_cast<LPARAM>(bar));

    HWND vertical = CreateBar(parent, TBS_VERT, 30, 200);
    SetFocus(vertical);
    TypeKey(VK_DOWN);
    RunUntilIdle();
    EXPECT_EQ(Position(vertical), 1);
    EXPECT_EQ(Scrolls(parent, WM_VSCROLL).front(), (Scroll{TB_LINEDOWN, 0}));
}

TEST_F(TrackBarTest, Mouse_PagesInTheChannelAndDragsTheThumb) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent);
    RunUntilIdle();
    ClearLog();
    POINT channel = ScreenPoint(bar, 150, 12);
    PressButton(channel.x, channel.y);
    ReleaseButton(channel.x, channel.y);
    RunUntilIdle();
    EXPECT_EQ(Position(bar), 20);
    EXPECT_EQ(GetFocus(), bar);
    EXPECT_EQ(Scrolls(parent), (std::vector<Scroll>{{TB_PAGEDOWN, 0}, {TB_ENDTRACK, 0}}));

    ClearLog();
    RECT thumb = Thumb(bar);
    POINT grab = ScreenPoint(bar, (thumb.left + thumb.right) / 2, 10);
    PressButton(grab.x, grab.y);
    RunUntilIdle();
    MoveMouse(grab.x + 173 / 4, grab.y);
    RunUntilIdle();
    MoveMouse(grab.x + 173 / 2, grab.y + 30);
    RunUntilIdle();
    ReleaseButton(grab.x + 173 / 2, grab.y + 30);
    RunUntilIdle();
    EXPECT_EQ(Position(bar), 70) << "twenty, and half the range the pointer moved";
    EXPECT_EQ(Scrolls(parent),
              (std::vector<Scroll>{
                  {TB_THUMBTRACK, 45}, {TB_THUMBTRACK, 70}, {TB_THUMBPOSITION, 70}, {TB_ENDTRACK, 0}}));
}

TEST_F(TrackBarTest, CustomDraw_TheParentDrawsThumbAndChannel) {
    HWND parent = CreateParent();
    struct Stage {
        DWORD stage;
        DWORD_PTR item;
        RECT rect;
    };
    std::vector<Stage> stages;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != NM_CUSTOMDRAW)
            return std::nullopt;
        const auto& draw = reinterpret_cast<const NMCUSTOMDRAW&>(header);
        stages.push_back({draw.dwDrawStage, draw.dwItemSpec, draw.rc});
        if (draw.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (draw.dwDrawStage == CDDS_ITEMPREPAINT && draw.dwItemSpec != TBCD_TICS) {
            HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
            FillRect(draw.hdc, &draw.rc, red);
            DeleteObject(red);
            return CDRF_SKIPDEFAULT;
        }
        return CDRF_DODEFAULT;
    });
    HWND bar = CreateBar(parent, TBS_AUTOTICKS);
    SendMessageW(bar, TBM_SETPOS, TRUE, 50);
    UpdateWindow(bar);
    ASSERT_EQ(stages.size(), 4u);
    EXPECT_EQ(stages[0].stage, CDDS_PREPAINT);
    EXPECT_EQ(stages[1].stage, CDDS_ITEMPREPAINT);
    EXPECT_EQ(stages[1].item, TBCD_TICS);
    EXPECT_EQ(stages[2].item, TBCD_CHANNEL);
    EXPECT_EQ(stages[2].rect, Channel(bar));
    EXPECT_EQ(stages[3].item, TBCD_THUMB) << "the thumb comes last";
    EXPECT_EQ(stages[3].rect, Thumb(bar));
    EXPECT_EQ(ReadPixel(bar, 30, 11), RGB(255, 0, 0)) << "the parent's channel";
    EXPECT_EQ(ReadPixel(bar, 99, 4), RGB(255, 0, 0)) << "the parent's thumb";
    EXPECT_EQ(ReadPixel(bar, 100, 25), GetSysColor(COLOR_BTNTEXT)) << "the default tics";
}

TEST_F(TrackBarTest, Painting_DefaultLook) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent, TBS_AUTOTICKS | TBS_ENABLESELRANGE);
    SendMessageW(bar, TBM_SETSEL, TRUE, MAKELPARAM(60, 80));
    SendMessageW(bar, TBM_SETTICFREQ, 10, 0);
    UpdateWindow(bar);
    RECT channel = Channel(bar);
    EXPECT_EQ(ReadPixel(bar, 60, channel.top), GetSysColor(COLOR_3DSHADOW)) << "a sunken channel";
    EXPECT_EQ(ReadPixel(bar, 60, 12), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ReadPixel(bar, 140, 12), GetSysColor(COLOR_HIGHLIGHT)) << "the selection";
    EXPECT_EQ(ReadPixel(bar, 13, 24), GetSysColor(COLOR_BTNTEXT)) << "the first tic";
    EXPECT_EQ(ReadPixel(bar, 8, 3), GetSysColor(COLOR_3DHIGHLIGHT)) << "the thumb's lit edge";
}

} // namespace
