// The "EDIT" control on the headless display: its messages and notifications, GBK text, the
// keyboard, the mouse, the clipboard, undo, scroll bars and painting.

#include "platform/controls/edit/Edit.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/sys/GlobalMemory.h"
#include "platform/user/WindowTestSupport.h"

#include <string>

using namespace testing_support;
namespace headless = platform::headless;

namespace {

class EditTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent = CreateTopLevel(0, 0, 400, 300, WS_POPUP | WS_VISIBLE);
    }

    HWND CreateEdit(DWORD style, const char* text = "", int width = 200, int height = 24) {
        HWND edit = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                                    parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        headless::RunUntilIdle();
        return edit;
    }

    static std::string Text(HWND edit) {
        char buffer[4096] = {};
        int length = GetWindowTextA(edit, buffer, sizeof buffer);
        return std::string(buffer, static_cast<std::size_t>(length));
    }

    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    // The notification codes the parent got from the edit, in order.
    std::vector<WORD> Notifications() const {
        std::vector<WORD> codes;
        for (const LoggedMessage& m : Logged(parent, WM_COMMAND))
            codes.push_back(HIWORD(m.wParam));
        return codes;
    }

    static void Type(UINT key, std::initializer_list<UINT> modifiers = {}) {
        for (UINT modifier : modifiers)
            headless::PressKey(modifier);
        headless::TypeKey(key);
        for (UINT modifier : modifiers)
            headless::ReleaseKey(modifier);
        headless::RunUntilIdle();
    }

    static int CountPixels(HWND window, COLORREF colour) {
        RECT r{};
        GetWindowRect(window, &r);
        int count = 0;
        for (int y = 0; y < r.bottom - r.top; ++y) {
            for (int x = 0; x < r.right - r.left; ++x)
                count += headless::ReadPixel(window, x, y) == colour ? 1 : 0;
        }
        return count;
    }

    HWND parent = nullptr;
};

} // namespace

TEST_F(EditTest, Class_IsASystemClassWithANarrowProcedure) {
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "Edit", &info));
    EXPECT_TRUE(info.style & CS_DBLCLKS);
    HWND edit = CreateEdit(0, "start");
    EXPECT_FALSE(IsWindowUnicode(edit)) << "positions are bytes of code page 936";
    EXPECT_EQ(Text(edit), "start");
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 5);
    wchar_t wide[16] = {};
    EXPECT_EQ(GetWindowTextW(edit, reinterpret_cast<LPWSTR>(wide), 16), 5);
}

TEST_F(EditTest, Text_SetAndReplacedWithTheDocumentedNotifications) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL);
    ClearLog();
    SetWindowTextA(edit, "中文abc");
    EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), FALSE);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));

    ClearLog();
    SendMessageA(edit, EM_SETSEL, 2, 4);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("字"));
    EXPECT_EQ(Text(edit), "中字abc");
    EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{4}, DWORD{4}));
    EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(edit, EM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(Text(edit), "中文abc");
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{4})) << "the restored text is selected";
    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(edit), "中字abc") << "undoing the undo redoes";

    // A multi-line edit does not report WM_SETTEXT as a change.
    HWND memo = CreateEdit(ES_MULTILINE, "", 200, 100);
    ClearLog();
    SetWindowTextA(memo, "x");
    EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE}));
}

TEST_F(EditTest, Selection_SnapsToCharactersAndFollowsTheDocumentedSpecialValues) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL, "a中文b");
    SendMessageA(edit, EM_SETSEL, 2, 4);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{3})) << "never inside a character";
    SendMessageA(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{6}));
    SendMessageA(edit, EM_SETSEL, 5, 1);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{5}));
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{1})) << "deselected at the caret";
    SendMessageA(edit, EM_SETSEL, 99, 100);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{6}));
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELONG(6, 6));
}

