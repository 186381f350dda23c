// Keys and text: X key events become the platform's virtual keys with set-1 scan codes, and
// the text an input method (or the keyboard map) commits becomes characters.

#include "platform/base/CodePage.h"
#include "platform/display/x11/X11Connection.h"
#include "platform/user/VirtualKeys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <array>
#include <string>

namespace platform::x11 {

namespace {

struct KeyName {
    KeySym keysym;
    UINT virtualKey;
    UINT scanCode; // 0: the key's own code
    bool extended;
};

// Keys whose virtual key does not follow from a letter, digit or function-key number. Keys of
// the extended block carry their set-1 code, which differs from the Linux key code.
constexpr std::array<KeyName, 64> NamedKeys = {{
    {XK_BackSpace, VK_BACK, 0, false},
    {XK_Tab, VK_TAB, 0, false},
    {XK_ISO_Left_Tab, VK_TAB, 0, false},
    {XK_Return, VK_RETURN, 0, false},
    {XK_KP_Enter, VK_RETURN, 0x1C, true},
    {XK_Escape, VK_ESCAPE, 0, false},
    {XK_space, VK_SPACE, 0, false},
    {XK_Prior, VK_PRIOR, 0x49, true},
    {XK_Next, VK_NEXT, 0x51, true},
    {XK_End, VK_END, 0x4F, true},
    {XK_Home, VK_HOME, 0x47, true},
    {XK_Left, VK_LEFT, 0x4B, true},
    {XK_Up, VK_UP, 0x48, true},
    {XK_Right, VK_RIGHT, 0x4D, true},
    {XK_Down, VK_DOWN, 0x50, true},
    {XK_Insert, VK_INSERT, 0x52, true},
    {XK_Delete, VK_DELETE, 0x53, true},
    {XK_Print, VK_SNAPSHOT, 0x37, true},
    {XK_Pause, VK_PAUSE, 0x45, false},
    {XK_Scroll_Lock, VK_SCROLL, 0, false},
    {XK_Num_Lock, VK_NUMLOCK, 0x45, true},
    {XK_Caps_Lock, VK_CAPITAL, 0, false},
    {XK_Shift_L, VK_LSHIFT, 0, false},
    {XK_Shift_R, VK_RSHIFT, 0, false},
    {XK_Control_L, VK_LCONTROL, 0, false},
    {XK_Control_R, VK_RCONTROL, 0x1D, true},
    {XK_Alt_L, VK_LMENU, 0, false},
    {XK_Alt_R, VK_RMENU, 0x38, true},
    {XK_Meta_L, VK_LMENU, 0, false},
    {XK_ISO_Level3_Shift, VK_RMENU, 0x38, true},
    {XK_Super_L, VK_LWIN, 0x5B, true},
    {XK_Super_R, VK_RWIN, 0x5C, true},
    {XK_Menu, VK_APPS, 0x5D, true},
    {XK_KP_Multiply, VK_MULTIPLY, 0, false},
    {XK_KP_Add, VK_ADD, 0, false},
    {XK_KP_Separator, VK_SEPARATOR, 0, false},
    {XK_KP_Subtract, VK_SUBTRACT, 0, false},
    {XK_KP_Decimal, VK_DECIMAL, 0, false},
    {XK_KP_Delete, VK_DECIMAL, 0, false},
    {XK_KP_Divide, VK_DIVIDE, 0x35, true},
    {XK_KP_Insert, VK_NUMPAD0, 0, false},
    {XK_KP_End, VK_NUMPAD0 + 1, 0, false},
    {XK_KP_Down, VK_NUMPAD0 + 2, 0, false},
    {XK_KP_Next, VK_NUMPAD0 + 3, 0, false},
    {XK_KP_Left, VK_NUMPAD0 + 4, 0, false},
    {XK_KP_Begin, VK_NUMPAD0 + 5, 0, false},
    {XK_KP_Right, VK_NUMPAD0 + 6, 0, false},
    {XK_KP_Home, VK_NUMPAD0 + 7, 0, false},
    {XK_KP_Up, VK_NUMPAD0 + 8, 0, false},
    {XK_KP_Prior, VK_NUMPAD0 + 9, 0, false},
    {XK_semicolon, VK_OEM_1, 0, false},
    {XK_equal, VK_OEM_PLUS, 0, false},
    {XK_comma, VK_OEM_COMMA, 0, false},
    {XK_minus, VK_OEM_MINUS, 0, false},
    {XK_period, VK_OEM_PERIOD, 0, false},
    {XK_slash, VK_OEM_2, 0, false},
    {XK_grave, VK_OEM_3, 0, false},
    {XK_bracketleft, VK_OEM_4, 0, false},
    {XK_backslash, VK_OEM_5, 0, false},
    {XK_bracketright, VK_OEM_6, 0, false},
    {XK_apostrophe, VK_OEM_7, 0, false},
    {XK_Help, VK_HELP, 0, false},
    {XK_Clear, VK_CLEAR, 0, false},
    {XK_Cancel, VK_CANCEL, 0, false},
}};

// The virtual key of the key's unshifted symbol, as the US layout places it.
const KeyName* FindNamedKey(KeySym keysym) {
    for (const KeyName& key : NamedKeys) {
        if (key.keysym == keysym)
            return &key;
    }
    return nullptr;
}

UINT VirtualKeyOf(KeySym keysym) {
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<UINT>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<UINT>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<UINT>('0' + (keysym - XK_0));
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<UINT>(VK_NUMPAD0 + (keysym - XK_KP_0));
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return static_cast<UINT>(VK_F1 + (keysym - XK_F1));
    const KeyName* named = FindNamedKey(keysym);
    return named ? named->virtualKey : 0;
}

// The text a key press commits: through the input context when there is one, else from the
// keyboard map (Latin-1, or the character of a Unicode key symbol).
std::u16string LookUpText(XKeyEvent& event, XIC inputContext) {
    if (inputContext) {
        std::string buffer(64, '\0');
        KeySym keysym = NoSymbol;
        Status status = 0;
        int length = Xutf8LookupString(inputContext, &event, buffer.data(), static_cast<int>(buffer.size()),
                                       &keysym, &status);
        if (status == XBufferOverflow) {
            buffer.resize(static_cast<size_t>(length) + 1);
            length = Xutf8LookupString(inputContext, &event, buffer.data(), static_cast<int>(buffer.size()),
                                       &keysym, &status);
        }
        if ((status == XLookupChars || status == XLookupBoth) && length > 0)
            return Utf8ToUtf16(std::string_view(buffer.data(), static_cast<size_t>(length)));
        return {};
    }
    char latin1[32];
    KeySym keysym = NoSymbol;
    int length = XLookupString(&event, latin1, sizeof latin1, &keysym, nullptr);
    // A Unicode key symbol names its character directly.
    if (keysym >= 0x01000100 && keysym <= 0x0110FFFF) {
        char32_t c = static_cast<char32_t>(keysym - 0x01000000);
        if (c < 0x10000)
            return std::u16string(1, static_cast<char16_t>(c));
        c -= 0x10000;
        return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
    }
    std::u16string text;
    for (int i = 0; i < length; ++i)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(latin1[i])));
    return text;
}

