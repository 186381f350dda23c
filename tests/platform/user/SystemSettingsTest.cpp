// System metrics and settings of the classic look, the standard icons and cursors.

#include "WindowTestSupport.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <cstring>

using namespace testing_support;

namespace {

using SystemSettingsTest = WindowTest;

} // namespace

TEST_F(SystemSettingsTest, Metrics_AreTheClassicOnesAt96Dpi) {
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXSIZE), 18);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the headless screen";
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 1);
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, (RECT{0, 0, 1024, 768}));
    EXPECT_FALSE(SystemParametersInfoA(0xFFFF, 0, &work, 0));
}

TEST_F(SystemSettingsTest, NonClientMetrics_GiveTheClassicSizesAndSongFonts) {
    NONCLIENTMETRICSA metrics{};
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0)) << "the size must be set";
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(metrics.iCaptionHeight, 18);
    EXPECT_EQ(metrics.iMenuHeight, 18);
    EXPECT_EQ(metrics.iScrollWidth, 16);
    EXPECT_STREQ(metrics.lfCaptionFont.lfFaceName, "宋体");
    EXPECT_EQ(metrics.lfCaptionFont.lfHeight, -12);
    EXPECT_EQ(metrics.lfCaptionFont.lfWeight, FW_BOLD);
    EXPECT_EQ(metrics.lfMenuFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(metrics.lfMenuFont.lfCharSet, GB2312_CHARSET);
    HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
    EXPECT_NE(font, nullptr);
    DeleteObject(font);
}

TEST_F(SystemSettingsTest, StandardIcons_AreSharedAndDrawWithTransparentCorners) {
    HICON error = LoadIconA(nullptr, IDI_ERROR);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_HAND), error);
    EXPECT_NE(LoadIconA(nullptr, IDI_WARNING), error);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(32, 32, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 32, 32};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &all, green);
    DeleteObject(green);
    ASSERT_TRUE(DrawIconEx(dc, 0, 0, error, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0)) << "outside the disc the background shows";
    EXPECT_EQ(GetPixel(dc, 16, 16), RGB(255, 255, 255)) << "the white cross";
    EXPECT_EQ(GetPixel(dc, 16, 4), RGB(224, 0, 0));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    // A program that destroys a shared icon gets a working one the next time.
    DestroyIcon(error);
    HICON again = LoadIconA(nullptr, IDI_ERROR);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(again, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(SystemSettingsTest, Cursors_StandardShapesAndTheClassCursorOverTheClientArea) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR beam = LoadCursorA(nullptr, IDC_IBEAM);
    ASSERT_NE(arrow, nullptr);
    EXPECT_NE(arrow, beam);
    EXPECT_EQ(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(5)), nullptr);

    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = DefWindowProcA;
    description.hCursor = beam;
    description.lpszClassName = "CursorTestClass";
    ASSERT_NE(RegisterClassExA(&description), 0);
    HWND window = CreateWindowExA(0, "CursorTestClass", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    platform::headless::MoveMouse(100, 100);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(GetCursor(), beam);
    platform::headless::MoveMouse(1, 100);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZEWE)) << "the sizing border";
    DestroyWindow(window);
    UnregisterClassA("CursorTestClass", nullptr);
}
