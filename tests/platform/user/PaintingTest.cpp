// Painting: the order of WM_NCPAINT, WM_ERASEBKGND and WM_PAINT, update regions, device
// contexts clipped by children, siblings and window shapes, WM_PRINT, and the caret, read
// back from the backing store.

#include "WindowTestSupport.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0);

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// Windows that paint their whole client area in one colour each, and their frame in another.
struct Painter {
    std::vector<std::pair<HWND, COLORREF>> clientColors;
    std::vector<std::pair<HWND, COLORREF>> frameColors;
    std::vector<std::pair<HWND, RECT>> paintRects;

    std::optional<LRESULT> operator()(HWND window, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_PAINT) {
            for (auto& [w, color] : clientColors) {
                if (w != window)
                    continue;
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(window, &paint);
                RECT client;
                GetClientRect(window, &client);
                Fill(dc, client, color);
                paintRects.emplace_back(window, paint.rcPaint);
                EndPaint(window, &paint);
                return 0;
            }
        }
        if (message == WM_NCPAINT) {
            for (auto& [w, color] : frameColors) {
                if (w != window)
                    continue;
                HDC dc = wParam > 1
                             ? GetDCEx(window, reinterpret_cast<HRGN>(wParam), DCX_WINDOW | DCX_INTERSECTRGN)
                             : GetWindowDC(window);
                RECT whole;
                GetWindowRect(window, &whole);
                OffsetRect(&whole, -whole.left, -whole.top);
                Fill(dc, whole, color);
                ReleaseDC(window, dc);
                return 0;
            }
        }
        return std::nullopt;
    }
};

std::optional<LRESULT> CallPainter(Painter& painter, HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return painter(w, m, wp, lp);
}

class PaintingTest : public WindowTest {
protected:
    Painter painter;
    void UsePainter() {
        SetHandler(
            [this](HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallPainter(painter, w, m, wp, lp); });
    }
};

} // namespace

TEST_F(PaintingTest, Paint_ComesFromTheQueueAfterPostedMessagesParentsFirstOnce) {
    HWND parent = CreateTopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND child = CreateChild(parent, 10, 10, 50, 50);
    headless::RunUntilIdle();
    ClearLog();
    InvalidateRect(parent, nullptr, TRUE);
    PostMessageW(child, WM_USER, 0, 0);
    headless::RunUntilIdle();
    std::vector<std::pair<HWND, UINT>> order;
    for (const LoggedMessage& m : Log()) {
        if (m.message == WM_USER || m.message == WM_PAINT || m.message == WM_ERASEBKGND)
            order.emplace_back(m.window, m.message);
    }
    // The parent has no WS_CLIPCHILDREN, so its invalid area takes the child along. The
    // background is erased from inside BeginPaint.
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{child, WM_USER},
                                                         {parent, WM_PAINT},
                                                         {parent, WM_ERASEBKGND},
                                                         {child, WM_PAINT},
                                                         {child, WM_ERASEBKGND}}));
    ClearLog();
    headless::RunUntilIdle();
    EXPECT_TRUE(Logged(nullptr, WM_PAINT).empty()) << "BeginPaint validated";
}

TEST_F(PaintingTest, BeginPaint_ReportsTheUpdateAreaAndWhetherTheBackgroundStillNeedsErasing) {
    HWND window = CreateTopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    painter.clientColors = {{window, Red}};
    UsePainter();
    headless::RunUntilIdle();
    painter.paintRects.clear();
    RECT first = {10, 10, 20, 20};
    RECT second = {50, 40, 60, 70};
    InvalidateRect(window, &first, FALSE);
    InvalidateRect(window, &second, FALSE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update, (RECT{10, 10, 60, 70}));
    ValidateRect(window, &second);
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update, first);
    ASSERT_TRUE(UpdateWindow(window));
    ASSERT_EQ(painter.paintRects.size(), 1u) << "UpdateWindow paints at once";
    EXPECT_EQ(painter.paintRects[0].second, first);
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(headless::ReadPixel(window, 15, 15), Red);
    EXPECT_EQ(headless::ReadPixel(window, 100, 100), Red) << "the first paint filled everything";

    // The test class has no background brush: WM_ERASEBKGND answers 0 and fErase says so.
    bool erased = false;
    SetHandler([&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            BeginPaint(w, &paint);
            erased = paint.fErase;
            EndPaint(w, &paint);
            return 0;
        }
        return std::nullopt;
    });
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_TRUE(erased);
}

