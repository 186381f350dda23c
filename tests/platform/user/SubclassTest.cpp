// Replacing window procedures (subclassing) in both character sets, the conversions between
// them, and the other per-window data.

#include "WindowTestSupport.h"

#include "platform/base/CodePage.h"

using namespace testing_support;

namespace {

using SubclassTest = WindowTest;

struct Seen {
    std::string name;
    UINT message;
    WPARAM wParam;
    std::u16string wideText;
    std::string ansiText;
};

std::vector<Seen>& SeenLog() {
    static std::vector<Seen> log;
    return log;
}

LONG_PTR g_previousOuter = 0;
LONG_PTR g_previousInner = 0;

LRESULT CALLBACK InnerWide(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Seen seen{"innerW", message, wParam, {}, {}};
    if (message == WM_SETTEXT && lParam)
        seen.wideText = reinterpret_cast<LPCWSTR>(lParam);
    SeenLog().push_back(seen);
    return CallWindowProcW(reinterpret_cast<WNDPROC>(g_previousInner), window, message, wParam, lParam);
}

LRESULT CALLBACK OuterAnsi(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Seen seen{"outerA", message, wParam, {}, {}};
    if (message == WM_SETTEXT && lParam)
        seen.ansiText = reinterpret_cast<LPCSTR>(lParam);
    SeenLog().push_back(seen);
    if (message == 0x3523)
        return 1;
    return CallWindowProcA(reinterpret_cast<WNDPROC>(g_previousOuter), window, message, wParam, lParam);
}

std::vector<std::string> Names(UINT message) {
    std::vector<std::string> names;
    for (const Seen& s : SeenLog()) {
        if (s.message == message)
            names.push_back(s.name);
    }
    return names;
}

} // namespace

TEST_F(SubclassTest, ProcedureReplacement_ChainsThroughBothCharacterSetsAndRestoresExactly) {
    SeenLog().clear();
    HWND window = Create(WS_POPUP, 0, 0, 50, 50, nullptr, 0, 0, /*ansi=*/true);
    EXPECT_FALSE(IsWindowUnicode(window));
    LONG_PTR classProcedure = GetWindowLongPtrA(window, GWLP_WNDPROC);

    g_previousInner = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InnerWide));
    EXPECT_TRUE(IsWindowUnicode(window)) << "the character set follows the installing call";
    g_previousOuter = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterAnsi));
    EXPECT_FALSE(IsWindowUnicode(window));
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(OuterAnsi));

    SendMessageW(window, WM_USER + 5, 9, 0);
    EXPECT_EQ(Names(WM_USER + 5), (std::vector<std::string>{"outerA", "innerW"}));
    EXPECT_EQ(Log().back().message, WM_USER + 5) << "the class procedure ran last";

    // The skinned-window query is answered by the outer procedure alone.
    EXPECT_EQ(SendMessageA(window, 0x3523, 0, 0), 1);
    EXPECT_EQ(Names(0x3523).size(), 1u);

    // Restored in reverse order, the window gets its class procedure and character set back.
    SetWindowLongPtrA(window, GWLP_WNDPROC, g_previousOuter);
    EXPECT_TRUE(IsWindowUnicode(window));
    SetWindowLongPtrW(window, GWLP_WNDPROC, g_previousInner);
    EXPECT_FALSE(IsWindowUnicode(window));
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), classProcedure);
    SeenLog().clear();
    SendMessageW(window, WM_USER + 6, 0, 0);
    EXPECT_TRUE(SeenLog().empty());
    EXPECT_EQ(Log().back().message, WM_USER + 6);
}

namespace {

LONG_PTR g_previousFirst = 0;
LONG_PTR g_previousSecond = 0;
LONG_PTR g_previousThird = 0;
std::vector<char> g_path;

LRESULT CALLBACK FirstAnsi(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_path.push_back('1');
    return CallWindowProcA(reinterpret_cast<WNDPROC>(g_previousFirst), window, message, wParam, lParam);
}

LRESULT CALLBACK SecondWide(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_path.push_back('2');
    return CallWindowProcW(reinterpret_cast<WNDPROC>(g_previousSecond), window, message, wParam, lParam);
}

LRESULT CALLBACK ThirdAnsi(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_path.push_back('3');
    return CallWindowProcA(reinterpret_cast<WNDPROC>(g_previousThird), window, message, wParam, lParam);
}

} // namespace

