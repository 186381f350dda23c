#pragma once
// Small text helpers of the runtime for GBK strings: ASCII case, trimming, the integer
// conversion with a default, and the locale's case-insensitive equality.

#include <cstdint>
#include <string>
#include <string_view>

// The text with the letters A to Z lower-cased; every other byte is kept.
std::string LowerCase(std::string_view text);

// The text without the characters of code 32 or less at either end.
std::string Trim(std::string_view text);

// The integer the text spells, or the default. Accepted: an optional sign, then decimal digits
// or "$" and hexadecimal digits. Decimal values outside the 32-bit range give the default;
// hexadecimal values up to $FFFFFFFF wrap to the signed range.
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);

// True when both texts are equal apart from the case of Latin letters. Double-byte GBK
// characters are compared whole, so a trail byte that happens to be a letter is not folded.
bool AnsiSameText(std::string_view a, std::string_view b);
