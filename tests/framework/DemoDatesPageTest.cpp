// The demo's page of dates and its MDI form on a private Xvfb server, used as a person uses
// them: the page by its tab, the date picker's month stepped by the arrow keys, its calendar
// dropped down and a day clicked, the month calendar moved on by its arrow button, a day
// clicked and then moved by the keys; then the MDI form opened by the page's button, a document
// window activated by a click on its caption, maximised by its caption button and restored by
// the button in the frame's menu bar, cascaded and tiled from the window menu, the other window
// chosen from the menu's list, and the first one closed by its close button while inactive.
// Pictures go into the build folder (framework-demo-dates-x*.png); the demo's report tells the
// end state.
//
// Where each thing lies is learnt from the same forms on the headless display, brought into the
// same state as the test goes.

#include "FrameworkTestSupport.h"

#include "DemoPerson.h"
#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XvfbServer.h"
#include "tools/framework-demo/DemoForm.h"

#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/common/datetime/CommCtrlDateTime.h"
#include "platform/controls/common/monthcal/CommCtrlMonthCal.h"
#include "platform/user/mdi/WinMdi.h"

#include <sys/wait.h>

#include <cstdio>

using namespace testing_support;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr unsigned long UpKey = 0xFF52;
constexpr unsigned long PageDownKey = 0xFF56;

class DatesPageOnX : public FrameworkTest {};

// The screen point of a month calendar that its hit test answers with `hit` (and, for a day,
// with that month and day), or (-1, -1).
POINT CalendarPoint(HWND calendar, UINT hit, int month = 0, int day = 0) {
    RECT client{};
    GetClientRect(calendar, &client);
    for (int y = 0; y < client.bottom; y += 2) {
        for (int x = 0; x < client.right; x += 2) {
            MCHITTESTINFO info{};
            info.cbSize = sizeof info;
            info.pt = {x, y};
            SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
            if (info.uHit == hit && (day == 0 || (info.st.wMonth == month && info.st.wDay == day))) {
                // The middle of the run of points that answer alike along the row.
                int right = x;
                for (;; right += 2) {
                    MCHITTESTINFO next = info;
                    next.pt = {right + 2, y + 3};
                    SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&next));
                    if (next.uHit != info.uHit || next.st.wDay != info.st.wDay)
                        break;
                }
                POINT point{(x + right) / 2, y + 3};
                ClientToScreen(calendar, &point);
                return point;
            }
        }
    }
    return {-1, -1};
}

// A screen point of a window's frame that answers `hit` and that no other window covers, or
// (-1, -1).
POINT FramePoint(HWND window, LRESULT hit) {
    RECT rect{};
    GetWindowRect(window, &rect);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left + 2; x < rect.right; ++x) {
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit &&
                WindowFromPoint({x, y}) == window)
                return {x + 6, y + 5};
        }
    }
    return {-1, -1};
}

// A screen point at the start of a window's caption, where the caption shows its own colour
// (active or inactive, `colour` tells), or (-1, -1).
POINT CaptionStart(HWND window, int colour = COLOR_ACTIVECAPTION) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const std::uint32_t wanted = Rgb(GetSysColor(colour));
    const int width = rect.right - rect.left;
    for (int y = 0; y < (rect.bottom - rect.top) / 2; ++y) {
        for (int x = 0; x < width / 2; ++x) {
            if (Rgb(platform::headless::ReadPixel(window, x, y)) == wanted &&
                Rgb(platform::headless::ReadPixel(window, x + 1, y + 4)) == wanted)
                return {rect.left + x + 1, rect.top + y + 2};
        }
    }
    return {-1, -1};
}

// The middle of a rectangle.
POINT MiddleOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace

