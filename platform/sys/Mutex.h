#pragma once
// Named mutexes as a single-instance guard. A named mutex is a per-user lock file, held with
// flock while any handle of this process refers to it, so a second process asking for the
// same name learns that it exists already (ERROR_ALREADY_EXISTS). Unnamed mutexes are plain
// kernel objects. Only one thread runs, so ownership and waiting are not modelled.

#include "platform/base/WinTypes.h"

#include <string>

// A handle, also when the name exists already (then GetLastError is ERROR_ALREADY_EXISTS,
// otherwise ERROR_SUCCESS); null when the lock file cannot be made.
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);

namespace platform {
// The lock file that stands for a mutex name: in $XDG_RUNTIME_DIR, or /tmp when that is
// unset, named after the user id and the name (bytes outside [A-Za-z0-9._-] as %XX).
std::string MutexLockPath(const std::string& name);
} // namespace platform
