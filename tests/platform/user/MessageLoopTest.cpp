// The message queue: order of retrieval, filters, the quit request, timers on the headless
// clock, keyboard translation and nested modal loops with their message filter hook.

#include "WindowTestSupport.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

using MessageLoopTest = WindowTest;

std::vector<UINT> DrainIds(HWND filter = nullptr) {
    std::vector<UINT> ids;
    MSG message;
    while (PeekMessageW(&message, filter, 0, 0, PM_REMOVE))
        ids.push_back(message.message);
    return ids;
}

} // namespace

TEST_F(MessageLoopTest, Posted_ComeInOrderBeforeInputAndTimersAndQuitComesAfterThem) {
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    headless::RunUntilIdle();
    SetTimer(window, 1, 10, nullptr);
    headless::AdvanceClock(20);
    headless::TypeText(u"x");
    PostMessageW(window, WM_USER + 1, 0, 0);
    PostQuitMessage(3);
    PostMessageW(window, WM_USER + 2, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 3, 0, 0);
    MSG message;
    std::vector<UINT> ids;
    while (GetMessageW(&message, nullptr, 0, 0))
        ids.push_back(message.message);
    EXPECT_EQ(ids, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_EQ(DrainIds(), (std::vector<UINT>{WM_CHAR, WM_TIMER}));
}

TEST_F(MessageLoopTest, Peek_FiltersByWindowAndRangeAndCanLeaveMessagesQueued) {
    HWND first = CreateTopLevel(0, 0, 100, 100, WS_POPUP);
    HWND second = CreateTopLevel(0, 0, 100, 100, WS_POPUP);
    HWND child = CreateChild(first, 0, 0, 10, 10);
    PostMessageW(first, WM_USER + 1, 0, 0);
    PostMessageW(second, WM_USER + 2, 0, 0);
    PostMessageW(child, WM_USER + 3, 0, 0);
    PostMessageW(first, WM_APP, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_APP);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE)) << "PM_NOREMOVE leaves it";
    EXPECT_EQ(DrainIds(second), (std::vector<UINT>{WM_USER + 2}));
    EXPECT_EQ(DrainIds(first), (std::vector<UINT>{WM_USER + 1, WM_USER + 3, WM_APP}))
        << "child windows count";
    EXPECT_EQ(GetMessageW(&message, reinterpret_cast<HWND>(0x999), 0, 0), -1);
}

TEST_F(MessageLoopTest, Post_RefusesMessagesThatPointIntoTheSender) {
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP);
    SetLastError(0);
    EXPECT_FALSE(PostMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"x")));
    EXPECT_EQ(GetLastError(), ERROR_MESSAGE_SYNC_ONLY);
}

TEST_F(MessageLoopTest, Timers_FireOnTheClockWithoutPilingUp) {
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP);
    ASSERT_NE(SetTimer(window, 7, 100, nullptr), 0u);
    headless::RunFor(350);
    auto ticks = Logged(window, WM_TIMER);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0].wParam, 7u);

    // A late loop gets one WM_TIMER, not one per missed period.
    ClearLog();
    headless::AdvanceClock(1000);
    headless::RunUntilIdle();
    EXPECT_EQ(Logged(window, WM_TIMER).size(), 1u);

    // Setting the same timer again restarts it with the new period.
    ClearLog();
    SetTimer(window, 7, 500, nullptr);
    headless::RunFor(450);
    EXPECT_TRUE(Logged(window, WM_TIMER).empty());
    headless::RunFor(100);
    EXPECT_EQ(Logged(window, WM_TIMER).size(), 1u);

    ASSERT_TRUE(KillTimer(window, 7));
    EXPECT_FALSE(KillTimer(window, 7));
    ClearLog();
    headless::RunFor(2000);
    EXPECT_TRUE(Logged(window, WM_TIMER).empty());
}

TEST_F(MessageLoopTest, Timers_CallTheirCallbackAndDieWithTheirWindow) {
    static int calls = 0;
    static UINT_PTR seenId = 0;
    calls = 0;
    TIMERPROC callback = [](HWND, UINT, UINT_PTR id, DWORD) {
        ++calls;
        seenId = id;
    };
    UINT_PTR thread = SetTimer(nullptr, 0, 50, callback);
    ASSERT_NE(thread, 0u);
    headless::RunFor(120);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seenId, thread);
    KillTimer(nullptr, thread);

    // A forged WM_TIMER cannot make DispatchMessage call an arbitrary address.
    MSG forged{nullptr, WM_TIMER, 99, reinterpret_cast<LPARAM>(callback), 0, {}};
    calls = 0;
    DispatchMessageW(&forged);
    EXPECT_EQ(calls, 0);

    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP);
    SetTimer(window, 1, 10, nullptr);
    DestroyWindow(window);
    headless::RunFor(100);
    EXPECT_TRUE(Logged(nullptr, WM_TIMER).empty());
}

