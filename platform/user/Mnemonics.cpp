#include "platform/user/Mnemonics.h"

namespace platform {

namespace {

char16_t FoldCase(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

} // namespace

char16_t MnemonicOf(const std::u16string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1];
        ++i;
    }
    return 0;
}

bool MatchesMnemonic(char16_t mnemonic, char16_t typed) {
    return mnemonic != 0 && FoldCase(mnemonic) == FoldCase(typed);
}

} // namespace platform
