#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/classes/Module.h"
#include "framework/stdctrls/Memo.h"
#include "platform/controls/buttons/Button.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/forms/BareWindowMapping.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinForm.h"

using namespace skinengine;

namespace {

// Counts the skinned notifications a window receives.
int g_notifications = 0;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SM_SKINNEDNOTIFY && lParam == SkinMagic)
        ++g_notifications;
    return DefWindowProcA(window, message, wParam, lParam);
}

// Told when a component it watches is freed.
class FreeWatch : public TComponent {
public:
    explicit FreeWatch(TComponent* watched) : TComponent(nullptr) { watched->FreeNotification(this); }
    bool freed = false;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove)
            freed = true;
    }
};

class WinSkinFormTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        g_notifications = 0;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CountingProcedure;
        windowClass.hInstance = HInstance();
        windowClass.lpszClassName = "WinSkinFormTestWindow";
        RegisterClassA(&windowClass);
        data = NewSkinData({sfDialog, false});
    }

    HWND NewWindow(DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0) {
        return CreateWindowExA(exStyle, "WinSkinFormTestWindow", "window", style, 40, 40, 300, 200, nullptr,
                               nullptr, HInstance(), nullptr);
    }

    // A skin attached to a bare window as the manager attaches it.
    std::unique_ptr<TWinSkinForm> Attach(HWND window,
                                         const std::string& className = "WinSkinFormTestWindow") {
        auto skin = std::make_unique<TWinSkinForm>(Manager(), nullptr);
        skin->SetWindow(window);
        skin->SetWindowClassName(className);
        skin->AttachToWindow(*data);
        return skin;
    }

    // A form's skin attached as the manager attaches it, with a scrolled memo whose bars are
    // skinned through it.
    struct SkinnedMemo {
        std::unique_ptr<TWinSkinForm> skin;
        TMemo* memo;
        TSkinScrollbar* scroll;
    };
    SkinnedMemo NewSkinnedMemo() {
        TForm* form = NewForm();
        auto* memo = new TMemo(form);
        memo->SetParent(form);
        memo->SetScrollBars(ssBoth);
        auto skin = std::make_unique<TWinSkinForm>(Manager(), form);
        skin->SetWindow(form->Handle());
        skin->SetWindowClassName("TForm");
        skin->AttachToForm(*data);
        auto* scroll = new TSkinScrollbar(memo);
        scroll->InitScrollSkin(memo, data, skin.get(), skin->ControlCanvas());
        return {std::move(skin), memo, scroll};
    }

    TSkinData* data = nullptr;
};

