// A gallery of the common controls in their main states, written as PNG files into the build's
// program folder for a person to look at: one window per control family.

#include "../CommonControlTestSupport.h"

#include <string>

using namespace testing_support;
using platform::headless::RunUntilIdle;
using platform::headless::SaveWindowPng;

namespace {

class CommonControlsGalleryTest : public CommonControlTest {
protected:
    void SetUp() override {
        CommonControlTest::SetUp();
        // The windows show the dialog colour behind their controls.
        AlsoHandle([](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_ERASEBKGND)
                return std::nullopt;
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_3DFACE));
            return 1;
        });
    }

    HWND Window(const char16_t* title, int width, int height) {
        HWND window = CreateWindowExW(0, u"QuillmereTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                      20, width, height, nullptr, nullptr, nullptr, nullptr);
        SetWindowTextW(window, title);
        return window;
    }

    HWND Child(HWND parent, const WCHAR* className, DWORD style, int x, int y, int width, int height,
               const char16_t* text = u"") {
        return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                               nullptr, nullptr, nullptr);
    }

    static void AddTabs(HWND tabs, std::initializer_list<const char16_t*> texts) {
        int i = 0;
        for (const char16_t* text : texts) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<LPWSTR>(text);
            SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i++), reinterpret_cast<LPARAM>(&item));
        }
    }

    static void Save(HWND window, const std::string& name) {
        RunUntilIdle();
        EXPECT_TRUE(SaveWindowPng(window, std::string(QUILLMERE_BIN_DIR) + "/gallery-" + name + ".png"));
    }
};

