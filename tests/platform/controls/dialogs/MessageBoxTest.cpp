// Message boxes: the buttons of each type with the default one, answers by click, Enter,
// Escape and mnemonics, the owner disabled meanwhile, the box centred on its owner and sized
// to its wrapped text, and Ctrl+C copying the box as text.

#include "../ControlTestSupport.h"

#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "platform/display/Display.h"

#include <functional>

using namespace testing_support;
namespace headless = platform::headless;

namespace {

class MessageBoxTest : public ControlTest {
protected:
    // Runs a message box whose user acts once, when the box first waits for input.
    int Show(UINT type, std::function<void(HWND box)> act, const char* text = "文本", HWND owner = nullptr) {
        bool acted = false;
        headless::SetIdleHandler([&] {
            if (acted)
                return false;
            acted = true;
            m_box = GetActiveWindow();
            m_ownerEnabled = IsWindowEnabled(m_parent) != FALSE;
            act(m_box);
            return true;
        });
        int answer = MessageBoxA(owner ? owner : m_parent, text, "标题", type);
        headless::SetIdleHandler(nullptr);
        return answer;
    }
    static void ClickButton(HWND box, int id) {
        RECT rect{};
        GetWindowRect(GetDlgItem(box, id), &rect);
        headless::Click(rect.left + 10, rect.top + 10);
    }
    static std::vector<std::string> ButtonTexts(HWND box) {
        std::vector<std::string> texts;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[16]{};
            GetClassNameA(child, className, sizeof className);
            if (std::string(className) != "Button")
                continue;
            char text[32]{};
            GetWindowTextA(child, text, sizeof text);
            texts.push_back(text);
        }
        return texts;
    }

    HWND m_box = nullptr;
    bool m_ownerEnabled = true;
};

TEST_F(MessageBoxTest, Buttons_OfEachTypeInOrderWithTheirAnswers) {
    std::vector<std::string> texts;
    EXPECT_EQ(Show(MB_OK,
                   [&](HWND box) {
                       texts = ButtonTexts(box);
                       ClickButton(box, IDOK);
                   }),
              IDOK);
    EXPECT_EQ(texts, std::vector<std::string>{"确定"});
    EXPECT_FALSE(m_ownerEnabled) << "the owner is disabled while the box runs";
    EXPECT_TRUE(IsWindowEnabled(m_parent));
    EXPECT_FALSE(IsWindow(m_box));

    EXPECT_EQ(Show(MB_YESNOCANCEL,
                   [&](HWND box) {
                       texts = ButtonTexts(box);
                       ClickButton(box, IDNO);
                   }),
              IDNO);
    EXPECT_EQ(texts, (std::vector<std::string>{"是(&Y)", "否(&N)", "取消"}));
    EXPECT_EQ(Show(MB_RETRYCANCEL,
                   [&](HWND box) {
                       texts = ButtonTexts(box);
                       ClickButton(box, IDRETRY);
                   }),
              IDRETRY);
    EXPECT_EQ(texts, (std::vector<std::string>{"重试(&R)", "取消"}));
    EXPECT_EQ(Show(MB_OKCANCEL, [&](HWND box) { ClickButton(box, IDCANCEL); }), IDCANCEL);
}

TEST_F(MessageBoxTest, Keys_EnterTakesTheDefaultEscapeCancelsMnemonicsAnswer) {
    EXPECT_EQ(Show(MB_YESNO, [](HWND) { headless::TypeKey(VK_RETURN); }), IDYES);
    EXPECT_EQ(Show(MB_YESNO | MB_DEFBUTTON2, [](HWND) { headless::TypeKey(VK_RETURN); }), IDNO);
    EXPECT_EQ(Show(MB_YESNOCANCEL | MB_DEFBUTTON3, [](HWND) { headless::TypeKey(VK_RETURN); }), IDCANCEL);
    EXPECT_EQ(Show(MB_OKCANCEL, [](HWND) { headless::TypeKey(VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(Show(MB_OK, [](HWND) { headless::TypeKey(VK_ESCAPE); }), IDOK) << "a lone OK answers Escape";
    EXPECT_EQ(Show(MB_YESNOCANCEL, [](HWND) { headless::TypeKey('N'); }), IDNO);
    // Without Cancel, Escape does nothing; the box waits for a real answer.
    int rounds = 0;
    headless::SetIdleHandler([&] {
        ++rounds;
        headless::TypeKey(rounds == 1 ? VK_ESCAPE : 'Y');
        return rounds <= 2;
    });
    EXPECT_EQ(MessageBoxA(m_parent, "x", "y", MB_YESNO), IDYES);
    EXPECT_EQ(rounds, 2);
    headless::SetIdleHandler(nullptr);
}

TEST_F(MessageBoxTest, Layout_CentredOnTheOwnerAndSizedToTheWrappedText) {
    RECT owner{};
    GetWindowRect(m_parent, &owner);
    RECT shortBox{};
    RECT longBox{};
    Show(MB_OK | MB_ICONINFORMATION, [&](HWND box) {
        GetWindowRect(box, &shortBox);
        headless::TypeKey(VK_RETURN);
    });
    std::string longText;
    for (int i = 0; i < 60; ++i)
        longText += "连接列表已保存。";
    HWND textControl = nullptr;
    RECT textRect{};
    Show(
        MB_OK | MB_ICONWARNING,
        [&](HWND box) {
            GetWindowRect(box, &longBox);
            textControl = GetDlgItem(box, 0xFFFF);
            GetWindowRect(textControl, &textRect);
            headless::TypeKey(VK_RETURN);
        },
        longText.c_str());
    EXPECT_NEAR((shortBox.left + shortBox.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((shortBox.top + shortBox.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_GT(longBox.right - longBox.left, shortBox.right - shortBox.left);
    EXPECT_LE(longBox.right - longBox.left, screenWidth * 5 / 8 + 2) << "long text wraps";
    EXPECT_GT(textRect.bottom - textRect.top, 3 * 12) << "over several lines";
    EXPECT_GE(longBox.left, 0);
}

TEST_F(MessageBoxTest, CtrlC_CopiesCaptionTextAndButtons) {
    Show(MB_OKCANCEL, [](HWND) {
        headless::PressKey(VK_CONTROL);
        headless::TypeKey('C');
        headless::ReleaseKey(VK_CONTROL);
        headless::TypeKey(VK_ESCAPE);
    });
    std::optional<std::u16string> copied = platform::Display().ClipboardText();
    ASSERT_TRUE(copied.has_value());
    EXPECT_EQ(*copied, u"---------------------------\r\n标题\r\n---------------------------\r\n文本\r\n"
                       u"---------------------------\r\n确定   取消   \r\n---------------------------\r\n");
}

TEST_F(MessageBoxTest, NoOwner_CentresOnTheScreenAndABadOwnerFails) {
    RECT box{};
    bool acted = false;
    headless::SetIdleHandler([&] {
        if (acted)
            return false;
        acted = true;
        GetWindowRect(GetActiveWindow(), &box);
        headless::TypeKey(VK_RETURN);
        return true;
    });
    EXPECT_EQ(MessageBoxW(nullptr, u"text", nullptr, MB_OK), IDOK);
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((box.left + box.right) / 2, (area.left + area.right) / 2, 1);
    HWND gone = CreateTopLevel();
    DestroyWindow(gone);
    EXPECT_EQ(MessageBoxA(gone, "x", "y", MB_OK), 0);
}

} // namespace
