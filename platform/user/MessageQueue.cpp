// The thread's message queue: sent and posted messages, the quit request, input, paint and
// timer messages in the platform's order of retrieval, and the calls of the message loop.

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/Input.h"
#include "platform/user/KeyboardLayout.h"
#include "platform/user/Painting.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/Timers.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

namespace platform {

namespace {

struct QueueState {
    std::deque<QueuedMessage> posted;
    bool quitRequested = false;
    int quitCode = 0;
    MSG last{}; // the message most recently taken, for GetMessageTime and GetMessagePos
};

QueueState& State() {
    static QueueState state;
    return state;
}

// Messages whose parameters point into the sender's memory cannot wait in a queue.
bool CarriesPointer(UINT message) {
    switch (message) {
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETMINMAXINFO:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_NOTIFY:
    case WM_HELP:
        return true;
    default:
        return false;
    }
}

bool IsCharacterMessage(UINT message) {
    return message == WM_CHAR || message == WM_SYSCHAR || message == WM_DEADCHAR || message == WM_SYSDEADCHAR;
}

// A character message in the character set the taker asks for. A wide character that needs
// two bytes becomes its lead byte now, and its trail byte waits at the front of the queue.
void ConvertCharacter(QueuedMessage& taken, bool wantUnicode, bool removed) {
    QueueState& state = State();
    if (!IsCharacterMessage(taken.msg.message) || taken.unicode == wantUnicode)
        return;
    if (!wantUnicode) {
        char16_t wide = static_cast<char16_t>(taken.msg.wParam & 0xFFFF);
        std::string bytes = Utf16ToGbk(std::u16string_view(&wide, 1));
        taken.msg.wParam = static_cast<BYTE>(bytes[0]);
        taken.unicode = false;
        if (bytes.size() == 2 && removed) {
            QueuedMessage trail = taken;
            trail.msg.wParam = static_cast<BYTE>(bytes[1]);
            state.posted.push_front(trail);
        }
        return;
    }
    BYTE lead = static_cast<BYTE>(taken.msg.wParam & 0xFF);
    taken.unicode = true;
    if (!IsGbkLeadByte(lead)) {
        taken.msg.wParam = GbkToUtf16(std::string(1, static_cast<char>(lead)))[0];
        return;
    }
    if (!state.posted.empty()) {
        QueuedMessage& next = state.posted.front();
        if (next.msg.hwnd == taken.msg.hwnd && next.msg.message == taken.msg.message && !next.unicode) {
            char bytes[2] = {static_cast<char>(lead), static_cast<char>(next.msg.wParam & 0xFF)};
            std::u16string wide = GbkToUtf16(std::string_view(bytes, 2));
            taken.msg.wParam = wide.empty() ? u'?' : wide[0];
            if (removed)
                state.posted.pop_front();
        }
    }
}

bool WantsKind(UINT removeFlags, UINT kind) {
    UINT kinds = removeFlags >> 16;
    return kinds == 0 || (kinds & kind) != 0;
}

std::optional<QueuedMessage> TakePosted(HWND filter, UINT first, UINT last, bool remove) {
    QueueState& state = State();
    for (auto it = state.posted.begin(); it != state.posted.end(); ++it) {
        if (!MatchesFilter(it->msg, filter, first, last))
            continue;
        QueuedMessage taken = *it;
        if (remove)
            state.posted.erase(it);
        return taken;
    }
    return std::nullopt;
}

std::optional<QueuedMessage> Retrieve(HWND filter, UINT first, UINT last, UINT removeFlags,
                                      bool wantUnicode) {
    ConnectInput();
    PostDueHover();
    bool remove = (removeFlags & PM_REMOVE) != 0;
    QueueState& state = State();
    std::optional<QueuedMessage> taken;
    if (WantsKind(removeFlags, QS_POSTMESSAGE)) {
        taken = TakePosted(filter, first, last, remove);
        if (!taken && state.quitRequested) {
            taken = QueuedMessage{MSG{nullptr, WM_QUIT, static_cast<WPARAM>(state.quitCode), 0,
                                      Display().Now(), CursorPosition()},
                                  true};
            if (remove)
                state.quitRequested = false;
        }
    }
    if (!taken && WantsKind(removeFlags, QS_INPUT)) {
        taken = TakeInputMessage(filter, first, last, remove);
        // Taking input may post messages of its own (a mouse leaving a tracked window).
        if (!taken && WantsKind(removeFlags, QS_POSTMESSAGE))
            taken = TakePosted(filter, first, last, remove);
    }
    if (!taken && WantsKind(removeFlags, QS_PAINT))
        taken = TakePaintMessage(filter, first, last);
    if (!taken && WantsKind(removeFlags, QS_TIMER))
        taken = TakeTimerMessage(filter, first, last, remove);
    if (!taken)
        return std::nullopt;
    ConvertCharacter(*taken, wantUnicode, remove);
    if (remove)
        state.last = taken->msg;
    return taken;
}

bool IsValidFilter(HWND filter) {
    return !filter || filter == reinterpret_cast<HWND>(-1) || WindowFromHandle(filter);
}

// Blocks until something may be in the queue. In a headless run with no timer and no way for
// input to arrive the wait could never end: that is a fault of the caller, reported loudly.
void WaitForQueue() {
    DisplayBackend& display = Display();
    display.PollEvents();
    if (HasPendingInput() || !State().posted.empty() || State().quitRequested)
        return;
    DWORD timeout = std::min(MillisecondsToNextTimer(), MillisecondsToHover());
    if (timeout == 0)
        return;
    if (!display.WaitForEvents(timeout)) {
        std::fprintf(stderr,
                     "quillmere: the message loop waits for input that the %.*s display can never deliver\n",
                     static_cast<int>(display.Name().size()), display.Name().data());
        std::abort();
    }
}

BOOL Get(LPMSG message, HWND filter, UINT first, UINT last, bool unicode) {
    if (!message) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (!IsValidFilter(filter))
        return -1;
    for (;;) {
        if (auto taken = Retrieve(filter, first, last, PM_REMOVE, unicode)) {
            *message = taken->msg;
            return message->message == WM_QUIT ? FALSE : TRUE;
        }
        WaitForQueue();
    }
}

BOOL Peek(LPMSG message, HWND filter, UINT first, UINT last, UINT removeFlags, bool unicode) {
    if (!message) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsValidFilter(filter))
        return FALSE;
    Display().PollEvents();
    auto taken = Retrieve(filter, first, last, removeFlags, unicode);
    if (!taken)
        return FALSE;
    *message = taken->msg;
    return TRUE;
}

BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    if (CarriesPointer(message)) {
        SetLastError(ERROR_MESSAGE_SYNC_ONLY);
        return FALSE;
    }
    QueueState& state = State();
    MSG msg{window, message, wParam, lParam, Display().Now(), CursorPosition()};
    if (window == HWND_BROADCAST) {
        for (Window* top : DesktopWindow().children) {
            msg.hwnd = top->handle;
            state.posted.push_back({msg, unicode});
        }
        return TRUE;
    }
    if (window && !WindowFromHandle(window))
        return FALSE;
    state.posted.push_back({msg, unicode});
    return TRUE;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    if (window == HWND_BROADCAST) {
        std::vector<HWND> tops;
        for (Window* top : DesktopWindow().children)
            tops.push_back(top->handle);
        for (HWND top : tops) {
            if (Window* w = FindLiveWindow(top))
                SendToWindow(*w, message, wParam, lParam, unicode);
        }
        return 1;
    }
    Window* target = WindowFromHandle(window);
    if (!target)
        return 0;
    return SendToWindow(*target, message, wParam, lParam, unicode);
}

