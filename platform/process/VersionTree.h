#pragma once
// The tree of a version resource: each node has a key, a value (text or bytes) and children
// ("VS_VERSION_INFO" > "StringFileInfo" > "080404B0" > "FileDescription"...).
//
// Executables store it with UTF-16 keys and texts. The blocks this layer hands to callers of
// GetFileVersionInfoA hold the same tree with GBK keys and texts, node by node:
//   WORD length (of the node with its children), WORD value length (bytes; texts include
//   their NUL), WORD type (1 text, 0 bytes), the key with its NUL, padding to a multiple of
//   4 from the block's start, the value, padding, the children.
// VerQueryValueA walks that layout; every length is checked against its parent's.

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct VersionNode {
    std::string key; // GBK
    bool isText = false;
    std::string text;                // GBK, for text nodes
    std::vector<std::uint8_t> bytes; // for binary nodes
    std::vector<VersionNode> children;

    const VersionNode* Child(const std::string& childKey) const;
};

// Reads the UTF-16 resource as stored in executables; nothing if its root does not parse.
std::optional<VersionNode> ParseVersionResource(std::span<const std::uint8_t> resource);
// The GBK block described above.
std::vector<std::uint8_t> SerializeAnsiBlock(const VersionNode& root);
// Finds the value of "\", "\VarFileInfo\Translation", "\StringFileInfo\<key>\<name>"... in a
// GBK block whose root length may not exceed `blockSize`.
bool QueryAnsiBlock(const std::uint8_t* block, std::size_t blockSize, const std::string& subBlock,
                    const void** value, UINT* length);

} // namespace platform
