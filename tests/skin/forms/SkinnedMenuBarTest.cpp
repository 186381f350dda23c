// The skinned menu bar in a skinned form's frame: it takes the form's menu over and gives it
// back, draws the band from the skin, opens a drop-down from a press on a button, from Alt with a
// mnemonic and from the open-button message, follows a menu the program changes, and measures
// and draws the drop-downs' items from the skin.

#include "tests/skin/forms/SkinEngineFixture.h"
#include "tests/skin/forms/SkinMenuTestSupport.h"

#include "framework/menus/Menus.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinMenu.h"
#include "skin/forms/WinSkinPopMenu.h"

#include <string>

using namespace skinmenus;
namespace headless = platform::headless;

namespace {

class SkinnedMenuBarTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        data = NewSkinData();
        form = NewForm(400, 300);
        mainMenu = new TMainMenu(form);
        file = AddItem(*mainMenu->Items(), "文件(&F)");
        open = AddItem(*file, "打开(&O)");
        AddItem(*file, "-");
        AddItem(*file, "退出(&X)");
        view = AddItem(*mainMenu->Items(), "查看(&V)");
        AddItem(*view, "刷新(&R)");
        form->SetMenu(mainMenu);
        form->Show();
        Pump();
        skin = Manager().FindSkinnedWindow(form->Handle());
    }

    TMenuItem* AddItem(TMenuItem& parent, const std::string& caption) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }

    TWinSkinMenu& Bar() { return skin->MenuBar()->Bar(); }

    // A screen point inside a button of the bar.
    POINT OnButton(int index) {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        const RECT& r = Bar().Button(index).rect;
        return {window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
    }

    // The caption of the first item of the drop-down open when the step runs.
    std::string OpenDropDownsFirstItem() {
        HWND window = OpenMenuWindow();
        if (!window)
            return "";
        auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
        TMenuItem* item = mainMenu->FindItemByCommand(static_cast<WORD>(GetMenuItemID(menu, 0)));
        return item ? item->Caption() : "";
    }

    TSkinData* data = nullptr;
    TForm* form = nullptr;
    TMainMenu* mainMenu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* open = nullptr;
    TMenuItem* view = nullptr;
    TWinSkinForm* skin = nullptr;
};

TEST_F(SkinnedMenuBarTest, TheBarTakesTheFormsMenuOverAndGivesItBack) {
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->MenuBar(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr) << "the window keeps no menu of its own";
    ASSERT_EQ(Bar().ButtonCount(), 2);
    EXPECT_EQ(Bar().Button(1).caption, "查看(&V)");
    const RECT& button = Bar().Button(0).rect;
    EXPECT_GE(button.top, skin->CaptionHeight()) << "the buttons lie in the band under the caption";
    EXPECT_LE(button.bottom, skin->CaptionHeight() + skin->MenuBarHeight());

    HMENU native = mainMenu->Handle();
    skin->Unskin();
    EXPECT_EQ(GetMenu(form->Handle()), native);
}

TEST_F(SkinnedMenuBarTest, APressOnAButtonOpensItsSkinnedDropDownAndAMoveSwitchesToTheNext) {
    ASSERT_NE(skin, nullptr);
    std::string first, switched;
    int skinned = 0;
    Script({[&] {
                first = OpenDropDownsFirstItem();
                skinned = Manager().PopupSkinnerCount();
                const POINT next = OnButton(1);
                headless::MoveMouse(next.x, next.y);
            },
            [&] {
                switched = OpenDropDownsFirstItem();
                headless::TypeKey(VK_ESCAPE);
            }});
    const POINT at = OnButton(0);
    SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
    Pump();
    EXPECT_EQ(first, "打开(&O)");
    EXPECT_EQ(skinned, 1) << "the drop-down wears the skin";
    EXPECT_EQ(switched, "刷新(&R)");
    EXPECT_FALSE(skin->MenuTracking());
}

// A display reports the pointer where it rests when a drop-down appears or goes under it; only
// a move to a new place switches, so the keyboard's switch away from that button holds.
TEST_F(SkinnedMenuBarTest, APointerRestingOnAButtonDoesNotUndoAnArrowSwitch) {
    ASSERT_NE(skin, nullptr);
    const POINT resting = OnButton(0);
    headless::MoveMouse(resting.x, resting.y);
    Pump();
    std::string switched, afterRest;
    Script({[&] { headless::TypeKey(VK_RIGHT); },
            [&] {
                switched = OpenDropDownsFirstItem();
                headless::MoveMouse(resting.x, resting.y);
            },
            [&] {
                afterRest = OpenDropDownsFirstItem();
                headless::TypeKey(VK_ESCAPE);
            }});
    SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(resting.x, resting.y));
    Pump();
    EXPECT_EQ(switched, "刷新(&R)");
    EXPECT_EQ(afterRest, "刷新(&R)") << "the view menu stays open";
}

TEST_F(SkinnedMenuBarTest, AltWithAMnemonicAndTheOpenButtonMessageOpenTheirDropDowns) {
    ASSERT_NE(skin, nullptr);
    std::string byKey, byMessage;
    Script({[&] {
        byKey = OpenDropDownsFirstItem();
        headless::TypeKey(VK_ESCAPE);
    }});
    EXPECT_EQ(SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v'), 1);
    EXPECT_EQ(byKey, "刷新(&R)");
    Script({[&] {
        byMessage = OpenDropDownsFirstItem();
        headless::TypeKey(VK_ESCAPE);
    }});
    const POINT at = OnButton(0);
    SendMessageA(form->Handle(), SM_OPENMENUBUTTON, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(byMessage, "打开(&O)");
}

TEST_F(SkinnedMenuBarTest, ANewTopLevelItemGetsItsButton) {
    ASSERT_NE(skin, nullptr);
    AddItem(*AddItem(*mainMenu->Items(), "帮助(&H)"), "关于(&A)");
    Pump();
    ASSERT_EQ(Bar().ButtonCount(), 3);
    EXPECT_EQ(Bar().Button(2).caption, "帮助(&H)");
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

} // namespace

TEST_F(SkinnedMenuBarTest, UnskinningWhileADropDownIsOpenEndsTheMenuAndGivesTheMenuBack) {
    ASSERT_NE(skin, nullptr);
    HMENU native = mainMenu->Handle();
    bool unskinned = false;
    Script({[&] {
        skin->Unskin();
        unskinned = true;
    }});
    EXPECT_EQ(SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f'), 1);
    EXPECT_TRUE(unskinned);
    EXPECT_EQ(OpenMenuWindow(), nullptr) << "the menu ended with the bar";
    EXPECT_EQ(GetMenu(form->Handle()), native);
}
