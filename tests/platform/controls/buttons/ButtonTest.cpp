// The "BUTTON" control: clicks by mouse, space bar and BM_CLICK with their notifications,
// check states and radio groups, the messages a skin sends it, owner drawing, the parent's
// colours, and the classic look of each state read back from the screen.

#include "../ControlTestSupport.h"

#include "platform/controls/buttons/Button.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

class ButtonTest : public ControlTest {
protected:
    HWND CreateButton(DWORD style, const char* text = "OK", int id = 100, int x = 10, int y = 10,
                      int width = 80, int height = 24) {
        return CreateControl("BUTTON", text, style, x, y, width, height, id);
    }
    void ClickAt(HWND button, int x = 10, int y = 10) {
        POINT at = OnScreen(button, x, y);
        headless::Click(at.x, at.y);
        headless::RunUntilIdle();
    }
    static LRESULT State(HWND button) { return SendMessageW(button, BM_GETSTATE, 0, 0); }
    static LRESULT Check(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0); }
};

TEST_F(ButtonTest, Class_IsASystemClassEveryModuleFinds) {
    WNDCLASSA info{};
    EXPECT_NE(GetClassInfoA(reinterpret_cast<HINSTANCE>(0x1234), "button", &info), 0);
    EXPECT_EQ(info.hInstance, nullptr);
    EXPECT_TRUE(info.style & CS_DBLCLKS);
    HWND button = CreateButton(BS_PUSHBUTTON);
    char name[32]{};
    GetClassNameA(button, name, sizeof name);
    EXPECT_STREQ(name, "Button");
}

