// The application's message boxes: the standard error box for errors that leave a handler, and
// the code's message sink shown as boxes while the application runs. Each box is the real one
// on the headless display: found, read and answered as a person would.

#include "FrameworkTestSupport.h"

#include "core/MessageSink.h"
#include "framework/forms/Screen.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "platform/controls/statics/Static.h"

namespace headless = platform::headless;

namespace {

std::string WindowText(HWND window) {
    char text[512]{};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// What a box showed before the test pressed its OK button.
struct SeenBox {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
};

class ApplicationBox : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        Application()->OnException = nullptr; // the standard box itself
        Application()->SetTitle("Quillmere");
    }
    void TearDown() override {
        headless::SetIdleHandler(nullptr);
        FrameworkTest::TearDown();
    }

    // Answers every box that waits for input by pressing its OK button, noting what it showed.
    void AnswerBoxes() {
        headless::SetIdleHandler([this] {
            HWND box = GetActiveWindow();
            if (!box || !GetDlgItem(box, IDOK))
                return false;
            SeenBox seen;
            seen.window = box;
            seen.owner = GetWindow(box, GW_OWNER);
            seen.caption = WindowText(box);
            seen.text = WindowText(GetDlgItem(box, 0xFFFF));
            seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x14, STM_GETICON, 0, 0));
            boxes.push_back(seen);
            RECT button{};
            GetWindowRect(GetDlgItem(box, IDOK), &button);
            headless::Click(button.left + 5, button.top + 5);
            return true;
        });
    }

    std::vector<SeenBox> boxes;
};

void RaiseAndHandle(const std::string& message) {
    try {
        throw Exception(message);
    } catch (...) {
        Application()->HandleException(nullptr);
    }
}

} // namespace

TEST_F(ApplicationBox, AnErrorIsShownAsTheStandardBoxOwnedByTheActiveForm) {
    TForm* main = NewForm();
    TForm* other = NewForm();
    Application()->SetMainForm(main);
    main->Show();
    other->Show();
    Pump();
    ASSERT_EQ(Screen()->ActiveForm(), other);
    AnswerBoxes();

    RaiseAndHandle("文件 QQWry.Dat 不存在！");
    try {
        throw std::runtime_error("out of range");
    } catch (...) {
        Application()->HandleException(nullptr);
    }
    RaiseAndHandle("已完成.");

    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, "Quillmere");
    EXPECT_EQ(boxes[0].text, "文件 QQWry.Dat 不存在！.");
    EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_HAND));
    EXPECT_EQ(boxes[0].owner, other->Handle());
    EXPECT_EQ(boxes[1].text, "out of range.") << "errors of the standard library are shown alike";
    EXPECT_EQ(boxes[2].text, "已完成.");
    EXPECT_FALSE(IsWindow(boxes[0].window)) << "the box is gone once answered";
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    Application()->SetMainForm(nullptr);
}

TEST_F(ApplicationBox, WithoutAnActiveFormTheMainFormOwnsTheBoxAndWithoutOneNobody) {
    TForm* main = NewForm();
    Application()->SetMainForm(main);
    main->HandleNeeded(); // made but not shown: it never became the active form
    AnswerBoxes();
    Screen()->SetActiveForm(nullptr);
    EXPECT_EQ(Application()->MessageBox("一", "标题", MB_OK), IDOK);
    Application()->SetMainForm(nullptr);
    EXPECT_EQ(Application()->MessageBox("二", "标题", MB_OK), IDOK);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, main->Handle());
    EXPECT_EQ(boxes[0].caption, "标题");
    EXPECT_EQ(boxes[1].owner, nullptr);
}

TEST_F(ApplicationBox, TheMessageSinkShowsBoxesUntilTheApplicationEnds) {
    std::vector<std::string> before;
    const TMessageSink earlier = SetMessageSink([&](const std::string& text) { before.push_back(text); });
    TForm* form = NewForm();
    form->Show();
    Pump();
    AnswerBoxes();

    // An application of its own, so that the program's one stays unterminated for other tests.
    TApplication application(nullptr);
    application.SetTitle("Quillmere");
    application.Initialize();
    ShowMessage("皮肤文件版本过旧");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "皮肤文件版本过旧");
    EXPECT_EQ(boxes[0].caption, "Quillmere");
    EXPECT_EQ(boxes[0].owner, form->Handle());
    EXPECT_TRUE(before.empty());

    application.Terminate();
    application.Run(); // takes the quit message and ends
    ShowMessage("after");
    EXPECT_EQ(before, std::vector<std::string>{"after"}) << "the earlier sink is back";
    EXPECT_EQ(boxes.size(), 1u);
    SetMessageSink(earlier);
}