TEST_F(PaintingTest, OwnFrame_IsPaintedByTheWindowThroughTheRegionOfWmNcPaint) {
    SetHandler([](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_NCCALCSIZE) {
            RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                : reinterpret_cast<RECT*>(lParam);
            InflateRect(rect, -6, -6);
            rect->top += 14;
            return 0;
        }
        return std::nullopt;
    });
    HWND window = CreateTopLevel(100, 100, 120, 80, WS_POPUP);
    painter.clientColors = {{window, Green}};
    painter.frameColors = {{window, Blue}};
    auto own = painter;
    std::vector<WPARAM> frameUpdates;
    RECT frameBox{};
    SetHandler([&](HWND w, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_NCCALCSIZE) {
            RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                : reinterpret_cast<RECT*>(lParam);
            InflateRect(rect, -6, -6);
            rect->top += 14;
            return 0;
        }
        if (message == WM_NCPAINT) {
            frameUpdates.push_back(wParam);
            if (wParam > 1)
                GetRgnBox(reinterpret_cast<HRGN>(wParam), &frameBox);
        }
        return own(w, message, wParam, lParam);
    });
    ShowWindow(window, SW_SHOWNA);
    headless::RunUntilIdle();
    EXPECT_EQ(Messages(window, {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}),
              (std::vector<UINT>{WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}));
    EXPECT_EQ(headless::ReadPixel(window, 0, 0), Blue);
    EXPECT_EQ(headless::ReadPixel(window, 5, 40), Blue);
    EXPECT_EQ(headless::ReadPixel(window, 6, 20), Green);
    EXPECT_EQ(headless::ReadPixel(window, 113, 73), Green);
    EXPECT_EQ(headless::ReadPixel(window, 114, 73), Blue);
    EXPECT_EQ(headless::ReadScreenPixel(100 + 50, 100 + 40), Green);
    EXPECT_EQ(frameUpdates, std::vector<WPARAM>{1}) << "an update of the whole window is told as 1";

    // A part of the frame comes as its region, in screen coordinates: the window's top-left
    // corner, given in client coordinates.
    frameUpdates.clear();
    RECT corner{-6, -20, 4, -10};
    RedrawWindow(window, &corner, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(frameUpdates.size(), 1u);
    EXPECT_GT(frameUpdates[0], 1u);
    EXPECT_EQ(frameBox, (RECT{100, 100, 110, 110})) << "the frame's region is in screen coordinates";

    // A client DC never reaches the frame.
    HDC dc = GetDC(window);
    Fill(dc, RECT{-20, -20, 500, 500}, Yellow);
    ReleaseDC(window, dc);
    EXPECT_EQ(headless::ReadPixel(window, 3, 3), Blue);
    EXPECT_EQ(headless::ReadPixel(window, 50, 50), Yellow);

    // SWP_FRAMECHANGED asks for the frame again.
    ClearLog();
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(Messages(window, {WM_NCCALCSIZE, WM_NCPAINT}), (std::vector<UINT>{WM_NCCALCSIZE, WM_NCPAINT}));
}

