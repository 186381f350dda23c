#include "platform/sys/GlobalMemory.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <unordered_map>

namespace {

struct Block {
    std::unique_ptr<std::uint8_t[]> memory;
    SIZE_T size = 0;
    bool moveable = false;
    UINT locks = 0;
};

// Blocks by handle. A fixed block's handle is its memory address; a moveable block's handle is
// a value of its own, odd in the second bit so that it can never be a block's address.
struct Blocks {
    std::unordered_map<std::uintptr_t, Block> byHandle;
    std::unordered_map<const void*, std::uintptr_t> handleOfMemory;
    std::uintptr_t nextMoveable = 0x7F0002;
};

Blocks& State() {
    static Blocks blocks;
    return blocks;
}

Block* Find(HGLOBAL handle) {
    auto& byHandle = State().byHandle;
    auto it = byHandle.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == byHandle.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    Block block;
    // One byte at least keeps every block distinct.
    block.memory.reset(new (std::nothrow) std::uint8_t[bytes == 0 ? 1 : bytes]);
    if (!block.memory) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT)
        std::fill_n(block.memory.get(), bytes, std::uint8_t{0});
    block.size = bytes;
    block.moveable = (flags & GMEM_MOVEABLE) != 0;
    Blocks& state = State();
    std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(block.memory.get());
    if (block.moveable) {
        handle = state.nextMoveable;
        state.nextMoveable += 8;
    }
    state.handleOfMemory.emplace(block.memory.get(), handle);
    state.byHandle.emplace(handle, std::move(block));
    return reinterpret_cast<HGLOBAL>(handle);
}

HGLOBAL GlobalFree(HGLOBAL handle) {
    Block* block = Find(handle);
    if (!block)
        return handle;
    Blocks& state = State();
    state.handleOfMemory.erase(block->memory.get());
    state.byHandle.erase(reinterpret_cast<std::uintptr_t>(handle));
    return nullptr;
}

LPVOID GlobalLock(HGLOBAL handle) {
    Block* block = Find(handle);
    if (!block)
        return nullptr;
    if (block->moveable)
        ++block->locks;
    return block->memory.get();
}

BOOL GlobalUnlock(HGLOBAL handle) {
    Block* block = Find(handle);
    if (!block)
        return FALSE;
    if (!block->moveable || block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --block->locks;
    if (block->locks == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

SIZE_T GlobalSize(HGLOBAL handle) {
    Block* block = Find(handle);
    return block ? block->size : 0;
}

HGLOBAL GlobalHandle(LPCVOID memory) {
    auto& handles = State().handleOfMemory;
    auto it = handles.find(memory);
    if (it == handles.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(it->second);
}

std::size_t platform::LiveGlobalBlockCount() {
    return State().byHandle.size();
}
