// The skinned menu bar of an MDI frame: a maximised child's minimise, restore and close buttons
// at the band's right end act on the child, a right-to-left bar keeps clear of them, a menu the
// program sets through the client window becomes the bar's, and the bar is built again when the
// last child goes.

#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/menus/Menus.h"
#include "platform/user/mdi/WinMdi.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinMenu.h"
#include "skin/forms/WinSysButton.h"

#include <algorithm>
#include <climits>
#include <string>

using namespace skinengine;
namespace headless = platform::headless;

namespace {

class SkinnedMdiMenuBarTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        NewSkinData();
        frame = OwnedForm();
        frame->SetCaption("Frame");
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(50, 50, 500, 400);
        auto* menu = new TMainMenu(frame);
        AddItem(*menu->Items(), "文件(&F)", "打开(&O)");
        AddItem(*menu->Items(), "窗口(&W)", "层叠(&C)");
        frame->SetMenu(menu);
        frame->AfterConstruction();
        frame->Show();
        Pump();
        skin = Manager().FindSkinnedWindow(frame->Handle());
    }

    TForm* OwnedForm() {
        auto* form = new TForm(nullptr);
        forms.emplace_back(form);
        return form;
    }

    // Frees a child: its window goes through the client.
    void Free(TCustomForm* form) {
        for (auto& owned : forms) {
            if (owned.get() == form)
                owned.reset();
        }
        Pump();
    }

    void AddItem(TMenuItem& bar, const std::string& caption, const std::string& subItem) {
        auto* item = new TMenuItem(frame);
        item->SetCaption(caption);
        auto* sub = new TMenuItem(frame);
        sub->SetCaption(subItem);
        item->Add(sub);
        bar.Add(item);
    }

    TForm* NewChild() {
        TForm* child = OwnedForm();
        child->SetFormStyle(fsMDIChild);
        child->SetCaption("Child");
        child->SetBounds(0, 0, 200, 150);
        child->AfterConstruction();
        child->Show();
        Pump();
        return child;
    }

    void Maximise(TForm* child) {
        SendMessageA(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        Pump();
    }

    TWinSkinMenu& Bar() const { return skin->MenuBar()->Bar(); }

    // The shown caption button of the action at the bar's end; null when it is not shown.
    const TWinSysButton* BarButton(int action) const {
        for (int i = 0; i < skin->Caption().ButtonCount(); ++i) {
            const TWinSysButton& button = skin->Caption().Button(i);
            if (button.Visible && button.Record().Visibility == 100 && button.Record().Action == action)
                return &button;
        }
        return nullptr;
    }

    // A click with the mouse on a button of the frame.
    void Press(const TWinSysButton& button) {
        RECT window{};
        GetWindowRect(frame->Handle(), &window);
        const POINT at{window.left + (button.Bounds.left + button.Bounds.right) / 2,
                       window.top + (button.Bounds.top + button.Bounds.bottom) / 2};
        headless::MoveMouse(at.x, at.y);
        Pump();
        headless::Click(at.x, at.y);
        Pump();
    }

    HWND ActiveChild(bool& maximised) const {
        BOOL zoomed = FALSE;
        auto child = reinterpret_cast<HWND>(
            SendMessageA(frame->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)));
        maximised = zoomed != FALSE;
        return child;
    }

    TForm* frame = nullptr;
    TWinSkinForm* skin = nullptr;
};

