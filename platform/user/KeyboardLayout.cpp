#include "platform/user/KeyboardLayout.h"

#include "platform/user/VirtualKeys.h"

namespace platform {

namespace {

bool Down(const BYTE* keys, UINT key) {
    return (keys[key] & 0x80) != 0;
}

bool Toggled(const BYTE* keys, UINT key) {
    return (keys[key] & 0x01) != 0;
}

struct Punctuation {
    UINT key;
    char16_t plain;
    char16_t shifted;
};

constexpr Punctuation PunctuationKeys[] = {
    {VK_OEM_1, u';', u':'},     {VK_OEM_PLUS, u'=', u'+'},   {VK_OEM_COMMA, u',', u'<'},
    {VK_OEM_MINUS, u'-', u'_'}, {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'},
    {VK_OEM_3, u'`', u'~'},     {VK_OEM_4, u'[', u'{'},      {VK_OEM_5, u'\\', u'|'},
    {VK_OEM_6, u']', u'}'},     {VK_OEM_7, u'\'', u'"'},
};

constexpr char16_t ShiftedDigits[] = u")!@#$%^&*(";

} // namespace

char16_t CharacterForKey(UINT virtualKey, const BYTE* keys) {
    bool shift = Down(keys, VK_SHIFT);
    bool control = Down(keys, VK_CONTROL);
    bool alt = Down(keys, VK_MENU);
    if (control && alt)
        return 0;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        if (control)
            return static_cast<char16_t>(virtualKey - 'A' + 1);
        bool upper = shift != Toggled(keys, VK_CAPITAL);
        return static_cast<char16_t>(upper ? virtualKey : virtualKey - 'A' + 'a');
    }
    if (control) {
        switch (virtualKey) {
        case VK_RETURN:
            return u'\n';
        case VK_BACK:
            return 0x7F;
        case VK_ESCAPE:
            return 0x1B;
        case VK_OEM_4:
            return 0x1B;
        case VK_OEM_5:
            return 0x1C;
        case VK_OEM_6:
            return 0x1D;
        default:
            return 0;
        }
    }
    if (virtualKey >= '0' && virtualKey <= '9')
        return shift ? ShiftedDigits[virtualKey - '0'] : static_cast<char16_t>(virtualKey);
    for (const Punctuation& p : PunctuationKeys) {
        if (p.key == virtualKey)
            return shift ? p.shifted : p.plain;
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return Toggled(keys, VK_NUMLOCK) ? static_cast<char16_t>(u'0' + (virtualKey - VK_NUMPAD0)) : 0;
    switch (virtualKey) {
    case VK_SPACE:
        return u' ';
    case VK_RETURN:
        return u'\r';
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return u'\t';
    case VK_ESCAPE:
        return 0x1B;
    case VK_MULTIPLY:
        return u'*';
    case VK_ADD:
        return u'+';
    case VK_SUBTRACT:
        return u'-';
    case VK_DIVIDE:
        return u'/';
    case VK_DECIMAL:
        return Toggled(keys, VK_NUMLOCK) ? u'.' : 0;
    default:
        return 0;
    }
}

} // namespace platform
