// The "STATIC" control: text placed by its style, frames and etched lines, icons that size the
// control, clicks that pass through or notify, and the parent's colours.

#include "../ControlTestSupport.h"

#include "platform/controls/statics/Static.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

class StaticTest : public ControlTest {
protected:
    // The leftmost and rightmost columns holding text ink.
    static std::pair<int, int> InkColumns(HWND control, int width, int height) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < width; ++x) {
            if (CountPixels(control, {x, 0, x + 1, height}, GetSysColor(COLOR_WINDOWTEXT)) > 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        return {first, last};
    }
};

TEST_F(StaticTest, Text_IsPlacedLeftCentredOrRightByTheStyle) {
    HWND left = CreateControl("STATIC", "Text", SS_LEFT, 10, 10, 200, 20, 1);
    HWND centre = CreateControl("STATIC", "Text", SS_CENTER, 10, 40, 200, 20, 2);
    HWND right = CreateControl("STATIC", "Text", SS_RIGHT, 10, 70, 200, 20, 3);
    headless::RunUntilIdle();
    auto [leftFirst, leftLast] = InkColumns(left, 200, 20);
    auto [centreFirst, centreLast] = InkColumns(centre, 200, 20);
    auto [rightFirst, rightLast] = InkColumns(right, 200, 20);
    ASSERT_GE(leftFirst, 0);
    EXPECT_LT(leftFirst, 3);
    EXPECT_NEAR((centreFirst + centreLast) / 2, 100, 3);
    EXPECT_GT(rightLast, 195);
    EXPECT_EQ(leftLast - leftFirst, rightLast - rightFirst);
}

TEST_F(StaticTest, Prefixes_UnderlineUnlessNoPrefix) {
    HWND prefixed = CreateControl("STATIC", "&Name", SS_LEFT, 10, 10, 200, 20, 1);
    HWND plain = CreateControl("STATIC", "&Name", SS_LEFT | SS_NOPREFIX, 10, 40, 200, 20, 2);
    headless::RunUntilIdle();
    auto [prefixedFirst, prefixedLast] = InkColumns(prefixed, 200, 20);
    auto [plainFirst, plainLast] = InkColumns(plain, 200, 20);
    EXPECT_GT(plainLast - plainFirst, prefixedLast - prefixedFirst) << "the ampersand is drawn only as text";
}

TEST_F(StaticTest, Clicks_PassToTheParentUnlessSsNotify) {
    HWND quiet = CreateControl("STATIC", "Quiet", SS_LEFT, 10, 10, 100, 20, 1);
    HWND notifying = CreateControl("STATIC", "Loud", SS_LEFT | SS_NOTIFY, 10, 40, 100, 20, 2);
    POINT at = OnScreen(quiet, 5, 5);
    headless::Click(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Logged(m_parent, WM_LBUTTONDOWN).size(), 1u);
    at = OnScreen(notifying, 5, 5);
    headless::Click(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Notifications(notifying), std::vector<WORD>{STN_CLICKED});
    EXPECT_EQ(SendMessageW(notifying, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EnableWindow(notifying, FALSE);
    EXPECT_EQ(Notifications(notifying), (std::vector<WORD>{STN_CLICKED, STN_DISABLE}));
}

TEST_F(StaticTest, FramesAndLines_DrawTheirEdges) {
    HWND etched = CreateControl("STATIC", "", SS_ETCHEDHORZ, 10, 10, 100, 2, 1);
    HWND black = CreateControl("STATIC", "", SS_BLACKFRAME, 10, 20, 50, 30, 2);
    HWND sunken = CreateControl("STATIC", "", SS_LEFT | SS_SUNKEN, 10, 60, 50, 20, 3);
    headless::RunUntilIdle();
    EXPECT_EQ(headless::ReadPixel(etched, 50, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(headless::ReadPixel(etched, 50, 1), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(headless::ReadPixel(black, 0, 15), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_TRUE(GetWindowLongW(sunken, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    RECT client{};
    GetClientRect(sunken, &client);
    EXPECT_EQ(client.right, 48) << "the static edge takes a pixel each side";
}

TEST_F(StaticTest, Icons_SizeTheControlAndAreHandedBack) {
    HWND icon = CreateControl("STATIC", "", SS_ICON, 10, 10, 5, 5, 1);
    HICON question = LoadIconA(nullptr, IDI_QUESTION);
    EXPECT_EQ(SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(question), 0), 0);
    RECT rect{};
    GetWindowRect(icon, &rect);
    EXPECT_EQ(rect.right - rect.left, 32);
    EXPECT_EQ(rect.bottom - rect.top, 32);
    EXPECT_EQ(SendMessageW(icon, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(question));
    EXPECT_EQ(SendMessageW(icon, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(question));
    headless::RunUntilIdle();
    EXPECT_GT(CountPixels(icon, {0, 0, 32, 32}, GetSysColor(COLOR_BTNFACE)), 0);
    EXPECT_LT(CountPixels(icon, {0, 0, 32, 32}, GetSysColor(COLOR_BTNFACE)), 32 * 32) << "the icon is drawn";
}

TEST_F(StaticTest, Background_IsTheBrushTheParentAnswers) {
    HBRUSH red = CreateSolidBrush(Red);
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CTLCOLORSTATIC)
            return reinterpret_cast<LRESULT>(red);
        return std::nullopt;
    });
    HWND text = CreateControl("STATIC", "x", SS_LEFT, 10, 10, 100, 20, 1);
    headless::RunUntilIdle();
    EXPECT_EQ(headless::ReadPixel(text, 90, 10), Red);
    DestroyWindow(text);
    DeleteObject(red);
}

} // namespace
