#pragma once
// Mnemonics of control captions: the character after a single "&" chooses the control when it
// is typed, in either case.

#include "platform/base/WinTypes.h"

#include <string_view>

// Whether the typed character (a WM_CHAR code) is the caption's mnemonic.
bool IsAccel(WPARAM key, std::string_view caption);
