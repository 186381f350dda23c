// A window laid over another window's scroll bar (a skin draws its own bar that way) hands the
// user's press back to the scrolled window as the frame click on its bar: the window's own
// tracking loop then scrolls, repeats and follows the thumb, while the covering window keeps
// being painted and the press's release never reaches it.

#include "WindowTestSupport.h"

#include <deque>
#include <memory>
#include <utility>

using namespace testing_support;
using platform::headless::MoveMouse;
using platform::headless::PressButton;
using platform::headless::ReleaseButton;

namespace {

class ScrollBarOverlayTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_parent = CreateTopLevel(100, 100, 400, 300, WS_POPUP | WS_VISIBLE);
        m_scrolled = Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS, 10, 10, 200, 150, m_parent);
        SCROLLINFO set{sizeof set, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
        SetScrollInfo(m_scrolled, SB_VERT, &set, TRUE);
        m_bar = BarInfo();
        // The cover lies on the bar, directly above the scrolled window.
        POINT origin{m_bar.rcScrollBar.left, m_bar.rcScrollBar.top};
        ScreenToClient(m_parent, &origin);
        // Of a class that takes double clicks, as a control's window is.
        m_cover = CreateWindowExW(WS_EX_TOOLWINDOW, u"QuillmereTestWindowDbl", u"", WS_CHILD | WS_VISIBLE,
                                  origin.x, origin.y, m_bar.rcScrollBar.right - m_bar.rcScrollBar.left,
                                  m_bar.rcScrollBar.bottom - m_bar.rcScrollBar.top, m_parent, nullptr,
                                  nullptr, nullptr);
        SetWindowPos(m_cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        platform::headless::RunUntilIdle();
        ClearLog();
    }

    SCROLLBARINFO BarInfo() const {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetScrollBarInfo(m_scrolled, OBJID_VSCROLL, &info));
        return info;
    }

    // The cover's press handling: its own capture (as a control takes on a press) given up,
    // then the frame click sent or posted to the scrolled window at the screen point.
    void HandOverPresses(bool post = false) {
        SetHandler(
            [this, post](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
                if (window == m_cover && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)) {
                    SetCapture(m_cover);
                    ReleaseCapture();
                    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                    ClientToScreen(m_cover, &at);
                    LPARAM where = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
                    if (post)
                        PostMessageW(m_scrolled, WM_NCLBUTTONDOWN, HTVSCROLL, where);
                    else
                        SendMessageW(m_scrolled, WM_NCLBUTTONDOWN, HTVSCROLL, where);
                    return 0;
                }
                if (window == m_scrolled && message == WM_VSCROLL)
                    OnScroll(LOWORD(wParam));
                if (window == m_cover && message == WM_PAINT)
                    OnCoverPaint();
                return std::nullopt;
            });
    }

    // The user's steps, one each time a loop would wait for input.
    static void Script(std::vector<std::function<void()>> steps) {
        auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
        platform::headless::SetIdleHandler([queue] {
            if (queue->empty())
                return false;
            auto step = std::move(queue->front());
            queue->pop_front();
            step();
            return true;
        });
    }

    std::vector<WORD> ScrollCodes() const {
        std::vector<WORD> codes;
        for (const LoggedMessage& m : Logged(m_scrolled, WM_VSCROLL))
            codes.push_back(LOWORD(m.wParam));
        return codes;
    }

    POINT DownArrow() const { return {m_bar.rcScrollBar.left + 5, m_bar.rcScrollBar.bottom - 5}; }
    POINT OnThumb() const {
        return {m_bar.rcScrollBar.left + 5, m_bar.rcScrollBar.top + m_bar.xyThumbTop + 2};
    }

    std::function<void(WORD)> OnScroll = [](WORD) {};
    std::function<void()> OnCoverPaint = [] {};
    HWND m_parent = nullptr;
    HWND m_scrolled = nullptr;
    HWND m_cover = nullptr;
    SCROLLBARINFO m_bar{};
};

TEST_F(ScrollBarOverlayTest, PressOnTheCoverRepeatsTheArrowUntilTheReleaseWhichTheCoverNeverSees) {
    HandOverPresses();
    int lines = 0;
    OnScroll = [&](WORD code) {
        if (code == SB_LINEDOWN && ++lines == 3)
            ReleaseButton(DownArrow().x, DownArrow().y);
    };
    PressButton(DownArrow().x, DownArrow().y);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(ScrollCodes(), (std::vector<WORD>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(Logged(m_cover, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(Logged(m_cover, WM_LBUTTONUP).empty()) << "the tracking loop took the release";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarOverlayTest, ThumbDraggedFromTheCoverEndsWhereADirectDragEnds) {
    HandOverPresses();
    POINT grab = OnThumb();
    int end = m_bar.rcScrollBar.bottom + 20; // past the track: the last position
    PressButton(grab.x, grab.y);
    MoveMouse(grab.x, grab.y + 30);
    MoveMouse(grab.x, end);
    ReleaseButton(grab.x, end);
    platform::headless::RunUntilIdle();
    std::vector<LoggedMessage> scrolls = Logged(m_scrolled, WM_VSCROLL);
    ASSERT_GE(scrolls.size(), 3u);
    EXPECT_EQ(LOWORD(scrolls.front().wParam), SB_THUMBTRACK);
    EXPECT_EQ(LOWORD(scrolls[scrolls.size() - 2].wParam), SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(scrolls[scrolls.size() - 2].wParam), 90);
    EXPECT_EQ(LOWORD(scrolls.back().wParam), SB_ENDSCROLL);
}

TEST_F(ScrollBarOverlayTest, TheCoverIsPaintedWhileTheLoopFollowsTheThumb) {
    HandOverPresses();
    bool tracking = false;
    int paintsWhileTracking = 0;
    OnScroll = [&](WORD code) {
        tracking = code != SB_ENDSCROLL;
        if (code == SB_THUMBTRACK)
            InvalidateRect(m_cover, nullptr, TRUE);
    };
    OnCoverPaint = [&] { paintsWhileTracking += tracking ? 1 : 0; };
    POINT grab = OnThumb();
    Script({[&] { MoveMouse(grab.x, grab.y + 40); }, [&] { ReleaseButton(grab.x, grab.y + 40); }});
    PressButton(grab.x, grab.y);
    platform::headless::RunUntilIdle();
    EXPECT_GE(paintsWhileTracking, 1) << "the loop dispatches the cover's paint before the release";
    EXPECT_FALSE(tracking);
}

TEST_F(ScrollBarOverlayTest, APostedFrameClickStartsTheLoopWhenItIsTaken) {
    HandOverPresses(true);
    OnScroll = [&](WORD code) {
        if (code == SB_LINEDOWN)
            ReleaseButton(DownArrow().x, DownArrow().y);
    };
    PressButton(DownArrow().x, DownArrow().y);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(ScrollCodes(), (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarOverlayTest, SecondQuickPressOnTheCoverIsADoubleClickThatTracksAgain) {
    HandOverPresses();
    OnScroll = [&](WORD code) {
        if (code == SB_LINEDOWN)
            ReleaseButton(DownArrow().x, DownArrow().y);
    };
    PressButton(DownArrow().x, DownArrow().y);
    platform::headless::RunUntilIdle();
    PressButton(DownArrow().x, DownArrow().y);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(ScrollCodes(), (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(Logged(m_cover, WM_LBUTTONDBLCLK).size(), 1u);
}

} // namespace
