// Writes build/controls-edit-gallery.png: edits in each of their states on a dialog-coloured
// window, in the program's 12-pixel Song font, for a person to look at. It checks only that
// the picture was written and that each state differs where it should.

#include "platform/controls/edit/Edit.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WindowTestSupport.h"

#include <string>

using namespace testing_support;
namespace headless = platform::headless;

namespace {

class EditGalleryTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetHandler([](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_ERASEBKGND)
                return std::nullopt;
            RECT client{};
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        });
        font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    }

    void TearDown() override {
        WindowTest::TearDown();
        DeleteObject(font);
    }

    HWND Add(HWND parent, DWORD style, const char* text, int x, int y, int width, int height) {
        HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text, WS_CHILD | WS_VISIBLE | style, x, y,
                                    width, height, parent, nullptr, nullptr, nullptr);
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        return edit;
    }

    HFONT font = nullptr;
};

} // namespace

TEST_F(EditGalleryTest, WritesEveryStateAsAPicture) {
    HWND window = CreateTopLevel(40, 40, 460, 330, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
    SetWindowTextA(window, "编辑框");
    const int left = 12;
    Add(window, ES_AUTOHSCROLL, "普通 normal text", left, 12, 200, 21);
    HWND focused = Add(window, ES_AUTOHSCROLL, "选中的文字 selected", left, 42, 200, 21);
    HWND readOnly = Add(window, ES_AUTOHSCROLL | ES_READONLY, "只读 read-only", left, 72, 200, 21);
    HWND disabled = Add(window, ES_AUTOHSCROLL | WS_DISABLED, "禁用 disabled", left, 102, 200, 21);
    HWND password = Add(window, ES_AUTOHSCROLL | ES_PASSWORD, "secret", left, 132, 200, 21);
    Add(window, ES_AUTOHSCROLL | ES_CENTER, "居中 centred", left, 162, 200, 21);
    std::string memoText;
    for (int i = 1; i <= 30; ++i)
        memoText += "第" + std::to_string(i) + "行 TCP 127.0.0.1:" + std::to_string(8000 + i) +
                    " 本机地址 a long line that runs past the right edge\r\n";
    HWND memo = Add(window, ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL,
                    memoText.c_str(), 224, 12, 210, 120);
    Add(window, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
        "自动换行的多行编辑框：Word wrap keeps every line inside the control, breaking "
        "between words and between Chinese characters.",
        224, 142, 210, 100);
    SetFocus(focused);
    SendMessageA(focused, EM_SETSEL, 0, 10);
    SendMessageA(memo, EM_LINESCROLL, 0, 3);
    headless::RunUntilIdle();

    const std::string path = std::string(QUILLMERE_BIN_DIR) + "/../controls-edit-gallery.png";
    ASSERT_TRUE(headless::SaveWindowPng(window, path)) << path;
    RECT inner{};
    GetClientRect(readOnly, &inner);
    EXPECT_EQ(headless::ReadPixel(readOnly, 2 + inner.right - 4, 4), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(headless::ReadPixel(disabled, 2 + inner.right - 4, 4), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(headless::ReadPixel(password, 2 + inner.right - 4, 4), GetSysColor(COLOR_WINDOW));
}
