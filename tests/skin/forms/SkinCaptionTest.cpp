#include "tests/skin/forms/SkinArchiveEdit.h"
#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/classes/Module.h"
#include "framework/forms/HintWindow.h"
#include "framework/menus/Menus.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSysButton.h"

#include <functional>

using namespace skinengine;

namespace {

// Menus that open are counted and closed from a thread timer: a skinned window's hover timer
// keeps every loop busy, so none waits idle.
int g_menusOpened = 0;

void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (!FindWindowA("#32768", nullptr))
        return;
    ++g_menusOpened;
    EndMenu();
}

class SkinCaptionTest : public SkinEngineTest {
protected:
    void TearDown() override {
        if (m_menuTimer)
            KillTimer(nullptr, m_menuTimer);
        SkinEngineTest::TearDown();
    }
    TForm* SkinnedForm(std::function<void(TForm&)> prepare = nullptr) {
        TForm* form = NewForm(400, 300);
        if (prepare)
            prepare(*form);
        form->Show();
        Pump();
        skin = Manager().FindSkinnedWindow(form->Handle());
        return form;
    }
    // The caption button of an action (the one shown, when several share it).
    TWinSysButton* ButtonOf(int action) {
        for (int i = 0; i < skin->Caption().ButtonCount(); ++i) {
            TWinSysButton& button = skin->Caption().Button(i);
            if (button.Record().Action == action && button.Visible)
                return &button;
        }
        return nullptr;
    }
    POINT OnScreen(const RECT& bounds) {
        RECT window{};
        GetWindowRect(skin->Window(), &window);
        return {window.left + (bounds.left + bounds.right) / 2,
                window.top + (bounds.top + bounds.bottom) / 2};
    }
    // Closes every menu that opens, counting them in g_menusOpened.
    void CloseMenus() {
        g_menusOpened = 0;
        m_menuTimer = SetTimer(nullptr, 0, 50, &CloseOpenMenu);
    }

    TWinSkinForm* skin = nullptr;

private:
    UINT_PTR m_menuTimer = 0;
};

TEST_F(SkinCaptionTest, TheButtonsFollowTheWindowsBoxes) {
    NewSkinData();
    TForm* form = SkinnedForm([](TForm& form) { form.SetBorderIcons({biSystemMenu, biMinimize}); });
    ASSERT_NE(skin, nullptr);
    TWinSysButton* maximise = ButtonOf(caMaximise);
    ASSERT_NE(maximise, nullptr);
    EXPECT_FALSE(maximise->Enabled) << "no maximise box";
    EXPECT_TRUE(ButtonOf(caMinimise)->Enabled);
    EXPECT_EQ(ButtonOf(caHelp), nullptr);
    (void)form;

    // A skin button of condition 7 shows only without the maximise box.
    SkinSources sources = DefaultSkinSources();
    sources.ini += "\r\n[ButtonNoMax]\r\nButtonImage=close.bmp\r\nAction=50\r\nAlign=0\r\nXcoord=200\r\n"
                   "Ycoord=5\r\nVisibility=7\r\nframe=4\r\n";
    TSkinData* custom = NewSkinData({sfMainform, true, PackSkin(sources)});
    (void)custom;
    SkinnedForm([](TForm& form) { form.SetBorderIcons({biSystemMenu, biMinimize}); });
    EXPECT_NE(ButtonOf(50), nullptr);
    SkinnedForm();
    EXPECT_EQ(ButtonOf(50), nullptr) << "a window with the maximise box";
}

TEST_F(SkinCaptionTest, TheMouseLightsPressesAndActsOnAButton) {
    NewSkinData();
    TForm* form = SkinnedForm();
    TWinSysButton* close = ButtonOf(caClose);
    ASSERT_NE(close, nullptr);
    const POINT point = OnScreen(close->Bounds);
    platform::headless::MoveMouse(point.x, point.y);
    Pump();
    EXPECT_EQ(close->State, ncHot);
    EXPECT_EQ(skin->Caption().HotObject(), close);
    platform::headless::PressButton(point.x, point.y);
    Pump();
    EXPECT_EQ(close->State, ncPressed);
    HWND window = form->Handle();
    platform::headless::ReleaseButton(point.x, point.y);
    Pump();
    EXPECT_FALSE(IsWindowVisible(window)) << "the close button closed the form";
}

