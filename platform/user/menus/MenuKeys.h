#pragma once
// Mnemonics: the character after a single "&" in an item's text ("&&" is a plain "&").

#include "platform/user/menus/MenuObject.h"

namespace platform {

char16_t MnemonicOf(const std::u16string& text);

struct MnemonicMatch {
    int item = -1;
    bool unique = false; // the only item with that mnemonic: it is chosen, not just selected
};
// The next item after `from` (wrapping) whose mnemonic is the character, case aside.
MnemonicMatch FindMnemonic(const Menu& menu, char16_t character, int from);

} // namespace platform
