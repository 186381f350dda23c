#include "platform/process/ProcFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

std::optional<std::string> platform::ReadFileAt(int directory, const char* name) {
    int fd = ::openat(directory, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            int error = errno;
            ::close(fd);
            errno = error;
            return std::nullopt;
        }
        if (count == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return content;
}

std::optional<std::string> platform::ReadLinkAt(int directory, const char* name) {
    char buffer[4096];
    ssize_t length = ::readlinkat(directory, name, buffer, sizeof buffer);
    if (length < 0)
        return std::nullopt;
    if (static_cast<std::size_t>(length) == sizeof buffer) {
        errno = ENAMETOOLONG;
        return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string platform::WithoutDeletedMark(std::string path) {
    constexpr std::string_view mark = " (deleted)";
    if (path.ends_with(mark))
        path.resize(path.size() - mark.size());
    return path;
}

std::string platform::BaseName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
