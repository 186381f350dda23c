// Creating and destroying windows: message order, the creation hook, failures and stale
// handles.

#include "WindowTestSupport.h"

#include <cstring>
#include <optional>

using namespace testing_support;

namespace {

using LifecycleTest = WindowTest;

struct CbtRecord {
    int code;
    HWND window;
    std::string className;
    int width;
    std::size_t messagesSeenBefore;
    HWND insertAfter;
};

std::vector<CbtRecord>& CbtLog() {
    static std::vector<CbtRecord> log;
    return log;
}

HHOOK g_hook = nullptr;
int g_widthFromHook = 0;
bool g_refuseCreation = false;
std::optional<HWND> g_insertAfterFromHook;

LRESULT CALLBACK RecordingCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    CbtRecord record{code, window, className, 0, Log().size(), nullptr};
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        record.width = create->lpcs->cx;
        record.insertAfter = create->hwndInsertAfter;
        if (g_widthFromHook)
            create->lpcs->cx = g_widthFromHook;
        if (g_insertAfterFromHook)
            create->hwndInsertAfter = *g_insertAfterFromHook;
        if (g_refuseCreation)
            return 1;
    }
    CbtLog().push_back(record);
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

class CbtHookTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        CbtLog().clear();
        g_widthFromHook = 0;
        g_refuseCreation = false;
        g_insertAfterFromHook.reset();
        g_hook = SetWindowsHookExA(WH_CBT, RecordingCbtHook, nullptr, GetCurrentThreadId());
        ASSERT_NE(g_hook, nullptr);
    }
    void TearDown() override {
        EXPECT_TRUE(UnhookWindowsHookEx(g_hook));
        WindowTest::TearDown();
    }
};

} // namespace

TEST_F(LifecycleTest, Creation_SendsMinMaxNcCreateNcCalcSizeCreateSizeMoveInOrder) {
    HWND window = CreateTopLevel(10, 20, 300, 200, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WithoutNoise(Messages(window)),
              (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
}

TEST_F(LifecycleTest, Creation_OfVisibleChildNotifiesParentAndShowsWithoutActivating) {
    HWND parent = CreateTopLevel();
    ClearLog();
    HWND child = CreateChild(parent, 5, 5, 50, 20, 7);
    // Shown, it erases its background at once; it paints later, from the queue.
    EXPECT_EQ(
        WithoutNoise(Messages(child)),
        (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                           WM_WINDOWPOSCHANGING, WM_ERASEBKGND, WM_WINDOWPOSCHANGED, WM_CHILDACTIVATE}));
    auto notes = Logged(parent, WM_PARENTNOTIFY);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wParam, MAKEWPARAM(WM_CREATE, 7));
    EXPECT_EQ(notes[0].lParam, reinterpret_cast<LPARAM>(child));
    EXPECT_TRUE(Logged(child, WM_ACTIVATE).empty());
}

