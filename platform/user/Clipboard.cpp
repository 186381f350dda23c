#include "platform/user/Clipboard.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/sys/GlobalMemory.h"

#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace {

struct ClipboardState {
    bool open = false;
    HWND openedBy = nullptr;
    HWND owner = nullptr;
    std::map<UINT, HGLOBAL> held;     // handed over by SetClipboardData, freed when emptied
    std::map<UINT, HGLOBAL> rendered; // texts made for GetClipboardData, freed when closed
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

bool IsTextFormat(UINT format) {
    return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
}

bool RequireOpen() {
    if (!State().open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return false;
    }
    return true;
}

void FreeAll(std::map<UINT, HGLOBAL>& blocks) {
    for (auto& [format, block] : blocks)
        GlobalFree(block);
    blocks.clear();
}

template <typename Char>
std::basic_string<Char> ReadTerminated(HGLOBAL block) {
    const SIZE_T bytes = GlobalSize(block);
    const Char* memory = static_cast<const Char*>(GlobalLock(block));
    if (!memory)
        return {};
    // The text ends at its terminator, or at the block's end when it has none.
    const std::size_t limit = bytes / sizeof(Char);
    std::size_t length = 0;
    while (length < limit && memory[length] != 0)
        ++length;
    std::basic_string<Char> text(memory, length);
    GlobalUnlock(block);
    return text;
}

std::u16string WithoutCarriageReturns(const std::u16string& text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n'))
            result.push_back(text[i]);
    }
    return result;
}

std::u16string WithCarriageReturns(const std::u16string& text) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            result.push_back(u'\r');
        result.push_back(text[i]);
    }
    return result;
}

HGLOBAL BlockWith(const void* data, std::size_t bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block)
        return nullptr;
    std::memcpy(GlobalLock(block), data, bytes);
    GlobalUnlock(block);
    return block;
}

// The desktop's text in the asked format, terminated.
HGLOBAL RenderText(UINT format) {
    std::optional<std::u16string> text = platform::Display().ClipboardText();
    if (!text)
        return nullptr;
    std::u16string wide = WithCarriageReturns(*text);
    if (format == CF_UNICODETEXT)
        return BlockWith(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    std::string gbk = platform::Utf16ToGbk(wide);
    return BlockWith(gbk.c_str(), gbk.size() + 1);
}

} // namespace

BOOL OpenClipboard(HWND owner) {
    ClipboardState& state = State();
    if (state.open) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    state.open = true;
    state.openedBy = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    if (!RequireOpen())
        return FALSE;
    ClipboardState& state = State();
    FreeAll(state.rendered);
    state.open = false;
    state.openedBy = nullptr;
    return TRUE;
}

BOOL EmptyClipboard() {
    if (!RequireOpen())
        return FALSE;
    ClipboardState& state = State();
    FreeAll(state.held);
    FreeAll(state.rendered);
    // The texts live in the desktop's clipboard, which is emptied too: a text copied before
    // must not stay available.
    platform::Display().ClearClipboardText();
    state.owner = state.openedBy;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (!RequireOpen())
        return nullptr;
    if (!data || GlobalSize(data) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ClipboardState& state = State();
    if (IsTextFormat(format)) {
        std::u16string wide = format == CF_UNICODETEXT ? ReadTerminated<char16_t>(data)
                                                       : platform::GbkToUtf16(ReadTerminated<char>(data));
        platform::Display().SetClipboardText(WithoutCarriageReturns(wide));
        // One text at a time: the other text formats are rendered from it.
        for (UINT other : {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT}) {
            auto it = state.held.find(other);
            if (it != state.held.end() && it->second != data) {
                GlobalFree(it->second);
                state.held.erase(it);
            }
        }
    }
    auto it = state.held.find(format);
    if (it != state.held.end() && it->second != data)
        GlobalFree(it->second);
    state.held[format] = data;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    if (!RequireOpen())
        return nullptr;
    ClipboardState& state = State();
    if (!IsTextFormat(format)) {
        auto it = state.held.find(format);
        return it == state.held.end() ? nullptr : it->second;
    }
    auto it = state.rendered.find(format);
    if (it != state.rendered.end())
        return it->second;
    HGLOBAL block = RenderText(format);
    if (block)
        state.rendered[format] = block;
    return block;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    if (IsTextFormat(format))
        return platform::Display().ClipboardText().has_value() ? TRUE : FALSE;
    return State().held.count(format) ? TRUE : FALSE;
}

HWND GetClipboardOwner() {
    return State().owner;
}

HWND GetOpenClipboardWindow() {
    return State().open ? State().openedBy : nullptr;
}
