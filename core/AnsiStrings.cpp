#include "core/AnsiStrings.h"

#include "platform/base/CodePage.h"

namespace {
std::size_t CharacterLength(std::string_view text, std::size_t position) {
    return platform::IsGbkLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < text.size()
               ? 2
               : 1;
}
} // namespace

std::size_t AnsiPos(std::string_view text, std::string_view part) {
    if (part.empty())
        return std::string_view::npos;
    for (std::size_t position = 0; position + part.size() <= text.size();
         position += CharacterLength(text, position)) {
        if (text.compare(position, part.size(), part) == 0)
            return position;
    }
    return std::string_view::npos;
}

std::string AnsiReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    while (true) {
        std::size_t found = AnsiPos(text, from);
        if (found == std::string_view::npos)
            break;
        result.append(text.substr(0, found));
        result.append(to);
        text.remove_prefix(found + from.size());
    }
    result.append(text);
    return result;
}

std::size_t AnsiPrefixLength(std::string_view text, std::size_t maxBytes) {
    // Walks from the start, since only the start is known to be a character boundary; a lead
    // byte whose trail byte lies beyond the limit is left out.
    std::size_t limit = text.size() < maxBytes ? text.size() : maxBytes;
    std::size_t length = 0;
    while (length < limit) {
        std::size_t next =
            length + (platform::IsGbkLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1);
        if (next > limit)
            break;
        length = next;
    }
    return length;
}
