#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/classes/Module.h"
#include "framework/forms/Screen.h"
#include "framework/forms/Timer.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinForm.h"

using namespace skinengine;

namespace {

constexpr const char* BareClass = "SkinManagerTestWindow";
const HINSTANCE OtherModule = reinterpret_cast<HINSTANCE>(0x7A000000);

// Answers the skinned-window query as a window skinned by someone else does.
LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SM_SKINNEDQUERY && GetPropA(window, "AnswersQuery"))
        return SkinnedAnswer;
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterBareClass(const char* name) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = HInstance();
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

class SkinManagerTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        RegisterBareClass(BareClass);
    }
    void TearDown() override {
        for (HWND window : windows)
            DestroyWindow(window);
        SkinEngineTest::TearDown();
    }

    // A top-level window that is not the framework's (hidden, so that no activation skins it
    // before the test asks).
    HWND NewBareWindow(const char* className = BareClass, HINSTANCE module = HInstance(), int width = 200,
                       int height = 100, DWORD style = WS_OVERLAPPEDWINDOW) {
        HWND window = CreateWindowExA(0, className, "bare", style, 50, 50, width, height, nullptr, nullptr,
                                      module, nullptr);
        windows.push_back(window);
        return window;
    }

    std::vector<HWND> windows;
};

TEST_F(SkinManagerTest, TheHookSkinsAFormWhenItIsFirstActivated) {
    TSkinData* data = NewSkinData();
    std::vector<std::string> after;
    data->OnAfterSkinForm = [&after](TObject*, HWND, const std::string& name) { after.push_back(name); };
    EXPECT_EQ(Manager().Active(), 1) << "action 1 before the start only switches the manager on";
    EXPECT_EQ(Manager().RunState(), rsNotStarted);

    TForm* form = NewForm();
    form->Show();
    EXPECT_EQ(Manager().RunState(), rsStarted) << "the first activation starts the manager";
    TWinSkinForm* skin = Manager().FindSkinnedWindow(form->Handle());
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->Form(), form);
    EXPECT_EQ(skin->SkinData(), data);
    EXPECT_FALSE(skin->Started()) << "the start message is posted";
    EXPECT_EQ(SendMessageA(form->Handle(), SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);

    Pump();
    EXPECT_TRUE(skin->Started());
    EXPECT_EQ(skin->SkinState(), TSkinFormState::Running);
    EXPECT_EQ(after, std::vector<std::string>{"TForm"});
}

TEST_F(SkinManagerTest, ActionOneSkinsTheVisibleFormsFromTheTimer) {
    TSkinData* data = NewSkinData({sfMainform, false});
    TForm* shown = NewForm();
    shown->Show();
    TForm* hidden = NewForm();
    hidden->HandleNeeded();
    ASSERT_EQ(Manager().SkinnedWindowCount(), 0) << "the manager is off";

    int changed = 0;
    data->OnSkinChanged = [&changed](TObject*) { ++changed; };
    data->SetActive(true);
    EXPECT_EQ(Manager().PendingAction(), saSkin);
    platform::headless::RunFor(249);
    EXPECT_EQ(Manager().SkinnedWindowCount(), 0);
    platform::headless::RunFor(1);
    EXPECT_NE(Manager().FindSkinnedWindow(shown->Handle()), nullptr);
    EXPECT_EQ(Manager().FindSkinnedWindow(hidden->Handle()), nullptr) << "a hidden form is left alone";
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(Manager().RequestingSkinData(), nullptr);
}

TEST_F(SkinManagerTest, ALaterRequestWithinTheDelayReplacesTheEarlierOne) {
    TSkinData* data = NewSkinData({sfMainform, false});
    Manager().SetRunState(rsStarted);
    TForm* form = NewForm();
    form->Show();
    Manager().SetRequestingSkinData(data);
    Manager().RequestAction(saSkin, 250);
    platform::headless::RunFor(100);
    Manager().RequestAction(saUnskin, 250);
    platform::headless::RunFor(500);
    EXPECT_EQ(Manager().SkinnedWindowCount(), 0) << "only action 2 ran";
    EXPECT_EQ(Manager().Active(), 0);
}

