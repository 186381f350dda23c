#include "platform/sys/SystemInfo.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Headless.h"
#include "platform/process/ModuleTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SystemVersion, GetVersionAnswersNtFiveOneWithTheHighBitClear) {
    const DWORD version = GetVersion();
    EXPECT_EQ(version & 0xFF, 5u);
    EXPECT_EQ((version >> 8) & 0xFF, 1u);
    EXPECT_EQ(version >> 16, 2600u);
    EXPECT_EQ(version & 0x80000000u, 0u) << "the NT family has the high bit clear";
}

TEST(SystemVersion, GetVersionExFillsARecordOfItsOwnSizeOnly) {
    OSVERSIONINFOA info;
    std::memset(&info, 0x5A, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_STREQ(info.szCSDVersion, "");

    OSVERSIONINFOA wrongSize{};
    wrongSize.dwOSVersionInfoSize = sizeof wrongSize - 4;
    SetLastError(0);
    EXPECT_FALSE(GetVersionExA(&wrongSize));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(wrongSize.dwMajorVersion, 0u) << "a refused record is left alone";

    EXPECT_FALSE(GetVersionExA(nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(TickCount, FollowsTheHeadlessDisplaysVirtualClock) {
    platform::headless::Use();
    const DWORD start = GetTickCount();
    EXPECT_EQ(start, platform::headless::Now());
    platform::headless::AdvanceClock(250);
    EXPECT_EQ(GetTickCount() - start, 250u);
}

TEST(TickCount, TheCallsAreInTheKernelModuleTable) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(platform::ProcAs<DWORD (*)()>(GetProcAddress(kernel, "GetVersion")), &GetVersion);
    EXPECT_EQ(platform::ProcAs<BOOL (*)(LPOSVERSIONINFOA)>(GetProcAddress(kernel, "GetVersionExA")),
              &GetVersionExA);
    EXPECT_EQ(platform::ProcAs<DWORD (*)()>(GetProcAddress(kernel, "GetTickCount")), &GetTickCount);
}

} // namespace
