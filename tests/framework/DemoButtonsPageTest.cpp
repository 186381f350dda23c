// The demo form's page of glyph buttons, speed buttons, the radio group, the tab set, the media
// player and the frame. On the headless display every control shows and a picture of the page
// is written for a person to look at (build/framework-demo-buttons.png). On a private Xvfb
// server the demo program's page is used as a person uses it: the page by its tab, speed
// buttons by mouse and mnemonic, a radio item by mouse and the arrow keys, tabs of the tab set
// by mouse and keys, the media player by mouse and keys, a search typed into the frame and found
// with the space bar, a glyph button clicked, and the close button, which ends the demo
// (build/framework-demo-buttons-x.png); the demo's report tells the test what the controls
// ended as.

#include "FrameworkTestSupport.h"

#include "DemoPerson.h"
#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XvfbServer.h"
#include "tools/framework-demo/DemoForm.h"

#include "platform/controls/common/CommCtrl.h"

#include <sys/wait.h>

#include <cstdio>

using namespace testing_support;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr unsigned long EndKey = 0xFF57;

using ButtonsPagePicture = FrameworkTest;
class ButtonsPageOnX : public FrameworkTest {};

// The middle of a control, or of a rectangle of a control's client area, on the screen.
POINT Middle(TControl* control, const TRect& rect) {
    return ScreenPointOf(control, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}
POINT Middle(TControl* control) {
    return ScreenPointOf(control, control->Width() / 2, control->Height() / 2);
}

} // namespace

TEST_F(ButtonsPagePicture, EveryControlOfThePageShowsAndThePageIsPictured) {
    auto* form = new TDemoForm(nullptr);
    forms.emplace_back(form);
    form->AfterConstruction();
    form->Show();
    TDemoButtonsPage& page = *form->ButtonsPage;
    form->PageControl1->SetActivePage(page.Sheet);
    Pump();
    EXPECT_TRUE(errors.empty());
    for (TWinControl* control : std::initializer_list<TWinControl*>{
             page.OkButton, page.RetryButton, page.RadioGroup1, page.RadioGroup1->Buttons(0), page.TabSet1,
             page.MediaPlayer1, page.SearchFrame1, page.SearchFrame1->SearchEdit})
        EXPECT_TRUE(IsWindowVisible(control->Handle())) << control->ClassName();
    EXPECT_TRUE(page.TabSet1->Scroller()->Visible()) << "twelve months do not fit";
    EXPECT_TRUE(page.AlignLeftButton->Down());
    EXPECT_EQ(page.RadioGroup1->ItemIndex(), 3);

    // The page as it starts, then with the keyboard on the media player and the tab set.
    const std::string folder = std::string(QUILLMERE_BIN_DIR) + "/..";
    EXPECT_TRUE(platform::headless::SaveWindowPng(form->Handle(), folder + "/framework-demo-buttons.png"));
    page.MediaPlayer1->SetFocus();
    Pump();
    platform::headless::TypeKey(VK_SPACE);
    Pump();
    page.TabSet1->SetFocus();
    platform::headless::TypeKey(VK_END);
    Pump();
    EXPECT_EQ(page.TabSet1->TabIndex(), 11);
    EXPECT_NE(page.StateReport().find("MediaPlayer1.Clicks=btPlay\n"), std::string::npos);
    EXPECT_TRUE(
        platform::headless::SaveWindowPng(form->Handle(), folder + "/framework-demo-buttons-used.png"));
}