TEST_F(WinSkinFormTest, AnAttachedWindowAnswersTheQueryAndStartsOnItsMessage) {
    HWND window = NewWindow();
    std::unique_ptr<TWinSkinForm> skin = Attach(window);
    EXPECT_EQ(Manager().RunState(), rsStarted);
    EXPECT_EQ(SendMessageA(window, SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
    Pump();
    EXPECT_EQ(g_notifications, 1) << "the query's answer is followed by a posted notification";

    std::vector<HWND> after;
    data->OnAfterSkinForm = [&after](TObject* sender, HWND window, const std::string& name) {
        EXPECT_EQ(sender, nullptr) << "a bare window has no form";
        EXPECT_EQ(name, "WinSkinFormTestWindow");
        after.push_back(window);
    };
    PostMessageA(window, SM_STARTSKIN, 0, SkinStartParam);
    Pump();
    EXPECT_TRUE(skin->Started());
    EXPECT_EQ(skin->SkinState(), TSkinFormState::Running);
    EXPECT_EQ(skin->SystemMenu(), GetSystemMenu(window, FALSE));
    EXPECT_EQ(g_notifications, 2) << "the start sends the notification";
    EXPECT_EQ(after, std::vector<HWND>{window});
    const SIZE extra = skin->NativeFrameExtra();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(extra.cx, 300 - client.right);
    EXPECT_EQ(extra.cy, 200 - client.bottom);
    DestroyWindow(window);
}

TEST_F(WinSkinFormTest, TheFrameMetricsComeFromTheSkinsBorderImages) {
    HWND window = NewWindow();
    std::unique_ptr<TWinSkinForm> skin = Attach(window);
    const TSkinElements& elements = data->Elements();
    EXPECT_EQ(skin->BorderKind(), TBorderKind::Sizeable);
    EXPECT_EQ(skin->CaptionHeight(), elements.BorderTop->Image->Height() / elements.BorderTop->FrameCount);
    EXPECT_EQ(skin->LeftBorderWidth(), elements.BorderLeft->Image->Width() / elements.BorderLeft->FrameCount);
    EXPECT_EQ(skin->RightBorderWidth(),
              elements.BorderRight->Image->Width() / elements.BorderRight->FrameCount);
    EXPECT_EQ(skin->BottomBorderHeight(),
              elements.BorderBottom->Image->Height() / elements.BorderBottom->FrameCount);
    EXPECT_GT(skin->CaptionHeight(), 0);
    EXPECT_EQ(skin->MenuBarHeight(), 0);
    EXPECT_EQ(skin->FormWindow(), window);
    DestroyWindow(window);
}

TEST_F(WinSkinFormTest, AWindowWithoutTheFullCaptionHasNoFrameMetrics) {
    HWND window = NewWindow(WS_POPUP | WS_BORDER);
    std::unique_ptr<TWinSkinForm> skin = Attach(window);
    EXPECT_EQ(skin->BorderKind(), TBorderKind::NoCaption);
    EXPECT_EQ(skin->LeftBorderWidth() + skin->CaptionHeight() + skin->RightBorderWidth() +
                  skin->BottomBorderHeight() + skin->MenuBarHeight(),
              0);
    DestroyWindow(window);
}

TEST_F(WinSkinFormTest, DialogsAndFixedFramesAreToldApart) {
    HWND dialog = NewWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(Attach(dialog, "#32770")->BorderKind(), TBorderKind::Dialog);
    EXPECT_TRUE(Attach(dialog, "TMessageForm")->IsDialogClass());
    HWND single = NewWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(Attach(single)->BorderKind(), TBorderKind::Single);
    HWND modal = NewWindow(WS_OVERLAPPED | WS_CAPTION, WS_EX_DLGMODALFRAME | WS_EX_LEFTSCROLLBAR);
    std::unique_ptr<TWinSkinForm> skin = Attach(modal);
    EXPECT_EQ(skin->BorderKind(), TBorderKind::Dialog);
    EXPECT_TRUE(skin->RightToLeft());
    for (HWND window : {dialog, single, modal})
        DestroyWindow(window);
}

TEST_F(WinSkinFormTest, TheWindowsDestructionLeavesTheSkinDeadWithTheProcedureBack) {
    HWND window = NewWindow();
    std::unique_ptr<TWinSkinForm> skin = Attach(window);
    DestroyWindow(window);
    EXPECT_EQ(skin->SkinState(), TSkinFormState::Dead);
}

TEST_F(WinSkinFormTest, ControlSkinsAreListedOnceAndFoundByControlOrWindow) {
    HWND window = NewWindow();
    std::unique_ptr<TWinSkinForm> skin = Attach(window);
    auto* first = reinterpret_cast<TSkinControl*>(0x1000);
    auto* second = reinterpret_cast<TSkinControl*>(0x2000);
    auto* control = reinterpret_cast<TControl*>(0x3000);
    const auto childWindow = reinterpret_cast<HWND>(0x4000);
    skin->AddSkinControl(first, control, childWindow);
    skin->AddSkinControl(first, nullptr, nullptr);
    skin->AddSkinControl(second, nullptr, reinterpret_cast<HWND>(0x5000));
    EXPECT_EQ(skin->FindSkinControl(control), first);
    EXPECT_EQ(skin->FindSkinControlByWindow(childWindow), first) << "the first listing stands";
    EXPECT_EQ(skin->FindSkinControlByWindow(reinterpret_cast<HWND>(0x5000)), second);
    EXPECT_EQ(skin->FindSkinControl(nullptr), nullptr) << "a bare window's skin has no control";
    skin->RemoveSkinControl(first);
    EXPECT_EQ(skin->FindSkinControl(control), nullptr);
    EXPECT_EQ(skin->FindSkinControlByWindow(reinterpret_cast<HWND>(0x5000)), second);
    skin->RemoveSkinControl(second);
    DestroyWindow(window);
}

TEST_F(WinSkinFormTest, TheControlSkinsGoWithTheFormsSkin) {
    auto [skin, memo, scroll] = NewSkinnedMemo();
    ASSERT_EQ(memo->ComponentCount(), 1);
    skin.reset();
    EXPECT_EQ(memo->ComponentCount(), 0) << "a control skin left behind would report to a freed form";
    memo->RecreateWnd();
    Pump();
    EXPECT_NE(memo->Handle(), nullptr);
}

TEST_F(WinSkinFormTest, AScrolledControlThatMadeANewWindowGetsItsSkinAgainOnIt) {
    auto [skin, memo, scroll] = NewSkinnedMemo();
    const HWND oldWindow = memo->Handle();
    ASSERT_EQ(skin->FindSkinControlByWindow(oldWindow), scroll);

    memo->RecreateWnd();
    Pump();
    ASSERT_NE(memo->Handle(), oldWindow);
    TSkinControl* again = skin->FindSkinControl(memo);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Window(), memo->Handle());
    EXPECT_EQ(again->ClassType().ClassName(), "TSkinScrollbar");
    EXPECT_EQ(skin->FindSkinControlByWindow(oldWindow), nullptr) << "the old skin is gone";
}

TEST_F(WinSkinFormTest, TheBareWindowSkinsOwnerGoesWithTheForm) {
    HWND window = NewWindow();
    std::unique_ptr<TWinSkinForm> skin = Attach(window);
    auto* owned = new TComponent(skin->BareWindowSkinOwner());
    FreeWatch watch(owned);
    EXPECT_EQ(skin->BareWindowSkinOwner(), skin->BareWindowSkinOwner());
    skin.reset();
    EXPECT_TRUE(watch.freed);
    DestroyWindow(window);
}

TEST_F(WinSkinFormTest, AFrameworkFormsSkinRaisesTheBeforeEventAndForgetsTheFreedForm) {
    TForm* form = NewForm();
    std::vector<std::string> before;
    data->OnBeforeSkinForm = [&before, form](TObject* sender, HWND window, const std::string& name) {
        EXPECT_EQ(sender, form);
        EXPECT_EQ(window, form->Handle());
        before.push_back(name);
    };
    auto skin = std::make_unique<TWinSkinForm>(Manager(), form);
    skin->SetWindow(form->Handle());
    skin->SetWindowClassName("TForm");
    skin->AttachToForm(*data);
    EXPECT_EQ(before, std::vector<std::string>{"TForm"});
    EXPECT_EQ(skin->Form(), form);
    forms.clear();
    EXPECT_EQ(skin->Form(), nullptr);
    EXPECT_EQ(skin->SkinState(), TSkinFormState::Dead);
}

} // namespace

