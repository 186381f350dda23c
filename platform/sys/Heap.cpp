#include "platform/sys/Heap.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace {

// The one heap of the process; its handle is a fixed value outside the kernel handle range.
const HANDLE ProcessHeapHandle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x00150000));

std::unordered_map<const void*, SIZE_T>& Blocks() {
    static std::unordered_map<const void*, SIZE_T> blocks;
    return blocks;
}

} // namespace

HANDLE GetProcessHeap() {
    return ProcessHeapHandle;
}

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    if (heap != ProcessHeapHandle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // malloc(0) may return null; one byte keeps every block distinct and freeable.
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (!block) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & HEAP_ZERO_MEMORY)
        std::memset(block, 0, bytes);
    Blocks().emplace(block, bytes);
    return block;
}

BOOL HeapFree(HANDLE heap, DWORD, LPVOID block) {
    if (heap != ProcessHeapHandle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!block)
        return TRUE;
    if (Blocks().erase(block) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::free(block);
    return TRUE;
}

SIZE_T HeapSize(HANDLE heap, DWORD, LPCVOID block) {
    auto it = Blocks().find(block);
    if (heap != ProcessHeapHandle || it == Blocks().end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return static_cast<SIZE_T>(-1);
    }
    return it->second;
}

std::size_t platform::LiveHeapBlockCount() {
    return Blocks().size();
}
