#pragma once
// Choosing menu items by their mnemonics.

#include "platform/user/Mnemonics.h"
#include "platform/user/menus/MenuObject.h"

namespace platform {

struct MnemonicMatch {
    int item = -1;
    bool unique = false; // the only item with that mnemonic: it is chosen, not just selected
};
// The next item after `from` (wrapping) whose mnemonic is the character, case aside.
MnemonicMatch FindMnemonic(const Menu& menu, char16_t character, int from);

} // namespace platform