TEST_F(PaintingTest, Clipping_KeepsChildrenAndSiblingsClearWhenTheStylesAsk) {
    HWND parent = CreateTopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    // Made first, the upper child is above the lower one.
    HWND upper = CreateChild(parent, 50, 50, 100, 100, 2);
    HWND lower = CreateChild(parent, 10, 10, 100, 100, 1, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    painter.clientColors = {{parent, Red}, {lower, Green}, {upper, Blue}};
    UsePainter();
    headless::RunUntilIdle();
    EXPECT_EQ(headless::ReadPixel(parent, 5, 5), Red);
    EXPECT_EQ(headless::ReadPixel(parent, 20, 20), Green);
    EXPECT_EQ(headless::ReadPixel(parent, 100, 100), Blue)
        << "the lower sibling keeps clear of the upper one";

    // The parent paints around its children.
    HDC dc = GetDC(parent);
    Fill(dc, RECT{0, 0, 200, 200}, Yellow);
    ReleaseDC(parent, dc);
    EXPECT_EQ(headless::ReadPixel(parent, 5, 5), Yellow);
    EXPECT_EQ(headless::ReadPixel(parent, 20, 20), Green);
    EXPECT_EQ(headless::ReadPixel(parent, 140, 140), Blue);

    // Without WS_CLIPSIBLINGS the lower child draws over the upper one...
    SetWindowLongW(lower, GWL_STYLE, static_cast<LONG>(GetWindowLongW(lower, GWL_STYLE) & ~WS_CLIPSIBLINGS));
    dc = GetDC(lower);
    Fill(dc, RECT{0, 0, 100, 100}, Green);
    ReleaseDC(lower, dc);
    EXPECT_EQ(headless::ReadPixel(parent, 100, 100), Green);
    // ...and DCX_CLIPSIBLINGS asks for the clipping all the same.
    InvalidateRect(upper, nullptr, TRUE);
    UpdateWindow(upper);
    EXPECT_EQ(headless::ReadPixel(parent, 100, 100), Blue);
    dc = GetDCEx(lower, nullptr, DCX_CLIPSIBLINGS);
    Fill(dc, RECT{0, 0, 100, 100}, Red);
    ReleaseDC(lower, dc);
    EXPECT_EQ(headless::ReadPixel(parent, 100, 100), Blue);
    EXPECT_EQ(headless::ReadPixel(parent, 20, 20), Red);
}

TEST_F(PaintingTest, WindowRegion_ClipsPaintingAndHitTestsAndShowsTheDesktopThrough) {
    HWND below = CreateTopLevel(0, 0, 300, 300, WS_POPUP | WS_VISIBLE);
    HWND shaped = CreateTopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    painter.clientColors = {{below, Red}, {shaped, Green}};
    UsePainter();
    headless::RunUntilIdle();
    // A plus-shaped window: two bars.
    HRGN bars = CreateRectRgn(40, 0, 60, 100);
    HRGN across = CreateRectRgn(0, 40, 100, 60);
    CombineRgn(bars, bars, across, RGN_OR);
    DeleteObject(across);
    ASSERT_TRUE(SetWindowRgn(shaped, bars, TRUE));
    EXPECT_FALSE(DeleteObject(bars)) << "the region now belongs to the system";
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, copy), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(copy, 50, 10));
    DeleteObject(copy);

    headless::RunUntilIdle();
    HDC dc = GetDC(shaped);
    Fill(dc, RECT{0, 0, 100, 100}, Yellow);
    ReleaseDC(shaped, dc);
    EXPECT_EQ(headless::ReadScreenPixel(50, 50), Yellow);
    EXPECT_EQ(headless::ReadScreenPixel(10, 10), Red) << "the window below shows through outside the shape";
    EXPECT_EQ(WindowFromPoint({10, 10}), below);
    EXPECT_EQ(WindowFromPoint({50, 10}), shaped);

    ClearLog();
    headless::Click(10, 10);
    headless::RunUntilIdle();
    EXPECT_TRUE(Logged(shaped, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(Logged(below, WM_LBUTTONDOWN).size(), 1u);

    SetWindowRgn(shaped, nullptr, TRUE);
    HRGN none = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, none), ERROR);
    DeleteObject(none);
    BringWindowToTop(shaped);
    EXPECT_EQ(WindowFromPoint({10, 10}), shaped)
        << "the click brought the lower window up; now the shape is gone";
}