TEST_F(SubclassTest, ProcedureValues_StayCallableWhateverOrderSubclassesAreUndone) {
    HWND window = Create(WS_POPUP, 0, 0, 50, 50);
    g_previousFirst = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FirstAnsi));
    g_previousSecond = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SecondWide));
    g_previousThird = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThirdAnsi));
    // Asking twice gives the same value, so a subclasser can tell whether it is still on top.
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), GetWindowLongPtrW(window, GWLP_WNDPROC));
    auto send = [&] {
        g_path.clear();
        ClearLog();
        SetWindowTextA(window, "测试");
        return std::string(g_path.begin(), g_path.end());
    };
    EXPECT_EQ(send(), "321");
    // Undone first-installed first: each restored value is a procedure that still works.
    SetWindowLongPtrA(window, GWLP_WNDPROC, g_previousFirst);
    EXPECT_EQ(send(), "");
    EXPECT_TRUE(IsWindowUnicode(window));
    SetWindowLongPtrW(window, GWLP_WNDPROC, g_previousSecond);
    EXPECT_FALSE(IsWindowUnicode(window));
    EXPECT_EQ(send(), "1");
    SetWindowLongPtrA(window, GWLP_WNDPROC, g_previousThird);
    EXPECT_TRUE(IsWindowUnicode(window));
    EXPECT_EQ(send(), "21");
    // The text went through every conversion and arrived whole.
    WCHAR text[8];
    GetWindowTextW(window, text, 8);
    EXPECT_EQ(std::u16string(text), u"测试");
    EXPECT_FALSE(Logged(window, WM_SETTEXT).empty()) << "the class procedure was reached";
}

TEST_F(SubclassTest, ThirtyTwoBitCalls_HandOutCookiesThatCallWindowProcConverts) {
    SeenLog().clear();
    HWND window = Create(WS_POPUP, 0, 0, 50, 50);
    LONG classCookie = GetWindowLongA(window, GWL_WNDPROC);
    ASSERT_NE(classCookie, 0);
    g_previousInner = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InnerWide));
    LONG innerCookie = SetWindowLongA(window, GWL_WNDPROC, classCookie);
    ASSERT_NE(innerCookie, 0);
    EXPECT_TRUE(IsWindowUnicode(window)) << "a cookie keeps the character set of its procedure";
    EXPECT_EQ(GetWindowLongA(window, GWL_WNDPROC), classCookie);

    // An ANSI call through the cookie of a wide procedure is converted on the way.
    CallWindowProcA(reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(innerCookie)), window, WM_SETTEXT, 0,
                    reinterpret_cast<LPARAM>("刷新"));
    ASSERT_EQ(SeenLog().size(), 1u);
    EXPECT_EQ(SeenLog()[0].wideText, u"刷新");
    WCHAR text[16];
    EXPECT_EQ(GetWindowTextW(window, text, 16), 2);
    EXPECT_EQ(std::u16string(text), u"刷新");

    // A 32-bit value that is no cookie cannot become a procedure.
    SetLastError(0);
    EXPECT_EQ(SetWindowLongA(window, GWL_WNDPROC, 0x1234), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetWindowLongA(window, GWL_WNDPROC), classCookie);
}

TEST_F(SubclassTest, Texts_AreConvertedBetweenCodePage936AndUtf16) {
    HWND wide = Create(WS_POPUP, 0, 0, 50, 50);
    ASSERT_TRUE(SetWindowTextA(wide, "刷新"));
    WCHAR wideText[16];
    EXPECT_EQ(GetWindowTextW(wide, wideText, 16), 2);
    EXPECT_EQ(std::u16string(wideText), u"刷新");
    EXPECT_EQ(GetWindowTextLengthA(wide), 4) << "ANSI lengths count bytes";
    EXPECT_EQ(GetWindowTextLengthW(wide), 2);
    char small[4];
    EXPECT_EQ(GetWindowTextA(wide, small, sizeof small), 2) << "a double-byte character is never cut";
    EXPECT_STREQ(small, "刷");

    HWND ansi = Create(WS_POPUP, 0, 0, 50, 50, nullptr, 0, 0, /*ansi=*/true);
    ASSERT_TRUE(SetWindowTextW(ansi, u"保存"));
    char ansiText[16];
    EXPECT_EQ(GetWindowTextA(ansi, ansiText, sizeof ansiText), 4);
    EXPECT_STREQ(ansiText, "保存");
    EXPECT_EQ(GetWindowTextLengthW(ansi), 2);
}

TEST_F(SubclassTest, CreationRecord_ReachesAWideProcedureAsUtf16) {
    std::u16string nameAtCreate;
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_CREATE)
            nameAtCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpszName;
        return std::nullopt;
    });
    HWND window =
        CreateWindowExA(0, ClassName, "连接", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(nameAtCreate, u"连接");
    char text[16];
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "连接");
}

