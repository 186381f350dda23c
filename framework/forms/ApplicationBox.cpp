#include "framework/forms/Application.h"

#include "core/MessageSink.h"

// The platform has no message box yet: until it has, the box's caption and text are written
// where the code's default message sink writes them.
int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT) {
    WriteMessageToStderr(caption.empty() ? text : caption + ": " + text);
    return 1;
}
