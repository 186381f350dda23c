#pragma once
// Context-help mode (SC_CONTEXTHELP): the pointer becomes the help cursor until the next click,
// which asks the window under it for help with WM_HELP; Escape or a click elsewhere ends it.

#include "platform/user/Window.h"

namespace platform {

void RunContextHelp(Window& window);

} // namespace platform
