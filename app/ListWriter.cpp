#include "app/ListWriter.h"

#include "core/Exception.h"
#include "platform/base/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// The system's reason, in the program's code page.
std::string Reason(int error) {
    return platform::Utf8ToGbk(std::strerror(error));
}

// Closes the descriptor on every path; the error of an explicit close is the caller's.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    int Close() {
        int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

} // namespace

std::string FormatGridText(const GridModel& grid) {
    int columns = grid.ColCount();
    int rows = grid.RowCount();
    if (columns <= 0 || rows <= 0)
        return {};
    std::vector<std::size_t> widths(static_cast<std::size_t>(columns), 0);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row)
            widths[column] = std::max(widths[column], grid.Cell(column, row).size());
        widths[column] += 1;
    }
    std::string text;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            std::string cell = grid.Cell(column, row);
            text += cell;
            text.append(widths[column] - cell.size(), ' ');
        }
        text += "\r\n ";
    }
    return text;
}

void SaveGridText(const GridModel& grid, const std::string& fileName) {
    std::string path = platform::GbkToUtf8(fileName);
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.Get() < 0)
        throw Exception("Cannot create file \"" + fileName + "\". " + Reason(errno));
    std::string text = FormatGridText(grid);
    auto writeFailed = [&](int error) {
        return Exception("Cannot write file \"" + fileName + "\". " + Reason(error));
    };
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t count = ::write(file.Get(), text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw writeFailed(errno);
        if (count == 0)
            throw writeFailed(ENOSPC); // the device takes nothing more
        written += static_cast<std::size_t>(count);
    }
    // Some file systems report a full disk or a failed device only when the data is flushed.
    if (::fsync(file.Get()) != 0 && errno != EINVAL)
        throw writeFailed(errno);
    if (file.Close() != 0)
        throw writeFailed(errno);
}

std::string SavedMessageText(const std::string& fileName) {
    return "连接表信息已保存到文件 " + fileName + " 中。";
}