LRESULT Dispatch(const MSG* message, bool unicode) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    if (!message) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (message->message == WM_TIMER && message->lParam) {
        // Only the callback of a live timer is called: a forged WM_TIMER cannot run code.
        auto callback = reinterpret_cast<TIMERPROC>(message->lParam);
        if (!IsTimerCallback(message->hwnd, message->wParam, callback))
            return 0;
        MessageCallScope scope;
        callback(message->hwnd, WM_TIMER, message->wParam, message->time);
        return 0;
    }
    if (!message->hwnd)
        return 0;
    Window* target = WindowFromHandle(message->hwnd);
    if (!target)
        return 0;
    return SendToWindow(*target, message->message, message->wParam, message->lParam, unicode);
}

} // namespace

void PurgeMessagesOf(HWND window) {
    std::erase_if(State().posted, [&](const QueuedMessage& m) { return m.msg.hwnd == window; });
}

} // namespace platform

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::Send(window, message, wParam, lParam, false);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::Send(window, message, wParam, lParam, true);
}

// One thread: a notification is an ordinary send.
BOOL SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != HWND_BROADCAST && !platform::WindowFromHandle(window))
        return FALSE;
    platform::Send(window, message, wParam, lParam, false);
    return TRUE;
}

BOOL SendNotifyMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != HWND_BROADCAST && !platform::WindowFromHandle(window))
        return FALSE;
    platform::Send(window, message, wParam, lParam, true);
    return TRUE;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::Post(window, message, wParam, lParam, false);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::Post(window, message, wParam, lParam, true);
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    if (threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return platform::Post(nullptr, message, wParam, lParam, false);
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    if (threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return platform::Post(nullptr, message, wParam, lParam, true);
}

BOOL GetMessageA(LPMSG message, HWND window, UINT first, UINT last) {
    return platform::Get(message, window, first, last, false);
}

BOOL GetMessageW(LPMSG message, HWND window, UINT first, UINT last) {
    return platform::Get(message, window, first, last, true);
}

BOOL PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT removeFlags) {
    return platform::Peek(message, window, first, last, removeFlags, false);
}

