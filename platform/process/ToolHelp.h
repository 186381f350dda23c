#pragma once
// Tool Help process snapshots: CreateToolhelp32Snapshot, Process32First, Process32Next.
// A snapshot copies every process of /proc at the moment it is taken: id, parent, threads,
// base priority and the executable's file name (GBK).

#include "platform/base/WinTypes.h"

constexpr DWORD TH32CS_SNAPHEAPLIST = 0x00000001;
constexpr DWORD TH32CS_SNAPPROCESS = 0x00000002;
constexpr DWORD TH32CS_SNAPTHREAD = 0x00000004;
constexpr DWORD TH32CS_SNAPMODULE = 0x00000008;
constexpr DWORD TH32CS_SNAPMODULE32 = 0x00000010;
constexpr DWORD TH32CS_SNAPALL = 0x0000000F;
constexpr DWORD TH32CS_INHERIT = 0x80000000;

// The entry record has the platform's 32-bit layout: 296 bytes, the heap id a 32-bit field.
struct PROCESSENTRY32 {
    DWORD dwSize;
    DWORD cntUsage;
    DWORD th32ProcessID;
    DWORD th32DefaultHeapID;
    DWORD th32ModuleID;
    DWORD cntThreads;
    DWORD th32ParentProcessID;
    LONG pcPriClassBase;
    DWORD dwFlags;
    CHAR szExeFile[MAX_PATH];
};
static_assert(sizeof(PROCESSENTRY32) == 296);
using LPPROCESSENTRY32 = PROCESSENTRY32*;

// INVALID_HANDLE_VALUE when /proc cannot be read. Only process entries are recorded; the
// process id argument matters only for module snapshots, which are not kept.
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
// FALSE with ERROR_BAD_LENGTH when dwSize is below 296, ERROR_NO_MORE_FILES at the end.
BOOL Process32First(HANDLE snapshot, LPPROCESSENTRY32 entry);
BOOL Process32Next(HANDLE snapshot, LPPROCESSENTRY32 entry);
