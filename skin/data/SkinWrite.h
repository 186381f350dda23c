#pragma once
// Writing skin archives: the decompressed image from a list of entries, and its stored,
// LZHUF-compressed form. Used by the skinpack tool and by tests.

#include "core/Exception.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TSkinEntry {
    std::string Name; // GBK; stored as given, read back lower-cased
    std::vector<std::uint8_t> Data;
};

// Header (version, name-list length, two zero words), a zero-filled reserved block of the
// version's size, the names each followed by CR LF, the size table and the data. Raises
// Exception for an unknown version, a name holding CR, LF or NUL, more than SkinMaxEntries
// entries or an image larger than SkinMaxImageSize.
std::vector<std::uint8_t> BuildSkinImage(std::int32_t version, const std::vector<TSkinEntry>& entries);

// The stored archive: the image's size as a 32-bit little-endian word, then its LZHUF stream.
std::vector<std::uint8_t> PackSkinImage(std::span<const std::uint8_t> image);
