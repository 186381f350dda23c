#include "platform/display/Display.h"

#include "platform/display/HeadlessDisplay.h"
#include "platform/display/x11/X11Display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
    std::string error;
    if (auto display = X11Display::Open(nullptr, error))
        return display;
    std::fprintf(stderr, "quillmere: %s; set QUILLMERE_DISPLAY=headless to run without a display\n",
                 error.c_str());
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
    auto& current = Current();
    // Input keeps flowing to whoever listened to the display being replaced.
    if (current && display && !display->Sink())
        display->SetInputSink(current->Sink());
    current = std::move(display);
}

} // namespace platform