TEST_F(ButtonTest, MouseClick_PushesWhileHeldAndNotifiesOnReleaseInside) {
    HWND button = CreateButton(BS_PUSHBUTTON);
    POINT at = OnScreen(button, 20, 10);
    headless::PressButton(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(State(button) & (BST_PUSHED | BST_FOCUS), BST_PUSHED | BST_FOCUS);
    EXPECT_EQ(GetCapture(), button);
    EXPECT_TRUE(Notifications(button).empty()) << "nothing is clicked before the release";

    // Dragged off the button it pops out, and back on it is pushed again.
    headless::MoveMouse(at.x + 200, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(State(button) & BST_PUSHED, 0);
    headless::MoveMouse(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(State(button) & BST_PUSHED, BST_PUSHED);
    headless::ReleaseButton(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(State(button) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Notifications(button), std::vector<WORD>{BN_CLICKED});

    // Released outside: no click.
    ClearLog();
    headless::PressButton(at.x, at.y);
    headless::RunUntilIdle();
    headless::ReleaseButton(at.x + 200, at.y);
    headless::RunUntilIdle();
    EXPECT_TRUE(Notifications(button).empty());
}

TEST_F(ButtonTest, ReleaseWithoutItsOwnPress_ClicksNothing) {
    // A skin swallows the press and clicks on its own; the button must not click a second time.
    HWND button = CreateButton(BS_PUSHBUTTON);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(Notifications(button).empty());
}

TEST_F(ButtonTest, SpaceBar_PushesOnPressClicksOnReleaseAndLosingFocusCancels) {
    HWND button = CreateButton(BS_AUTOCHECKBOX, "Check");
    SetFocus(button);
    headless::PressKey(VK_SPACE);
    headless::RunUntilIdle();
    EXPECT_EQ(State(button) & BST_PUSHED, BST_PUSHED);
    EXPECT_TRUE(Notifications(button).empty());
    headless::ReleaseKey(VK_SPACE);
    headless::RunUntilIdle();
    EXPECT_EQ(Check(button), BST_CHECKED);
    EXPECT_EQ(Notifications(button), std::vector<WORD>{BN_CLICKED});

    ClearLog();
    headless::PressKey(VK_SPACE);
    headless::RunUntilIdle();
    SetFocus(m_parent);
    headless::ReleaseKey(VK_SPACE);
    headless::RunUntilIdle();
    EXPECT_EQ(State(button) & BST_PUSHED, 0);
    EXPECT_EQ(Check(button), BST_CHECKED) << "the cancelled press changed nothing";
    EXPECT_TRUE(Notifications(button).empty());
}

TEST_F(ButtonTest, BmClick_ClicksLikeTheUserUnlessDisabled) {
    HWND button = CreateButton(BS_PUSHBUTTON);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(Notifications(button), std::vector<WORD>{BN_CLICKED});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Messages(button, {WM_LBUTTONDOWN, WM_LBUTTONUP}).size(), 0u) << "the log holds the parent only";

    ClearLog();
    EnableWindow(button, FALSE);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(Notifications(button).empty());
}

TEST_F(ButtonTest, CheckBoxes_CycleTheirStatesAndKeepWhatTheirStyleAllows) {
    HWND two = CreateButton(BS_AUTOCHECKBOX, "Two", 101);
    HWND three = CreateButton(BS_AUTO3STATE, "Three", 102, 10, 40);
    HWND manual = CreateButton(BS_CHECKBOX, "Manual", 103, 10, 70);
    HWND push = CreateButton(BS_PUSHBUTTON, "Push", 104, 10, 100);

    std::vector<LRESULT> seen;
    for (int i = 0; i < 3; ++i) {
        SendMessageW(three, BM_CLICK, 0, 0);
        seen.push_back(Check(three));
    }
    EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));

    SendMessageW(manual, BM_CLICK, 0, 0);
    EXPECT_EQ(Check(manual), BST_UNCHECKED) << "a plain check box leaves checking to its parent";
    EXPECT_EQ(Notifications(manual), std::vector<WORD>{BN_CLICKED});

    SendMessageW(two, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(Check(two), BST_CHECKED) << "a two-state box has no third state";
    SendMessageW(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(Check(three), BST_INDETERMINATE);
    EXPECT_EQ(State(three) & 3, BST_INDETERMINATE) << "BM_GETSTATE carries the check state";

    SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(Check(push), BST_UNCHECKED) << "a push button is never checked";

    EXPECT_TRUE(CheckDlgButton(m_parent, 101, BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(m_parent, 101), BST_UNCHECKED);
    EXPECT_FALSE(CheckDlgButton(m_parent, 999, BST_CHECKED));
}

TEST_F(ButtonTest, AutoRadioButtons_UncheckTheRestOfTheirGroupOnly) {
    // Two groups in a plain window, in creation order: the groups follow it with nothing done.
    HWND a = CreateButton(BS_AUTORADIOBUTTON | WS_GROUP, "A", 201, 10, 10);
    HWND b = CreateButton(BS_AUTORADIOBUTTON, "B", 202, 10, 40);
    HWND c = CreateButton(BS_AUTORADIOBUTTON, "C", 203, 10, 70);
    HWND d = CreateButton(BS_AUTORADIOBUTTON | WS_GROUP, "D", 204, 10, 100);
    SendMessageW(d, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(a, BM_SETCHECK, BST_CHECKED, 0);
    ClickAt(b, 5, 5);
    EXPECT_EQ(Check(a), BST_UNCHECKED) << "the first of the group gives way";
    EXPECT_EQ(Check(b), BST_CHECKED);
    EXPECT_EQ(Check(d), BST_CHECKED) << "the next group is not touched";
    ClickAt(c, 5, 5);
    EXPECT_EQ(Check(a), BST_UNCHECKED);
    EXPECT_EQ(Check(b), BST_UNCHECKED);
    EXPECT_EQ(Check(c), BST_CHECKED);
    EXPECT_EQ(Check(d), BST_CHECKED) << "another group is left alone";
    EXPECT_EQ(Notifications(c), std::vector<WORD>{BN_CLICKED});
    // The checked radio button of a group is its tab stop.
    EXPECT_TRUE(GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongW(a, GWL_STYLE) & WS_TABSTOP);

    EXPECT_TRUE(CheckRadioButton(m_parent, 201, 203, 202));
    EXPECT_EQ(IsDlgButtonChecked(m_parent, 202), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(m_parent, 203), BST_UNCHECKED);
}

TEST_F(ButtonTest, DialogCodesAndStyles_TellTheDialogManagerWhatEachButtonIs) {
    auto code = [&](DWORD style) {
        HWND button = CreateButton(style);
        LRESULT result = SendMessageW(button, WM_GETDLGCODE, 0, 0);
        DestroyWindow(button);
        return result;
    };
    EXPECT_EQ(code(BS_PUSHBUTTON), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(code(BS_DEFPUSHBUTTON), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(code(BS_AUTORADIOBUTTON), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(code(BS_AUTOCHECKBOX), DLGC_BUTTON);
    EXPECT_EQ(code(BS_GROUPBOX), DLGC_STATIC);

    HWND button = CreateButton(BS_PUSHBUTTON | BS_NOTIFY);
    SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & (BS_TYPEMASK | WS_CHILD | WS_VISIBLE | BS_NOTIFY),
              static_cast<LONG>(BS_DEFPUSHBUTTON | WS_CHILD | WS_VISIBLE))
        << "BM_SETSTYLE replaces the button bits and keeps the window's";
    EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, FocusNotifications_OnlyWithBsNotify) {
    HWND quiet = CreateButton(BS_PUSHBUTTON, "Quiet", 101);
    HWND loud = CreateButton(BS_PUSHBUTTON | BS_NOTIFY, "Loud", 102, 10, 40);
    SetFocus(quiet);
    SetFocus(loud);
    SetFocus(quiet);
    EXPECT_TRUE(Notifications(quiet).empty());
    EXPECT_EQ(Notifications(loud), (std::vector<WORD>{BN_SETFOCUS, BN_KILLFOCUS}));
    EXPECT_EQ(State(quiet) & BST_FOCUS, BST_FOCUS);
}

TEST_F(ButtonTest, SetStateAndImages_AreKeptAsTheSkinAsksThem) {
    HWND button = CreateButton(BS_PUSHBUTTON | BS_BITMAP);
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(State(button) & BST_PUSHED, BST_PUSHED);
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(State(button) & BST_PUSHED, 0);

    HBITMAP first = CreateBitmap(8, 8, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    DestroyWindow(button);
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(ButtonTest, OwnerDrawn_AsksTheParentToDrawWithItsState) {
    std::vector<DRAWITEMSTRUCT> drawn;
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_DRAWITEM)
            return std::nullopt;
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        drawn.push_back(*item);
        HBRUSH brush = CreateSolidBrush(Red);
        FillRect(item->hDC, &item->rcItem, brush);
        DeleteObject(brush);
        return TRUE;
    });
    HWND button = CreateButton(BS_OWNERDRAW, "Drawn", 77);
    headless::RunUntilIdle();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().CtlType, ODT_BUTTON);
    EXPECT_EQ(drawn.back().CtlID, 77u);
    EXPECT_EQ(drawn.back().hwndItem, button);
    EXPECT_EQ(drawn.back().itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(drawn.back().rcItem, (RECT{0, 0, 80, 24}));
    EXPECT_EQ(headless::ReadPixel(button, 40, 12), Red);

    POINT at = OnScreen(button, 5, 5);
    headless::PressButton(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(drawn.back().itemState & (ODS_SELECTED | ODS_FOCUS), ODS_SELECTED | ODS_FOCUS);
    headless::ReleaseButton(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(drawn.back().itemState & ODS_SELECTED, 0u);
    EXPECT_EQ(Notifications(button), std::vector<WORD>{BN_CLICKED});
}

TEST_F(ButtonTest, ParentColours_CheckBoxesAskStaticAndPushButtonsAskButton) {
    HBRUSH red = CreateSolidBrush(Red);
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CTLCOLORSTATIC)
            return reinterpret_cast<LRESULT>(red);
        return std::nullopt;
    });
    HWND check = CreateButton(BS_AUTOCHECKBOX, "", 101);
    HWND push = CreateButton(BS_PUSHBUTTON, "", 102, 10, 40);
    headless::RunUntilIdle();
    EXPECT_EQ(headless::ReadPixel(check, 60, 12), Red);
    EXPECT_EQ(Logged(m_parent, WM_CTLCOLORBTN).size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(Logged(m_parent, WM_CTLCOLORBTN).front().lParam), push);
    EXPECT_EQ(headless::ReadPixel(push, 40, 12), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(check);
    DestroyWindow(push);
    DeleteObject(red);
}

TEST_F(ButtonTest, PushButtonLook_RaisedDefaultOutlinedPushedSunkenDisabledGrey) {
    HWND normal = CreateButton(BS_PUSHBUTTON, "Normal", 101, 10, 10);
    HWND byDefault = CreateButton(BS_DEFPUSHBUTTON, "Default", 102, 10, 40);
    HWND disabled = CreateButton(BS_PUSHBUTTON | WS_DISABLED, "Off", 103, 10, 70);
    headless::RunUntilIdle();
    const COLORREF white = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF black = GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(headless::ReadPixel(normal, 0, 0), white) << "raised: light at the top left";
    EXPECT_EQ(headless::ReadPixel(normal, 79, 23), black) << "raised: dark at the bottom right";
    EXPECT_EQ(headless::ReadPixel(byDefault, 0, 0), GetSysColor(COLOR_WINDOWFRAME))
        << "the default's outline";
    EXPECT_EQ(headless::ReadPixel(byDefault, 1, 1), white);
    EXPECT_GT(CountPixels(normal, {4, 4, 76, 20}, GetSysColor(COLOR_BTNTEXT)), 10) << "the caption";
    EXPECT_EQ(CountPixels(disabled, {4, 4, 76, 20}, GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_GT(CountPixels(disabled, {4, 4, 76, 20}, GetSysColor(COLOR_3DSHADOW)), 10) << "greyed caption";
    EXPECT_GT(CountPixels(disabled, {4, 4, 76, 20}, white), 10) << "embossed highlight";

    SendMessageW(normal, BM_SETSTATE, TRUE, 0);
    headless::RunUntilIdle();
    EXPECT_NE(headless::ReadPixel(normal, 0, 0), white) << "pushed: the light edge goes";
    SetFocus(byDefault);
    headless::RunUntilIdle();
    // The focus rectangle runs dotted three pixels inside the face.
    int face = CountPixels(byDefault, {5, 4, 75, 5}, GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(face, 20);
    EXPECT_LT(face, 50);
}

TEST_F(ButtonTest, CheckAndRadioLook_BoxBesideTheTextOnEitherSide) {
    HWND check = CreateButton(BS_AUTOCHECKBOX, "Check", 101, 10, 10, 100, 20);
    HWND right = CreateButton(BS_AUTOCHECKBOX | BS_LEFTTEXT, "Right", 102, 10, 40, 100, 20);
    HWND radio = CreateButton(BS_AUTORADIOBUTTON, "Radio", 103, 10, 70, 100, 20);
    headless::RunUntilIdle();
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(headless::ReadPixel(check, 6, 10), window) << "an empty box on the left";
    EXPECT_EQ(headless::ReadPixel(right, 93, 10), window) << "BS_LEFTTEXT puts the box on the right";
    EXPECT_EQ(headless::ReadPixel(right, 6, 10), GetSysColor(COLOR_BTNFACE));
    int before = CountPixels(check, {2, 5, 11, 15}, ink);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
    headless::RunUntilIdle();
    EXPECT_GT(CountPixels(check, {2, 5, 11, 15}, ink), before + 5) << "the check mark";
    EXPECT_GT(CountPixels(radio, {3, 7, 9, 13}, ink), 4) << "the dot";
}

TEST_F(ButtonTest, GroupBox_LetsClicksThroughAndDrawsAnEtchedFrame) {
    HWND group = CreateButton(BS_GROUPBOX, "Group", 101, 10, 10, 200, 100);
    headless::RunUntilIdle();
    EXPECT_EQ(SendMessageW(group, WM_NCHITTEST, 0, MAKELPARAM(ParentX + 50, ParentY + 50)), HTTRANSPARENT);
    EXPECT_EQ(headless::ReadPixel(group, 0, 60), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(headless::ReadPixel(group, 1, 60), GetSysColor(COLOR_3DHIGHLIGHT));
    POINT inside = OnScreen(group, 100, 50);
    headless::Click(inside.x, inside.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Logged(m_parent, WM_LBUTTONDOWN).size(), 1u) << "the click reached the parent";
}

// A procedure that lets the button paint and then draws over it, as a skin does.
WNDPROC g_buttonProc = nullptr;
LRESULT CALLBACK PaintOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcW(g_buttonProc, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        HDC dc = GetWindowDC(window);
        SetPixel(dc, 2, 2, Red);
        ReleaseDC(window, dc);
    }
    return result;
}

TEST_F(ButtonTest, Subclassed_TheButtonPaintsFirstAndTheSubclassOverIt) {
    HWND button = CreateButton(BS_PUSHBUTTON, "Skinned");
    g_buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintOver)));
    InvalidateRect(button, nullptr, TRUE);
    headless::RunUntilIdle();
    EXPECT_EQ(headless::ReadPixel(button, 2, 2), Red);
    EXPECT_EQ(headless::ReadPixel(button, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(Notifications(button), std::vector<WORD>{BN_CLICKED}) << "messages still reach the button";
}

} // namespace