TEST_F(ButtonsPageOnX, ButtonsAndContainersWorkWithRealMouseAndKeys) {
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, ScreenWidth, ScreenHeight);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    client->PaintDesktop(0x003A6EA5);
    const std::string bin = QUILLMERE_BIN_DIR;
    const std::string report = bin + "/framework-demo-buttons-report.txt";
    std::remove(report.c_str());
    const pid_t pid = StartDemoProgram(bin + "/framework-demo", {"--report", report}, server->Name(),
                                       bin + "/framework-demo-buttons-output.txt");
    ASSERT_GT(pid, 0);

    // The same form on the headless display, on the same page, for the places of its controls.
    auto* form = new TDemoForm(nullptr);
    forms.emplace_back(form);
    form->AfterConstruction();
    form->Show();
    Pump();
    POINT offset{};
    ASSERT_TRUE(FindScreenOffset(*client, form->Handle(), ScreenWidth, ScreenHeight, offset))
        << "the demo's window did not appear";
    Person person(*client, offset);
    TDemoButtonsPage& page = *form->ButtonsPage;
    RECT tab{};
    SendMessageA(form->PageControl1->Handle(), TCM_GETITEMRECT, page.Sheet->TabIndex(),
                 reinterpret_cast<LPARAM>(&tab));
    form->PageControl1->SetActivePage(page.Sheet);
    Pump();
    RECT sheet{};
    GetWindowRect(page.Sheet->Handle(), &sheet);
    ASSERT_TRUE(person.WaitUntilStill(sheet));
    const std::uint64_t firstPage = person.Picture(sheet);
    person.Click(Middle(form->PageControl1, tab));
    ASSERT_TRUE(WaitFor([&] { return person.Picture(sheet) != firstPage; })) << "the page did not show";

    // Speed buttons: the mouse puts the right alignment down; the mnemonic of 粗体(&B), typed
    // while a glyph button has the focus, puts bold down.
    person.Click(Middle(page.AlignRightButton));
    person.Click(Middle(page.OkButton));
    person.Type("b");
    // A radio item by the mouse, the next by the arrow key.
    TRadioButton* first = page.RadioGroup1->Buttons(0);
    person.Click(ScreenPointOf(first, 6, first->Height() / 2));
    person.Press(DownKey);
    // The third month by the mouse, the next by the arrow key, the last by End.
    person.Click(Middle(page.TabSet1, page.TabSet1->ItemRect(2)));
    person.Press(RightKey);
    person.Press(EndKey);
    // Play by the mouse; then the keyboard goes two buttons on, to stop, and clicks it.
    person.Click(Middle(page.MediaPlayer1, page.MediaPlayer1->ButtonRect(TMPBtnType::btPlay)));
    person.Press(RightKey);
    person.Press(RightKey);
    person.Press(SpaceKey);
    // A search typed into the frame, found with Tab and the space bar.
    person.Click(Middle(page.SearchFrame1->SearchEdit));
    person.Type("abc");
    person.Press(TabKey);
    person.Press(SpaceKey);
    ASSERT_TRUE(person.WaitUntilStill(sheet));
    EXPECT_TRUE(client->SaveScreenPng(bin + "/../framework-demo-buttons-x.png"));

    // The close button ends the demo.
    person.Click(Middle(page.CloseButton));
    int status = 0;
    ASSERT_TRUE(WaitForExit(pid, status)) << "the close button ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const std::map<std::string, std::string> state = ReadReport(report);
    EXPECT_EQ(state.at("PageControl1.ActivePageIndex"), std::to_string(page.Sheet->PageIndex()));
    EXPECT_EQ(state.at("AlignRightButton.Down"), "1");
    EXPECT_EQ(state.at("BoldButton.Down"), "1");
    EXPECT_EQ(state.at("RadioGroup1.ItemIndex"), "1");
    EXPECT_EQ(state.at("TabSet1.TabIndex"), "11");
    EXPECT_NE(state.at("TabSet1.FirstIndex"), "0");
    EXPECT_EQ(state.at("MediaPlayer1.Clicks"), "btPlay,btStop");
    EXPECT_EQ(state.at("MediaPlayer1.EnabledButtons"), "[btPlay,btNext,btPrev,btStep,btBack]");
    EXPECT_EQ(state.at("SearchFrame1.Searches"), "abc");
    EXPECT_EQ(state.at("BitButtons.Clicks"), "2") << "OK and close";
}
