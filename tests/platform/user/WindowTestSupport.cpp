#include "WindowTestSupport.h"

#include <algorithm>

namespace testing_support {

namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

LRESULT CALLBACK LoggingProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().push_back({window, message, wParam, lParam});
    if (Handler()) {
        if (auto answer = Handler()(window, message, wParam, lParam))
            return *answer;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK LoggingProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().push_back({window, message, wParam, lParam});
    if (Handler()) {
        if (auto answer = Handler()(window, message, wParam, lParam))
            return *answer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    std::u16string wide = u"QuillmereTestWindow";
    std::u16string wideDouble = u"QuillmereTestWindowDbl";
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = LoggingProcW;
    description.cbWndExtra = 16;
    description.lpszClassName = wide.c_str();
    ASSERT_NE(RegisterClassExW(&description), 0);
    description.style = CS_DBLCLKS;
    description.lpszClassName = wideDouble.c_str();
    ASSERT_NE(RegisterClassExW(&description), 0);
    WNDCLASSEXA ansi{};
    ansi.cbSize = sizeof ansi;
    ansi.lpfnWndProc = LoggingProcA;
    ansi.lpszClassName = WindowTest::AnsiClassName;
    ASSERT_NE(RegisterClassExA(&ansi), 0);
}

BOOL CALLBACK DestroyEach(HWND window, LPARAM) {
    DestroyWindow(window);
    return TRUE;
}

} // namespace

std::vector<LoggedMessage>& Log() {
    static std::vector<LoggedMessage> log;
    return log;
}

void SetHandler(MessageHandler handler) {
    Handler() = std::move(handler);
}

void WindowTest::SetUp() {
    platform::headless::Use();
    RegisterClasses();
    SetHandler(nullptr);
    Log().clear();
}

void WindowTest::TearDown() {
    SetHandler(nullptr);
    ReleaseCapture();
    EnumWindows(DestroyEach, 0);
    platform::headless::RunUntilIdle();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    platform::headless::SetIdleHandler(nullptr);
    EXPECT_EQ(GetTopWindow(nullptr), nullptr) << "a test left a window behind";
    Log().clear();
}

HWND WindowTest::Create(DWORD style, int x, int y, int width, int height, HWND parent, DWORD exStyle, int id,
                        bool ansi) {
    if (ansi) {
        return CreateWindowExA(exStyle, AnsiClassName, "", style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    return CreateWindowExW(exStyle, u"QuillmereTestWindow", u"", style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

HWND WindowTest::CreateTopLevel(int x, int y, int width, int height, DWORD style) {
    return Create(style, x, y, width, height);
}

HWND WindowTest::CreateChild(HWND parent, int x, int y, int width, int height, int id, DWORD style) {
    return Create(style, x, y, width, height, parent, 0, id);
}

std::vector<UINT> WindowTest::Messages(HWND window, std::vector<UINT> only) const {
    std::vector<UINT> result;
    for (const LoggedMessage& m : Log()) {
        if (window && m.window != window)
            continue;
        if (!only.empty() && std::find(only.begin(), only.end(), m.message) == only.end())
            continue;
        result.push_back(m.message);
    }
    return result;
}

std::vector<LoggedMessage> WindowTest::Logged(HWND window, UINT message) const {
    std::vector<LoggedMessage> result;
    for (const LoggedMessage& m : Log()) {
        if ((!window || m.window == window) && m.message == message)
            result.push_back(m);
    }
    return result;
}

void WindowTest::ClearLog() {
    Log().clear();
}

std::vector<UINT> WithoutNoise(const std::vector<UINT>& messages) {
    std::vector<UINT> result;
    for (UINT m : messages) {
        if (m == WM_SETCURSOR || m == WM_NCHITTEST || m == WM_GETTEXT || m == WM_GETTEXTLENGTH ||
            m == WM_GETICON)
            continue;
        result.push_back(m);
    }
    return result;
}

} // namespace testing_support
