// The demo program on a private Xvfb server, used as a person uses it: typing into the edit,
// tabbing to the memo, choosing a list item, checking a box, switching to the grid page,
// widening a column by its header border, scrolling the grid, opening the menu and choosing an
// item with its mnemonic, and leaving through the menu. Screenshots go into the build folder; the
// program reports the controls' state at its end, which the test reads.
//
// Where each control lies is learnt from the same form built on the headless display inside the
// test: both windows are drawn by the same code, so a point keeps its distance from the caption.

#include "FrameworkTestSupport.h"

#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XTestClient.h"
#include "tests/platform/display/XvfbServer.h"
#include "tools/framework-demo/DemoForm.h"

#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

using namespace testing_support;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
// X key symbols of the keys pressed besides letters.
constexpr unsigned long TabKey = 0xFF09;
constexpr unsigned long AltKey = 0xFFE9;

std::uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// The top-left pixel of the active caption among the pixels `at` reads, or (-1, -1).
POINT FindActiveCaption(const std::function<std::uint32_t(int, int)>& at, RECT area) {
    const std::uint32_t caption = Rgb(GetSysColor(COLOR_ACTIVECAPTION));
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; x += 2) {
            if (at(x, y) == caption) {
                while (x > area.left && at(x - 1, y) == caption)
                    --x;
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

std::map<std::string, std::string> ReadReport(const std::string& path) {
    std::ifstream file(path);
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

// The person at the X server, aiming at points measured on the headless form.
class Person {
public:
    Person(XTestClient& client, POINT offset) : m_client(client), m_offset(offset) {}

    void Click(POINT headless) {
        Move(headless);
        m_client.Button(1, true);
        m_client.Button(1, false);
    }
    void Drag(POINT from, POINT to) {
        Move(from);
        m_client.Button(1, true);
        for (int step = 1; step <= 4; ++step)
            Move({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
        m_client.Button(1, false);
    }
    void Move(POINT headless) { m_client.MovePointer(headless.x + m_offset.x, headless.y + m_offset.y); }
    void Press(unsigned long keysym) {
        m_client.Key(keysym, true);
        m_client.Key(keysym, false);
    }
    void Type(const std::string& letters) {
        for (char c : letters)
            Press(static_cast<unsigned char>(c));
    }
    std::uint32_t Pixel(POINT headless) {
        return m_client.ScreenPixel(headless.x + m_offset.x, headless.y + m_offset.y);
    }
    // Waits until two looks at the rectangle, about 200 ms apart, see the same picture: what
    // the program was still drawing has been drawn.
    bool WaitUntilStill(RECT headless) {
        std::uint64_t last = Picture(headless);
        int looks = 0;
        return WaitFor([&] {
            const std::uint64_t now = Picture(headless);
            looks = now == last ? looks + 1 : 0;
            last = now;
            return looks >= 10;
        });
    }
    // The pixels of a headless rectangle, as the X screen shows them at one moment, folded into
    // one number.
    std::uint64_t Picture(RECT headless) {
        const int left = headless.left + m_offset.x;
        const int top = headless.top + m_offset.y;
        const ScreenArea area = m_client.ReadScreen(left, top, RectWidth(headless), RectHeight(headless));
        std::uint64_t hash = 1469598103934665603ull;
        for (int y = top; y < top + RectHeight(headless); ++y) {
            for (int x = left; x < left + RectWidth(headless); ++x)
                hash = (hash ^ area.Pixel(x, y)) * 1099511628211ull;
        }
        return hash;
    }

private:
    XTestClient& m_client;
    POINT m_offset;
};

POINT ScreenPointOf(TControl* control, int x, int y) {
    const TPoint point = control->ClientToScreen(Point(x, y));
    return {point.x, point.y};
}

POINT CentreOf(TWinControl* control) {
    RECT rect{};
    GetWindowRect(control->Handle(), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

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
    RECT headlessWindow{};
    GetWindowRect(form->Handle(), &headlessWindow);
    HWND window = form->Handle();
    POINT headlessCaption =
        FindActiveCaption([window](int x, int y) { return Rgb(platform::headless::ReadPixel(window, x, y)); },
                          RECT{0, 0, RectWidth(headlessWindow), RectHeight(headlessWindow) / 2});
    ASSERT_GE(headlessCaption.x, 0);
    headlessCaption.x += headlessWindow.left;
    headlessCaption.y += headlessWindow.top;

    POINT caption{-1, -1};
    ASSERT_TRUE(WaitFor([&] {
        // The screen read at once: read pixel by pixel, a caption turning active meanwhile
        // would be found too low.
        const ScreenArea screen = client->ReadScreen(0, 0, ScreenWidth, ScreenHeight / 2);
        caption = FindActiveCaption([&](int x, int y) { return screen.Pixel(x, y); },
                                    RECT{0, 0, ScreenWidth, ScreenHeight / 2});
        return caption.x >= 0;
    })) << "the demo's window did not appear";
    Person person(*client, {caption.x - headlessCaption.x, caption.y - headlessCaption.y});
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
    constexpr unsigned long DownKey = 0xFF54;
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
    RECT headlessWindow{};
    GetWindowRect(form->Handle(), &headlessWindow);
    HWND window = form->Handle();
    POINT headlessCaption =
        FindActiveCaption([window](int x, int y) { return Rgb(platform::headless::ReadPixel(window, x, y)); },
                          RECT{0, 0, RectWidth(headlessWindow), RectHeight(headlessWindow) / 2});
    ASSERT_GE(headlessCaption.x, 0);
    headlessCaption.x += headlessWindow.left;
    headlessCaption.y += headlessWindow.top;
    POINT caption{-1, -1};
    ASSERT_TRUE(WaitFor([&] {
        const ScreenArea screen = client->ReadScreen(0, 0, ScreenWidth, ScreenHeight / 2);
        caption = FindActiveCaption([&](int x, int y) { return screen.Pixel(x, y); },
                                    RECT{0, 0, ScreenWidth, ScreenHeight / 2});
        return caption.x >= 0;
    })) << "the demo's window did not appear";
    Person person(*client, {caption.x - headlessCaption.x, caption.y - headlessCaption.y});
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
    const RECT underView{arrow.x - 60, arrow.y + 14, arrow.x + 20, arrow.y + 60};
    ASSERT_TRUE(person.WaitUntilStill(underView));
    const std::uint64_t noMenu = person.Picture(underView);
    person.Click(arrow);
    EXPECT_TRUE(WaitFor([&] { return person.Picture(underView) != noMenu; }))
        << "the drop-down menu did not open";
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-x-list-menu.png"));
    person.Press(DownKey);
    person.Press(DownKey);
    person.Press(ReturnKey);
    EXPECT_TRUE(WaitFor([&] { return person.Picture(underView) == noMenu; })) << "the menu did not close";

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
