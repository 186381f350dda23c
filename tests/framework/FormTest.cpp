// Forms built in code, the tab order and dialog keys, modal forms, timers and the errors that
// leave event handlers.

#include "FrameworkTestSupport.h"

#include "framework/forms/Screen.h"
#include "framework/forms/Timer.h"

namespace {

std::vector<std::string> g_order;

// A component that notes when its Loaded runs, and can fail there.
class TNoted : public TComponent {
public:
    TNoted(TComponent* owner, std::string name, bool fail = false) : TComponent(owner), m_fail(fail) {
        SetName(std::move(name));
    }

protected:
    void Loaded() override {
        TComponent::Loaded();
        g_order.push_back(Name());
        if (m_fail)
            throw Exception("文件 QQWry.Dat 不存在！");
    }

private:
    bool m_fail;
};

// A form whose design properties are set in its constructor, as the program's forms are.
class TDesignedForm : public TForm {
public:
    explicit TDesignedForm(TComponent* owner, bool failInLoaded = false) : TForm(owner) {
        SetCaption("Quillmere");
        new TNoted(this, "First");
        new TNoted(this, "Second", failInLoaded);
        new TNoted(this, "Third");
        OnCreate = [](TObject*) { g_order.push_back("OnCreate"); };
    }
};

class TFocusable : public TWinControl {
public:
    explicit TFocusable(TComponent* owner) : TWinControl(owner) {
        SetBounds(0, 0, 40, 20);
        SetTabStop(true);
    }
};

} // namespace

using Forms = FrameworkTest;

TEST_F(Forms, LoadedRunsInComponentOrderBeforeOnCreate) {
    g_order.clear();
    auto* form = NewForm<TDesignedForm>();
    EXPECT_EQ(g_order, (std::vector<std::string>{"First", "Second", "Third", "OnCreate"}));
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
    EXPECT_EQ(form->Caption(), "Quillmere");
    EXPECT_TRUE(errors.empty());
}

TEST_F(Forms, AnErrorWhileLoadingReachesHandleExceptionAndTheFormStillOpens) {
    g_order.clear();
    auto* form = new TDesignedForm(nullptr, true);
    forms.emplace_back(form);
    form->AfterConstruction();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "文件 QQWry.Dat 不存在！");
    EXPECT_EQ(g_order.back(), "OnCreate");
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(Forms, ErrorsFromEventHandlersReachHandleException) {
    TForm* form = NewForm();
    auto* control = new TFocusable(form);
    control->SetParent(form);
    control->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("出错了"); };
    form->Show();
    Pump();
    const TPoint point = OnScreen(control, 2, 2);
    platform::headless::Click(point.x, point.y);
    Pump();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "出错了");
    EXPECT_TRUE(IsWindow(control->Handle())); // the program carries on
}

TEST(ErrorBox, AppendsAFullStopWhenTheLastCharacterSortsAboveIt) {
    EXPECT_EQ(ErrorBoxText("文件 QQWry.Dat 不存在！"), "文件 QQWry.Dat 不存在！.");
    EXPECT_EQ(ErrorBoxText("Cannot open file"), "Cannot open file.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("(1)"), "(1)"); // ")" sorts below "."
    EXPECT_EQ(ErrorBoxText("a-"), "a-");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST_F(Forms, PositionCentresOnTheScreenWhenFirstShown) {
    TForm* form = NewForm(636, 525);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (Screen()->Width() - 636) / 2);
    EXPECT_EQ(form->Top(), (Screen()->Height() - 525) / 2);
    EXPECT_EQ(Screen()->FormCount(), 1);
    EXPECT_EQ(Screen()->Forms(0), form);
}

TEST_F(Forms, ClientSizeSetBeforeTheWindowExistsMakesThatClientArea) {
    TForm* form = NewForm();
    form->SetClientWidth(400);
    form->SetClientHeight(250);
    form->Show();
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(form->ClientHeight(), 250);
}

TEST_F(Forms, TabAndArrowsMoveTheFocusInTabOrder) {
    TForm* form = NewForm();
    auto* a = new TFocusable(form);
    auto* b = new TFocusable(form);
    auto* c = new TFocusable(form);
    for (TFocusable* control : {a, b, c})
        control->SetParent(form);
    c->SetTabOrder(0); // c, a, b
    EXPECT_EQ(a->TabOrder(), 1);
    b->SetTabStop(false);
    form->Show();
    Pump();
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(form->ActiveControl(), c);

    platform::headless::TypeKey(VK_TAB);
    Pump();
    EXPECT_TRUE(a->Focused());
    platform::headless::TypeKey(VK_TAB); // b has no tab stop
    Pump();
    EXPECT_TRUE(c->Focused());
    platform::headless::PressKey(VK_SHIFT);
    platform::headless::TypeKey(VK_TAB);
    platform::headless::ReleaseKey(VK_SHIFT);
    Pump();
    EXPECT_TRUE(a->Focused());

    // Arrows move among the controls of one parent, tab stops or not.
    platform::headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_TRUE(b->Focused());

    int keys = 0;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        ++keys;
        if (key == VK_TAB)
            key = 0; // the form takes Tab away
    };
    platform::headless::TypeKey(VK_TAB);
    Pump();
    EXPECT_EQ(keys, 1);
    EXPECT_TRUE(b->Focused());
}

TEST_F(Forms, ShowModalRunsUntilAModalResultAndEnablesTheOthersAgain) {
    TForm* owner = NewForm();
    owner->Show();
    TForm* dialog = NewForm(200, 100);
    bool ownerWasDisabled = false;
    int idleCalls = 0;
    Application()->OnIdle = [&](TObject*) {
        ++idleCalls;
        ownerWasDisabled = !IsWindowEnabled(owner->Handle());
        dialog->SetModalResult(mrOk);
        PostMessageA(dialog->Handle(), WM_NULL, 0, 0); // wakes the waiting loop
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    Application()->OnIdle = nullptr;
    EXPECT_GE(idleCalls, 1);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));

    // Closing a modal form ends it with mrCancel.
    Application()->OnIdle = [&](TObject*) {
        dialog->Close();
        PostMessageA(dialog->Handle(), WM_NULL, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    Application()->OnIdle = nullptr;
}

TEST_F(Forms, CloseAsksOnCloseQueryAndOnClose) {
    TForm* form = NewForm();
    form->Show();
    bool allow = false;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->Close();
    EXPECT_TRUE(form->Visible());
    allow = true;
    TCloseAction seen = caNone;
    form->OnClose = [&](TObject*, TCloseAction& action) { seen = action; };
    form->Close();
    EXPECT_EQ(seen, caHide);
    EXPECT_FALSE(form->Visible());
}

TEST_F(Forms, TimersTickOnTheMessageLoopWhileEnabled) {
    TForm* form = NewForm();
    auto* timer = new TTimer(form);
    timer->SetInterval(100);
    int ticks = 0;
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    platform::headless::RunFor(350);
    EXPECT_EQ(ticks, 3);
    timer->SetEnabled(false);
    platform::headless::RunFor(300);
    EXPECT_EQ(ticks, 3);
}
