#include "platform/user/menus/MenuKeys.h"

namespace platform {

namespace {

char16_t Fold(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

} // namespace

char16_t MnemonicOf(const std::u16string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1];
        ++i;
    }
    return 0;
}

MnemonicMatch FindMnemonic(const Menu& menu, char16_t character, int from) {
    int count = static_cast<int>(menu.items.size());
    MnemonicMatch match;
    int found = 0;
    for (int step = 1; step <= count; ++step) {
        int i = ((from < 0 ? -1 : from) + step + count) % count;
        const MenuItem& item = menu.items[static_cast<size_t>(i)];
        if (item.IsSeparator() || item.IsOwnerDrawn())
            continue;
        char16_t mnemonic = MnemonicOf(item.text);
        if (mnemonic && Fold(mnemonic) == Fold(character)) {
            if (match.item < 0)
                match.item = i;
            ++found;
        }
    }
    match.unique = found == 1;
    return match;
}

} // namespace platform
