// Writes the controls in every state, and a message box of each icon, as PNG files under the
// build folder for a person to look at: build/controls-gallery.png and
// build/messagebox-*.png. The checks only make sure each picture holds something.

#include "ControlTestSupport.h"

#include "platform/controls/buttons/Button.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"
#include "platform/controls/statics/Static.h"

#include <filesystem>

using namespace testing_support;
namespace headless = platform::headless;

namespace {

std::string OutputPath(const std::string& name) {
    return std::string(QUILLMERE_BIN_DIR) + "/../" + name;
}

class GalleryTest : public WindowTest {
protected:
    HWND Add(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
             int height) {
        HWND control =
            CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(++m_id)), nullptr, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return control;
    }
    // One row of a kind of button: normal, pressed, focused, checked, third state, disabled.
    void ButtonRow(HWND parent, DWORD style, const char* name, int y) {
        const int width = 96;
        Add(parent, "BUTTON", name, style, 10, y, width, 24);
        SendMessageW(Add(parent, "BUTTON", "按下", style, 10 + 1 * (width + 6), y, width, 24), BM_SETSTATE,
                     TRUE, 0);
        m_focused.push_back(Add(parent, "BUTTON", "焦点", style, 10 + 2 * (width + 6), y, width, 24));
        SendMessageW(Add(parent, "BUTTON", "选中", style, 10 + 3 * (width + 6), y, width, 24), BM_SETCHECK,
                     BST_CHECKED, 0);
        SendMessageW(Add(parent, "BUTTON", "不确定", style, 10 + 4 * (width + 6), y, width, 24), BM_SETCHECK,
                     BST_INDETERMINATE, 0);
        Add(parent, "BUTTON", "禁用", style | WS_DISABLED, 10 + 5 * (width + 6), y, width, 24);
    }

    HFONT m_font = nullptr;
    int m_id = 100;
    std::vector<HWND> m_focused;
};

TEST_F(GalleryTest, EveryControlInEveryState) {
    m_font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    HWND window = CreateWindowExA(0, "#32770", "控件一览", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                  20, 20, 640, 420, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ButtonRow(window, BS_PUSHBUTTON, "按钮", 10);
    ButtonRow(window, BS_DEFPUSHBUTTON, "默认按钮", 40);
    ButtonRow(window, BS_AUTO3STATE, "复选框", 70);
    ButtonRow(window, BS_AUTORADIOBUTTON, "单选按钮", 100);
    ButtonRow(window, BS_AUTOCHECKBOX | BS_LEFTTEXT, "文字在左", 130);
    ButtonRow(window, BS_AUTOCHECKBOX | BS_PUSHLIKE, "按钮样式", 160);
    Add(window, "BUTTON", "分组框", BS_GROUPBOX, 10, 195, 300, 110);
    Add(window, "STATIC", "左对齐文本", SS_LEFT, 20, 215, 130, 16);
    Add(window, "STATIC", "居中文本", SS_CENTER, 20, 235, 130, 16);
    Add(window, "STATIC", "右对齐文本", SS_RIGHT, 20, 255, 130, 16);
    Add(window, "STATIC", "禁用文本", SS_LEFT | WS_DISABLED, 20, 275, 130, 16);
    Add(window, "STATIC", "凹陷", SS_CENTER | SS_SUNKEN, 160, 215, 60, 20);
    Add(window, "STATIC", "", SS_ETCHEDFRAME, 230, 215, 60, 40);
    Add(window, "STATIC", "", SS_ETCHEDHORZ, 160, 270, 130, 2);
    const LPSTR icons[] = {IDI_HAND, IDI_EXCLAMATION, IDI_ASTERISK, IDI_QUESTION};
    for (int i = 0; i < 4; ++i) {
        HWND icon = Add(window, "STATIC", "", SS_ICON, 330 + i * 40, 200, 32, 32);
        SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icons[i])), 0);
    }
    HWND horizontal = Add(window, "SCROLLBAR", "", SBS_HORZ, 330, 250, 200, 17);
    HWND vertical = Add(window, "SCROLLBAR", "", SBS_VERT, 560, 200, 17, 120);
    Add(window, "SCROLLBAR", "", SBS_HORZ | WS_DISABLED, 330, 275, 200, 17);
    Add(window, "SCROLLBAR", "", SBS_SIZEGRIP, 600, 350, 17, 17);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 99, 20, 30, 0};
    SetScrollInfo(horizontal, SB_CTL, &info, TRUE);
    SetScrollInfo(vertical, SB_CTL, &info, TRUE);
    headless::RunUntilIdle();
    // One control has the focus at a time: one picture with the push button focused, one with
    // the check box.
    for (std::size_t row : {0u, 2u}) {
        SetFocus(m_focused[row]);
        headless::RunUntilIdle();
        std::string path =
            OutputPath(row == 0 ? "controls-gallery.png" : "controls-gallery-checkbox-focus.png");
        ASSERT_TRUE(headless::SaveWindowPng(window, path));
        EXPECT_GT(std::filesystem::file_size(path), 1000u);
    }
    DestroyWindow(window);
    DeleteObject(m_font);
}

TEST_F(GalleryTest, AMessageBoxOfEachIcon) {
    HWND owner = CreateTopLevel(0, 0, 800, 600, WS_POPUP | WS_VISIBLE);
    const std::pair<UINT, const char*> kinds[] = {{MB_ICONERROR | MB_OK, "error"},
                                                  {MB_ICONWARNING | MB_OKCANCEL, "warning"},
                                                  {MB_ICONINFORMATION | MB_OK, "information"},
                                                  {MB_ICONQUESTION | MB_YESNOCANCEL, "question"}};
    for (const auto& [type, name] : kinds) {
        std::string path = OutputPath(std::string("messagebox-") + name + ".png");
        bool saved = false;
        headless::SetIdleHandler([&] {
            if (saved)
                return false;
            saved = headless::SaveWindowPng(GetActiveWindow(), path);
            headless::TypeKey(VK_ESCAPE);
            return true;
        });
        MessageBoxA(owner, "连接列表已保存到文件中。\n是否现在打开它？", "Quillmere", type);
        EXPECT_TRUE(saved) << name;
    }
    headless::SetIdleHandler(nullptr);
}

} // namespace
