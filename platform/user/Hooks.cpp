#include "platform/user/Hooks.h"

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/UserErrors.h"
#include "platform/user/WinUser.h"

#include <algorithm>
#include <map>
#include <vector>

namespace platform {

namespace {

struct Hook {
    HHOOK handle = nullptr;
    int type = 0;
    HOOKPROC procedure = nullptr;
    bool unicode = false;
    bool removed = false;
};

struct ChainCall {
    int type;
    LPARAM lParamAnsi;
    LPARAM lParamWide;
};

struct HookState {
    HandleTable<Hook> hooks{0x30010};
    std::map<int, std::vector<Hook*>> chains; // newest first
    std::vector<ChainCall> calls;             // chains running now, innermost last
};

HookState& State() {
    static HookState state;
    return state;
}

bool IsSupportedType(int type) {
    return type == WH_CBT || type == WH_MSGFILTER || type == WH_SYSMSGFILTER;
}

void SweepRemoved() {
    HookState& state = State();
    if (!state.calls.empty())
        return;
    for (auto& [type, chain] : state.chains) {
        std::vector<HHOOK> removed;
        for (Hook* hook : chain) {
            if (hook->removed)
                removed.push_back(hook->handle);
        }
        std::erase_if(chain, [](Hook* hook) { return hook->removed; });
        for (HHOOK handle : removed)
            state.hooks.Remove(reinterpret_cast<std::uintptr_t>(handle));
    }
}

Hook* NextLive(const std::vector<Hook*>& chain, std::size_t from) {
    for (std::size_t i = from; i < chain.size(); ++i) {
        if (!chain[i]->removed)
            return chain[i];
    }
    return nullptr;
}

LRESULT Invoke(const Hook& hook, int code, WPARAM wParam, LPARAM lParam) {
    return hook.procedure(code, wParam, lParam);
}

LPARAM ParameterFor(const Hook& hook, LPARAM given) {
    const HookState& state = State();
    if (!state.calls.empty()) {
        const ChainCall& call = state.calls.back();
        if (call.type == hook.type && (given == call.lParamAnsi || given == call.lParamWide))
            return hook.unicode ? call.lParamWide : call.lParamAnsi;
    }
    return given;
}

HHOOK Install(int type, HOOKPROC procedure, DWORD threadId, bool unicode) {
    if (!IsSupportedType(type)) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (!procedure) {
        SetLastError(ERROR_INVALID_FILTER_PROC);
        return nullptr;
    }
    if (threadId != 0 && threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HookState& state = State();
    auto hook = std::make_unique<Hook>();
    Hook* raw = hook.get();
    raw->type = type;
    raw->procedure = procedure;
    raw->unicode = unicode;
    raw->handle = reinterpret_cast<HHOOK>(state.hooks.Insert(std::move(hook)));
    auto& chain = state.chains[type];
    chain.insert(chain.begin(), raw);
    return raw->handle;
}

} // namespace

bool HasHook(int type) {
    auto& chains = State().chains;
    auto it = chains.find(type);
    return it != chains.end() && NextLive(it->second, 0);
}

LRESULT CallHookChain(int type, int code, WPARAM wParam, LPARAM lParamAnsi, LPARAM lParamWide) {
    HookState& state = State();
    auto it = state.chains.find(type);
    if (it == state.chains.end())
        return 0;
    Hook* first = NextLive(it->second, 0);
    if (!first)
        return 0;
    state.calls.push_back({type, lParamAnsi, lParamWide});
    LRESULT result = Invoke(*first, code, wParam, first->unicode ? lParamWide : lParamAnsi);
    state.calls.pop_back();
    SweepRemoved();
    return result;
}

} // namespace platform

HHOOK SetWindowsHookExA(int type, HOOKPROC procedure, HINSTANCE, DWORD threadId) {
    return platform::Install(type, procedure, threadId, false);
}

HHOOK SetWindowsHookExW(int type, HOOKPROC procedure, HINSTANCE, DWORD threadId) {
    return platform::Install(type, procedure, threadId, true);
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
    auto& state = platform::State();
    platform::Hook* hook = state.hooks.Find(reinterpret_cast<std::uintptr_t>(handle));
    if (!hook || hook->removed) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    hook->removed = true;
    auto& chain = state.chains[hook->type];
    if (state.calls.empty()) {
        std::erase(chain, hook);
        state.hooks.Remove(reinterpret_cast<std::uintptr_t>(handle));
    }
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam) {
    auto& state = platform::State();
    platform::Hook* hook = state.hooks.Find(reinterpret_cast<std::uintptr_t>(handle));
    if (!hook)
        return 0;
    const auto& chain = state.chains[hook->type];
    auto position = std::find(chain.begin(), chain.end(), hook);
    if (position == chain.end())
        return 0;
    platform::Hook* next = platform::NextLive(chain, static_cast<std::size_t>(position - chain.begin()) + 1);
    if (!next)
        return 0;
    return platform::Invoke(*next, code, wParam, platform::ParameterFor(*next, lParam));
}

BOOL CallMsgFilterA(LPMSG message, int code) {
    if (platform::CallHookChain(WH_SYSMSGFILTER, code, 0, reinterpret_cast<LPARAM>(message)))
        return TRUE;
    return platform::CallHookChain(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(message)) ? TRUE : FALSE;
}

BOOL CallMsgFilterW(LPMSG message, int code) {
    return CallMsgFilterA(message, code);
}
