#include "platform/user/FrameState.h"

#include "platform/display/Display.h"
#include "platform/user/WinUser.h"

#include <set>

namespace platform {

namespace {

// Few windows are active at once; handles of windows that went are dropped as they are met.
std::set<HWND>& ActiveFrames() {
    static std::set<HWND> frames;
    return frames;
}

struct PressedButton {
    HWND window = nullptr;
    LRESULT code = HTNOWHERE;
};

PressedButton& Pressed() {
    static PressedButton pressed;
    return pressed;
}

} // namespace

bool IsFrameActive(HWND window) {
    return ActiveFrames().count(window) != 0;
}

void SetFrameActive(HWND window, bool active) {
    auto& frames = ActiveFrames();
    for (auto it = frames.begin(); it != frames.end();) {
        if (!FindLiveWindow(*it))
            it = frames.erase(it);
        else
            ++it;
    }
    if (active)
        frames.insert(window);
    else
        frames.erase(window);
}

LRESULT PressedCaptionButton(HWND window) {
    return Pressed().window == window ? Pressed().code : HTNOWHERE;
}

void SetPressedCaptionButton(HWND window, LRESULT code) {
    Pressed() = {code == HTNOWHERE ? nullptr : window, code};
}

void FrameTextChanged(Window& window) {
    if (window.IsTopLevel())
        Display().SurfaceTitled(window.handle, window.text);
    RepaintFrame(window);
}

} // namespace platform