TEST_F(MessageLoopTest, GetMessage_WaitsForTheNextTimerByMovingTheClock) {
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP);
    DWORD start = headless::Now();
    SetTimer(window, 1, 5000, nullptr);
    MSG message;
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_EQ(headless::Now() - start, 5000u);
    EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), headless::Now());
}

TEST_F(MessageLoopTest, TranslateMessage_TurnsKeysIntoCharactersInEitherCharacterSet) {
    HWND wide = CreateTopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    headless::RunUntilIdle();
    ASSERT_EQ(GetFocus(), wide);
    headless::PressKey(VK_SHIFT);
    headless::TypeKey('A');
    headless::ReleaseKey(VK_SHIFT);
    headless::TypeKey('1');
    headless::TypeText(u"中文");
    headless::RunUntilIdle();
    std::vector<WPARAM> chars;
    for (const LoggedMessage& m : Logged(wide, WM_CHAR))
        chars.push_back(m.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{u'A', u'1', u'中', u'文'}));

    // An ANSI loop takes a double-byte character as two messages, lead byte first.
    HWND ansi = Create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, 0, 0, /*ansi=*/true);
    SetFocus(ansi);
    headless::TypeText(u"中");
    MSG message;
    std::vector<WPARAM> bytes;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_CHAR)
            bytes.push_back(message.wParam);
        DispatchMessageA(&message);
    }
    EXPECT_EQ(bytes, (std::vector<WPARAM>{0xD6, 0xD0}));
    chars.clear();
    for (const LoggedMessage& m : Logged(ansi, WM_CHAR))
        chars.push_back(m.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{0xD6, 0xD0}));
}

namespace {

HHOOK g_filter = nullptr;
std::vector<int> g_filterCodes;
bool g_swallowNext = false;

LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    g_filterCodes.push_back(code);
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (g_swallowNext && message->message == WM_USER + 20) {
        g_swallowNext = false;
        return TRUE;
    }
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

// A modal loop of the kind dialogs and menus run: it offers each message to the filter hook.
void RunModalLoop(const bool& done, int filterCode) {
    MSG message;
    while (!done && GetMessageW(&message, nullptr, 0, 0)) {
        if (CallMsgFilterW(&message, filterCode))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

TEST_F(MessageLoopTest, ModalLoops_NestServeOtherWindowsAndOfferMessagesToTheFilterHook) {
    HWND owner = CreateTopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND dialog = CreateTopLevel(300, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    g_filterCodes.clear();
    g_swallowNext = true;
    g_filter = SetWindowsHookExW(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_filter, nullptr);
    bool done = false;
    int depthAtClick = 0;
    int depth = 0;
    SetHandler([&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w == owner && message == WM_USER + 10) {
            ++depth;
            PostMessageW(owner, WM_USER + 20, 0, 0); // swallowed by the hook
            PostMessageW(owner, WM_USER + 21, 0, 0); // served inside the nested loop
            RunModalLoop(done, MSGF_DIALOGBOX);
            --depth;
            return 0;
        }
        if (w == dialog && message == WM_LBUTTONUP) {
            depthAtClick = depth;
            done = true;
        }
        return std::nullopt;
    });
    // The nested loop would wait for input forever; the user clicks the dialog then.
    headless::SetIdleHandler([] {
        headless::Click(350, 50);
        return true;
    });
    SendMessageW(owner, WM_USER + 10, 0, 0);
    EXPECT_TRUE(done);
    EXPECT_EQ(depthAtClick, 1);
    EXPECT_TRUE(Logged(owner, WM_USER + 20).empty());
    EXPECT_EQ(Logged(owner, WM_USER + 21).size(), 1u);
    EXPECT_FALSE(g_filterCodes.empty());
    EXPECT_EQ(g_filterCodes.front(), MSGF_DIALOGBOX);
    EXPECT_TRUE(UnhookWindowsHookEx(g_filter));
}

TEST_F(MessageLoopTest, WaitMessage_ReturnsWhenSomethingIsQueued) {
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_POPUP);
    PostMessageW(window, WM_USER, 0, 0);
    EXPECT_TRUE(WaitMessage());
    DWORD start = headless::Now();
    DrainIds();
    SetTimer(window, 1, 300, nullptr);
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(headless::Now() - start, 300u) << "the wait ended when the timer was due";
    EXPECT_EQ(GetQueueStatus(QS_TIMER) & 0xFFFF, QS_TIMER);
}