TEST_F(SkinCaptionTest, ADoubleClickOnTheIconClosesAndOnTheCaptionMaximisesAndRestores) {
    NewSkinData();
    TForm* form = SkinnedForm();
    TWinSysButton* icon = ButtonOf(caSystemMenu);
    ASSERT_NE(icon, nullptr);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    const POINT caption = {window.left + 150, window.top + 10};
    SendMessageA(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(caption.x, caption.y));
    Pump();
    EXPECT_TRUE(IsZoomed(form->Handle()));
    SendMessageA(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(caption.x, caption.y));
    Pump();
    EXPECT_FALSE(IsZoomed(form->Handle()));

    const POINT onIcon = OnScreen(icon->Bounds);
    SendMessageA(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(onIcon.x, onIcon.y));
    Pump();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(SkinCaptionTest, TheSystemMenuOpensFromTheIconAndTwoClicksFurtherApartOpenItTwice) {
    NewSkinData();
    TForm* form = SkinnedForm();
    CloseMenus();
    TWinSysButton* icon = ButtonOf(caSystemMenu);
    const POINT point = OnScreen(icon->Bounds);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_EQ(g_menusOpened, 1);
    ASSERT_NE(skin->Caption().SystemMenuCopy(), nullptr);
    EXPECT_EQ(skin->Caption().SystemMenuCopy()->Tag(), SystemMenuCopyTag);
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_EQ(g_menusOpened, 2);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    // Alt+Space and a right click on the caption open it too.
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    Pump();
    EXPECT_EQ(g_menusOpened, 3);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    platform::headless::Click(window.left + 150, window.top + 10, platform::MouseButton::Right);
    Pump();
    EXPECT_EQ(g_menusOpened, 4);
}

TEST_F(SkinCaptionTest, TheSystemMenuCopyHasTheWindowsItemsWithGlyphsAndStates) {
    NewSkinData();
    TForm* form = SkinnedForm();
    CloseMenus();
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    Pump();
    TPopupMenu* copy = skin->Caption().SystemMenuCopy();
    ASSERT_NE(copy, nullptr);
    TMenuItem* restore = nullptr;
    TMenuItem* close = nullptr;
    for (int i = 0; i < copy->Items()->Count(); ++i) {
        TMenuItem* item = copy->Items()->Items(i);
        if (item->Tag() == SC_RESTORE)
            restore = item;
        if (item->Tag() == SC_CLOSE)
            close = item;
    }
    ASSERT_NE(restore, nullptr);
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(restore->Enabled()) << "a normal window has nothing to restore";
    EXPECT_EQ(restore->ImageIndex(), 0);
    EXPECT_EQ(close->ImageIndex(), 3);
    close->Click();
    Pump();
    EXPECT_FALSE(IsWindowVisible(form->Handle())) << "an item posts its system command";
}

TEST_F(SkinCaptionTest, ALongCaptionEndsBeforeTheRightAlignedButtons) {
    NewSkinData();
    TForm* form = SkinnedForm([](TForm& form) {
        form.SetCaption("A caption far too long for the narrow window that has to show it in its band");
    });
    const RECT text = skin->Caption().TextRect();
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    const int right = window.right - window.left - skin->RightBorderWidth();
    const TDataSkinTitle& title = *Manager().MainSkinData()->Elements().Title;
    EXPECT_LE(text.right, right - title.RightWidth);
    EXPECT_GE(text.left, skin->LeftBorderWidth());
}

TEST_F(SkinCaptionTest, ARightToLeftWindowPutsItsTextAtTheRightBeforeTheButtons) {
    NewSkinData();
    HWND window = CreateWindowExA(WS_EX_LEFTSCROLLBAR, "#32770", "Text", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  100, 100, 400, 200, nullptr, nullptr, HInstance(), nullptr);
    ASSERT_TRUE(Manager().SkinWindow(window));
    Pump();
    skin = Manager().FindSkinnedWindow(window);
    skin->PaintFrame();
    const RECT text = skin->Caption().TextRect();
    RECT rect{};
    GetWindowRect(window, &rect);
    const int right = rect.right - rect.left - skin->RightBorderWidth();
    EXPECT_GT(text.left, (rect.right - rect.left) / 2) << "on the right half";
    EXPECT_LE(text.right, right - skin->Caption().ReservedRight() + 10);
    DestroyWindow(window);
}

TEST_F(SkinCaptionTest, ACustomButtonPostsItsAction) {
    NewSkinData();
    TForm* form = SkinnedForm();
    skin->Caption().RunAction(50, POINT{0, 0});
    MSG message{};
    ASSERT_TRUE(
        PeekMessageA(&message, form->Handle(), SM_CAPTIONBUTTONCLICK, SM_CAPTIONBUTTONCLICK, PM_REMOVE));
    EXPECT_EQ(message.wParam, 50u);
}

TEST_F(SkinCaptionTest, AHintShowsAfterTwiceTheHintPauseAndGoesAfterTheHidePause) {
    NewSkinData();
    SkinnedForm();
    TWinSysButton* close = ButtonOf(caClose);
    const POINT point = OnScreen(close->Bounds);
    platform::headless::MoveMouse(point.x, point.y);
    Pump();
    TSkinData& data = *Manager().MainSkinData();
    const int pause = Application()->HintPause();
    platform::headless::RunFor(static_cast<DWORD>(2 * pause - 250));
    EXPECT_FALSE(data.HintShown());
    platform::headless::RunFor(250);
    ASSERT_TRUE(data.HintShown());
    EXPECT_EQ(data.HintWindow().Caption(), "Close");
    platform::headless::RunFor(static_cast<DWORD>(Application()->HintHidePause()));
    EXPECT_FALSE(data.HintShown());
}

} // namespace
