// The program's window on a private Xvfb server, used with real input: once the skin is worn,
// the screen shows the skin's own frames on the caption, a button, the radio buttons in both
// states, the grid's scroll bar, the page tabs and the status bar; the database page opens from
// its tab, "刷新" lists the chosen view, a column title sorts the grid both ways, and "保存" goes
// through the skinned save dialog to the skinned information box. The same with the dark skin
// chosen at start, as `--skin` does, whose texts must show in its light text colour. Skips when
// Xvfb is missing.

#include "MainWindowFixture.h"
#include "ScreenFaces.h"

#include "tests/framework/DemoPerson.h"
#include "tests/platform/display/X11Session.h"

#include "app/Listing.h"
#include "app/ProgramSkin.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/WinSubClass.h"
#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace testing_support;

namespace {

constexpr unsigned long EnterKey = 0xFF0D;
// Steps inside a modal loop wait this many ticks of 50 ms for their moment; then the loop is
// ended, so that a fault fails the test instead of hanging it.
constexpr int PatienceTicks = 1200;
// How long the test waits for the window to show what it should, in ms. Generous: the machine
// may be loaded, and a wait ends as soon as its condition holds.
constexpr unsigned Patience = 60000;

// A skin archive the build draws.
std::string SkinPath(const std::string& design) {
    return std::string(QUILLMERE_BIN_DIR) + "/../skins/" + design + ".skn";
}

// A skin the build draws, read with the skin reader as the program reads it.
std::unique_ptr<TSkinData> ReadSkin(const std::string& design) {
    auto skin = std::make_unique<TSkinData>(nullptr);
    std::string bytes;
    if (design == "default") {
        const auto archive = DefaultSkinArchive();
        bytes.assign(archive.begin(), archive.end());
    } else {
        std::ifstream file(SkinPath(design), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    skin->SkinArchive().WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return skin->LoadSkinData() ? std::move(skin) : nullptr;
}

// Steps run from a thread timer, so that they run inside modal loops too; a step returns false
// while its moment has not come.
std::deque<std::function<bool()>> g_steps;
int g_waited = 0;
bool g_gaveUp = false;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_steps.empty())
        return;
    if (g_steps.front()()) {
        g_steps.pop_front();
        g_waited = 0;
    } else if (++g_waited > PatienceTicks) {
        g_steps.clear();
        g_gaveUp = true;
        if (HWND active = GetActiveWindow())
            PostMessageA(active, WM_COMMAND, IDCANCEL, 0);
    }
}

class MainWindowXvfbTest : public OnX11Session<MainWindowTest> {
protected:
    void SetUp() override {
        g_steps.clear();
        g_waited = 0;
        g_gaveUp = false;
        OnX11Session<MainWindowTest>::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        onModal = [](HWND) {};
        m_stepTimer = SetTimer(nullptr, 0, 50, &RunStep);
        person = std::make_unique<Person>(*m_client, POINT{0, 0});
    }
    void TearDown() override {
        g_steps.clear();
        if (m_stepTimer)
            KillTimer(nullptr, m_stepTimer);
        person.reset();
        OnX11Session<MainWindowTest>::TearDown();
    }

    bool WaitUntil(const std::function<bool()>& condition) {
        return m_session->RunUntil(condition, Patience);
    }

    // Opens the window as the program does, wearing `skinFile` when one is given, and waits
    // until its skin is worn.
    void OpenSkinnedWindow(const std::string& skinFile = {}) {
        WriteDatabase();
        form.reset(new TForm1(nullptr));
        form->AfterConstruction();
        if (!skinFile.empty()) {
            ASSERT_EQ(WearSkinFile(*form->SkinData1, skinFile), "");
        }
        form->Show();
        ASSERT_TRUE(WaitUntil([&] {
            TWinSkinForm* skin = SkinManager() ? SkinManager()->FindSkinnedWindow(form->Handle()) : nullptr;
            return skin && skin->Started() && m_client->IsShown(m_display->NativeWindow(form->Handle()));
        })) << "the window shows in its skin";
        m_client->Focus(m_display->NativeWindow(form->Handle()));
        // The pointer rests away from the controls, so that none of them shows its hot face.
        m_client->MovePointer(799, 599);
    }

    TWinSkinForm* FormSkin(HWND window) const { return SkinManager()->FindSkinnedWindow(window); }

