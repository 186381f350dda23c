#include "platform/process/ProcRoot.h"

#include <cstdlib>
#include <dirent.h>

namespace {
bool IsProcessFolderName(const char* name) {
    if (!*name)
        return false;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
    }
    return true;
}

std::string& Root() {
    static std::string root = "/proc";
    return root;
}
} // namespace

const std::string& platform::ProcRoot() {
    return Root();
}

void platform::SetProcRoot(std::string root) {
    Root() = std::move(root);
}

bool platform::ProcRootIsSystem() {
    return Root() == "/proc";
}

bool platform::ForEachProcessFolder(
    const std::string& procRoot,
    const std::function<void(int root, const char* name, std::uint32_t pid)>& visit) {
    DIR* folder = ::opendir(procRoot.c_str());
    if (!folder)
        return false;
    const int root = ::dirfd(folder);
    while (dirent* item = ::readdir(folder)) {
        if (IsProcessFolderName(item->d_name))
            visit(root, item->d_name, static_cast<std::uint32_t>(std::strtoul(item->d_name, nullptr, 10)));
    }
    ::closedir(folder);
    return true;
}
