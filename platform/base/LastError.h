#pragma once
// The calling thread's last-error code.

#include "platform/base/WinTypes.h"

DWORD GetLastError();
void SetLastError(DWORD errorCode);

namespace platform {
// The platform error code that best describes a Linux errno value.
DWORD ErrorFromErrno(int errnoValue);
// Sets the last error from the current errno and returns the code it set.
DWORD SetLastErrorFromErrno();
} // namespace platform
