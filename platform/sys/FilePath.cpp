#include "platform/sys/FilePath.h"

#include "platform/base/CodePage.h"

#include <algorithm>

namespace platform {

std::string LinuxPath(std::string_view gbkPath) {
    bool ascii = std::all_of(gbkPath.begin(), gbkPath.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string path = ascii ? std::string(gbkPath) : GbkToUtf8(gbkPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace platform
