#include "skin/forms/WindowThunk.h"

#include "framework/classes/Module.h"
#include "platform/display/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>* g_trace = nullptr;

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER && g_trace)
        g_trace->push_back("own");
    if (message == WM_USER)
        return 7;
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowThunkTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Use();
        g_trace = &trace;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnProcedure;
        windowClass.hInstance = HInstance();
        windowClass.lpszClassName = "WindowThunkTestWindow";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "WindowThunkTestWindow", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, HInstance(), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        DestroyWindow(window);
        g_trace = nullptr;
    }

    // A layer that notes its name and passes every message on.
    TWindowThunk::Handler Layer(const std::string& name, TWindowSubclass*& self) {
        return [this, name, &self](HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_USER)
                trace.push_back(name);
            return self->CallPrevious(target, message, wParam, lParam);
        };
    }

    HWND window = nullptr;
    std::vector<std::string> trace;
};

TEST_F(WindowThunkTest, LayersSeeMessagesNewestFirstAndEachReachesItsOwnPrevious) {
    TWindowSubclass* outerSelf = nullptr;
    TWindowSubclass* innerSelf = nullptr;
    TWindowSubclass inner(Layer("inner", innerSelf));
    innerSelf = &inner;
    TWindowSubclass outer(Layer("outer", outerSelf));
    outerSelf = &outer;
    ASSERT_TRUE(inner.Attach(window));
    ASSERT_TRUE(outer.Attach(window));
    EXPECT_FALSE(inner.Attach(window)) << "one window per subclass";
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 7);
    EXPECT_EQ(trace, (std::vector<std::string>{"outer", "inner", "own"}));

    trace.clear();
    outer.Detach();
    inner.Detach();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), &OwnProcedure);
    SendMessageA(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, std::vector<std::string>{"own"});
}

TEST_F(WindowThunkTest, AReleasedThunkStillPassesMessagesToWhatItReplaced) {
    TWindowSubclass* innerSelf = nullptr;
    TWindowSubclass* outerSelf = nullptr;
    auto inner = std::make_unique<TWindowSubclass>(Layer("inner", innerSelf));
    innerSelf = inner.get();
    TWindowSubclass outer(Layer("outer", outerSelf));
    outerSelf = &outer;
    inner->Attach(window);
    outer.Attach(window);
    // Restored out of order: the inner layer puts the window's own procedure back, and the
    // outer one, restored after it, puts back the inner layer's released procedure.
    inner.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), &OwnProcedure);
    EXPECT_EQ(outer.CallPrevious(window, WM_USER, 0, 0), 7);
    outer.Detach();
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 7);
    EXPECT_EQ(trace, (std::vector<std::string>{"own", "own"})) << "the released layer is passed over";
}

TEST_F(WindowThunkTest, AUnicodeWindowIsSubclassedWithTheWideCalls) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = HInstance();
    windowClass.lpszClassName = u"WindowThunkTestWide";
    RegisterClassExW(&windowClass);
    HWND wide = CreateWindowExW(0, u"WindowThunkTestWide", u"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                HInstance(), nullptr);
    ASSERT_TRUE(IsWindowUnicode(wide));
    std::u16string seen;
    TWindowSubclass* self = nullptr;
    TWindowSubclass subclass([&seen, &self](HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTEXT)
            seen = reinterpret_cast<const char16_t*>(lParam);
        return self->CallPrevious(target, message, wParam, lParam);
    });
    self = &subclass;
    ASSERT_TRUE(subclass.Attach(wide));
    EXPECT_TRUE(subclass.Unicode());
    SetWindowTextA(wide, "你好");
    EXPECT_EQ(seen, u"你好") << "the handler gets the text in the window's own character set";
    subclass.Detach();
    EXPECT_EQ(GetWindowLongPtrW(wide, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    DestroyWindow(wide);
}

} // namespace