TEST_F(EditTest, Keyboard_MovesBySelectsAndDeletesWholeCharacters) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL, "ab 中文 cd");
    SetFocus(edit);
    headless::RunUntilIdle();
    Type(VK_END);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{10}, DWORD{10}));
    Type(VK_LEFT, {VK_CONTROL});
    EXPECT_EQ(Selection(edit).first, 8u);
    Type(VK_LEFT, {VK_CONTROL});
    EXPECT_EQ(Selection(edit).first, 3u) << "a run of Chinese characters is a word";
    Type(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{3}, DWORD{5}));
    Type(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{3}, DWORD{7}));
    Type(VK_RIGHT);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{7}, DWORD{7})) << "Right collapses to the end";
    Type(VK_BACK);
    EXPECT_EQ(Text(edit), "ab 中 cd");
    Type(VK_HOME, {VK_SHIFT});
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{5}));
    Type(VK_DELETE);
    EXPECT_EQ(Text(edit), " cd");
    Type('A', {VK_CONTROL});
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{3}));
}

TEST_F(EditTest, Typing_TakesInputMethodTextAndMergesIntoOneUndoStep) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL, "x");
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 1, 1);
    headless::RunUntilIdle();
    ClearLog();
    headless::TypeText(u"中文");
    headless::RunUntilIdle();
    Type('A');
    EXPECT_EQ(Text(edit), "x中文a");
    EXPECT_EQ(Notifications(),
              (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    // The narrow procedure gets a double-byte character as its lead and trail bytes, and as one
    // WM_IME_CHAR.
    SendMessageA(edit, WM_CHAR, 0xD7, 0);
    SendMessageA(edit, WM_CHAR, 0xD6, 0);
    SendMessageA(edit, WM_IME_CHAR, 0xB7FB, 0);
    EXPECT_EQ(Text(edit), "x中文a字符");
    Type('Z', {VK_CONTROL});
    EXPECT_EQ(Text(edit), "x") << "typed characters undo together";
}

TEST_F(EditTest, Limits_ReadOnlyPasswordAndNumberStyles) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL);
    SendMessageA(edit, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 5);
    ClearLog();
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("ab中文"));
    EXPECT_EQ(Text(edit), "ab中") << "cut at the limit, never inside a character";
    EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE, EN_MAXTEXT, EN_CHANGE}));

    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    SetFocus(edit);
    headless::RunUntilIdle();
    Type('Q');
    Type(VK_BACK);
    EXPECT_EQ(Text(edit), "ab中");

    HWND password = CreateEdit(ES_PASSWORD | ES_AUTOHSCROLL, "secret");
    EXPECT_EQ(SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0), '*');
    SendMessageA(password, EM_SETSEL, 0, -1);
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    SendMessageA(password, WM_COPY, 0, 0);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "a password is never copied";

    HWND number = CreateEdit(ES_NUMBER | ES_AUTOHSCROLL);
    SetFocus(number);
    headless::RunUntilIdle();
    Type('1');
    Type('X');
    Type('2');
    EXPECT_EQ(Text(number), "12");
}

TEST_F(EditTest, Clipboard_CopiesCutsAndPastesThroughTheDisplay) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL, "复制 this");
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 4);
    Type('C', {VK_CONTROL});
    EXPECT_EQ(headless::Screen().ClipboardText(), std::u16string(u"复制"));
    Type(VK_END);
    Type('V', {VK_CONTROL});
    EXPECT_EQ(Text(edit), "复制 this复制");
    SendMessageA(edit, EM_SETSEL, 0, 5);
    Type('X', {VK_CONTROL});
    EXPECT_EQ(Text(edit), "this复制");
    EXPECT_EQ(headless::Screen().ClipboardText(), std::u16string(u"复制 "));

    // A single line takes only the first line of a pasted text.
    headless::Screen().SetClipboardText(u"one\ntwo");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(edit), "one");
    HWND memo = CreateEdit(ES_MULTILINE, "", 200, 100);
    SendMessageA(memo, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(memo), "one\r\ntwo") << "the desktop's line feeds become CR LF";
}

