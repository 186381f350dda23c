#include "CommonControlTestSupport.h"

namespace testing_support {

void CommonControlTest::SetUp() {
    WindowTest::SetUp();
    InitCommonControls();
    SetHandler([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_NOTIFY) {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            m_notifications.push_back(header);
            if (m_notifyAnswer)
                return m_notifyAnswer(header);
            return std::nullopt;
        }
        if (m_otherHandler)
            return m_otherHandler(window, message, wParam, lParam);
        return std::nullopt;
    });
}

void CommonControlTest::AnswerNotify(std::function<std::optional<LRESULT>(const NMHDR&)> answer) {
    m_notifyAnswer = std::move(answer);
}

void CommonControlTest::AlsoHandle(MessageHandler handler) {
    m_otherHandler = std::move(handler);
}

HWND CommonControlTest::CreateParent(int clientWidth, int clientHeight, bool ansi) {
    RECT rect{0, 0, clientWidth, clientHeight};
    DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    AdjustWindowRect(&rect, style, FALSE);
    return Create(style, 100, 100, rect.right - rect.left, rect.bottom - rect.top, nullptr, 0, 0, ansi);
}

std::vector<UINT> CommonControlTest::NotifyCodes() const {
    std::vector<UINT> codes;
    for (const NMHDR& header : m_notifications)
        codes.push_back(header.code);
    return codes;
}

POINT CommonControlTest::ScreenPoint(HWND control, int x, int y) {
    POINT point{x, y};
    ClientToScreen(control, &point);
    return point;
}

namespace {

template <typename Test>
bool AnyPixelWhere(HWND window, const RECT& rect, Test test) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (test(platform::headless::ReadPixel(window, x, y)))
                return true;
        }
    }
    return false;
}

} // namespace

bool AnyPixel(HWND window, const RECT& rect, COLORREF colour) {
    return AnyPixelWhere(window, rect, [colour](COLORREF c) { return c == colour; });
}

bool AnyPixelBut(HWND window, const RECT& rect, COLORREF colour) {
    return AnyPixelWhere(window, rect, [colour](COLORREF c) { return c != colour; });
}

} // namespace testing_support