bool IsPrintableAscii(KeySym keysym) {
    return keysym >= 0x20 && keysym < 0x7F;
}

} // namespace

KeyTranslation TranslateKey(Connection& connection, XKeyEvent& event, XIC inputContext) {
    KeyTranslation result;
    KeySym base = XkbKeycodeToKeysym(connection.display, static_cast<KeyCode>(event.keycode), 0, 0);
    result.virtualKey = VirtualKeyOf(base);
    // Linux key codes are the set-1 codes for the main block.
    result.scanCode = event.keycode >= 8 ? (event.keycode - 8) & 0xFF : 0;
    if (const KeyName* named = FindNamedKey(base)) {
        if (named->scanCode)
            result.scanCode = named->scanCode;
        result.extendedKey = named->extended;
    }
    if (event.type != KeyPress)
        return result;
    std::u16string text = LookUpText(event, inputContext);
    // The US layout the window manager translates keys with gives the same character when the
    // key's own symbol is plain ASCII, and for control characters.
    bool layoutMakesIt = result.virtualKey != 0 &&
                         (text.empty() || (text.size() == 1 && text[0] < 0x80 &&
                                           (IsPrintableAscii(base) || text[0] < 0x20 || text[0] == 0x7F)));
    if (!layoutMakesIt && !text.empty()) {
        // The character did not come from the US layout the window manager translates with
        // (an input method, another layout): it arrives as text, and the key as one that an
        // input method processed.
        result.text = std::move(text);
        if (result.virtualKey)
            result.virtualKey = VK_PROCESSKEY;
    }
    return result;
}

void OpenInputMethod(Connection& connection) {
    XSetLocaleModifiers("");
    connection.inputMethod = XOpenIM(connection.display, nullptr, nullptr, nullptr);
    if (!connection.inputMethod) {
        XSetLocaleModifiers("@im=none");
        connection.inputMethod = XOpenIM(connection.display, nullptr, nullptr, nullptr);
    }
    if (!connection.inputMethod)
        return;
    XIMStyles* styles = nullptr;
    if (XGetIMValues(connection.inputMethod, XNQueryInputStyle, &styles, nullptr) || !styles) {
        XCloseIM(connection.inputMethod);
        connection.inputMethod = nullptr;
        return;
    }
    // The window draws no preedit text of its own: the input method shows it.
    for (XIMStyle wanted : {XIMPreeditNothing | XIMStatusNothing, XIMPreeditNone | XIMStatusNone}) {
        for (unsigned short i = 0; i < styles->count_styles && !connection.inputStyle; ++i) {
            if (styles->supported_styles[i] == wanted)
                connection.inputStyle = wanted;
        }
    }
    XFree(styles);
    if (!connection.inputStyle) {
        XCloseIM(connection.inputMethod);
        connection.inputMethod = nullptr;
    }
}

XIC CreateInputContext(Connection& connection, ::Window xid) {
    if (!connection.inputMethod)
        return nullptr;
    return XCreateIC(connection.inputMethod, XNInputStyle, connection.inputStyle, XNClientWindow, xid,
                     XNFocusWindow, xid, nullptr);
}

} // namespace platform::x11
