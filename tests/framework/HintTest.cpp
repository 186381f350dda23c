// Hints: the hint window's size and look, and the application showing a control's hint after the
// hint pause, hiding it after the hide pause or on a click, following the mouse to the next
// control after the short pause, and letting the control change or refuse its hint.

#include "FrameworkTestSupport.h"

#include "framework/forms/HintWindow.h"
#include "platform/gdi/WinUserDraw.h"

namespace headless = platform::headless;

namespace {

class Hints : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        Application()->SetShowHint(true);
        Application()->SetHintPause(500);
        Application()->SetHintHidePause(2500);
        Application()->SetHintShortPause(50);
        form = NewForm(400, 300);
        first = NewControl(10, 10, "刷新|刷新连接列表");
        second = NewControl(10, 100, "保存|保存为文本文件");
        form->Show();
        Pump();
    }
    void TearDown() override {
        Application()->CancelHint();
        Application()->OnHint = nullptr;
        FrameworkTest::TearDown();
    }

    TCustomControl* NewControl(int left, int top, const std::string& hint) {
        auto* control = new TCustomControl(form);
        control->SetParent(form);
        control->SetBounds(left, top, 120, 60);
        control->SetHint(hint);
        control->SetShowHint(true);
        return control;
    }
    void MoveTo(TControl* control, int x = 20, int y = 20) {
        const TPoint point = OnScreen(control, x, y);
        headless::MoveMouse(point.x, point.y);
        Pump();
    }
    // The hint window when it shows, else null.
    static HWND ShownHint() {
        HWND window = FindWindowA("THintWindow", nullptr);
        return window && IsWindowVisible(window) ? window : nullptr;
    }
    static std::string HintText() {
        char text[64]{};
        GetWindowTextA(ShownHint(), text, sizeof text);
        return text;
    }

    TForm* form = nullptr;
    TCustomControl* first = nullptr;
    TCustomControl* second = nullptr;
};

// Answers CM_HINTSHOW for a control: rewrites the text, or refuses.
class HintAnswer : public TObject {
public:
    HintAnswer(TControl* control, std::string text)
        : m_previous(control->WindowProc()), m_text(std::move(text)) {
        control->SetWindowProc(TWndMethod::Of(this, &HintAnswer::WndProc));
    }
    void WndProc(TMessage& message) {
        if (message.Msg != CM_HINTSHOW) {
            m_previous(message);
            return;
        }
        auto* info = reinterpret_cast<THintInfo*>(message.LParam);
        if (m_text.empty()) {
            message.Result = 1;
            return;
        }
        info->HintStr = m_text;
        message.Result = 0;
    }

private:
    TWndMethod m_previous;
    std::string m_text;
};

} // namespace

TEST_F(Hints, AppearAfterThePauseBelowTheMouseAndGoAfterTheHidePause) {
    int hintEvents = 0;
    Application()->OnHint = [&](TObject*) { ++hintEvents; };
    MoveTo(first);
    EXPECT_EQ(Application()->Hint(), "刷新连接列表") << "the long part, for a status line";
    EXPECT_EQ(hintEvents, 1);
    headless::RunFor(450);
    EXPECT_EQ(ShownHint(), nullptr);
    headless::RunFor(100);
    HWND hint = ShownHint();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(HintText(), "刷新") << "the short part";
    RECT rect{};
    GetWindowRect(hint, &rect);
    const TPoint mouse = OnScreen(first, 20, 20);
    EXPECT_EQ(rect.left, mouse.x);
    EXPECT_GT(rect.top, mouse.y);
    EXPECT_EQ(headless::ReadPixel(hint, RectWidth(rect) - 2, RectHeight(rect) - 2),
              GetSysColor(COLOR_INFOBK));
    EXPECT_NE(GetActiveWindow(), hint) << "a hint never takes the activation";

    headless::RunFor(2400);
    EXPECT_NE(ShownHint(), nullptr);
    headless::RunFor(200);
    EXPECT_EQ(ShownHint(), nullptr);
    MoveTo(first, 30, 30);
    headless::RunFor(1000);
    EXPECT_EQ(ShownHint(), nullptr) << "not again until the mouse reaches another control";
}