TEST_F(PaintingTest, Print_DrawsClientAreasOfTheWindowAndItsChildrenIntoAnyDC) {
    HWND parent = CreateTopLevel(0, 0, 100, 100, WS_POPUP | WS_BORDER);
    CreateChild(parent, 20, 30, 40, 40);
    SetHandler([&](HWND w, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_PRINTCLIENT) {
            Fill(reinterpret_cast<HDC>(wParam), RECT{0, 0, 5, 5}, w == parent ? Red : Green);
            return 0;
        }
        return std::nullopt;
    });
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 100);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ReleaseDC(nullptr, screen);
    SendMessageW(parent, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(GetPixel(memory, 1, 1), Red) << "the client area starts inside the border";
    EXPECT_EQ(GetPixel(memory, 1 + 20 + 2, 1 + 30 + 2), Green);
    EXPECT_NE(GetPixel(memory, 0, 0), Red);

    ClearLog();
    SendMessageW(parent, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CHECKVISIBLE | PRF_CLIENT);
    EXPECT_TRUE(Logged(parent, WM_PRINTCLIENT).empty())
        << "a hidden window prints nothing when asked to check";
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(PaintingTest, Print_NonClientDrawsTheDefaultFrameIntoTheDCAndNotOnTheWindow) {
    HWND window = CreateTopLevel(0, 0, 120, 80, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    headless::RunUntilIdle();
    COLORREF onWindowBefore = headless::ReadPixel(window, 60, 10);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 80);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ReleaseDC(nullptr, screen);
    RECT all = {0, 0, 120, 80};
    Fill(memory, all, Yellow);
    ClearLog();

    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_NONCLIENT);

    EXPECT_TRUE(Logged(window, WM_NCPAINT).empty()) << "printing does not repaint the window itself";
    EXPECT_EQ(GetPixel(memory, 60, 10), onWindowBefore) << "the caption is drawn into the DC";
    EXPECT_NE(GetPixel(memory, 0, 0), Yellow) << "and so is the border";
    EXPECT_EQ(GetPixel(memory, 60, 50), Yellow) << "the client area is left alone";
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(PaintingTest, Caret_InvertsItsRectangleBlinksAndHidesWhileItsWindowPaints) {
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    painter.clientColors = {{window, RGB(255, 255, 255)}};
    UsePainter();
    headless::RunUntilIdle();
    ASSERT_TRUE(CreateCaret(window, nullptr, 2, 14));
    SetCaretPos(10, 20);
    EXPECT_EQ(headless::ReadPixel(window, 10, 20), RGB(255, 255, 255)) << "a new caret is hidden";
    ShowCaret(window);
    EXPECT_EQ(headless::ReadPixel(window, 10, 20), RGB(0, 0, 0));
    EXPECT_EQ(headless::ReadPixel(window, 12, 20), RGB(255, 255, 255));
    headless::RunFor(GetCaretBlinkTime());
    EXPECT_EQ(headless::ReadPixel(window, 10, 20), RGB(255, 255, 255)) << "blinked off";
    headless::RunFor(GetCaretBlinkTime());
    EXPECT_EQ(headless::ReadPixel(window, 10, 20), RGB(0, 0, 0)) << "and on again";

    // Repainting does not leave a stale caret behind.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_EQ(headless::ReadPixel(window, 10, 20), RGB(0, 0, 0));
    SetCaretPos(30, 20);
    EXPECT_EQ(headless::ReadPixel(window, 10, 20), RGB(255, 255, 255));
    EXPECT_EQ(headless::ReadPixel(window, 30, 20), RGB(0, 0, 0));
    HideCaret(window);
    EXPECT_EQ(headless::ReadPixel(window, 30, 20), RGB(255, 255, 255));
    POINT at;
    GetCaretPos(&at);
    EXPECT_EQ(at.x, 30);
    EXPECT_TRUE(DestroyCaret());
    EXPECT_FALSE(DestroyCaret());
}

TEST_F(PaintingTest, ScrollWindow_MovesThePixelsAndInvalidatesWhatItUncovered) {
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    HWND child = CreateChild(window, 10, 60, 20, 20);
    painter.clientColors = {{window, RGB(255, 255, 255)}, {child, Blue}};
    UsePainter();
    headless::RunUntilIdle();
    // Rows of colour: row y is red for y < 10, green for 10 <= y < 20, white below.
    HDC dc = GetDC(window);
    Fill(dc, RECT{0, 0, 100, 10}, Red);
    Fill(dc, RECT{0, 10, 100, 20}, Green);
    ReleaseDC(window, dc);
    RECT pending = {0, 90, 100, 95};
    InvalidateRect(window, &pending, FALSE);

    HRGN uncovered = CreateRectRgn(0, 0, 0, 0);
    RECT bounds;
    int kind = ScrollWindowEx(window, 0, -10, nullptr, nullptr, uncovered, &bounds, 0);
    EXPECT_NE(kind, ERROR);
    EXPECT_EQ(headless::ReadPixel(window, 50, 5), Green) << "the contents moved up by ten rows";
    EXPECT_EQ(headless::ReadPixel(window, 50, 15), RGB(255, 255, 255));
    EXPECT_EQ(headless::ReadPixel(window, 15, 55), Blue) << "the child's pixels moved along";
    RECT box;
    GetRgnBox(uncovered, &box);
    EXPECT_EQ(box, (RECT{0, 90, 100, 100})) << "the rows the contents left";
    EXPECT_EQ(bounds, box);
    DeleteObject(uncovered);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 80, 100, 85})) << "the area waiting for paint moved with the contents";
    ValidateRect(window, nullptr);

    // ScrollWindow moves the children and invalidates the uncovered band.
    ScrollWindow(window, 0, -10, nullptr, nullptr);
    RECT childRect;
    GetWindowRect(child, &childRect);
    EXPECT_EQ(childRect.top, 50);
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.bottom, 100);
    EXPECT_GE(update.top, 80);
    headless::RunUntilIdle();
    EXPECT_EQ(headless::ReadPixel(window, 50, 95), RGB(255, 255, 255));
}

