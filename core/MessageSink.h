#pragma once
// The one place through which code below the GUI framework shows a message to the person
// using the program. By default the message goes to stderr as UTF-8; the framework replaces
// the sink with a message box, and tests replace it to see what would be shown.

#include <functional>
#include <string>
#include <string_view>

// Receives the message text (GBK; lines separated by CR, LF or CR LF).
using TMessageSink = std::function<void(const std::string& text)>;

// Shows the text through the current sink.
void ShowMessage(std::string_view text);

// Installs a sink and returns the one it replaces. An empty sink restores the default.
TMessageSink SetMessageSink(TMessageSink sink);

// The default sink: the text converted to UTF-8, every line break as one newline, on stderr.
void WriteMessageToStderr(const std::string& text);
