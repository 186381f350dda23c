#pragma once
// Shared pieces of the window manager tests: a fixture on the headless display that leaves no
// window, message or hook behind, and a window class whose procedure logs every message and
// lets a test answer any of them.

#include "platform/display/Headless.h"
#include "platform/user/WinUser.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <ostream>

// Rectangles compare and print in test expectations.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace testing_support {

struct LoggedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Answers a message instead of DefWindowProc when it returns a value.
using MessageHandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class WindowTest : public ::testing::Test {
public:
    static constexpr const char* ClassName = "QuillmereTestWindow";
    static constexpr const char* DoubleClickClassName = "QuillmereTestWindowDbl";
    static constexpr const char* AnsiClassName = "QuillmereTestWindowA";

protected:
    void SetUp() override;
    void TearDown() override;

    // A window of the logging class (wide procedure unless ansi is set).
    HWND Create(DWORD style, int x, int y, int width, int height, HWND parent = nullptr, DWORD exStyle = 0,
                int id = 0, bool ansi = false);
    HWND CreateTopLevel(int x = 100, int y = 100, int width = 300, int height = 200,
                        DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND CreateChild(HWND parent, int x, int y, int width, int height, int id = 1,
                     DWORD style = WS_CHILD | WS_VISIBLE);

    // Messages logged since the last ClearLog, optionally only those of one window and only the
    // listed message numbers.
    std::vector<UINT> Messages(HWND window = nullptr, std::vector<UINT> only = {}) const;
    std::vector<LoggedMessage> Logged(HWND window, UINT message) const;
    void ClearLog();
};

// The handler the logging procedure asks first; reset by every test.
void SetHandler(MessageHandler handler);
std::vector<LoggedMessage>& Log();

// Messages of interest for order checks (no cursor, hit-test or text queries).
std::vector<UINT> WithoutNoise(const std::vector<UINT>& messages);

} // namespace testing_support
