#include "platform/display/Display.h"

#include "platform/display/HeadlessDisplay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

std::unique_ptr<DisplayBackend>& Current() {
    static std::unique_ptr<DisplayBackend> display;
    return display;
}

std::unique_ptr<DisplayBackend> OpenDisplay() {
    const char* choice = std::getenv("QUILLMERE_DISPLAY");
    if (choice && std::strcmp(choice, "headless") == 0)
        return std::make_unique<HeadlessDisplay>();
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr,
                 "quillmere: cannot open the display %s: this build has no X11 display yet; "
                 "set QUILLMERE_DISPLAY=headless to run without one\n",
                 name && *name ? name : "(DISPLAY is not set)");
    std::exit(1);
}

} // namespace

DisplayBackend& Display() {
    auto& display = Current();
    if (!display)
        display = OpenDisplay();
    return *display;
}

DisplayBackend* CurrentDisplay() {
    return Current().get();
}

void SetDisplay(std::unique_ptr<DisplayBackend> display) {
    Current() = std::move(display);
}

} // namespace platform
