// The demo program on a private Xvfb server, used as a person uses it: typing into the edit,
// tabbing to the memo, choosing a list item, checking a box, switching to the grid page,
// widening a column by its header border, scrolling the grid, opening the menu and choosing an
// item with its mnemonic, and leaving through the menu. Screenshots go into the build folder; the
// program reports the controls' state at its end, which the test reads.
//
// Where each control lies is learnt from the same form built on the headless display inside the
// test: both windows are drawn by the same code, so a point keeps its distance from the caption.

#include "FrameworkTestSupport.h"

#include "DemoPerson.h"
#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XvfbServer.h"
#include "tools/framework-demo/DemoForm.h"

#include "platform/controls/common/CommCtrl.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

using namespace testing_support;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

class DemoOnX : public FrameworkTest {};

} // namespace

TEST_F(DemoOnX, TypingTabbingSelectingPagesGridAndMenusWorkWithRealInput) {
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, ScreenWidth, ScreenHeight);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    client->PaintDesktop(0x003A6EA5);
    const std::string bin = QUILLMERE_BIN_DIR;
    const std::string report = bin + "/framework-demo-report.txt";
    std::remove(report.c_str());
    const pid_t pid = StartDemoProgram(bin + "/framework-demo", {"--report", report}, server->Name(),
                                       bin + "/framework-demo-output.txt");
    ASSERT_GT(pid, 0);

    // The same form on the headless display, for the places of its controls.
    auto* form = new TDemoForm(nullptr);
    forms.emplace_back(form);
    form->AfterConstruction();
    form->Show();
    Pump();
    POINT offset{};
    ASSERT_TRUE(FindScreenOffset(*client, form->Handle(), ScreenWidth, ScreenHeight, offset))
        << "the demo's window did not appear";
    Person person(*client, offset);
    const POINT editCentre = CentreOf(form->Edit1);
    ASSERT_TRUE(WaitFor([&] { return person.Pixel(editCentre) == Rgb(GetSysColor(COLOR_WINDOW)); }));
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-x.png"));

    // Resting on the button shows its hint below the pointer, on the program's own timers.
    const POINT button = CentreOf(form->Button1);
    person.Move(button);
    const POINT underHint{button.x + 6, button.y + 26};
    EXPECT_TRUE(WaitFor([&] { return person.Pixel(underHint) == Rgb(GetSysColor(COLOR_INFOBK)); }))
        << "no hint";
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-x-hint.png"));

    // Typing into the edit, Tab to the memo and typing there.
    person.Click(editCentre);
    person.Type("hello");
    person.Press(TabKey);
    person.Type("xyz");
    // Choosing the third list item and checking the box.
    const int itemHeight = form->ListBox1->ItemHeight();
    person.Click(ScreenPointOf(form->ListBox1, 10, 2 * itemHeight + itemHeight / 2));
    person.Click(ScreenPointOf(form->CheckBox1, 6, form->CheckBox1->Height() / 2));

    // The grid page by its tab.
    RECT tab{};
    SendMessageA(form->PageControl1->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    RECT page{};
    GetWindowRect(form->ControlsSheet->Handle(), &page);
    const std::uint64_t controlsPage = person.Picture(page);
    person.Click(ScreenPointOf(form->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    EXPECT_TRUE(WaitFor([&] { return person.Picture(page) != controlsPage; }))
        << "the grid page did not show";
    form->PageControl1->SetActivePageIndex(1);
    Pump();
    TStringGrid* grid = form->StringGrid1;
    const int border = grid->ColWidths(0);
    const int rowHeight = grid->DefaultRowHeight();
    person.Drag(ScreenPointOf(grid, border, rowHeight / 2), ScreenPointOf(grid, border + 30, rowHeight / 2));
    // A click in the vertical bar below its thumb scrolls a page down.
    RECT gridWindow{};
    GetWindowRect(grid->Handle(), &gridWindow);
    person.Click({gridWindow.right - 4 - GetSystemMetrics(SM_CXVSCROLL) / 2,
                  gridWindow.bottom - 4 - GetSystemMetrics(SM_CYVSCROLL) - 10});

    // The File menu opens under its bar item; its mnemonic chooses Open.
    RECT fileItem{};
    GetMenuItemRect(form->Handle(), form->MainMenu1->Handle(), 0, &fileItem);
    const RECT below{fileItem.left, fileItem.bottom + 2, fileItem.left + 80, fileItem.bottom + 40};
    ASSERT_TRUE(person.WaitUntilStill(below));
    const std::uint64_t closed = person.Picture(below);
    person.Click({(fileItem.left + fileItem.right) / 2, (fileItem.top + fileItem.bottom) / 2});
    EXPECT_TRUE(WaitFor([&] { return person.Picture(below) != closed; })) << "the menu did not open";
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-x-menu.png"));
    person.Type("o");
    EXPECT_TRUE(WaitFor([&] { return person.Picture(below) == closed; })) << "the menu did not close";

    // Alt+F, then X (Exit) ends the demo.
    client->Key(AltKey, true);
    person.Type("f");
    client->Key(AltKey, false);
    person.Type("x");
    int status = 0;
    ASSERT_TRUE(WaitForExit(pid, status)) << "choosing Exit ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const std::map<std::string, std::string> state = ReadReport(report);
    EXPECT_EQ(state.at("Edit1.Text"), "hello");
    EXPECT_EQ(state.at("Memo1.Text"), "xyz");
    EXPECT_EQ(state.at("ListBox1.ItemIndex"), "2");
    EXPECT_EQ(state.at("CheckBox1.Checked"), "1");
    EXPECT_EQ(state.at("PageControl1.ActivePageIndex"), "1");
    EXPECT_EQ(state.at("StringGrid1.ColWidths0"), std::to_string(border + 30));
    EXPECT_GT(std::stoi(state.at("StringGrid1.TopRow")), 1);
    EXPECT_EQ(state.at("OpenItem.Clicks"), "1");
}

TEST_F(DemoOnX, TheListPageWorksByMouseAndKeys) {
    constexpr unsigned long ReturnKey = 0xFF0D;
    constexpr unsigned long ShiftKey = 0xFFE1;
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, ScreenWidth, ScreenHeight);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    client->PaintDesktop(0x003A6EA5);
    const std::string bin = QUILLMERE_BIN_DIR;
    const std::string report = bin + "/framework-demo-list-report.txt";
    std::remove(report.c_str());
    const pid_t pid = StartDemoProgram(bin + "/framework-demo", {"--report", report}, server->Name(),
                                       bin + "/framework-demo-list-output.txt");
    ASSERT_GT(pid, 0);

    // The same form on the headless display, on its list page, for the places of its controls.
    auto* form = new TDemoForm(nullptr);
    forms.emplace_back(form);
    form->AfterConstruction();
    form->Show();
    Pump();
    POINT offset{};
    ASSERT_TRUE(FindScreenOffset(*client, form->Handle(), ScreenWidth, ScreenHeight, offset))
        << "the demo's window did not appear";
    Person person(*client, offset);
    RECT headlessWindow{};
    GetWindowRect(form->Handle(), &headlessWindow);
    ASSERT_TRUE(person.WaitUntilStill(headlessWindow));

    // The list page by its tab.
    TDemoListPage& page = *form->ListPage;
    RECT tab{};
    SendMessageA(form->PageControl1->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
    RECT pageArea{};
    GetWindowRect(form->ControlsSheet->Handle(), &pageArea);
    const std::uint64_t controlsPage = person.Picture(pageArea);
    person.Click(ScreenPointOf(form->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    EXPECT_TRUE(WaitFor([&] { return person.Picture(pageArea) != controlsPage; }))
        << "the list page did not show";
    form->PageControl1->SetActivePage(page.Sheet);
    Pump();

    // The title "远程地址" sorts by that column.
    HWND header = reinterpret_cast<HWND>(SendMessageA(page.ListView1->Handle(), LVM_GETHEADER, 0, 0));
    RECT title{};
    SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&title));
    POINT titleCentre{(title.left + title.right) / 2, (title.top + title.bottom) / 2};
    ClientToScreen(header, &titleCentre);
    person.Click(titleCentre);

    // A click on the third row, two rows down by the arrow key and one more with Shift.
    RECT row{LVIR_LABEL, 0, 0, 0};
    SendMessageA(page.ListView1->Handle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    person.Click(ScreenPointOf(page.ListView1, row.left + 10, (row.top + row.bottom) / 2));
    person.Press(DownKey);
    person.Press(DownKey);
    client->Key(ShiftKey, true);
    person.Press(DownKey);
    client->Key(ShiftKey, false);

    // The grid lines go off by their check button.
    TToolButton* grid = page.GridButton;
    person.Click(
        ScreenPointOf(page.ToolBar1, grid->Left() + grid->Width() / 2, grid->Top() + grid->Height() / 2));

    // The view button's arrow drops its menu; the keys choose "TCP".
    TToolButton* view = page.ViewButton;
    const POINT arrow =
        ScreenPointOf(page.ToolBar1, view->Left() + view->Width() - 5, view->Top() + view->Height() / 2);
    // The band between the tool bar and the list, where the menu drops: the list's own
    // repainting, slow on a loaded machine, stays out of the picture.
    const int barBottom = ScreenPointOf(page.ToolBar1, 0, page.ToolBar1->Height()).y;
    const int listTop = ScreenPointOf(page.ListView1, 0, 0).y;
    ASSERT_GT(listTop - barBottom, 4);
    const RECT underView{arrow.x - 60, barBottom + 1, arrow.x + 20, listTop - 1};
    ASSERT_TRUE(person.WaitUntilStill(underView));
    const std::uint64_t noMenu = person.Picture(underView);
    person.Click(arrow);
    EXPECT_TRUE(WaitFor([&] { return person.Picture(underView) != noMenu; }))
        << "the drop-down menu did not open";
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-x-list-menu.png"));
    person.Press(DownKey);
    person.Press(DownKey);
    person.Press(ReturnKey);
    // An open menu holds the pointer and lets it go as it closes. (The band's picture tells
    // nothing here: its top rows show the view button's hot look, which stays under the pointer.)
    EXPECT_TRUE(WaitFor([&] { return !client->PointerHeldByAnother(); })) << "the menu did not close";

    // Shift+Tab from the list to the tool bar, whose first button Enter clicks (the pointer
    // leaves the bar first: the button under it would be the hot one).
    person.Move(ScreenPointOf(page.ListView1, 40, page.ListView1->Height() - 30));
    ASSERT_TRUE(person.WaitUntilStill(underView));
    client->Key(ShiftKey, true);
    person.Press(TabKey);
    client->Key(ShiftKey, false);
    person.Press(ReturnKey);
    RECT listArea{};
    GetWindowRect(page.ListView1->Handle(), &listArea);
    ASSERT_TRUE(person.WaitUntilStill(listArea));
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-x-list.png"));

    client->Key(AltKey, true);
    person.Type("f");
    client->Key(AltKey, false);
    person.Type("x");
    int status = 0;
    ASSERT_TRUE(WaitForExit(pid, status)) << "choosing Exit ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const std::map<std::string, std::string> state = ReadReport(report);
    EXPECT_EQ(state.at("PageControl1.ActivePageIndex"), "2");
    EXPECT_EQ(state.at("ListView1.SortColumn"), "2");
    EXPECT_EQ(state.at("ListView1.First"), "127.0.0.1:8010") << "sorted by the remote address as text";
    EXPECT_EQ(state.at("ListView1.ItemIndex"), "4");
    EXPECT_EQ(state.at("ListView1.SelCount"), "2");
    EXPECT_EQ(state.at("ListView1.GridLines"), "0");
    EXPECT_EQ(state.at("ToolBar1.View"), "TCP");
    EXPECT_EQ(state.at("ToolBar1.Added"), "1");
    EXPECT_EQ(state.at("ListView1.Count"), "61");
}

TEST_F(DemoOnX, WhenTheDisplayGoesItSaysSoAndEndsCleanly) {
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, ScreenWidth, ScreenHeight);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    constexpr std::uint32_t Desktop = 0x003A6EA5;
    client->PaintDesktop(Desktop);
    const std::string output = std::string(QUILLMERE_BIN_DIR) + "/framework-demo-display-lost.txt";
    const pid_t pid =
        StartDemoProgram(std::string(QUILLMERE_BIN_DIR) + "/framework-demo", {}, server->Name(), output);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitFor([&] { return client->ScreenPixel(ScreenWidth / 2, ScreenHeight / 2) != Desktop; }))
        << "the demo's window did not appear";

    client.reset();
    server.reset();
    int status = 0;
    ASSERT_TRUE(WaitForExit(pid, status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    // The loop stopped in the middle of its work: nothing of that state may be torn down on the
    // way out (a sanitized build reports it here).
    std::ifstream file(output);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("the connection to the X display was lost"), std::string::npos) << text;
    EXPECT_EQ(text.find("ERROR"), std::string::npos) << text;
}
