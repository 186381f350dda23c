#include "core/MessageSink.h"

#include "platform/base/CodePage.h"

#include <cstdio>

namespace {

TMessageSink& CurrentSink() {
    static TMessageSink sink = WriteMessageToStderr;
    return sink;
}

// A CR, LF or CR LF becomes one newline, so a CR does not overwrite the line on a terminal.
std::string WithNewlines(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result += text[i];
        }
    }
    if (result.empty() || result.back() != '\n')
        result += '\n';
    return result;
}

} // namespace

void ShowMessage(std::string_view text) {
    CurrentSink()(std::string(text));
}

TMessageSink SetMessageSink(TMessageSink sink) {
    TMessageSink previous = std::move(CurrentSink());
    CurrentSink() = sink ? std::move(sink) : TMessageSink(WriteMessageToStderr);
    return previous;
}

void WriteMessageToStderr(const std::string& text) {
    std::string utf8 = WithNewlines(platform::GbkToUtf8(text));
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}