TEST_F(EditTest, MultiLine_AnswersLineQueries) {
    HWND memo = CreateEdit(ES_MULTILINE | ES_AUTOHSCROLL, "first\r\n中文\r\n\r\nlast", 200, 100);
    EXPECT_EQ(SendMessageA(memo, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(memo, EM_LINEINDEX, 1, 0), 7);
    EXPECT_EQ(SendMessageA(memo, EM_LINEINDEX, 3, 0), 15);
    EXPECT_EQ(SendMessageA(memo, EM_LINEINDEX, 4, 0), -1);
    EXPECT_EQ(SendMessageA(memo, EM_LINELENGTH, 8, 0), 4);
    EXPECT_EQ(SendMessageA(memo, EM_LINELENGTH, 13, 0), 0);
    EXPECT_EQ(SendMessageA(memo, EM_LINEFROMCHAR, 14, 0), 2);
    EXPECT_EQ(SendMessageA(memo, EM_LINEFROMCHAR, 99, 0), 3);
    char buffer[16] = {};
    *reinterpret_cast<WORD*>(buffer) = sizeof buffer;
    EXPECT_EQ(SendMessageA(memo, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 4);
    EXPECT_EQ(std::string(buffer, 4), "中文");
    *reinterpret_cast<WORD*>(buffer) = 2;
    EXPECT_EQ(SendMessageA(memo, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)), 2);
    SendMessageA(memo, EM_SETSEL, 2, 9);
    EXPECT_EQ(SendMessageA(memo, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 2 + 2)
        << "the unselected characters of the lines the selection touches";
    SendMessageA(memo, EM_SETSEL, 14, 14);
    EXPECT_EQ(SendMessageA(memo, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 13);

    // Without ES_AUTOHSCROLL lines wrap at the control's width.
    HWND wrapped = CreateEdit(ES_MULTILINE, "", 60, 200);
    const std::string words = "alpha beta gamma delta";
    SetWindowTextA(wrapped, words.c_str());
    const LRESULT lines = SendMessageA(wrapped, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 1);
    for (LRESULT line = 1; line < lines; ++line) {
        const auto start = static_cast<std::size_t>(SendMessageA(wrapped, EM_LINEINDEX, line, 0));
        EXPECT_EQ(words[start - 1], ' ') << "line " << line << " starts a word";
    }
}

TEST_F(EditTest, MultiLine_EnterBreaksLinesAndArrowsKeepTheColumn) {
    HWND memo = CreateEdit(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, "", 200, 100);
    SetFocus(memo);
    headless::RunUntilIdle();
    Type('A');
    Type('B');
    Type('C');
    Type(VK_RETURN);
    Type('D');
    EXPECT_EQ(Text(memo), "abc\r\nd");
    Type(VK_UP);
    EXPECT_EQ(Selection(memo).first, 1u);
    Type(VK_END);
    Type(VK_DOWN);
    EXPECT_EQ(Selection(memo).first, 6u) << "the column stops at a shorter line's end";
    Type(VK_LEFT);
    Type(VK_LEFT);
    EXPECT_EQ(Selection(memo).first, 3u) << "a line break is one step";
    Type(VK_DELETE);
    EXPECT_EQ(Text(memo), "abcd");
    Type(VK_HOME, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(Selection(memo), std::make_pair(DWORD{0}, DWORD{3}));
    EXPECT_EQ(SendMessageA(memo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    MSG escape{memo, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_EQ(SendMessageA(memo, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) &
                  DLGC_WANTALLKEYS,
              0);
}

TEST_F(EditTest, Mouse_ClickPlacesTheCaretDragSelectsDoubleClickTakesAWord) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL, "hello 中文字 world");
    POINT inside{0, 12};
    const LRESULT charPos = SendMessageA(edit, EM_POSFROMCHAR, 6, 0);
    const int x6 = static_cast<short>(LOWORD(charPos));
    // Screen: the parent is a popup at 0, 0; the edit at 10, 10.
    headless::Click(10 + x6 + 1, 10 + inside.y);
    headless::RunUntilIdle();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{6}));

    const int x12 = static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 12, 0)));
    headless::PressButton(10 + x6 + 1, 10 + inside.y);
    headless::MoveMouse(10 + x12 + 1, 10 + inside.y);
    headless::ReleaseButton(10 + x12 + 1, 10 + inside.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{12}));

    headless::AdvanceClock(1000);
    headless::Click(10 + x6 + 3, 10 + inside.y);
    headless::Click(10 + x6 + 3, 10 + inside.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{12})) << "the Chinese word";
}