    static POINT ScreenOf(TControl* control, int x = 0, int y = 0) { return ScreenPointOf(control, x, y); }

    // The middle of the caption band, between the text at its left and the buttons at its right,
    // is the skin's caption side, frame 1 while the window is active.
    TComparison CaptionCompared(HWND window, const TSkinElements& skin) {
        TWinSkinForm* formSkin = FormSkin(window);
        if (!formSkin)
            return {};
        RECT rect{};
        GetWindowRect(window, &rect);
        const int width = rect.right - rect.left - formSkin->LeftBorderWidth() - formSkin->RightBorderWidth();
        const TDataSkinBorder& top = *skin.BorderTop;
        TFace face(*top.Image, 1, top.FrameCount, width, formSkin->CaptionHeight(),
                   {top.LeftWidth, top.TopHeight, top.RightWidth, top.BottomHeight}, top.Tile != 1, true);
        return Compare(*m_client, rect.left + formSkin->LeftBorderWidth(), rect.top, face,
                       RECT{width / 2 - 20, 0, width / 2 + 20, formSkin->CaptionHeight()});
    }

    // The button's margins: the skin's button frame, outside the caption's place.
    TComparison ButtonCompared(TControl* button, const TSkinElements& skin, int frame) {
        const TDataSkinButton& faces = *skin.Buttons;
        TFace face(faces, frame, button->Width(), button->Height());
        TComparison all;
        const int w = button->Width(), h = button->Height();
        for (RECT band : {RECT{0, 0, w, faces.TopHeight}, RECT{0, h - faces.BottomHeight, w, h},
                          RECT{0, 0, faces.LeftWidth, h}, RECT{w - faces.RightWidth, 0, w, h}}) {
            const POINT at = ScreenOf(button);
            const TComparison part = Compare(*m_client, at.x, at.y, face, band);
            all.compared += part.compared;
            all.differing += part.differing;
        }
        return all;
    }

    // The radio button's box, at its left and centred on its height: the frame of the skin's
    // strip for its state.
    TComparison RadioCompared(TRadioButton* radio, const TSkinElements& skin, bool checked) {
        TBitmap& strip = *skin.Buttons->RadioButton;
        const int frames = skin.Buttons->RadioButtonFrame;
        // A strip of eight keeps the checked face in frame 5, a shorter one in frame 2.
        const int frame = checked ? (frames == 8 ? 5 : 2) : 1;
        const int box = strip.Width() / frames;
        TFace face(strip, frame, frames, box, strip.Height());
        return Compare(*m_client, ScreenOf(radio, 0, (radio->Height() - strip.Height()) / 2), face);
    }