// Overlapping moves in every direction keep each pixel's value: the rows are taken in an order
// that reads a row before the move overwrites it.
TEST_F(PaintingTest, ScrollWindowEx_MovesOverlappingPixelsIntactInEveryDirection) {
    HWND window = CreateTopLevel(0, 0, 60, 60, WS_POPUP | WS_VISIBLE);
    headless::RunUntilIdle();
    auto pattern = [](int x, int y) { return RGB(x * 4, y * 4, (x + y) % 256); };
    struct Move {
        int dx, dy;
    };
    for (Move move : {Move{3, 5}, Move{-4, -2}, Move{6, -3}, Move{-2, 7}, Move{5, 0}, Move{-5, 0}}) {
        HDC dc = GetDC(window);
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x)
                SetPixel(dc, x, y, pattern(x, y));
        }
        ReleaseDC(window, dc);
        ScrollWindowEx(window, move.dx, move.dy, nullptr, nullptr, nullptr, nullptr, 0);
        for (int y = 10; y < 50; ++y) {
            for (int x = 10; x < 50; ++x)
                ASSERT_EQ(headless::ReadPixel(window, x, y), pattern(x - move.dx, y - move.dy))
                    << "at " << x << "," << y << " after moving by " << move.dx << "," << move.dy;
        }
    }
}
