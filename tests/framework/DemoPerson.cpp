#include "DemoPerson.h"

#include "tests/platform/display/DemoProgram.h"

#include "platform/display/Headless.h"
#include "platform/gdi/WinRect.h"

#include <time.h>

#include <fstream>

namespace testing_support {

std::uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

POINT FindActiveCaption(const std::function<std::uint32_t(int, int)>& at, RECT area) {
    const std::uint32_t caption = Rgb(GetSysColor(COLOR_ACTIVECAPTION));
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; x += 2) {
            if (at(x, y) == caption) {
                while (x > area.left && at(x - 1, y) == caption)
                    --x;
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

std::map<std::string, std::string> ReadReport(const std::string& path) {
    std::ifstream file(path);
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

POINT ScreenPointOf(TControl* control, int x, int y) {
    const TPoint point = control->ClientToScreen(Point(x, y));
    return {point.x, point.y};
}

POINT CentreOf(TWinControl* control) {
    RECT rect{};
    GetWindowRect(control->Handle(), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Person::Click(POINT headless) {
    Move(headless);
    m_client.Button(1, true);
    m_client.Button(1, false);
}

void Person::Drag(POINT from, POINT to) {
    Move(from);
    m_client.Button(1, true);
    for (int step = 1; step <= 4; ++step)
        Move({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
    m_client.Button(1, false);
}

void Person::Move(POINT headless) {
    m_client.MovePointer(headless.x + m_offset.x, headless.y + m_offset.y);
}

void Person::Press(unsigned long keysym) {
    m_client.Key(keysym, true);
    m_client.Key(keysym, false);
}

void Person::Type(const std::string& letters) {
    for (char c : letters)
        Press(static_cast<unsigned char>(c));
}

std::uint32_t Person::Pixel(POINT headless) {
    return m_client.ScreenPixel(headless.x + m_offset.x, headless.y + m_offset.y);
}

bool Person::WaitUntilStill(RECT headless) {
    // Still by the clock, not by a count of looks: on a loaded machine a look takes long enough
    // that a count would span a caret's blink.
    auto milliseconds = [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return now.tv_sec * 1000L + now.tv_nsec / 1000000L;
    };
    std::uint64_t last = Picture(headless);
    long since = milliseconds();
    return WaitFor([&] {
        const std::uint64_t now = Picture(headless);
        if (now != last) {
            last = now;
            since = milliseconds();
            return false;
        }
        return milliseconds() - since >= 200;
    });
}

std::uint64_t Person::Picture(RECT headless) {
    const int left = headless.left + m_offset.x;
    const int top = headless.top + m_offset.y;
    const ScreenArea area = m_client.ReadScreen(left, top, RectWidth(headless), RectHeight(headless));
    std::uint64_t hash = 1469598103934665603ull;
    for (int y = top; y < top + RectHeight(headless); ++y) {
        for (int x = left; x < left + RectWidth(headless); ++x)
            hash = (hash ^ area.Pixel(x, y)) * 1099511628211ull;
    }
    return hash;
}

bool FindScreenOffset(XTestClient& client, HWND headlessForm, int screenWidth, int screenHeight,
                      POINT& offset) {
    RECT headlessWindow{};
    GetWindowRect(headlessForm, &headlessWindow);
    POINT headlessCaption = FindActiveCaption(
        [headlessForm](int x, int y) { return Rgb(platform::headless::ReadPixel(headlessForm, x, y)); },
        RECT{0, 0, RectWidth(headlessWindow), RectHeight(headlessWindow) / 2});
    if (headlessCaption.x < 0)
        return false;
    headlessCaption.x += headlessWindow.left;
    headlessCaption.y += headlessWindow.top;
    POINT caption{-1, -1};
    const bool shown = WaitFor([&] {
        // The screen read at once: read pixel by pixel, a caption turning active meanwhile
        // would be found too low.
        const ScreenArea screen = client.ReadScreen(0, 0, screenWidth, screenHeight / 2);
        caption = FindActiveCaption([&](int x, int y) { return screen.Pixel(x, y); },
                                    RECT{0, 0, screenWidth, screenHeight / 2});
        return caption.x >= 0;
    });
    if (!shown)
        return false;
    offset = {caption.x - headlessCaption.x, caption.y - headlessCaption.y};
    return true;
}

} // namespace testing_support
