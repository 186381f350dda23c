#pragma once
// Searching and cutting GBK text by characters: a GBK character is one byte below 0x80 or a
// lead byte 0x81-0xFE with one trail byte, and a trail byte may look like an ASCII letter or
// like the lead byte of another character, so byte-wise matching can find a text that
// starts in the middle of a character. These routines match and cut only at character
// boundaries.

#include <cstddef>
#include <string>
#include <string_view>

// Position of the first occurrence of `part` that starts on a character boundary, or npos.
std::size_t AnsiPos(std::string_view text, std::string_view part);

// The text with every occurrence of `from` (found as AnsiPos finds it) replaced by `to`.
std::string AnsiReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The length of the longest prefix of at most `maxBytes` bytes that does not cut a character
// (a lead byte at the very end, without its trail byte, is left out too).
std::size_t AnsiPrefixLength(std::string_view text, std::size_t maxBytes);
