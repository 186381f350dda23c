#pragma once
// The keyboard layout TranslateMessage uses: the US layout, with Shift, Caps Lock, Num Lock
// and Control. Characters from input methods arrive as text and need no layout.

#include "platform/base/WinTypes.h"

namespace platform {

// The character a key produces with the given key state, or 0 for none.
char16_t CharacterForKey(UINT virtualKey, const BYTE* keys);

} // namespace platform
