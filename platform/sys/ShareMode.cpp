#include "platform/sys/ShareMode.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/sys/File.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>

namespace platform {

namespace {

// One marker byte per right denied and per right used, at the very end of the offset range.
// The order puts what an open commonly marks, and what it commonly tests, next to each other,
// so that one lock call covers a run of markers.
enum Marker { DeniesDelete, DeniesWrite, DeniesRead, UsesRead, UsesWrite, UsesDelete, MarkerCount };
constexpr off_t FirstMarkerOffset = INT64_MAX - 64;

using MarkerSet = unsigned;

constexpr MarkerSet Bit(Marker marker) {
    return 1u << marker;
}

// Calls `lockRun` for each run of consecutive markers in the set, with its first marker and
// length; stops at the first call that returns false.
template <typename LockRun>
bool ForEachRun(MarkerSet markers, LockRun lockRun) {
    int marker = 0;
    while (marker < MarkerCount) {
        if (!(markers & (1u << marker))) {
            ++marker;
            continue;
        }
        int first = marker;
        while (marker < MarkerCount && (markers & (1u << marker)))
            ++marker;
        if (!lockRun(first, marker - first))
            return false;
    }
    return true;
}

struct flock MarkerLock(int first, int length, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = FirstMarkerOffset + first;
    lock.l_len = length;
    return lock;
}

} // namespace

bool MarkShareMode(int descriptor, bool usesRead, bool usesWrite, bool usesDelete, DWORD shareMode) {
    // An open that uses none of the rights neither holds nor meets a share mode.
    if (!usesRead && !usesWrite && !usesDelete)
        return true;

    const bool deniesRead = !(shareMode & FILE_SHARE_READ);
    const bool deniesWrite = !(shareMode & FILE_SHARE_WRITE);
    const bool deniesDelete = !(shareMode & FILE_SHARE_DELETE);
    MarkerSet marks = 0;
    MarkerSet conflicts = 0;
    if (usesRead) {
        marks |= Bit(UsesRead);
        conflicts |= Bit(DeniesRead);
    }
    if (usesWrite) {
        marks |= Bit(UsesWrite);
        conflicts |= Bit(DeniesWrite);
    }
    if (usesDelete) {
        marks |= Bit(UsesDelete);
        conflicts |= Bit(DeniesDelete);
    }
    if (deniesRead) {
        marks |= Bit(DeniesRead);
        conflicts |= Bit(UsesRead);
    }
    if (deniesWrite) {
        marks |= Bit(DeniesWrite);
        conflicts |= Bit(UsesWrite);
    }
    if (deniesDelete) {
        marks |= Bit(DeniesDelete);
        conflicts |= Bit(UsesDelete);
    }

    bool unsupported = false;
    bool marked = ForEachRun(marks, [&](int first, int length) {
        struct flock lock = MarkerLock(first, length, F_RDLCK);
        if (fcntl(descriptor, F_OFD_SETLK, &lock) == 0)
            return true;
        unsupported = errno == EINVAL || errno == ENOLCK || errno == EOPNOTSUPP;
        return false;
    });
    if (unsupported)
        return true;
    if (!marked) {
        SetLastErrorFromErrno();
        return false;
    }
    // A description's own locks never conflict with themselves, so only others answer.
    bool free = ForEachRun(conflicts, [&](int first, int length) {
        struct flock lock = MarkerLock(first, length, F_WRLCK);
        return fcntl(descriptor, F_OFD_GETLK, &lock) != 0 || lock.l_type == F_UNLCK;
    });
    if (!free) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return false;
    }
    return true;
}

} // namespace platform
