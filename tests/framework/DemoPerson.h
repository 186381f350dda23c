#pragma once
// What the display tests of the demo program share: the person at the test X server, who aims at
// points measured on the same form built on the headless display (both windows are drawn by the
// same code, so a point keeps its distance from the caption), and the report the demo writes
// at its end.

#include "tests/platform/display/XTestClient.h"

#include "framework/controls/WinControl.h"
#include "platform/gdi/WinUserDraw.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace testing_support {

// X key symbols of the keys pressed besides letters.
constexpr unsigned long TabKey = 0xFF09;
constexpr unsigned long AltKey = 0xFFE9;
constexpr unsigned long LeftKey = 0xFF51;
constexpr unsigned long RightKey = 0xFF53;
constexpr unsigned long DownKey = 0xFF54;
constexpr unsigned long SpaceKey = 0x0020;

// A colour as the screen's pixels hold it (0x00RRGGBB).
std::uint32_t Rgb(COLORREF colour);

// The top-left pixel of the active caption among the pixels `at` reads, or (-1, -1).
POINT FindActiveCaption(const std::function<std::uint32_t(int, int)>& at, RECT area);

// The name=value lines of the demo's report.
std::map<std::string, std::string> ReadReport(const std::string& path);

// The screen position of a control's client point, and the centre of a window.
POINT ScreenPointOf(TControl* control, int x, int y);
POINT CentreOf(TWinControl* control);

// The person at the X server, aiming at points measured on the headless form.
class Person {
public:
    Person(XTestClient& client, POINT offset) : m_client(client), m_offset(offset) {}

    void Click(POINT headless);
    void Drag(POINT from, POINT to);
    void Move(POINT headless);
    void Press(unsigned long keysym);
    void Type(const std::string& letters);
    std::uint32_t Pixel(POINT headless);
    // Waits until the rectangle's picture has not changed for 200 ms: what the program was
    // still drawing has been drawn.
    bool WaitUntilStill(RECT headless);
    // The pixels of a headless rectangle, as the X screen shows them at one moment, folded into
    // one number.
    std::uint64_t Picture(RECT headless);

private:
    XTestClient& m_client;
    POINT m_offset;
};

// Waits for the form's window to show on the X screen with an active caption and gives the
// offset from the headless form's screen positions to the X screen's; false when it did not.
bool FindScreenOffset(XTestClient& client, HWND headlessForm, int screenWidth, int screenHeight,
                      POINT& offset);

} // namespace testing_support