TEST_F(DatesPageOnX, DatePickersCalendarAndMdiFormWorkWithRealMouseAndKeys) {
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, ScreenWidth, ScreenHeight);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    client->PaintDesktop(0x003A6EA5);
    const std::string bin = QUILLMERE_BIN_DIR;
    const std::string report = bin + "/framework-demo-dates-report.txt";
    std::remove(report.c_str());
    const pid_t pid = StartDemoProgram(bin + "/framework-demo", {"--report", report}, server->Name(),
                                       bin + "/framework-demo-dates-output.txt");
    ASSERT_GT(pid, 0);

    auto* form = new TDemoForm(nullptr);
    forms.emplace_back(form);
    form->AfterConstruction();
    form->Show();
    Pump();
    POINT offset{};
    ASSERT_TRUE(FindScreenOffset(*client, form->Handle(), ScreenWidth, ScreenHeight, offset))
        << "the demo's window did not appear";
    Person person(*client, offset);
    TDatesPage& page = *form->DatesPage;
    RECT tab{};
    SendMessageA(form->PageControl1->Handle(), TCM_GETITEMRECT, form->DatesSheet->TabIndex(),
                 reinterpret_cast<LPARAM>(&tab));
    form->PageControl1->SetActivePage(form->DatesSheet);
    Pump();
    RECT sheet{};
    GetWindowRect(form->DatesSheet->Handle(), &sheet);
    ASSERT_TRUE(person.WaitUntilStill(sheet));
    const std::uint64_t firstPage = person.Picture(sheet);
    person.Click(ScreenPointOf(form->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    ASSERT_TRUE(WaitFor([&] { return person.Picture(sheet) != firstPage; })) << "the page did not show";

    // The picker: a click on its year, the arrow keys to the month and a month on (2010/6/23).
    TDateTimePicker* picker = page.DatePicker1;
    person.Click(ScreenPointOf(picker, 8, picker->ClientHeight() / 2));
    person.Press(RightKey);
    person.Press(UpKey);
    // Its calendar dropped down by the mouse; the 10th clicked in it.
    picker->SetDate(EncodeDate(2010, 6, 23));
    const POINT dropButton = ScreenPointOf(picker, picker->ClientWidth() - 5, picker->ClientHeight() / 2);
    platform::headless::Click(dropButton.x, dropButton.y);
    Pump();
    ASSERT_TRUE(picker->DroppedDown());
    auto dropped = reinterpret_cast<HWND>(SendMessageA(picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    RECT droppedRect{};
    GetWindowRect(dropped, &droppedRect);
    const POINT tenth = CalendarPoint(dropped, MCHT_CALENDARDATE, 6, 10);
    ASSERT_GE(tenth.x, 0) << "June 2010 shows its 10th";
    // A point of the calendar's title, between the pickers when it is not dropped.
    const POINT title{(droppedRect.left + droppedRect.right) / 2, droppedRect.top + 6};
    const std::uint32_t undropped = person.Pixel(title);
    person.Click(dropButton);
    ASSERT_TRUE(WaitFor([&] { return person.Pixel(title) != undropped; })) << "no calendar dropped";
    ASSERT_TRUE(person.WaitUntilStill(droppedRect));
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-dates-x-dropped.png"));
    person.Click(tenth);
    platform::headless::TypeKey(VK_ESCAPE);
    Pump();
    ASSERT_TRUE(WaitFor([&] { return person.Pixel(title) == undropped; })) << "it did not close up";

    // The month calendar: its next-month button, the 15th of June, then a day on by the right
    // arrow and a month on by Page Down (2010/7/16).
    HWND calendar = page.MonthCalendar1->Handle();
    const POINT next = CalendarPoint(calendar, MCHT_TITLEBTNNEXT);
    ASSERT_GE(next.x, 0);
    person.Click(next);
    platform::headless::Click(next.x, next.y);
    Pump();
    const POINT fifteenth = CalendarPoint(calendar, MCHT_CALENDARDATE, 6, 15);
    ASSERT_GE(fifteenth.x, 0) << "the calendar went on to June";
    person.Click(fifteenth);
    person.Press(RightKey);
    person.Press(PageDownKey);
    ASSERT_TRUE(person.WaitUntilStill(sheet));
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-dates-x.png"));

    // The MDI form by the page's button, with its two document windows; the second is active.
    const POINT mdiButton =
        ScreenPointOf(page.MdiButton, page.MdiButton->Width() / 2, page.MdiButton->Height() / 2);
    const POINT demoCaption = CaptionStart(form->Handle());
    page.OpenMdiForm();
    Pump();
    TMdiDemoForm& mdi = *page.MdiForm;
    HWND first = mdi.MDIChildren(0)->Handle();
    HWND second = mdi.MDIChildren(1)->Handle();
    if (mdi.MDIChildren(0)->Caption() != "文档1")
        std::swap(first, second);
    RECT mdiClient{};
    GetWindowRect(mdi.ClientHandle(), &mdiClient);
    const std::uint32_t activeCaption = Rgb(GetSysColor(COLOR_ACTIVECAPTION));
    const POINT firstCaption = CaptionStart(first, COLOR_INACTIVECAPTION);
    const POINT secondCaption = CaptionStart(second);
    ASSERT_GE(demoCaption.x, 0);
    ASSERT_GE(secondCaption.x, 0);
    ASSERT_GE(firstCaption.x, 0) << "the first window's caption shows";
    person.Click(mdiButton);
    // The MDI form keeps its own place, so its offset from the headless screen is its own; it is
    // found once the demo's caption no longer shows active.
    ASSERT_TRUE(WaitFor([&] { return person.Pixel(demoCaption) != activeCaption; })) << "no MDI form";
    POINT mdiOffset{};
    ASSERT_TRUE(FindScreenOffset(*client, mdi.Handle(), ScreenWidth, ScreenHeight, mdiOffset));
    Person mdiPerson(*client, mdiOffset);
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(secondCaption) == activeCaption; }))
        << "the MDI form did not open with its second window active";

    // A click on the first window's caption (past its system-menu icon, where the caption's
    // colour starts) activates it; its maximise button fills the client with it, and the
    // restore button in the frame's menu bar puts it back.
    const POINT firstTitle = FramePoint(first, HTCAPTION);
    ASSERT_GE(firstTitle.x, 0);
    mdiPerson.Click(firstTitle);
    SendMessageA(mdi.ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    Pump();
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(firstCaption) == activeCaption; })) << "not activated";
    const POINT maximise = FramePoint(first, HTMAXBUTTON);
    ASSERT_GE(maximise.x, 0);
    mdiPerson.Click(maximise);
    mdi.ActiveMDIChild()->SetWindowState(wsMaximized);
    Pump();
    ASSERT_EQ(mdi.ActiveMDIChild()->WindowState(), wsMaximized);
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(firstCaption) != activeCaption; })) << "not maximised";
    ASSERT_TRUE(mdiPerson.WaitUntilStill(mdiClient));
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-dates-x-maximized.png"));
    HMENU bar = GetMenu(mdi.Handle());
    RECT restore{};
    ASSERT_TRUE(GetMenuItemRect(mdi.Handle(), bar, GetMenuItemCount(bar) - 2, &restore));
    ASSERT_EQ(GetMenuItemID(bar, GetMenuItemCount(bar) - 2), static_cast<UINT>(SC_RESTORE));
    mdiPerson.Click(MiddleOf(restore));
    mdi.ActiveMDIChild()->SetWindowState(wsNormal);
    Pump();
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(firstCaption) == activeCaption; })) << "not restored";

    // The window menu: cascade, tile, then the second window from its list.
    client->Key(AltKey, true);
    mdiPerson.Press('w');
    client->Key(AltKey, false);
    mdiPerson.Press('c');
    mdi.Cascade();
    Pump();
    const POINT firstCascaded = CaptionStart(first);
    ASSERT_GE(firstCascaded.x, 0);
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(firstCascaded) == activeCaption; })) << "not cascaded";
    client->Key(AltKey, true);
    mdiPerson.Press('w');
    client->Key(AltKey, false);
    mdiPerson.Press('t');
    mdi.Tile();
    Pump();
    const POINT firstTiled = CaptionStart(first);
    const POINT secondTiled = CaptionStart(second, COLOR_INACTIVECAPTION);
    ASSERT_GE(firstTiled.x, 0);
    ASSERT_GE(secondTiled.x, 0);
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(firstTiled) == activeCaption; })) << "not tiled";
    ASSERT_TRUE(mdiPerson.WaitUntilStill(mdiClient));
    EXPECT_NE(mdiPerson.Pixel(secondTiled), activeCaption);
    client->Key(AltKey, true);
    mdiPerson.Press('w');
    client->Key(AltKey, false);
    mdiPerson.Press('2');
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(secondTiled) == activeCaption; }))
        << "the window list did not activate the second window";
    ASSERT_TRUE(mdiPerson.WaitUntilStill(mdiClient));
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-dates-x-mdi.png"));

    // The first window's close button closes it at once, though the window is not the active
    // one; the demo's close button ends the demo.
    SendMessageA(mdi.ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0);
    Pump();
    const POINT close = FramePoint(first, HTCLOSE);
    ASSERT_GE(close.x, 0);
    // The middle of its text shows the window's colour, and the client's own once it is gone.
    RECT firstRect{};
    GetWindowRect(first, &firstRect);
    const POINT firstMiddle = MiddleOf(firstRect);
    const std::uint32_t firstShown = mdiPerson.Pixel(firstMiddle);
    mdiPerson.Click(close);
    SendMessageA(mdi.ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(first), 0);
    Pump();
    const POINT demoClose = FramePoint(form->Handle(), HTCLOSE);
    ASSERT_GE(demoClose.x, 0) << "the demo's close button shows beside the MDI form";
    ASSERT_TRUE(WaitFor([&] { return mdiPerson.Pixel(firstMiddle) != firstShown; })) << "not closed";
    EXPECT_TRUE(WaitFor([&] { return mdiPerson.Pixel(secondTiled) == activeCaption; }))
        << "the other window is active again";
    person.Click(demoClose);
    int status = 0;
    ASSERT_TRUE(WaitForExit(pid, status)) << "the close button ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const std::map<std::string, std::string> state = ReadReport(report);
    EXPECT_EQ(state.at("DatePicker1.Date"), "2010-6-10");
    EXPECT_EQ(state.at("MonthCalendar1.Date"), "2010-7-16");
    EXPECT_EQ(state.at("MdiForm.Children"), "1");
    EXPECT_EQ(state.at("MdiForm.Active"), "文档2");
    EXPECT_EQ(state.at("MdiForm.Maximized"), "0");
}
