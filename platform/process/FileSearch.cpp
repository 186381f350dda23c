#include "platform/process/FileSearch.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string OwnFolder() {
    char buffer[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}

std::vector<std::string> PathFolders() {
    std::vector<std::string> folders;
    const char* path = std::getenv("PATH");
    std::string text = path ? path : "";
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t colon = text.find(':', start);
        if (colon == std::string::npos)
            colon = text.size();
        // An empty entry stands for the current folder.
        std::string folder = text.substr(start, colon - start);
        folders.push_back(folder.empty() ? "." : folder);
        start = colon + 1;
    }
    return folders;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

} // namespace

std::string platform::SearchFile(const std::string& name) {
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return name;
    static const std::string ownFolder = OwnFolder();
    std::vector<std::string> folders{ownFolder};
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd))
        folders.emplace_back(cwd);
    for (std::string& folder : PathFolders())
        folders.push_back(std::move(folder));
    folders.emplace_back("/usr/sbin");
    folders.emplace_back("/sbin");
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        std::string candidate = Join(folder, name);
        if (IsRegularFile(candidate))
            return candidate;
    }
    return {};
}

std::string platform::SearchExecutableOnPath(const std::string& name) {
    for (const std::string& folder : PathFolders()) {
        std::string candidate = Join(folder, name);
        if (IsRegularFile(candidate) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}
