#pragma once
// Share modes among the handles of this layer, in this process and across processes.
//
// Every open holds shared open-file-description locks on marker bytes far beyond any real
// file end: one marker for each right it uses (read, write, delete) and one for each right it
// does not share. A new open conflicts when it uses a right that an existing open does not
// share, or does not share a right that an existing open uses. The marks are taken first and
// the conflicts tested afterwards, so two opens racing each other may both fail but never
// both succeed. Closing the descriptor (the last one of its open file description) drops its
// marks. Such locks are private to programs that use this layer: others are not seen, and a
// program that locks a whole file up to its end would look like every right in use.

#include "platform/base/WinTypes.h"

namespace platform {

// Marks the open descriptor with its rights and share mode and tests it against every other
// open of the file. On a conflict returns false with ERROR_SHARING_VIOLATION set; the
// caller closes the descriptor. The descriptor must be open for reading (the marks are read
// locks); on a file system without such locks the call succeeds without marking.
bool MarkShareMode(int descriptor, bool usesRead, bool usesWrite, bool usesDelete, DWORD shareMode);

} // namespace platform
