#include "platform/process/VersionTree.h"

#include "platform/base/CodePage.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace platform {

namespace {

constexpr std::size_t NodeHeaderSize = 6; // length, value length, type

std::size_t AlignUp(std::size_t offset) {
    return (offset + 3) & ~static_cast<std::size_t>(3);
}

WORD ReadWord(std::span<const std::uint8_t> data, std::size_t offset) {
    return static_cast<WORD>(data[offset] | (data[offset + 1] << 8));
}

// One UTF-16 node starting at `offset` (offsets count from the resource's start, which is
// where the padding is measured from) and ending at or before `limit`.
std::optional<VersionNode> ParseNode(std::span<const std::uint8_t> data, std::size_t offset,
                                     std::size_t limit, int depth) {
    if (depth > 8 || offset + NodeHeaderSize > limit)
        return std::nullopt;
    std::size_t length = ReadWord(data, offset);
    std::size_t valueLength = ReadWord(data, offset + 2);
    WORD type = ReadWord(data, offset + 4);
    if (length < NodeHeaderSize || offset + length > limit)
        return std::nullopt;
    std::size_t end = offset + length;
    VersionNode node;
    node.isText = type == 1;

    std::u16string key;
    std::size_t cursor = offset + NodeHeaderSize;
    for (;; cursor += 2) {
        if (cursor + 2 > end)
            return std::nullopt;
        char16_t c = ReadWord(data, cursor);
        if (c == 0)
            break;
        key += c;
    }
    node.key = Utf16ToGbk(key);
    cursor = AlignUp(cursor + 2);

    // Texts count their length in characters; some tools wrote bytes instead, so the text
    // simply ends at its NUL or at the node's end, whichever comes first.
    std::size_t valueBytes = node.isText ? valueLength * 2 : valueLength;
    std::size_t valueEnd = std::min(cursor + valueBytes, end);
    if (node.isText) {
        std::u16string text;
        for (std::size_t at = cursor; at + 2 <= valueEnd; at += 2) {
            char16_t c = ReadWord(data, at);
            if (c == 0)
                break;
            text += c;
        }
        node.text = Utf16ToGbk(text);
    } else if (valueEnd > cursor) {
        node.bytes.assign(data.begin() + static_cast<std::ptrdiff_t>(cursor),
                          data.begin() + static_cast<std::ptrdiff_t>(valueEnd));
    }
    cursor = AlignUp(valueEnd);

    while (cursor + NodeHeaderSize <= end) {
        std::size_t childLength = ReadWord(data, cursor);
        if (childLength == 0)
            break;
        auto child = ParseNode(data, cursor, end, depth + 1);
        if (!child)
            break; // a damaged child ends the list; what was read stays usable
        node.children.push_back(std::move(*child));
        cursor = AlignUp(cursor + childLength);
    }
    return node;
}

void PutWord(std::vector<std::uint8_t>& out, std::size_t offset, std::size_t value) {
    out[offset] = static_cast<std::uint8_t>(value & 0xFF);
    out[offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void Pad(std::vector<std::uint8_t>& out) {
    out.resize(AlignUp(out.size()), 0);
}

void AppendNode(std::vector<std::uint8_t>& out, const VersionNode& node) {
    std::size_t start = out.size();
    out.resize(start + NodeHeaderSize, 0);
    out.insert(out.end(), node.key.begin(), node.key.end());
    out.push_back(0);
    Pad(out);
    std::size_t valueLength = 0;
    if (node.isText) {
        out.insert(out.end(), node.text.begin(), node.text.end());
        out.push_back(0);
        valueLength = node.text.size() + 1;
    } else {
        out.insert(out.end(), node.bytes.begin(), node.bytes.end());
        valueLength = node.bytes.size();
    }
    for (const VersionNode& child : node.children) {
        Pad(out);
        AppendNode(out, child);
    }
    std::size_t length = out.size() - start;
    PutWord(out, start, length);
    PutWord(out, start + 2, valueLength);
    PutWord(out, start + 4, node.isText ? 1 : 0);
}

struct AnsiNode {
    std::size_t start;
    std::size_t end;
    std::string_view key;
    std::size_t value;
    std::size_t valueLength;
    std::size_t firstChild;
};

std::optional<AnsiNode> ReadAnsiNode(const std::uint8_t* block, std::size_t offset, std::size_t limit) {
    if (offset + NodeHeaderSize > limit)
        return std::nullopt;
    std::size_t length = block[offset] | (block[offset + 1] << 8);
    std::size_t valueLength = block[offset + 2] | (block[offset + 3] << 8);
    if (length < NodeHeaderSize || offset + length > limit)
        return std::nullopt;
    AnsiNode node{offset, offset + length, {}, 0, valueLength, 0};
    const char* key = reinterpret_cast<const char*>(block + offset + NodeHeaderSize);
    std::size_t room = node.end - (offset + NodeHeaderSize);
    std::size_t keyLength = strnlen(key, room);
    if (keyLength == room)
        return std::nullopt;
    node.key = std::string_view(key, keyLength);
    node.value = AlignUp(offset + NodeHeaderSize + keyLength + 1);
    if (node.value + valueLength > node.end)
        return std::nullopt;
    node.firstChild = AlignUp(node.value + valueLength);
    return node;
}

} // namespace

const VersionNode* VersionNode::Child(const std::string& childKey) const {
    for (const VersionNode& child : children) {
        if (::strcasecmp(child.key.c_str(), childKey.c_str()) == 0)
            return &child;
    }
    return nullptr;
}

std::optional<VersionNode> ParseVersionResource(std::span<const std::uint8_t> resource) {
    return ParseNode(resource, 0, resource.size(), 0);
}

std::vector<std::uint8_t> SerializeAnsiBlock(const VersionNode& root) {
    std::vector<std::uint8_t> out;
    AppendNode(out, root);
    return out;
}

bool QueryAnsiBlock(const std::uint8_t* block, std::size_t blockSize, const std::string& subBlock,
                    const void** value, UINT* length) {
    auto node = ReadAnsiNode(block, 0, blockSize);
    if (!node)
        return false;
    std::size_t at = 0;
    while (at < subBlock.size()) {
        std::size_t next = subBlock.find('\\', at);
        if (next == std::string::npos)
            next = subBlock.size();
        std::string_view wanted(subBlock.data() + at, next - at);
        at = next + 1;
        if (wanted.empty())
            continue;
        std::optional<AnsiNode> match;
        for (std::size_t child = node->firstChild; child + NodeHeaderSize <= node->end;) {
            auto candidate = ReadAnsiNode(block, child, node->end);
            if (!candidate)
                break;
            if (candidate->key.size() == wanted.size() &&
                ::strncasecmp(candidate->key.data(), wanted.data(), wanted.size()) == 0) {
                match = candidate;
                break;
            }
            child = AlignUp(candidate->end);
        }
        if (!match)
            return false;
        node = match;
    }
    *value = block + node->value;
    *length = static_cast<UINT>(node->valueLength);
    return true;
}

} // namespace platform