TEST_F(SkinManagerTest, UnskinningGivesEveryWindowItsOwnProcedureBack) {
    TSkinData* data = NewSkinData();
    TForm* form = NewForm();
    const LONG_PTR ownProcedure = GetWindowLongPtrA(form->Handle(), GWLP_WNDPROC);
    form->Show();
    Pump();
    ASSERT_NE(GetWindowLongPtrA(form->Handle(), GWLP_WNDPROC), ownProcedure);
    data->SetActive(false);
    platform::headless::RunFor(250);
    EXPECT_EQ(Manager().SkinnedWindowCount(), 0);
    EXPECT_EQ(GetWindowLongPtrA(form->Handle(), GWLP_WNDPROC), ownProcedure);
    EXPECT_NE(SendMessageA(form->Handle(), SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
}

TEST_F(SkinManagerTest, AFormTaggedNinetyNineIsNeverSkinned) {
    TSkinData* data = NewSkinData();
    data->SetDisableTag(5);
    Manager().SetRunState(rsStarted);
    TForm* tagged = NewForm();
    tagged->SetTag(99);
    tagged->Show();
    EXPECT_EQ(Manager().FindSkinnedWindow(tagged->Handle()), nullptr);
    TForm* five = NewForm();
    five->SetTag(5);
    five->Show();
    EXPECT_NE(Manager().FindSkinnedWindow(five->Handle()), nullptr) << "DisableTag is for controls";
}

TEST_F(SkinManagerTest, BareWindowsQualifyByModuleOrAsSystemDialogs) {
    NewSkinData();
    EXPECT_TRUE(Manager().SkinWindow(NewBareWindow()));
    EXPECT_FALSE(Manager().SkinWindow(NewBareWindow(BareClass, OtherModule))) << "another module's window";
    EXPECT_TRUE(Manager().SkinWindow(NewBareWindow("#32770", OtherModule))) << "a system dialog";
    EXPECT_FALSE(
        Manager().SkinWindow(NewBareWindow("#32770", OtherModule, 200, 100, WS_POPUP | WS_CAPTION | 0x200)))
        << "a dialog with style bit 0x200";
    HWND empty = NewBareWindow(BareClass, HInstance(), 0, 100, WS_POPUP);
    RECT rect{};
    GetWindowRect(empty, &rect);
    ASSERT_EQ(rect.right, rect.left);
    EXPECT_FALSE(Manager().SkinWindow(empty)) << "zero size";
}

TEST_F(SkinManagerTest, AWindowThatAnswersTheQueryGetsNoSecondObject) {
    NewSkinData();
    HWND answering = NewBareWindow();
    SetPropA(answering, "AnswersQuery", reinterpret_cast<HANDLE>(1));
    EXPECT_FALSE(Manager().SkinWindow(answering));
    HWND plain = NewBareWindow();
    EXPECT_TRUE(Manager().SkinWindow(plain));
    EXPECT_FALSE(Manager().SkinWindow(plain));
    EXPECT_EQ(Manager().SkinnedWindowCount(), 1);
}

TEST_F(SkinManagerTest, TheFilterRefusesPreviewsAndMonthCalendarsWithoutAHandler) {
    TSkinData* data = NewSkinData();
    RegisterBareClass("TfrxPreviewForm");
    RegisterBareClass("SysMonthCal32");
    RegisterBareClass("TApplication");
    data->SetOptions(data->Options() - TSkinOptions{xoPreview});
    EXPECT_FALSE(Manager().SkinWindow(NewBareWindow("TfrxPreviewForm")));
    EXPECT_FALSE(Manager().SkinWindow(NewBareWindow("SysMonthCal32")));
    EXPECT_FALSE(Manager().SkinWindow(NewBareWindow("TApplication")));
    data->SetOptions(data->Options() + TSkinOptions{xoPreview});
    EXPECT_TRUE(Manager().SkinWindow(NewBareWindow("TfrxPreviewForm")));
    data->OnFormSkin = [](TObject*, const std::string&, bool& doSkin) { doSkin = true; };
    EXPECT_TRUE(Manager().SkinWindow(NewBareWindow("SysMonthCal32")));
}

TEST_F(SkinManagerTest, TheSkinDataIsChosenByFormThenDialogThenMainThenFirst) {
    TForm* own = NewForm();
    own->HandleNeeded();
    TSkinData* dialog = NewSkinData({sfDialog, false});
    TSkinData* first = NewSkinData({sfMainform, false});
    TSkinData* last = NewSkinData({sfMainform, false});
    TSkinData* onlyThis = NewSkinData({sfOnlyThisForm, false}, own);
    EXPECT_EQ(Manager().MainSkinData(), first) << "the first main skin data registered";
    EXPECT_EQ(Manager().ChooseSkinData(own->Handle(), "TForm"), onlyThis);
    EXPECT_EQ(Manager().ChooseSkinData(nullptr, "#32770"), dialog);
    EXPECT_EQ(Manager().ChooseSkinData(nullptr, "TMessageForm"), dialog);
    EXPECT_EQ(Manager().ChooseSkinData(nullptr, "TForm"), last) << "the last matching one wins";
    forms.clear();
    EXPECT_EQ(Manager().SkinDataList().size(), 3u) << "a skin data owned by a form goes with it";
    skinData.erase(skinData.begin() + 1);
    EXPECT_EQ(Manager().MainSkinData(), last);
}

TEST_F(SkinManagerTest, ADestroyedFormsSkinIsMarkedDeadAndPurgedWithoutDanglingPointers) {
    NewSkinData();
    TForm* form = NewForm();
    form->Show();
    Pump();
    HWND window = form->Handle();
    TWinSkinForm* skin = Manager().FindSkinnedWindow(window);
    ASSERT_NE(skin, nullptr);
    forms.clear();
    ASSERT_EQ(Manager().SkinnedWindowCount(), 1);
    EXPECT_EQ(skin->SkinState(), TSkinFormState::Dead);
    EXPECT_EQ(skin->Form(), nullptr) << "the skin forgets its freed form";
    Manager().SetRequestingSkinData(Manager().MainSkinData());
    Manager().SetRunState(rsStarted);
    Manager().RequestAction(saPurge, 250);
    platform::headless::RunFor(250);
    EXPECT_EQ(Manager().SkinnedWindowCount(), 0);
    EXPECT_EQ(Manager().FindSkinnedWindow(window), nullptr);
}

TEST_F(SkinManagerTest, FreeingASkinDataUnskinsItsWindows) {
    TSkinData* main = NewSkinData();
    NewSkinData({sfDialog, false});
    HWND window = NewBareWindow();
    const LONG_PTR ownProcedure = GetWindowLongPtrA(window, GWLP_WNDPROC);
    ASSERT_TRUE(Manager().SkinWindow(window));
    ASSERT_EQ(skinData.front().get(), main);
    skinData.erase(skinData.begin());
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), ownProcedure);
    EXPECT_EQ(Manager().FindSkinnedWindow(window)->SkinState(), TSkinFormState::Dead);
    // Nothing may reach the freed skin data, not even when the manager itself goes later.
    EXPECT_EQ(Manager().FindSkinnedWindow(window)->SkinData(), nullptr);
}