TEST_F(CommonControlsGalleryTest, StatusBars) {
    HWND window = Window(u"Status bars", 520, 200);
    HWND parts = Child(window, STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 10, 500, 21);
    int edges[] = {150, 300, 450};
    SendMessageW(parts, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageA(parts, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("记事本.exe"));
    SendMessageW(parts, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(u"\tCentred"));
    SendMessageA(parts, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("\t\t共 128 项"));
    HWND simple = Child(window, STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 50, 500, 21);
    SendMessageW(simple, SB_SIMPLE, TRUE, 0);
    SendMessageW(simple, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(u"Simple mode text"));
    HWND grip = Child(window, STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0, 0, 0, 0);
    int gripEdges[] = {150, 300, -1};
    SendMessageW(grip, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(gripEdges));
    SendMessageW(grip, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(u"Ready"));
    Save(window, "statusbar");
}

TEST_F(CommonControlsGalleryTest, Tabs) {
    HWND window = Window(u"Tabs", 640, 500);
    HWND top = Child(window, WC_TABCONTROLW, 0, 10, 10, 300, 110);
    AddTabs(top, {u"\u8FDE\u63A5", u"IP\u6570\u636E\u5E93", u"Third"});
    HWND bottom = Child(window, WC_TABCONTROLW, TCS_BOTTOM, 320, 10, 300, 110);
    AddTabs(bottom, {u"One", u"Two", u"Three"});
    SendMessageW(bottom, TCM_SETCURSEL, 1, 0);
    HWND left = Child(window, WC_TABCONTROLW, TCS_VERTICAL | TCS_MULTILINE, 10, 130, 300, 150);
    AddTabs(left, {u"Left", u"Second"});
    HWND right = Child(window, WC_TABCONTROLW, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 320, 130, 300, 150);
    AddTabs(right, {u"Right", u"Second"});
    HWND buttons = Child(window, WC_TABCONTROLW, TCS_BUTTONS, 10, 290, 300, 40);
    AddTabs(buttons, {u"Buttons", u"Two", u"Three"});
    HWND flat = Child(window, WC_TABCONTROLW, TCS_BUTTONS | TCS_FLATBUTTONS, 320, 290, 300, 40);
    AddTabs(flat, {u"Flat", u"Two", u"Three"});
    HWND multi = Child(window, WC_TABCONTROLW, TCS_MULTILINE, 10, 340, 300, 110);
    AddTabs(multi,
            {u"Multi", u"line", u"tabs", u"wrap", u"into", u"rows", u"when", u"they", u"do", u"not", u"fit"});
    SendMessageW(multi, TCM_SETCURSEL, 2, 0);
    HWND scrolled = Child(window, WC_TABCONTROLW, 0, 320, 340, 300, 110);
    AddTabs(scrolled, {u"Single", u"line", u"tabs", u"that", u"overflow", u"get", u"a", u"scroller", u"at",
                       u"the", u"end"});
    Save(window, "tabs");
}

TEST_F(CommonControlsGalleryTest, HeadersProgressTrackBarsAndUpDowns) {
    HWND window = Window(u"Header, progress, track bars, up-down", 560, 420);
    HWND normal = Child(window, WC_HEADERW, HDS_BUTTONS | HDS_HOTTRACK, 10, 10, 520, 19);
    HWND pressed = Child(window, WC_HEADERW, HDS_BUTTONS | HDS_HOTTRACK, 10, 40, 520, 19);
    const char16_t* titles[] = {u"\u534F\u8BAE", u"Local address", u"Centred", u"Right"};
    const int formats[] = {HDF_LEFT, HDF_LEFT, HDF_CENTER, HDF_RIGHT};
    for (HWND header : {normal, pressed}) {
        for (int i = 0; i < 4; ++i) {
            HDITEMW item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = const_cast<LPWSTR>(titles[i]);
            item.cxy = 110;
            item.fmt = formats[i] | HDF_STRING;
            SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
    }
    RunUntilIdle();
    // The first header shows its second item hot, the other its third item held down.
    POINT hot = ScreenPoint(normal, 160, 8);
    platform::headless::MoveMouse(hot.x, hot.y);
    RunUntilIdle();
    POINT held = ScreenPoint(pressed, 270, 8);
    platform::headless::PressButton(held.x, held.y);
    RunUntilIdle();

    const int positions[] = {0, 50, 100};
    int y = 80;
    for (int position : positions) {
        HWND bar = Child(window, PROGRESS_CLASSW, 0, 10, y, 250, 18);
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        HWND smooth = Child(window, PROGRESS_CLASSW, PBS_SMOOTH, 270, y, 250, 18);
        SendMessageW(smooth, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        y += 26;
    }
    HWND vertical = Child(window, PROGRESS_CLASSW, PBS_VERTICAL, 10, 170, 18, 120);
    SendMessageW(vertical, PBM_SETPOS, 60, 0);

    HWND track = Child(window, TRACKBAR_CLASSW, TBS_AUTOTICKS, 40, 170, 220, 32);
    SendMessageW(track, TBM_SETTICFREQ, 10, 0);
    SendMessageW(track, TBM_SETPOS, TRUE, 30);
    HWND both =
        Child(window, TRACKBAR_CLASSW, TBS_AUTOTICKS | TBS_BOTH | TBS_ENABLESELRANGE, 40, 210, 220, 40);
    SendMessageW(both, TBM_SETTICFREQ, 20, 0);
    SendMessageW(both, TBM_SETSEL, TRUE, MAKELPARAM(20, 60));
    SendMessageW(both, TBM_SETPOS, TRUE, 60);
    HWND top = Child(window, TRACKBAR_CLASSW, TBS_AUTOTICKS | TBS_TOP, 40, 255, 220, 32);
    SendMessageW(top, TBM_SETTICFREQ, 25, 0);
    HWND upright = Child(window, TRACKBAR_CLASSW, TBS_AUTOTICKS | TBS_VERT, 270, 170, 32, 180);
    SendMessageW(upright, TBM_SETTICFREQ, 10, 0);
    SendMessageW(upright, TBM_SETPOS, TRUE, 70);
    HWND left = Child(window, TRACKBAR_CLASSW, TBS_AUTOTICKS | TBS_VERT | TBS_LEFT, 310, 170, 32, 180);
    SendMessageW(left, TBM_SETTICFREQ, 20, 0);

    // An up-down control beside its buddy, showing the position with thousands separators.
    HWND buddy = CreateWindowExW(WS_EX_CLIENTEDGE, u"STATIC", u"", WS_CHILD | WS_VISIBLE, 370, 170, 100, 22,
                                 window, nullptr, nullptr, nullptr);
    HWND upDown = Child(window, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 0, 16, 0);
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(upDown, UDM_SETRANGE32, 0, 100000);
    SendMessageW(upDown, UDM_SETPOS32, 0, 12345);
    Child(window, UPDOWN_CLASSW, UDS_HORZ, 370, 210, 32, 20);
    Save(window, "controls");
    platform::headless::ReleaseButton(held.x, held.y);
}

} // namespace
