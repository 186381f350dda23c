#pragma once
// The process's display, chosen on first use: headless when QUILLMERE_DISPLAY is "headless",
// otherwise the X server named by DISPLAY. When no display can be opened the program says so
// and exits with status 1.

#include "platform/display/DisplayBackend.h"

#include <memory>

namespace platform {

DisplayBackend& Display();
// The display if one was chosen already, else null (and nothing is opened).
DisplayBackend* CurrentDisplay();

// Replaces the display before or after first use (tests choose headless this way).
void SetDisplay(std::unique_ptr<DisplayBackend> display);

} // namespace platform
