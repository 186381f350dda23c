#pragma once
// File mappings: a mapping object over a file (or over fresh shared memory) and views of it
// in the address space. Views of a PAGE_READONLY or PAGE_READWRITE mapping share the file's
// pages; FILE_MAP_COPY views are private copies. A view stays valid after the handles of its
// mapping and file are closed, until UnmapViewOfFile.
//
// Names of mapping objects are known within this process only: a second
// CreateFileMappingA with the name of a living mapping returns a new handle to that mapping
// with ERROR_ALREADY_EXISTS. Other processes do not see the name.

#include "platform/base/WinTypes.h"

constexpr DWORD PAGE_NOACCESS = 0x01;
constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD PAGE_READWRITE = 0x04;
constexpr DWORD PAGE_WRITECOPY = 0x08;
constexpr DWORD SEC_COMMIT = 0x08000000;

constexpr DWORD FILE_MAP_COPY = 0x0001;
constexpr DWORD FILE_MAP_WRITE = 0x0002;
constexpr DWORD FILE_MAP_READ = 0x0004;
constexpr DWORD FILE_MAP_ALL_ACCESS = 0x000F001F;

// Offsets of views are multiples of this.
constexpr DWORD AllocationGranularity = 0x10000;

// file: a handle from CreateFileA/OpenFile (read access for every protection, write access
// too for PAGE_READWRITE), or INVALID_HANDLE_VALUE for shared memory of the given size.
// A maximum size of 0 maps the whole file; a larger size than the file's extends it under
// PAGE_READWRITE and fails otherwise. Executable protections are not supported.
HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCSTR name);

// FILE_MAP_READ on any mapping, FILE_MAP_WRITE / FILE_MAP_ALL_ACCESS on a PAGE_READWRITE
// mapping, FILE_MAP_COPY on any. The offset is a multiple of AllocationGranularity; a length
// of 0 maps from the offset to the end of the mapping.
LPVOID MapViewOfFile(HANDLE fileMappingObject, DWORD desiredAccess, DWORD fileOffsetHigh, DWORD fileOffsetLow,
                     SIZE_T numberOfBytesToMap);

BOOL UnmapViewOfFile(LPCVOID baseAddress);

namespace platform {
// Number of views not yet unmapped, so tests can prove nothing leaks.
std::size_t MappedViewCount();
} // namespace platform