TEST_F(SkinnedMdiMenuBarTest, AMaximisedChildsButtonsInTheBarMinimiseRestoreAndCloseIt) {
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->MenuBar(), nullptr);
    TForm* child = NewChild();
    EXPECT_EQ(BarButton(caMdiRestore), nullptr) << "no buttons while the child is not maximised";
    Maximise(child);
    const TWinSysButton* restore = BarButton(caMdiRestore);
    ASSERT_NE(restore, nullptr);
    EXPECT_GE(restore->Bounds.top, skin->CaptionHeight()) << "the buttons lie in the menu-bar band";
    EXPECT_LE(restore->Bounds.bottom, skin->CaptionHeight() + skin->MenuBarHeight());
    EXPECT_EQ(Bar().ButtonCount(), 2) << "the child's system menu and buttons are no bar buttons";
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(child->Handle(), region), ERROR) << "the maximised child shows whole";
    DeleteObject(region);

    Press(*restore);
    bool maximised = true;
    EXPECT_EQ(ActiveChild(maximised), child->Handle());
    EXPECT_FALSE(maximised) << "restore";
    EXPECT_EQ(BarButton(caMdiRestore), nullptr);

    Maximise(child);
    const TWinSysButton* minimise = BarButton(caMdiMinimise);
    ASSERT_NE(minimise, nullptr);
    Press(*minimise);
    EXPECT_TRUE(IsIconic(child->Handle())) << "minimise";

    Maximise(child);
    bool closeAsked = false;
    child->OnClose = [&](TObject*, TCloseAction& action) {
        closeAsked = true;
        action = caNone;
    };
    const TWinSysButton* close = BarButton(caMdiClose);
    ASSERT_NE(close, nullptr);
    Press(*close);
    EXPECT_TRUE(closeAsked) << "close";
}

TEST_F(SkinnedMdiMenuBarTest, ARightToLeftBarKeepsClearOfTheChildsButtons) {
    ASSERT_NE(skin, nullptr);
    SetWindowLongA(frame->Handle(), GWL_EXSTYLE,
                   GetWindowLongA(frame->Handle(), GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
    Maximise(NewChild());
    RedrawWindow(frame->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump();
    int leftmost = INT_MAX;
    for (int action : {caMdiMinimise, caMdiRestore, caMdiClose}) {
        const TWinSysButton* button = BarButton(action);
        ASSERT_NE(button, nullptr);
        leftmost = std::min<int>(leftmost, button->Bounds.left);
    }
    ASSERT_EQ(Bar().ButtonCount(), 2);
    const RECT& first = Bar().Button(0).rect;
    EXPECT_LE(first.right + 5, leftmost) << "the first button starts left of the child's buttons";
    EXPECT_LE(Bar().Button(1).rect.right, first.left) << "and the next one lies left of it";
}

TEST_F(SkinnedMdiMenuBarTest, AMenuSetThroughTheClientBecomesTheBarsAndTheOldOneComesBack) {
    ASSERT_NE(skin, nullptr);
    const HMENU shown = Bar().NativeMenu();
    HMENU other = CreateMenu();
    HMENU tools = CreatePopupMenu();
    AppendMenuA(tools, MF_STRING, 500, "选项(&O)");
    AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), "工具(&T)");
    AppendMenuA(other, MF_STRING, 501, "帮助(&H)");

    const auto previous = reinterpret_cast<HMENU>(
        SendMessageA(frame->ClientHandle(), WM_MDISETMENU, reinterpret_cast<WPARAM>(other), 0));
    EXPECT_EQ(previous, shown) << "the program gets the menu the bar showed";
    EXPECT_EQ(GetMenu(frame->Handle()), nullptr) << "the frame keeps no menu of its own";
    ASSERT_EQ(Bar().ButtonCount(), 2);
    EXPECT_EQ(Bar().Button(0).caption, "工具(&T)");
    EXPECT_EQ(Bar().Button(1).command, 501u);

    SendMessageA(frame->ClientHandle(), WM_MDISETMENU, reinterpret_cast<WPARAM>(shown), 0);
    EXPECT_EQ(Bar().Button(0).caption, "文件(&F)");
    DestroyMenu(other);
}

TEST_F(SkinnedMdiMenuBarTest, TheBarIsBuiltAgainWhenTheLastChildGoes) {
    ASSERT_NE(skin, nullptr);
    TForm* child = NewChild();
    // The program adds to the frame's menu while the child is open, and says nothing.
    AppendMenuA(Bar().NativeMenu(), MF_STRING, 600, "帮助(&H)");
    ASSERT_EQ(Bar().ButtonCount(), 2);
    Free(child);
    ASSERT_EQ(Bar().ButtonCount(), 3);
    EXPECT_EQ(Bar().Button(2).command, 600u);
}

} // namespace
