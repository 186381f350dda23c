#pragma once
// What the program may ask about the system it runs on: the version of the platform it is
// written for, and the millisecond tick count.
//
// The layer answers as one fixed member of the NT family, version 5.1 build 2600: code that
// branches on the platform (wide or narrow window texts, the system menu, menu windows) takes
// the NT paths, which are the ones this layer implements.

#include "platform/base/WinTypes.h"

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
using LPOSVERSIONINFOA = OSVERSIONINFOA*;

// The major version in the low byte, the minor version in the next, the build number in the
// high word; the high bit is clear, as on every NT system.
DWORD GetVersion();

// Fills the record whose dwOSVersionInfoSize is sizeof(OSVERSIONINFOA). Another size fails with
// ERROR_INSUFFICIENT_BUFFER and a null record with ERROR_INVALID_PARAMETER, leaving it as it was.
BOOL GetVersionExA(LPOSVERSIONINFOA versionInfo);

// Milliseconds on the clock of the display's messages and timers (the headless display's
// virtual clock in tests); before a display is chosen, the system's monotonic clock, which is
// the X display's. Wraps around after about 49.7 days.
DWORD GetTickCount();