BOOL PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT removeFlags) {
    return platform::Peek(message, window, first, last, removeFlags, true);
}

LRESULT DispatchMessageA(const MSG* message) {
    return platform::Dispatch(message, false);
}

LRESULT DispatchMessageW(const MSG* message) {
    return platform::Dispatch(message, true);
}

BOOL TranslateMessage(const MSG* message) {
    if (!message)
        return FALSE;
    UINT id = message->message;
    if (id != WM_KEYDOWN && id != WM_KEYUP && id != WM_SYSKEYDOWN && id != WM_SYSKEYUP)
        return FALSE;
    if (id == WM_KEYDOWN || id == WM_SYSKEYDOWN) {
        BYTE keys[256];
        GetKeyboardState(keys);
        char16_t character = platform::CharacterForKey(static_cast<UINT>(message->wParam & 0xFF), keys);
        if (character)
            PostMessageW(message->hwnd, id == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, character, message->lParam);
    }
    return TRUE;
}

BOOL WaitMessage() {
    MSG peeked;
    if (platform::Peek(&peeked, nullptr, 0, 0, PM_NOREMOVE, true))
        return TRUE;
    platform::WaitForQueue();
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    auto& state = platform::State();
    state.quitRequested = true;
    state.quitCode = exitCode;
}

LONG GetMessageTime() {
    return static_cast<LONG>(platform::State().last.time);
}

DWORD GetMessagePos() {
    POINT pt = platform::State().last.pt;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
}

DWORD GetQueueStatus(UINT flags) {
    platform::ConnectInput();
    DWORD current = 0;
    if (!platform::State().posted.empty() || platform::State().quitRequested)
        current |= QS_POSTMESSAGE;
    if (platform::HasPendingInput())
        current |= QS_INPUT;
    if (platform::HasPendingPaint())
        current |= QS_PAINT;
    if (platform::MillisecondsToNextTimer() == 0)
        current |= QS_TIMER;
    current &= flags;
    return (current << 16) | current;
}

BOOL InSendMessage() {
    return FALSE;
}