    // The arrows at both ends of the grid's horizontal bar.
    TComparison ScrollBarCompared(const TSkinElements& skin) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!GetScrollBarInfo(form->StringGrid1->Handle(), OBJID_HSCROLL, &info))
            return {};
        const RECT bar = info.rcScrollBar;
        const int arrow = info.dxyLineButton, height = bar.bottom - bar.top;
        TComparison all;
        for (auto [frame, left] : {std::pair{1, bar.left}, std::pair{5, bar.right - arrow}}) {
            TFace face(*skin.Scrollbar->Image, frame, 23, arrow, height);
            const TComparison part = Compare(*m_client, POINT{left, bar.top}, face);
            all.compared += part.compared;
            all.differing += part.differing;
        }
        return all;
    }

    // The second row of each tab's face, below the edge and above the caption: the selected
    // tab's frame 2, the others' frame 1.
    TComparison TabsCompared(const TSkinElements& skin) {
        TPageControl* pages = form->PageControl1;
        TComparison all;
        for (int index = 0; index < 2; ++index) {
            RECT rect{};
            SendMessageW(pages->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&rect));
            OffsetRect(&rect, 0, 1);
            const int frame = index == pages->ActivePageIndex() ? 2 : 1;
            TFace face(*skin.Tabs, frame, rect.right - rect.left, rect.bottom - rect.top);
            const POINT at = ScreenOf(pages, rect.left, rect.top);
            const TComparison part =
                Compare(*m_client, at.x, at.y, face, RECT{0, 1, rect.right - rect.left, 2});
            all.compared += part.compared;
            all.differing += part.differing;
        }
        return all;
    }

    // The corners of the first status panel: the skin's lowered panel frame.
    TComparison StatusBarCompared(const TSkinElements& skin) {
        TStatusBar* bar = form->StatusBar1;
        RECT panel{};
        SendMessageW(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
        const int width = panel.right + 2 - panel.left, height = panel.bottom - panel.top;
        const TDataSkinObject& edges = *skin.StatusBarEdges;
        TFace face(edges, 1, width, height);
        const POINT at = ScreenOf(bar, panel.left, panel.top);
        TComparison all;
        const int mx = edges.LeftWidth, my = edges.TopHeight;
        for (RECT corner : {RECT{0, 0, mx, my}, RECT{width - mx, 0, width, my},
                            RECT{0, height - my, mx, height}, RECT{width - mx, height - my, width, height}}) {
            const TComparison part = Compare(*m_client, at.x, at.y, face, corner);
            all.compared += part.compared;
            all.differing += part.differing;
        }
        return all;
    }

    // Waits until the screen shows the skin's own frames on every part of the window named here.
    void ExpectTheSkinsFaces(const TSkinElements& skin) {
        auto shows = [&](const std::function<TComparison()>& compared, const std::string& what) {
            TComparison last;
            EXPECT_TRUE(WaitUntil([&] { return (last = compared()).Same(); })) << what << ": " << last;
        };
        shows([&] { return CaptionCompared(form->Handle(), skin); }, "the caption");
        shows([&] { return ButtonCompared(form->Button2, skin, 1); }, "the save button");
        shows([&] { return RadioCompared(form->Radio_Remotetcp, skin, form->Radio_Remotetcp->Checked()); },
              "the remote-connection radio button");
        shows([&] { return RadioCompared(form->Radio_Tcp, skin, form->Radio_Tcp->Checked()); },
              "the TCP radio button");
        shows([&] { return ScrollBarCompared(skin); }, "the grid's horizontal bar");
        shows([&] { return TabsCompared(skin); }, "the page tabs");
        shows([&] { return StatusBarCompared(skin); }, "the status bar");
    }

    // The window as the screen shows it, into build/ for a person to look at.
    void SaveWindowPicture(HWND window, const std::string& name) {
        RECT rect{};
        GetWindowRect(window, &rect);
        m_client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/../" + name, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top);
    }

    // Pixels of the colour in a part of the control (client coordinates), as the screen shows it.
    int CountOnScreen(TControl* control, RECT area, std::uint32_t colour) {
        const POINT at = ScreenOf(control, area.left, area.top);
        const ScreenArea screen =
            m_client->ReadScreen(at.x, at.y, area.right - area.left, area.bottom - area.top);
        int found = 0;
        for (int y = at.y; y < at.y + area.bottom - area.top; ++y)
            for (int x = at.x; x < at.x + area.right - area.left; ++x)
                found += screen.Pixel(x, y) == colour ? 1 : 0;
        return found;
    }

    void ClickControl(TControl* control) {
        person->Click(ScreenOf(control, control->Width() / 2, control->Height() / 2));
        m_client->MovePointer(799, 599);
    }

    std::unique_ptr<Person> person;

private:
    UINT_PTR m_stepTimer = 0;
};

// The whole round in the built-in skin and in the dark one chosen at start.
class MainWindowInSkinXvfbTest : public MainWindowXvfbTest,
                                 public ::testing::WithParamInterface<std::string> {};