namespace {

TEST(BareWindowMapping, ChildWindowsAreMatchedByClassAndButtonStyle) {
    const TSkinControlTypes all = DefaultSkinControls;
    EXPECT_EQ(BareSkinKindOf("Button", BS_PUSHBUTTON, all), TBareSkinKind::Button);
    EXPECT_EQ(BareSkinKindOf("Button", BS_AUTOCHECKBOX, all), TBareSkinKind::CheckBox);
    EXPECT_EQ(BareSkinKindOf("Button", BS_CHECKBOX, all), TBareSkinKind::CheckBox);
    EXPECT_EQ(BareSkinKindOf("Button", BS_3STATE, all), TBareSkinKind::CheckBox);
    EXPECT_EQ(BareSkinKindOf("Button", BS_RADIOBUTTON, all), TBareSkinKind::RadioButton);
    EXPECT_EQ(BareSkinKindOf("Button", BS_AUTORADIOBUTTON, all), TBareSkinKind::RadioButton);
    EXPECT_EQ(BareSkinKindOf("Button", BS_GROUPBOX, all), TBareSkinKind::None);
    EXPECT_EQ(BareSkinKindOf("Button", BS_PUSHBUTTON | BS_BITMAP, all), TBareSkinKind::None);
    EXPECT_EQ(BareSkinKindOf("Button", BS_OWNERDRAW, all), TBareSkinKind::None)
        << "an owner-drawn button is matched by its class name, which no row names";
    EXPECT_EQ(BareSkinKindOf("Button", BS_PUSHBUTTON, all - TSkinControlTypes{xcButton}),
              TBareSkinKind::None);
    EXPECT_EQ(BareSkinKindOf("ComboBox", CBS_DROPDOWNLIST, all), TBareSkinKind::ComboBox);
    EXPECT_EQ(BareSkinKindOf("ComboBox", CBS_SIMPLE, all), TBareSkinKind::None) << "a simple combo box";
    EXPECT_EQ(BareSkinKindOf("ScrollBar", SBS_SIZEGRIP, all), TBareSkinKind::Sizer);
    EXPECT_EQ(BareSkinKindOf("ScrollBar", WS_TABSTOP, all), TBareSkinKind::None);
    EXPECT_EQ(BareSkinKindOf("#32770", 0, all), TBareSkinKind::Dialog);
    EXPECT_EQ(BareSkinKindOf("TPanel", 0, all), TBareSkinKind::Panel);
    EXPECT_EQ(BareSkinKindOf("SysTabControl32", TCS_BUTTONS, all), TBareSkinKind::None);
    EXPECT_EQ(BareSkinKindOf("SysTabControl32", TCS_OWNERDRAWFIXED, all), TBareSkinKind::None);
    EXPECT_EQ(BareSkinKindOf("SysTabControl32", 0, all), TBareSkinKind::Tab);
    EXPECT_EQ(BareSkinKindOf("Edit", 0, all), TBareSkinKind::Edit);
    EXPECT_EQ(BareSkinKindOf("SysTreeView32", 0, all), TBareSkinKind::None);
}

} // namespace
