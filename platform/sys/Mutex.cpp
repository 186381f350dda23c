#include "platform/sys/Mutex.h"

#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t MaxNameLength = 260;

// The lock file of one name, shared by every handle of this process that names it.
class NamedLock {
public:
    NamedLock(int fd, bool held) : m_fd(fd), m_held(held) {}
    ~NamedLock() { ::close(m_fd); } // closing the last descriptor releases the flock
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    bool Held() const { return m_held; }

private:
    int m_fd;
    bool m_held;
};

class MutexObject : public platform::KernelObject {
public:
    explicit MutexObject(std::shared_ptr<NamedLock> lock) : m_lock(std::move(lock)) {}

private:
    std::shared_ptr<NamedLock> m_lock; // null for an unnamed mutex
};

std::map<std::string, std::weak_ptr<NamedLock>>& OpenNames() {
    static std::map<std::string, std::weak_ptr<NamedLock>> names;
    return names;
}

std::string LockDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime && runtime[0] == '/' && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode))
        return runtime;
    return "/tmp";
}

// Opens (creating if needed) the lock file, refusing symlinks and files of other users, which
// matters in a shared /tmp.
int OpenLockFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        platform::SetLastErrorFromErrno();
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    return fd;
}

} // namespace

std::string platform::MutexLockPath(const std::string& name) {
    std::string escaped;
    for (unsigned char c : name) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                     c == '_' || c == '-';
        if (plain) {
            escaped += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            escaped += hex;
        }
    }
    return LockDirectory() + "/quillmere-" + std::to_string(::geteuid()) + "-" + escaped + ".lock";
}

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR name) {
    if (!name) {
        SetLastError(ERROR_SUCCESS);
        return platform::InsertKernelObject(std::make_unique<MutexObject>(nullptr));
    }
    std::string key = name;
    // Both namespaces of the platform are one here: the lock is per user already.
    for (const char* prefix : {"Global\\", "Local\\"}) {
        if (key.starts_with(prefix)) {
            key.erase(0, std::char_traits<char>::length(prefix));
            break;
        }
    }
    if (key.size() > MaxNameLength) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return nullptr;
    }
    if (key.find('\\') != std::string::npos) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return nullptr;
    }

    if (auto existing = OpenNames()[key].lock()) {
        HANDLE handle = platform::InsertKernelObject(std::make_unique<MutexObject>(existing));
        SetLastError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    int fd = OpenLockFile(platform::MutexLockPath(key));
    if (fd < 0)
        return nullptr;
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0 && errno != EWOULDBLOCK) {
        platform::SetLastErrorFromErrno();
        ::close(fd);
        return nullptr;
    }
    auto lock = std::make_shared<NamedLock>(fd, locked == 0);
    OpenNames()[key] = lock;
    HANDLE handle = platform::InsertKernelObject(std::make_unique<MutexObject>(lock));
    SetLastError(lock->Held() ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
    return handle;
}
