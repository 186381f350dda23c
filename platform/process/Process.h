#pragma once
// Process objects: OpenProcess, and the module queries of the process status interface,
// EnumProcessModules and GetModuleFileNameExA. A process handle holds its /proc folder open,
// so it keeps naming the same process after that process ends (then the queries fail).

#include "platform/base/WinTypes.h"

constexpr DWORD PROCESS_TERMINATE = 0x0001;
constexpr DWORD PROCESS_VM_READ = 0x0010;
constexpr DWORD PROCESS_QUERY_INFORMATION = 0x0400;
constexpr DWORD PROCESS_QUERY_LIMITED_INFORMATION = 0x1000;
constexpr DWORD SYNCHRONIZE = 0x00100000;
constexpr DWORD PROCESS_ALL_ACCESS = 0x001FFFFF;

// Null with ERROR_INVALID_PARAMETER for id 0 or a process that does not exist, and with
// ERROR_ACCESS_DENIED when the access asks to read a process of another user.
HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId);

// The executable first, then every other mapped file with executable code, each named by its
// load address. Fills what fits into `bytes` and reports the bytes needed for all of them.
BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, LPDWORD bytesNeeded);
// The full path (GBK) of a module, the executable for a null module; truncated to fit and
// NUL-terminated. Returns the characters copied, 0 on failure. A module that this handle's
// last EnumProcessModules reported is named as that enumeration found it.
DWORD GetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR fileName, DWORD size);
