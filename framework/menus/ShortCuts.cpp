#include "framework/menus/ShortCuts.h"

#include "core/TextUtils.h"
#include "platform/user/VirtualKeys.h"

#include <array>
#include <utility>

namespace {

struct NamedKey {
    WORD key;
    const char* name;
};

constexpr std::array NamedKeys{
    NamedKey{VK_BACK, "BkSp"},    NamedKey{VK_TAB, "Tab"},     NamedKey{VK_ESCAPE, "Esc"},
    NamedKey{VK_RETURN, "Enter"}, NamedKey{VK_SPACE, "Space"}, NamedKey{VK_PRIOR, "PgUp"},
    NamedKey{VK_NEXT, "PgDn"},    NamedKey{VK_END, "End"},     NamedKey{VK_HOME, "Home"},
    NamedKey{VK_LEFT, "Left"},    NamedKey{VK_UP, "Up"},       NamedKey{VK_RIGHT, "Right"},
    NamedKey{VK_DOWN, "Down"},    NamedKey{VK_INSERT, "Ins"},  NamedKey{VK_DELETE, "Del"},
};

constexpr std::array Modifiers{
    std::pair{scShift, "Shift+"},
    std::pair{scCtrl, "Ctrl+"},
    std::pair{scAlt, "Alt+"},
};

std::string KeyName(WORD key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F1 + 23)
        return std::string("F").append(std::to_string(key - VK_F1 + 1));
    for (const NamedKey& named : NamedKeys) {
        if (named.key == key)
            return named.name;
    }
    return {};
}

// The key a name stands for, or 0.
WORD KeyOfName(std::string_view name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(name[0] >= 'a' && name[0] <= 'z' ? name[0] - 'a' + 'A' : name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return static_cast<WORD>(c);
    }
    for (WORD key = VK_F1; key < VK_F1 + 24; ++key) {
        if (AnsiSameText(KeyName(key), name))
            return key;
    }
    for (const NamedKey& named : NamedKeys) {
        if (AnsiSameText(named.name, name))
            return named.key;
    }
    return 0;
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key & 0xFF00)
        return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift))
        result |= scShift;
    if (shift.Contains(ssCtrl))
        result |= scCtrl;
    if (shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = TShiftState();
    if (shortCut & scShift)
        shift.Include(ssShift);
    if (shortCut & scCtrl)
        shift.Include(ssCtrl);
    if (shortCut & scAlt)
        shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut shortCut) {
    const std::string name = KeyName(shortCut & 0xFF);
    if (name.empty())
        return {};
    std::string text;
    for (const auto& [flag, prefix] : Modifiers) {
        if (shortCut & flag)
            text += prefix;
    }
    text += name;
    return text;
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut modifiers = 0;
    // Peel the modifiers off the front; what is left must be one key's name. A lone "+" after
    // them is the name of no key, so "Ctrl++" names nothing.
    for (bool found = true; found;) {
        found = false;
        for (const auto& [flag, prefix] : Modifiers) {
            const std::string_view word(prefix);
            if (text.size() > word.size() && AnsiSameText(text.substr(0, word.size()), word)) {
                modifiers |= flag;
                text.remove_prefix(word.size());
                found = true;
            }
        }
    }
    const WORD key = KeyOfName(text);
    return key ? static_cast<TShortCut>(key | modifiers) : scNone;
}