TEST_F(LifecycleTest, Creation_FailsWhenNcCreateAnswersFalseOrCreateAnswersMinusOne) {
    SetHandler([](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_NCCREATE)
            return FALSE;
        return std::nullopt;
    });
    EXPECT_EQ(CreateTopLevel(), nullptr);
    EXPECT_EQ(Messages(nullptr, {WM_CREATE, WM_DESTROY}), std::vector<UINT>{});
    EXPECT_EQ(Messages(nullptr, {WM_NCDESTROY}).size(), 1u);

    ClearLog();
    SetHandler([](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE)
            return -1;
        return std::nullopt;
    });
    EXPECT_EQ(CreateTopLevel(), nullptr);
    EXPECT_EQ(Messages(nullptr, {WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(GetTopWindow(nullptr), nullptr);
}

TEST_F(LifecycleTest, Creation_RefusesChildWithoutParentAndUnknownClass) {
    SetLastError(0);
    EXPECT_EQ(Create(WS_CHILD, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClassAnywhere", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(LifecycleTest, Destruction_SendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND parent = CreateTopLevel();
    HWND child = CreateChild(parent, 0, 0, 100, 100, 1);
    HWND grandchild = CreateChild(child, 0, 0, 10, 10, 2);
    HWND sibling = CreateChild(parent, 0, 0, 10, 10, 3);
    HWND owned = Create(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, parent);
    ClearLog();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const LoggedMessage& m : Log()) {
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY)
            order.emplace_back(m.window, m.message);
    }
    // Owned windows go first; then WM_DESTROY from the top of the tree down, WM_NCDESTROY from
    // the leaves up. Children are met in z-order (the first created is on top).
    std::vector<std::pair<HWND, UINT>> expected = {
        {owned, WM_DESTROY},      {owned, WM_NCDESTROY}, {parent, WM_DESTROY},       {child, WM_DESTROY},
        {grandchild, WM_DESTROY}, {sibling, WM_DESTROY}, {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY},
        {sibling, WM_NCDESTROY},  {parent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND w : {parent, child, grandchild, sibling, owned})
        EXPECT_FALSE(IsWindow(w));
}

TEST_F(LifecycleTest, Destruction_InsideOwnMessageHandlingLeavesTheDispatcherSafe) {
    HWND window = CreateTopLevel();
    HWND child = CreateChild(window, 0, 0, 50, 50);
    SetHandler([&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER + 1) {
            DestroyWindow(w);
            // The record stays readable until the dispatch returns; the handle is dead at once.
            EXPECT_FALSE(IsWindow(w));
            EXPECT_EQ(SendMessageW(w, WM_USER + 2, 0, 0), 0);
            return 5;
        }
        return std::nullopt;
    });
    PostMessageW(window, WM_USER + 1, 0, 0);
    PostMessageW(child, WM_USER + 3, 0, 0);
    EXPECT_EQ(platform::headless::RunUntilIdle(), 1) << "messages of a destroyed window are dropped";
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(Logged(nullptr, WM_USER + 2).empty());
}

TEST_F(LifecycleTest, StaleHandles_FailWithInvalidWindowHandle) {
    HWND window = CreateTopLevel();
    DestroyWindow(window);
    RECT rect;
    auto expectInvalid = [](bool failed) {
        EXPECT_TRUE(failed);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
        SetLastError(0);
    };
    SetLastError(0);
    expectInvalid(!GetWindowRect(window, &rect));
    expectInvalid(SendMessageW(window, WM_USER, 0, 0) == 0);
    expectInvalid(!PostMessageW(window, WM_USER, 0, 0));
    expectInvalid(SetWindowLongPtrW(window, GWLP_USERDATA, 1) == 0);
    expectInvalid(!SetWindowPos(window, nullptr, 0, 0, 1, 1, SWP_NOZORDER));
    expectInvalid(!ShowWindow(window, SW_SHOW));
    expectInvalid(!DestroyWindow(window));
    expectInvalid(SetTimer(window, 1, 100, nullptr) == 0);
    expectInvalid(GetParent(window) == nullptr);
    expectInvalid(!SetPropA(window, "x", reinterpret_cast<HANDLE>(1)));
    // A value that never was a window is as harmless.
    expectInvalid(!IsWindowEnabled(reinterpret_cast<HWND>(0x12345678)) &&
                  !GetClientRect(reinterpret_cast<HWND>(0x12345678), &rect));
}

TEST_F(LifecycleTest, Classes_RegisterLookUpAndRefuseDuplicatesAndUnregisteringInUse) {
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS | CS_HREDRAW;
    description.lpfnWndProc = DefWindowProcA;
    description.cbWndExtra = 8;
    description.lpszClassName = "LifecycleTestClass";
    ATOM atom = RegisterClassExA(&description);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClassExA(&description), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);

    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    EXPECT_EQ(GetClassInfoExA(nullptr, "lifecycletestclass", &info), atom) << "names ignore case";
    EXPECT_EQ(info.style, CS_DBLCLKS | CS_HREDRAW);
    EXPECT_EQ(info.cbWndExtra, 8);

    HWND window =
        CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    char name[64];
    EXPECT_EQ(GetClassNameA(window, name, sizeof name), 18);
    EXPECT_STREQ(name, "LifecycleTestClass");
    EXPECT_EQ(GetClassLongA(window, GCW_ATOM), atom);
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), CS_DBLCLKS | CS_HREDRAW);
    EXPECT_FALSE(UnregisterClassA("LifecycleTestClass", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("LifecycleTestClass", nullptr));
    EXPECT_FALSE(GetClassInfoExA(nullptr, "LifecycleTestClass", &info));
}

