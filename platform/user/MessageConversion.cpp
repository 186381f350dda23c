// Converting messages between the ANSI (code page 936) and wide character sets on their way
// to a procedure of the other set.

#include "platform/base/CodePage.h"
#include "platform/controls/ControlTexts.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowProcedures.h"
#include "platform/user/mdi/WinMdi.h"

#include <algorithm>
#include <string>
#include <vector>

namespace platform {

namespace {

LRESULT Call(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure.function(window, message, wParam, lParam);
}

template <typename Target, typename Source>
Target CopyCreateStruct(const Source& source) {
    Target target{};
    target.lpCreateParams = source.lpCreateParams;
    target.hInstance = source.hInstance;
    target.hMenu = source.hMenu;
    target.hwndParent = source.hwndParent;
    target.cy = source.cy;
    target.cx = source.cx;
    target.y = source.y;
    target.x = source.x;
    target.style = source.style;
    target.dwExStyle = source.dwExStyle;
    return target;
}

LRESULT CallCreate(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                   bool argsUnicode) {
    if (!lParam)
        return Call(procedure, window, message, wParam, lParam);
    if (argsUnicode) {
        const auto& source = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto target = CopyCreateStruct<CREATESTRUCTA>(source);
        std::string name;
        std::string className;
        if (IS_INTRESOURCE(source.lpszName)) {
            target.lpszName = reinterpret_cast<LPCSTR>(source.lpszName);
        } else {
            name = Utf16ToGbk(WideView(source.lpszName));
            target.lpszName = name.c_str();
        }
        if (IS_INTRESOURCE(source.lpszClass)) {
            target.lpszClass = reinterpret_cast<LPCSTR>(source.lpszClass);
        } else {
            className = Utf16ToGbk(WideView(source.lpszClass));
            target.lpszClass = className.c_str();
        }
        return Call(procedure, window, message, wParam, reinterpret_cast<LPARAM>(&target));
    }
    const auto& source = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto target = CopyCreateStruct<CREATESTRUCTW>(source);
    std::u16string name;
    std::u16string className;
    if (IS_INTRESOURCE(source.lpszName)) {
        target.lpszName = reinterpret_cast<LPCWSTR>(source.lpszName);
    } else {
        name = WideFromAnsi(source.lpszName);
        target.lpszName = name.c_str();
    }
    if (IS_INTRESOURCE(source.lpszClass)) {
        target.lpszClass = reinterpret_cast<LPCWSTR>(source.lpszClass);
    } else {
        className = WideFromAnsi(source.lpszClass);
        target.lpszClass = className.c_str();
    }
    return Call(procedure, window, message, wParam, reinterpret_cast<LPARAM>(&target));
}

// A text of the MDI creation record: a class may be an atom, a title may be missing.
template <typename Target, typename Source>
const Target* ConvertedName(const Source* name, std::basic_string<Target>& storage) {
    if (!name || IS_INTRESOURCE(name))
        return reinterpret_cast<const Target*>(name);
    if constexpr (sizeof(Target) == 1)
        storage = Utf16ToGbk(WideView(name));
    else
        storage = WideFromAnsi(name);
    return storage.c_str();
}

LRESULT CallMdiCreate(Procedure procedure, HWND window, WPARAM wParam, LPARAM lParam, bool argsUnicode) {
    if (!lParam)
        return Call(procedure, window, WM_MDICREATE, wParam, lParam);
    auto convert = [&](const auto& source, auto& target, auto& className, auto& title) {
        target.szClass = ConvertedName(source.szClass, className);
        target.szTitle = ConvertedName(source.szTitle, title);
        target.hOwner = source.hOwner;
        target.x = source.x;
        target.y = source.y;
        target.cx = source.cx;
        target.cy = source.cy;
        target.style = source.style;
        target.lParam = source.lParam;
        return Call(procedure, window, WM_MDICREATE, wParam, reinterpret_cast<LPARAM>(&target));
    };
    if (argsUnicode) {
        MDICREATESTRUCTA target{};
        std::string className;
        std::string title;
        return convert(*reinterpret_cast<const MDICREATESTRUCTW*>(lParam), target, className, title);
    }
    MDICREATESTRUCTW target{};
    std::u16string className;
    std::u16string title;
    return convert(*reinterpret_cast<const MDICREATESTRUCTA*>(lParam), target, className, title);
}

LRESULT CallSetText(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    bool argsUnicode) {
    if (!lParam)
        return Call(procedure, window, message, wParam, lParam);
    if (argsUnicode) {
        std::string text = Utf16ToGbk(WideView(reinterpret_cast<LPCWSTR>(lParam)));
        return Call(procedure, window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::u16string text = WideFromAnsi(reinterpret_cast<LPCSTR>(lParam));
    return Call(procedure, window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
}

// Reads the whole text through the procedure in its own character set.
std::u16string TextThrough(Procedure procedure, HWND window, std::size_t lengthHint) {
    if (procedure.unicode) {
        std::vector<WCHAR> buffer(lengthHint + 1);
        LRESULT copied =
            Call(procedure, window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        copied = std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(lengthHint));
        return std::u16string(buffer.data(), static_cast<std::size_t>(copied));
    }
    std::vector<char> buffer(lengthHint + 1);
    LRESULT copied =
        Call(procedure, window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    copied = std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(lengthHint));
    return WideFromAnsi(std::string_view(buffer.data(), static_cast<std::size_t>(copied)));
}

LRESULT CallGetText(Procedure procedure, HWND window, WPARAM size, LPARAM lParam, bool argsUnicode) {
    if (size == 0 || !lParam)
        return Call(procedure, window, WM_GETTEXT, size, lParam);
    // The callee may need twice as many bytes as the caller has characters.
    std::size_t room = procedure.unicode ? size : size * 2;
    std::u16string text = TextThrough(procedure, window, room);
    int limit = static_cast<int>(std::min<WPARAM>(size, 0x7FFFFFFF));
    if (argsUnicode)
        return CopyToBuffer(text, reinterpret_cast<LPWSTR>(lParam), limit);
    return CopyToBuffer(Utf16ToGbk(text), reinterpret_cast<LPSTR>(lParam), limit);
}

LRESULT CallGetTextLength(Procedure procedure, HWND window, bool argsUnicode) {
    LRESULT length = Call(procedure, window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return length;
    std::u16string text = TextThrough(procedure, window, static_cast<std::size_t>(length));
    if (argsUnicode)
        return static_cast<LRESULT>(text.size());
    return static_cast<LRESULT>(Utf16ToGbk(text).size());
}

// A control's text asked by index (LB_GETTEXT...), read whole in the callee's set.
std::u16string ControlTextThrough(Procedure procedure, HWND window, ControlTextMessage text, WPARAM wParam,
                                  bool* failed) {
    UINT message = text.textMessage;
    LRESULT length = Call(procedure, window, text.lengthMessage, wParam, 0);
    *failed = length < 0;
    if (length <= 0)
        return {};
    auto size = static_cast<std::size_t>(length) + 1;
    if (procedure.unicode) {
        std::vector<WCHAR> buffer(size);
        LRESULT copied = Call(procedure, window, message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
        copied = std::clamp<LRESULT>(copied, 0, length);
        return std::u16string(buffer.data(), static_cast<std::size_t>(copied));
    }
    std::vector<char> buffer(size);
    LRESULT copied = Call(procedure, window, message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
    copied = std::clamp<LRESULT>(copied, 0, length);
    return WideFromAnsi(std::string_view(buffer.data(), static_cast<std::size_t>(copied)));
}

LRESULT CallControlText(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool argsUnicode, ControlTextMessage text) {
    if (text.kind == ControlTextKind::In)
        return CallSetText(procedure, window, message, wParam, lParam, argsUnicode);
    bool failed = false;
    std::u16string value = ControlTextThrough(procedure, window, text, wParam, &failed);
    if (failed)
        return -1;
    std::string narrow = argsUnicode ? std::string() : Utf16ToGbk(value);
    if (text.kind == ControlTextKind::Length || !lParam)
        return argsUnicode ? static_cast<LRESULT>(value.size()) : static_cast<LRESULT>(narrow.size());
    // The caller's buffer holds the text and its terminator, as the length message told.
    if (argsUnicode)
        return CopyToBuffer(value, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(value.size()) + 1);
    return CopyToBuffer(narrow, reinterpret_cast<LPSTR>(lParam), static_cast<int>(narrow.size()) + 1);
}

bool IsCharacterMessage(UINT message) {
    return message == WM_CHAR || message == WM_SYSCHAR || message == WM_DEADCHAR || message == WM_SYSDEADCHAR;
}

// A wide character becomes one or two ANSI character messages (lead byte first).
LRESULT CallCharacterAsAnsi(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char16_t wide = static_cast<char16_t>(wParam & 0xFFFF);
    std::string bytes = Utf16ToGbk(std::u16string_view(&wide, 1));
    LRESULT result = 0;
    for (char byte : bytes)
        result = Call(procedure, window, message, static_cast<BYTE>(byte), lParam);
    return result;
}

// ANSI character messages: a lead byte waits for its trail byte, then both go as one wide
// character.
LRESULT CallCharacterAsWide(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BYTE byte = static_cast<BYTE>(wParam & 0xFF);
    Window* record = FindLiveWindow(window);
    std::string bytes;
    if (record && record->pendingLeadByte) {
        bytes.push_back(static_cast<char>(record->pendingLeadByte));
        record->pendingLeadByte = 0;
    } else if (IsGbkLeadByte(byte) && record) {
        record->pendingLeadByte = byte;
        return 0;
    }
    bytes.push_back(static_cast<char>(byte));
    std::u16string wide = GbkToUtf16(bytes);
    LRESULT result = 0;
    for (char16_t c : wide)
        result = Call(procedure, window, message, c, lParam);
    return result;
}

LRESULT CallImeChar(Procedure procedure, HWND window, WPARAM wParam, LPARAM lParam, bool argsUnicode) {
    if (argsUnicode) {
        char16_t wide = static_cast<char16_t>(wParam & 0xFFFF);
        std::string bytes = Utf16ToGbk(std::u16string_view(&wide, 1));
        WPARAM packed = bytes.size() == 2 ? (static_cast<BYTE>(bytes[0]) << 8) | static_cast<BYTE>(bytes[1])
                                          : static_cast<BYTE>(bytes[0]);
        return Call(procedure, window, WM_IME_CHAR, packed, lParam);
    }
    std::string bytes;
    if (wParam > 0xFF)
        bytes.push_back(static_cast<char>((wParam >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(wParam & 0xFF));
    std::u16string wide = GbkToUtf16(bytes);
    return Call(procedure, window, WM_IME_CHAR, wide.empty() ? 0 : wide[0], lParam);
}

} // namespace

LRESULT CallWithConversion(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           bool argsUnicode) {
    switch (message) {
    case WM_NCCREATE:
    case WM_CREATE:
        return CallCreate(procedure, window, message, wParam, lParam, argsUnicode);
    case WM_SETTEXT:
        return CallSetText(procedure, window, message, wParam, lParam, argsUnicode);
    case WM_GETTEXT:
        return CallGetText(procedure, window, wParam, lParam, argsUnicode);
    case WM_GETTEXTLENGTH:
        return CallGetTextLength(procedure, window, argsUnicode);
    case WM_IME_CHAR:
        return CallImeChar(procedure, window, wParam, lParam, argsUnicode);
    case WM_MDICREATE:
        return CallMdiCreate(procedure, window, wParam, lParam, argsUnicode);
    default:
        if (IsCharacterMessage(message)) {
            return argsUnicode ? CallCharacterAsAnsi(procedure, window, message, wParam, lParam)
                               : CallCharacterAsWide(procedure, window, message, wParam, lParam);
        }
        if (ControlTextMessage text = ControlTextOf(window, message); text.kind != ControlTextKind::None)
            return CallControlText(procedure, window, message, wParam, lParam, argsUnicode, text);
        return Call(procedure, window, message, wParam, lParam);
    }
}

} // namespace platform
