#include "platform/sys/SystemInfo.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"

#include <cstring>
#include <ctime>

namespace {

constexpr DWORD MajorVersion = 5;
constexpr DWORD MinorVersion = 1;
constexpr DWORD BuildNumber = 2600;

DWORD MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<DWORD>(static_cast<unsigned long long>(now.tv_sec) * 1000ull +
                              static_cast<unsigned long long>(now.tv_nsec) / 1000000ull);
}

} // namespace

DWORD GetVersion() {
    return MajorVersion | (MinorVersion << 8) | (BuildNumber << 16);
}

BOOL GetVersionExA(LPOSVERSIONINFOA versionInfo) {
    if (!versionInfo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (versionInfo->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    versionInfo->dwMajorVersion = MajorVersion;
    versionInfo->dwMinorVersion = MinorVersion;
    versionInfo->dwBuildNumber = BuildNumber;
    versionInfo->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memset(versionInfo->szCSDVersion, 0, sizeof versionInfo->szCSDVersion);
    return TRUE;
}

DWORD GetTickCount() {
    // Asking for the display would open one; a program that has none yet runs on the clock
    // the X display uses.
    if (platform::DisplayBackend* display = platform::CurrentDisplay())
        return display->Now();
    return MonotonicMilliseconds();
}
