#pragma once
// Small text helpers of the runtime for GBK strings: ASCII case, trimming, the integer
// conversions, and the locale's case-insensitive equality.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text with the letters A to Z lower-cased; every other byte is kept.
std::string LowerCase(std::string_view text);

// The text without the characters of code 32 or less at either end.
std::string Trim(std::string_view text);

// The runtime's two integer syntaxes. Both take an optional sign, then decimal digits or "$"
// and hexadecimal digits; decimal values must lie in the signed 32-bit range, hexadecimal ones
// may spell any 32-bit pattern ($FFFFFFFF is -1). Strict (StrToIntDef) takes nothing else and
// negates any hexadecimal pattern. Lenient (StrToInt) also takes leading blanks and "0x" in
// place of "$", and a negated hexadecimal value must lie in the signed range.
enum class IntegerSyntax { Strict, Lenient };

// The integer the text spells, or nothing.
std::optional<std::int32_t> ParseInt32(std::string_view text, IntegerSyntax syntax);

// The integer the text spells in the strict syntax, or the default.
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);

// True when both texts are equal apart from the case of Latin letters. Double-byte GBK
// characters are compared whole, so a trail byte that happens to be a letter is not folded.
bool AnsiSameText(std::string_view a, std::string_view b);