TEST_F(SkinManagerTest, TheHookSeesMenuWindowsComeAndGo) {
    NewSkinData();
    HWND menu = CreateWindowExA(0, "#32768", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Manager().IsPopupSkinned(menu)) << "popup menus are in the default kinds";
    EXPECT_EQ(SendMessageA(menu, SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
    Manager().AttachPopupMenu(reinterpret_cast<HMENU>(0x55));
    ASSERT_NE(Manager().FindPopupByMenu(reinterpret_cast<HMENU>(0x55)), nullptr);
    Manager().SetMenuMode(mmSystemMenu);
    DestroyWindow(menu);
    EXPECT_EQ(Manager().PopupSkinnerCount(), 0);
    EXPECT_EQ(Manager().MenuMode(), mmPopup) << "the last skinner's release resets the menu mode";
}

TEST_F(SkinManagerTest, SubManagersFollowTheExecutablesManager) {
    TSkinData* data = NewSkinData({sfMainform, false});
    {
        TSkinManage sub(OtherModule, Manager());
        ASSERT_EQ(Manager().SubManagers().size(), 1u);
        Manager().SetRunState(rsStarted);
        Manager().SetRequestingSkinData(data);
        Manager().RequestAction(saSkin, 250);
        EXPECT_EQ(sub.Active(), 1);
        EXPECT_EQ(sub.RequestingSkinData(), data);
        EXPECT_EQ(sub.PendingAction(), saSkin);
        Manager().RequestAction(saUnskin, 250);
        EXPECT_EQ(sub.Active(), 0);
    }
    EXPECT_TRUE(Manager().SubManagers().empty()) << "a sub-manager leaves its parent when it goes";
}

} // namespace
