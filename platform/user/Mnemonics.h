#pragma once
// Mnemonics of menu items and controls: the character after a single "&" in the text ("&&" is a
// plain "&"), chosen by typing it in either case.

#include <string>

namespace platform {

// The mnemonic of a text, or 0.
char16_t MnemonicOf(const std::u16string& text);
// Whether the typed character chooses the mnemonic (0 is never chosen).
bool MatchesMnemonic(char16_t mnemonic, char16_t typed);

} // namespace platform
