#include "platform/sys/ShareMode.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/sys/File.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>

namespace platform {

namespace {

// One marker byte per right used and per right denied, at the very end of the offset range.
enum Marker { UsesRead, UsesWrite, UsesDelete, DeniesRead, DeniesWrite, DeniesDelete };
constexpr off_t FirstMarkerOffset = INT64_MAX - 64;

struct flock MarkerLock(Marker marker, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = FirstMarkerOffset + marker;
    lock.l_len = 1;
    return lock;
}

enum class MarkResult { Marked, Unsupported, Failed };

MarkResult Mark(int descriptor, Marker marker) {
    struct flock lock = MarkerLock(marker, F_RDLCK);
    if (fcntl(descriptor, F_OFD_SETLK, &lock) == 0)
        return MarkResult::Marked;
    return errno == EINVAL || errno == ENOLCK || errno == EOPNOTSUPP ? MarkResult::Unsupported
                                                                     : MarkResult::Failed;
}

// True when another open file description holds the marker. Our own marks never answer,
// since a description's locks do not conflict with themselves.
bool HeldByOthers(int descriptor, Marker marker) {
    struct flock lock = MarkerLock(marker, F_WRLCK);
    if (fcntl(descriptor, F_OFD_GETLK, &lock) != 0)
        return false;
    return lock.l_type != F_UNLCK;
}

} // namespace

bool MarkShareMode(int descriptor, bool usesRead, bool usesWrite, bool usesDelete, DWORD shareMode) {
    // An open that uses none of the rights neither holds nor meets a share mode.
    if (!usesRead && !usesWrite && !usesDelete)
        return true;

    const bool uses[3] = {usesRead, usesWrite, usesDelete};
    const bool denies[3] = {!(shareMode & FILE_SHARE_READ), !(shareMode & FILE_SHARE_WRITE),
                            !(shareMode & FILE_SHARE_DELETE)};
    for (int right = 0; right < 3; ++right) {
        Marker markers[2] = {static_cast<Marker>(UsesRead + right), static_cast<Marker>(DeniesRead + right)};
        bool wanted[2] = {uses[right], denies[right]};
        for (int i = 0; i < 2; ++i) {
            if (!wanted[i])
                continue;
            switch (Mark(descriptor, markers[i])) {
            case MarkResult::Marked:
                break;
            case MarkResult::Unsupported:
                return true;
            case MarkResult::Failed:
                SetLastErrorFromErrno();
                return false;
            }
        }
    }
    for (int right = 0; right < 3; ++right) {
        bool conflict = (uses[right] && HeldByOthers(descriptor, static_cast<Marker>(DeniesRead + right))) ||
                        (denies[right] && HeldByOthers(descriptor, static_cast<Marker>(UsesRead + right)));
        if (conflict) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return false;
        }
    }
    return true;
}

} // namespace platform