LPCSTR g_nameSeenA = nullptr;
LPCWSTR g_nameSeenW = nullptr;

LRESULT CALLBACK NameRecordingProcedureA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        g_nameSeenA = reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpszName;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK NameRecordingProcedureW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        g_nameSeenW = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpszName;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(LifecycleTest, Classes_DescribeThemselvesInEitherCharacterSetAndKeepTheirExtraBytes) {
    HICON icon = LoadIconA(nullptr, IDI_ERROR);
    HICON smallIcon = LoadIconA(nullptr, IDI_WARNING);
    WNDCLASSEXW description{};
    description.cbSize = sizeof description - 1;
    description.lpfnWndProc = NameRecordingProcedureW;
    description.cbClsExtra = 12;
    description.hIcon = icon;
    description.hIconSm = smallIcon;
    description.lpszMenuName = MAKEINTRESOURCEW(7);
    description.lpszClassName = u"DescribedClass";
    EXPECT_EQ(RegisterClassExW(&description), 0) << "the size must be stated";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    description.cbSize = sizeof description;
    ATOM atom = RegisterClassExW(&description);
    ASSERT_NE(atom, 0);

    WNDCLASSEXW wide{};
    const LPCWSTR askedName = u"describedclass";
    EXPECT_EQ(GetClassInfoExW(nullptr, askedName, &wide), atom);
    EXPECT_EQ(wide.lpfnWndProc, NameRecordingProcedureW);
    EXPECT_EQ(wide.cbClsExtra, 12);
    EXPECT_EQ(wide.hIcon, icon);
    EXPECT_EQ(wide.hIconSm, smallIcon);
    EXPECT_EQ(wide.lpszMenuName, MAKEINTRESOURCEW(7));
    EXPECT_EQ(wide.lpszClassName, askedName) << "named by the caller's pointer";
    WNDCLASSA narrow{};
    EXPECT_EQ(GetClassInfoA(nullptr, "DescribedClass", &narrow), atom);
    EXPECT_EQ(narrow.hIcon, icon);
    EXPECT_NE(narrow.lpfnWndProc, nullptr);
    EXPECT_NE(narrow.lpfnWndProc, NameRecordingProcedureW) << "a narrow caller gets a stand-in";
    EXPECT_FALSE(GetClassInfoExA(nullptr, "DescribedClass", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    // A window name may be a resource value; both forms of the creation record carry it.
    HWND window = CreateWindowExW(0, u"DescribedClass", MAKEINTRESOURCEW(3), WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_nameSeenW, MAKEINTRESOURCEW(3));
    EXPECT_EQ(GetWindowTextLengthW(window), 0);

    SetLastError(0);
    EXPECT_EQ(SetClassLongPtrW(window, 4, 0x1122334455667788), 0u);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(GetClassLongPtrW(window, 4), 0x1122334455667788u);
    EXPECT_EQ(GetClassLongW(window, 4), 0x55667788u);
    EXPECT_EQ(SetClassLongW(window, 8, 0x0A0B0C0D), 0x11223344u) << "the low half of the value above";
    EXPECT_EQ(GetClassLongPtrW(window, 4), 0x0A0B0C0D55667788u);
    EXPECT_EQ(SetClassLongPtrW(window, 8, 1), 0u) << "past the class's 12 bytes";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    EXPECT_EQ(GetClassLongPtrW(window, 4), 0x0A0B0C0D55667788u);
    DestroyWindow(window);

    WNDCLASSA plain{};
    plain.lpfnWndProc = NameRecordingProcedureA;
    plain.lpszClassName = "PlainDescribedClass";
    ASSERT_NE(RegisterClassA(&plain), 0);
    window = CreateWindowExA(0, "PlainDescribedClass", MAKEINTRESOURCEA(5), WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_nameSeenA, MAKEINTRESOURCEA(5));
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("PlainDescribedClass", nullptr));
    EXPECT_TRUE(UnregisterClassW(u"DescribedClass", nullptr));
}

TEST_F(CbtHookTest, CreationHook_RunsBeforeTheWindowGetsAnyMessageAndMaySizeIt) {
    g_widthFromHook = 321;
    HWND window = CreateTopLevel(0, 0, 200, 150, WS_OVERLAPPEDWINDOW);
    ASSERT_FALSE(CbtLog().empty());
    const CbtRecord& created = CbtLog().front();
    EXPECT_EQ(created.code, HCBT_CREATEWND);
    EXPECT_EQ(created.window, window);
    EXPECT_EQ(created.className, ClassName) << "the handle already works inside the hook";
    EXPECT_EQ(created.width, 200);
    EXPECT_EQ(created.messagesSeenBefore, 0u) << "no message reached the window before the hook";
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 321);
}

