#include "platform/user/menus/MenuKeys.h"

namespace platform {

MnemonicMatch FindMnemonic(const Menu& menu, char16_t character, int from) {
    int count = static_cast<int>(menu.items.size());
    MnemonicMatch match;
    int found = 0;
    for (int step = 1; step <= count; ++step) {
        int i = ((from < 0 ? -1 : from) + step + count) % count;
        const MenuItem& item = menu.items[static_cast<size_t>(i)];
        if (item.IsSeparator() || item.IsOwnerDrawn())
            continue;
        if (MatchesMnemonic(MnemonicOf(item.text), character)) {
            if (match.item < 0)
                match.item = i;
            ++found;
        }
    }
    match.unique = found == 1;
    return match;
}

} // namespace platform