TEST_P(MainWindowInSkinXvfbTest, TheScreenShowsTheSkinsFramesAndTheWindowWorksUnderRealInput) {
    const std::string design = GetParam();
    const std::unique_ptr<TSkinData> skin = ReadSkin(design);
    ASSERT_NE(skin, nullptr) << design;
    // The built-in skin, or another one worn as `--skin` wears it.
    OpenSkinnedWindow(design == "default" ? std::string() : SkinPath(design));
    const TSkinElements& faces = skin->Elements();
    ASSERT_TRUE(form->Radio_Remotetcp->Checked());
    ExpectTheSkinsFaces(faces);

    // Both states of a radio button: the clicked one shows the checked frame, the one it
    // replaces the unchecked frame.
    ClickControl(form->Radio_TcpUDP);
    ASSERT_TRUE(WaitUntil([&] { return form->Radio_TcpUDP->Checked(); }));
    TComparison last;
    EXPECT_TRUE(WaitUntil([&] { return (last = RadioCompared(form->Radio_TcpUDP, faces, true)).Same(); }))
        << last;
    EXPECT_TRUE(WaitUntil([&] { return (last = RadioCompared(form->Radio_Remotetcp, faces, false)).Same(); }))
        << last;

    // "刷新" lists the TCP and UDP view: every socket of the fixture.
    ClickControl(form->Button_Refresh);
    ASSERT_TRUE(WaitUntil([&] {
        return form->StringGrid1->RowCount() == 7 && form->Button_Refresh->Enabled();
    })) << form->StringGrid1->RowCount();
    EXPECT_EQ(form->StatusBar1->Panels()->Items(CountStatusPanel)->Text(), CountText(ListingView::TcpUdp, 6));

    // A click on the process id's title sorts the rows by it as text, a second click the other way.
    const TRect title = form->StringGrid1->CellRect(5, 0);
    const POINT titleAt =
        ScreenOf(form->StringGrid1, (title.left + title.right) / 2, (title.top + title.bottom) / 2);
    person->Click(titleAt);
    EXPECT_TRUE(WaitUntil([&] {
        return GridColumn(5) == std::vector<std::string>{"0", "100", "100", "100", "200", "300"};
    })) << ::testing::PrintToString(GridColumn(5));
    person->Click(titleAt);
    EXPECT_TRUE(WaitUntil([&] {
        return GridColumn(5) == std::vector<std::string>{"300", "200", "100", "100", "100", "0"};
    })) << ::testing::PrintToString(GridColumn(5));
    ExpectTheSkinsFaces(faces);

    // "保存": the skinned save dialog takes a name typed on the keyboard, then the skinned
    // information box says the list is saved.
    TComparison dialogCaption, boxCaption;
    bool boxButtonSkinned = false;
    g_steps = {[&] {
                   HWND dialog = GetActiveWindow();
                   if (!dialog || !IsSaveDialog(dialog) || !FormSkin(dialog) || !FormSkin(dialog)->Started())
                       return false;
                   if (!(dialogCaption = CaptionCompared(dialog, faces)).Same())
                       return false;
                   SaveWindowPicture(dialog, "quillmere-x11-" + design + "-save-dialog.png");
                   m_client->Focus(m_display->NativeWindow(dialog));
                   person->Type("list");
                   person->Press(EnterKey);
                   return true;
               },
               [&] {
                   HWND box = GetActiveWindow();
                   if (!box || !IsMessageBox(box) || !FormSkin(box) || !FormSkin(box)->Started())
                       return false;
                   if (!(boxCaption = CaptionCompared(box, faces)).Same())
                       return false;
                   SaveWindowPicture(box, "quillmere-x11-" + design + "-message-box.png");
                   HWND button = FindWindowExA(box, nullptr, "Button", nullptr);
                   boxButtonSkinned = button && SendMessageW(button, SM_SKINNEDQUERY, 0, 0) == 1;
                   m_client->Focus(m_display->NativeWindow(box));
                   person->Press(EnterKey);
                   return true;
               }};
    ClickControl(form->Button2);
    ASSERT_TRUE(WaitUntil([&] {
        return g_steps.empty() && boxes.size() == 1 && GetActiveWindow() == form->Handle();
    })) << "save dialog caption: "
        << dialogCaption << "; information box caption: " << boxCaption;
    EXPECT_FALSE(g_gaveUp);
    EXPECT_EQ(boxes[0].caption, "保存完毕");
    EXPECT_TRUE(boxButtonSkinned) << "the information box's button wears the skin";
    std::ifstream saved(work / "list.txt", std::ios::binary);
    const std::string list((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    // Saved as shown: the rows of process 300 and then 200 first.
    ASSERT_NE(list.find("/usr/bin/loop"), std::string::npos);
    EXPECT_LT(list.find("/usr/bin/loop"), list.find("/usr/bin/browser"));

    // The database page, opened from its tab.
    RECT tab{};
    SendMessageW(form->PageControl1->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    person->Click(ScreenOf(form->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    ASSERT_TRUE(WaitUntil([&] { return form->PageControl1->ActivePageIndex() == 1; }));
    EXPECT_NE(form->Memo1->Lines()->Text().find("2010"), std::string::npos) << form->Memo1->Lines()->Text();
    EXPECT_TRUE(WaitUntil([&] { return (last = TabsCompared(faces)).Same(); }))
        << "the tabs after the switch: " << last;
    EXPECT_TRUE(WaitUntil([&] { return (last = ButtonCompared(form->Button_IPVer, faces, 1)).Same(); }))
        << last;
    m_client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/../quillmere-x11-" + design + ".png");
    EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Skins, MainWindowInSkinXvfbTest, ::testing::Values("default", "dark"));

// Texts beside the skinned boxes and in the status panels take the skin's text colour, so that
// a dark skin's light text stands on its dark background.
TEST_F(MainWindowXvfbTest, TheDarkSkinsTextsAreDrawnInItsTextColour) {
    const std::unique_ptr<TSkinData> skin = ReadSkin("dark");
    ASSERT_NE(skin, nullptr);
    OpenSkinnedWindow(SkinPath("dark"));
    const TSkinElements& elements = skin->Elements();
    const std::uint32_t text = Rgb(ColorToRGB(SkinnedSystemColour(elements, clWindowText)));
    const TDataSkinObject& edges = *elements.StatusBarEdges;
    const std::uint32_t panelText =
        edges.NormalColour != -1 ? Rgb(ColorToRGB(static_cast<TColor>(edges.NormalColour))) : text;
    auto count = [&](TControl* control, RECT area, std::uint32_t colour) {
        return CountOnScreen(control, area, colour);
    };
    TRadioButton* radio = form->Radio_Tcp;
    const RECT caption{16, 0, radio->Width(), radio->Height()};
    EXPECT_TRUE(WaitUntil([&] { return count(radio, caption, text) > 10; }))
        << "the radio button's caption: " << count(radio, caption, text)
        << " pixels of the skin's text colour";
    RECT panel{};
    SendMessageW(form->StatusBar1->Handle(), SB_GETRECT, CountStatusPanel, reinterpret_cast<LPARAM>(&panel));
    EXPECT_TRUE(WaitUntil([&] { return count(form->StatusBar1, panel, panelText) > 10; }))
        << "the count text: " << count(form->StatusBar1, panel, panelText)
        << " pixels of the panel's text colour";
}

// The grid's column titles stand on the skin's background (its fixed colour), so they take the
// skin's text colour too.
TEST_F(MainWindowXvfbTest, TheDarkSkinsGridTitlesAreDrawnInItsTextColour) {
    const std::unique_ptr<TSkinData> skin = ReadSkin("dark");
    ASSERT_NE(skin, nullptr);
    OpenSkinnedWindow(SkinPath("dark"));
    const std::uint32_t text = Rgb(ColorToRGB(SkinnedSystemColour(skin->Elements(), clWindowText)));
    const TRect titles = form->StringGrid1->CellRect(1, 0);
    const RECT area{titles.left, titles.top, titles.right, titles.bottom};
    EXPECT_TRUE(WaitUntil([&] { return CountOnScreen(form->StringGrid1, area, text) > 10; }))
        << "the second column's title: " << CountOnScreen(form->StringGrid1, area, text)
        << " pixels of the skin's text colour";
}

// A skinned dialog's labels stand on the skin's background, so they take the skin's text colour
// too: the save dialog's labels in the dark skin.
TEST_F(MainWindowXvfbTest, TheDarkSkinsDialogLabelsAreDrawnInItsTextColour) {
    const std::unique_ptr<TSkinData> skin = ReadSkin("dark");
    ASSERT_NE(skin, nullptr);
    OpenSkinnedWindow(SkinPath("dark"));
    const std::uint32_t text = Rgb(ColorToRGB(SkinnedSystemColour(skin->Elements(), clWindowText)));
    int labelPixels = -1;
    g_steps = {[&] {
        HWND dialog = GetActiveWindow();
        if (!dialog || !IsSaveDialog(dialog) || !FormSkin(dialog) || !FormSkin(dialog)->Started())
            return false;
        HWND label = FindWindowExA(dialog, nullptr, "Static", nullptr);
        RECT rect{};
        if (!label || !GetWindowRect(label, &rect))
            return false;
        const ScreenArea screen =
            m_client->ReadScreen(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        labelPixels = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                labelPixels += screen.Pixel(x, y) == text ? 1 : 0;
        if (labelPixels <= 10)
            return false;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }};
    ClickControl(form->Button2);
    ASSERT_TRUE(WaitUntil([&] { return g_steps.empty() && GetActiveWindow() == form->Handle(); }));
    EXPECT_GT(labelPixels, 10) << "pixels of the skin's text colour in the dialog's first label";
}

} // namespace
