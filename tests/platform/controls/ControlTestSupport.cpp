#include "ControlTestSupport.h"

namespace testing_support {

void ControlTest::SetUp() {
    WindowTest::SetUp();
    m_parent = CreateTopLevel(ParentX, ParentY, 400, 300, WS_POPUP | WS_VISIBLE);
    ASSERT_NE(m_parent, nullptr);
}

HWND ControlTest::CreateControl(const char* className, const char* text, DWORD style, int x, int y, int width,
                                int height, int id) {
    HWND control =
        CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(control, nullptr) << className;
    return control;
}

std::vector<WORD> ControlTest::Notifications(HWND control) const {
    std::vector<WORD> codes;
    for (const LoggedMessage& m : Logged(m_parent, WM_COMMAND)) {
        if (reinterpret_cast<HWND>(m.lParam) == control) {
            EXPECT_EQ(LOWORD(m.wParam), GetDlgCtrlID(control)) << "the id travels in the low word";
            codes.push_back(HIWORD(m.wParam));
        }
    }
    return codes;
}

int ControlTest::CountPixels(HWND control, const RECT& area, COLORREF colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (platform::headless::ReadPixel(control, x, y) == colour)
                ++count;
        }
    }
    return count;
}

POINT ControlTest::OnScreen(HWND control, int x, int y) {
    POINT point{x, y};
    ClientToScreen(control, &point);
    return point;
}

} // namespace testing_support