TEST_F(Hints, MovingOnFromAShownHintTakesTheShortPause) {
    MoveTo(first);
    headless::RunFor(600);
    ASSERT_NE(ShownHint(), nullptr);
    MoveTo(second);
    EXPECT_EQ(ShownHint(), nullptr);
    headless::RunFor(60);
    ASSERT_NE(ShownHint(), nullptr);
    EXPECT_EQ(HintText(), "保存");
    MoveTo(form, 300, 250); // the form has no hint
    EXPECT_EQ(ShownHint(), nullptr);
    EXPECT_EQ(Application()->Hint(), "");
    headless::RunFor(1000);
    EXPECT_EQ(ShownHint(), nullptr);
}

TEST_F(Hints, AClickPutsTheHintAway) {
    MoveTo(first);
    headless::RunFor(600);
    ASSERT_NE(ShownHint(), nullptr);
    const TPoint point = OnScreen(first, 20, 20);
    headless::Click(point.x, point.y);
    Pump();
    EXPECT_EQ(ShownHint(), nullptr);
}

TEST_F(Hints, OnlyControlsThatShowHintsWhileTheApplicationDoes) {
    first->SetShowHint(false);
    MoveTo(first);
    headless::RunFor(1000);
    EXPECT_EQ(ShownHint(), nullptr);
    EXPECT_EQ(Application()->Hint(), "刷新连接列表") << "the status text follows every control";

    // A control that takes ShowHint from its parent.
    form->SetShowHint(true);
    second->SetParentShowHint(true);
    MoveTo(second);
    headless::RunFor(600);
    EXPECT_NE(ShownHint(), nullptr);

    Application()->SetShowHint(false);
    EXPECT_EQ(ShownHint(), nullptr);
    MoveTo(first);
    MoveTo(second);
    headless::RunFor(1000);
    EXPECT_EQ(ShownHint(), nullptr);
}

TEST_F(Hints, TheControlMayChangeOrRefuseItsHint) {
    HintAnswer changes(first, "已更改");
    MoveTo(first);
    headless::RunFor(600);
    ASSERT_NE(ShownHint(), nullptr);
    EXPECT_EQ(HintText(), "已更改");
    HintAnswer refuses(second, "");
    MoveTo(second);
    headless::RunFor(600);
    EXPECT_EQ(ShownHint(), nullptr);
    second->SetWindowProc(second->DefaultWindowProc());
    first->SetWindowProc(first->DefaultWindowProc());
}

TEST_F(Hints, AControlDestroyedUnderTheMouseTakesItsHintAlong) {
    MoveTo(first);
    headless::RunFor(600);
    ASSERT_NE(ShownHint(), nullptr);
    delete first;
    EXPECT_EQ(ShownHint(), nullptr);
    headless::RunFor(3000); // the pending timer finds nothing to do
    EXPECT_EQ(ShownHint(), nullptr);
}

TEST(HintWindow, TextBreaksIntoLinesAtTheMaximumWidth) {
    headless::Use();
    THintWindow window(nullptr);
    const TRect one = window.CalcHintRect(500, "刷新");
    EXPECT_GT(RectWidth(one), 0);
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "合理的分析网络连接 ";
    const TRect many = window.CalcHintRect(200, text);
    EXPECT_LE(RectWidth(many), 200);
    EXPECT_GE(RectHeight(many), 3 * (RectHeight(one) - 6));
    EXPECT_EQ(GetShortHint("a|b"), "a");
    EXPECT_EQ(GetLongHint("a|b"), "b");
    EXPECT_EQ(GetLongHint("a"), "a");
    EXPECT_EQ(GetShortHint(""), "");
}