TEST_F(CbtHookTest, CreationHook_SeesWhereTheWindowGoesInZOrderAndMayMoveIt) {
    HWND parent = CreateTopLevel();
    HWND first = CreateChild(parent, 0, 0, 10, 10, 1);
    EXPECT_EQ(CbtLog().front().insertAfter, HWND_TOP) << "a top-level window goes on top";
    EXPECT_EQ(CbtLog().back().insertAfter, HWND_BOTTOM) << "a child goes below its siblings";

    g_insertAfterFromHook = HWND_TOP;
    HWND second = CreateChild(parent, 0, 0, 10, 10, 2);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first);
}

TEST_F(CbtHookTest, CreationHook_CanRefuseTheWindow) {
    g_refuseCreation = true;
    EXPECT_EQ(CreateTopLevel(), nullptr);
    EXPECT_TRUE(Log().empty()) << "a refused window receives nothing";
    EXPECT_EQ(GetTopWindow(nullptr), nullptr);
}

TEST_F(CbtHookTest, Hook_SeesActivationAndDestruction) {
    HWND first = CreateTopLevel();
    HWND second = CreateTopLevel(150, 150);
    CbtLog().clear();
    SetActiveWindow(first);
    DestroyWindow(second);
    std::vector<std::pair<int, HWND>> seen;
    for (const CbtRecord& r : CbtLog()) {
        if (r.code == HCBT_ACTIVATE || r.code == HCBT_DESTROYWND)
            seen.emplace_back(r.code, r.window);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int, HWND>>{{HCBT_ACTIVATE, first}, {HCBT_DESTROYWND, second}}));
}

TEST_F(CbtHookTest, Hooks_ChainNewestFirstAndSurviveRemovalWhileRunning) {
    static std::vector<int> order;
    static HHOOK inner = nullptr;
    order.clear();
    inner = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            order.push_back(2);
            // Removing itself inside its own call must not break the chain.
            UnhookWindowsHookEx(inner);
            return CallNextHookEx(inner, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(inner, nullptr);
    CbtLog().clear();
    HWND window = CreateTopLevel();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(order.front(), 2);
    EXPECT_FALSE(CbtLog().empty()) << "the older hook still ran after the newer one";
    std::size_t calls = order.size();
    DestroyWindow(window);
    EXPECT_EQ(order.size(), calls) << "a removed hook is not called again";
    EXPECT_FALSE(UnhookWindowsHookEx(inner));
}