TEST_F(SubclassTest, Characters_DoubleByteCharactersCombineAndSplit) {
    HWND wide = Create(WS_POPUP, 0, 0, 50, 50);
    SendMessageA(wide, WM_CHAR, 0xD6, 1);
    EXPECT_TRUE(Logged(wide, WM_CHAR).empty()) << "a lead byte waits for its trail byte";
    SendMessageA(wide, WM_CHAR, 0xD0, 1);
    auto chars = Logged(wide, WM_CHAR);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>(u'中'));

    HWND ansi = Create(WS_POPUP, 0, 0, 50, 50, nullptr, 0, 0, /*ansi=*/true);
    SendMessageW(ansi, WM_CHAR, u'中', 1);
    auto bytes = Logged(ansi, WM_CHAR);
    ASSERT_EQ(bytes.size(), 2u);
    EXPECT_EQ(bytes[0].wParam, 0xD6u);
    EXPECT_EQ(bytes[1].wParam, 0xD0u);
}

TEST_F(SubclassTest, Styles_AreAnnouncedAndMayBeAdjustedByTheWindow) {
    HWND window = Create(WS_POPUP, 0, 0, 50, 50);
    SetHandler([](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_STYLE))
            reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew |= WS_BORDER;
        return std::nullopt;
    });
    LONG old = SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_SYSMENU));
    EXPECT_EQ(static_cast<DWORD>(old) & ~WS_CLIPSIBLINGS, WS_POPUP);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), WS_POPUP | WS_SYSMENU | WS_BORDER);
    auto changed = Logged(window, WM_STYLECHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(Messages(window, {WM_STYLECHANGING, WM_STYLECHANGED}),
              (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
}

TEST_F(SubclassTest, ExtraBytesAndUserData_RoundTripWithinBounds) {
    HWND window = Create(WS_POPUP, 0, 0, 50, 50);
    SetWindowLongPtrW(window, 8, 0x1122334455667788);
    EXPECT_EQ(GetWindowLongPtrW(window, 8), 0x1122334455667788);
    EXPECT_EQ(GetWindowLongW(window, 8), static_cast<LONG>(0x55667788));
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(window, 12), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    SetWindowLongPtrW(window, GWLP_USERDATA, 42);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 42);
}

TEST_F(SubclassTest, Properties_FindByAnyCaseAndReleaseTheirAtoms) {
    HWND window = Create(WS_POPUP, 0, 0, 50, 50);
    HANDLE value = reinterpret_cast<HANDLE>(0x55);
    ASSERT_TRUE(SetPropA(window, "SkinObject", value));
    EXPECT_EQ(GetPropW(window, u"SKINOBJECT"), value);
    ATOM atom = GlobalFindAtomA("skinobject");
    ASSERT_NE(atom, 0);
    EXPECT_EQ(GetPropA(window, MAKEINTATOM(atom)), value);
    EXPECT_EQ(RemovePropA(window, "SkinObject"), value);
    EXPECT_EQ(GetPropA(window, "SkinObject"), nullptr);
    EXPECT_EQ(GlobalFindAtomA("SkinObject"), 0) << "the property's atom went with it";

    SetPropA(window, "Left", value);
    DestroyWindow(window);
    EXPECT_EQ(GlobalFindAtomA("Left"), 0) << "destroying the window frees its properties";
}

TEST_F(SubclassTest, AtomsAndRegisteredMessages_AreSharedByName) {
    UINT message = RegisterWindowMessageA("ControlOfs0040000000001F2A");
    EXPECT_GE(message, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(u"controlofs0040000000001f2a"), message);
    EXPECT_NE(RegisterWindowMessageA("SomethingElse"), message);

    ATOM atom = GlobalAddAtomA("ControlOfs0040000000001F2A");
    EXPECT_EQ(GlobalAddAtomA("CONTROLOFS0040000000001F2A"), atom);
    char name[64];
    EXPECT_EQ(GlobalGetAtomNameA(atom, name, sizeof name), 26u);
    EXPECT_STREQ(name, "ControlOfs0040000000001F2A");
    EXPECT_EQ(GlobalDeleteAtom(atom), 0);
    EXPECT_EQ(GlobalFindAtomA("ControlOfs0040000000001F2A"), atom) << "one reference is left";
    EXPECT_EQ(GlobalDeleteAtom(atom), 0);
    EXPECT_EQ(GlobalFindAtomA("ControlOfs0040000000001F2A"), 0);
    EXPECT_EQ(GlobalAddAtomA("#123"), 123) << "integer atoms stand for themselves";
}