TEST_F(EditTest, ScrollBars_FollowTheTextAndTheCaretStaysInView) {
    HWND memo = CreateEdit(ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, "", 200, 100);
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    SetWindowTextA(memo, text.c_str());
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(memo, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 50);
    const int visible = static_cast<int>(info.nPage);
    EXPECT_GT(visible, 2);
    EXPECT_EQ(info.nPos, 0);

    SendMessageA(memo, EM_SETSEL, text.size(), text.size());
    SendMessageA(memo, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 50 - visible + 1);
    GetScrollInfo(memo, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 50 - visible + 1);

    ClearLog();
    SendMessageA(memo, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_VSCROLL}));
    EXPECT_EQ(SendMessageA(memo, EM_SCROLL, SB_PAGEDOWN, 0), MAKELONG(visible - 1, TRUE));
    SendMessageA(memo, EM_LINESCROLL, 0, 1000);
    EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 50 - visible + 1);
}

TEST_F(EditTest, Painting_UsesTheParentsColoursAndShowsTheSelectionWhenFocused) {
    HWND edit = CreateEdit(ES_AUTOHSCROLL, "WWWWWWWW");
    HWND readOnly = CreateEdit(ES_READONLY | ES_AUTOHSCROLL, "WWWW");
    SetWindowPos(readOnly, nullptr, 10, 50, 200, 24, SWP_NOZORDER);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    headless::RunUntilIdle();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(headless::ReadPixel(edit, 2, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_GT(CountPixels(edit, highlight), 100);
    EXPECT_EQ(headless::ReadPixel(readOnly, 150, 12), GetSysColor(COLOR_BTNFACE))
        << "a read-only edit asks for WM_CTLCOLORSTATIC";
    SetFocus(parent);
    headless::RunUntilIdle();
    EXPECT_EQ(CountPixels(edit, highlight), 0) << "the selection hides without the focus";
    // A skin paints the control into a DC of its own through WM_PAINT's wParam.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 24);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(readOnly, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 150, 12), GetSysColor(COLOR_BTNFACE));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(EditTest, SingleLine_ScrollsToTheCaretOrRefusesTextBeyondItsWidth) {
    HWND scrolling = CreateEdit(ES_AUTOHSCROLL, "", 60, 24);
    SetFocus(scrolling);
    headless::RunUntilIdle();
    for (int i = 0; i < 30; ++i)
        Type('M');
    EXPECT_EQ(Text(scrolling).size(), 30u);
    const LRESULT firstVisible = SendMessageA(scrolling, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(firstVisible, 0) << "the text moved left to keep the caret in view";
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_LT(caret.x, 60);
    Type(VK_HOME);
    EXPECT_EQ(SendMessageA(scrolling, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    HWND fixed = CreateEdit(0, "", 60, 24);
    SetFocus(fixed);
    headless::RunUntilIdle();
    ClearLog();
    for (int i = 0; i < 30; ++i)
        Type('M');
    const std::size_t kept = Text(fixed).size();
    EXPECT_GT(kept, 0u);
    EXPECT_LT(kept, 30u) << "without ES_AUTOHSCROLL the text stops at the edge";
    EXPECT_EQ(Logged(parent, WM_COMMAND).back().wParam, MAKEWPARAM(7, EN_MAXTEXT));
}
