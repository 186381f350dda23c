#include "framework/controls/Accel.h"

#include "framework/menus/MenuItem.h"

namespace {

unsigned FoldCase(unsigned c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

} // namespace

bool IsAccel(WPARAM key, std::string_view caption) {
    const auto mnemonic = static_cast<unsigned char>(MnemonicOf(caption));
    return mnemonic != 0 && key <= 0x7F && FoldCase(mnemonic) == FoldCase(static_cast<unsigned>(key));
}
