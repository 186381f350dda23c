#pragma once
// The driver's look at the X screen: the top-level windows shown, where they are, and whether
// what they show has settled. Kept apart from the window code, whose names Xlib's macros clash
// with.

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using XWindow = unsigned long;

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Polls every 20 ms until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int seconds = 20);

class XScreen {
public:
    static std::unique_ptr<XScreen> Open(const std::string& displayName);
    ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    std::vector<XWindow> ShownWindows();
    bool IsShown(XWindow window);
    ScreenRect Geometry(XWindow window);
    // Waits until two looks 200 ms apart see the same picture in the area.
    bool WaitUntilStill(const ScreenRect& area);
    // A window shown now that is not among the known ones, or 0.
    XWindow NewWindow(const std::set<XWindow>& known);

private:
    struct State;
    explicit XScreen(std::unique_ptr<State> state);
    std::vector<char> Pixels(const ScreenRect& area);
    std::unique_ptr<State> m_state;
};
