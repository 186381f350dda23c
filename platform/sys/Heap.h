#pragma once
// The process heap: GetProcessHeap, HeapAlloc, HeapFree. Blocks are tracked, so freeing a
// pointer that did not come from HeapAlloc fails instead of corrupting memory.

#include "platform/base/WinTypes.h"

constexpr DWORD HEAP_NO_SERIALIZE = 0x00000001;
constexpr DWORD HEAP_GROWABLE = 0x00000002;
constexpr DWORD HEAP_GENERATE_EXCEPTIONS = 0x00000004;
constexpr DWORD HEAP_ZERO_MEMORY = 0x00000008;

HANDLE GetProcessHeap();
// Null with ERROR_NOT_ENOUGH_MEMORY when the block cannot be had, ERROR_INVALID_HANDLE when
// the heap is not the process heap. A request of 0 bytes gives a valid, distinct block.
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
// TRUE for null and for blocks of this heap; FALSE with ERROR_INVALID_PARAMETER for anything else.
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block);
// The requested size of a block, or (SIZE_T)-1 for a pointer that is not one of this heap's.
SIZE_T HeapSize(HANDLE heap, DWORD flags, LPCVOID block);

namespace platform {
// Number of blocks allocated and not yet freed, so tests can prove nothing leaks.
std::size_t LiveHeapBlockCount();
} // namespace platform
