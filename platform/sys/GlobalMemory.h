#pragma once
// Global memory blocks: GlobalAlloc and friends, the currency of the clipboard. Fixed blocks
// are their own handles; moveable blocks have a handle that GlobalLock turns into a pointer.
// Every handle and pointer is checked, so a stale or foreign one fails instead of corrupting
// memory.

#include "platform/base/WinTypes.h"

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Null with ERROR_NOT_ENOUGH_MEMORY when the block cannot be had.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Null on success; the handle back, with ERROR_INVALID_HANDLE, when it is not a block.
HGLOBAL GlobalFree(HGLOBAL block);
// The block's memory (a moveable block counts one more lock), or null for a stale handle.
LPVOID GlobalLock(HGLOBAL block);
// TRUE while the block stays locked; FALSE with NO_ERROR when the last lock went, FALSE with
// ERROR_NOT_LOCKED when it was not locked.
BOOL GlobalUnlock(HGLOBAL block);
// The requested size, 0 for a stale handle.
SIZE_T GlobalSize(HGLOBAL block);
// The handle of a block from its memory pointer, null when the pointer is not a block's.
HGLOBAL GlobalHandle(LPCVOID memory);

namespace platform {
// Blocks allocated and not yet freed, so tests can prove nothing leaks.
std::size_t LiveGlobalBlockCount();
} // namespace platform
