#pragma once
// Keyboard shortcuts of menu items: a virtual key in the low byte and the modifier flags above
// it, shown and read as "Ctrl+S", "Shift+Ctrl+F1", "Alt+Del"...

#include "framework/controls/Control.h"

#include <string>
#include <string_view>

using TShortCut = WORD;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
// The key and the modifiers of a shortcut.
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "Shift+", "Ctrl+" and "Alt+" in that order, then the key's name; empty for scNone or a key
// without a name.
std::string ShortCutToText(TShortCut shortCut);
// The shortcut a text names (modifiers in any order, case ignored); scNone when it names none.
TShortCut TextToShortCut(std::string_view text);
