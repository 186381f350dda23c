#include "app/UpdateCommands.h"

#include "platform/base/ShowCommands.h"
#include "platform/sys/File.h"
#include "platform/sys/Module.h"
#include "platform/sys/ProcessStart.h"

#include <vector>

std::string UpdaterPath() {
    std::vector<char> path(4096);
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string executable(path.data(), length);
    std::size_t slash = executable.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : executable.substr(0, slash);
    return folder + "/" + UpdaterFileName;
}

bool StartUpdater(const std::string& updaterPath) {
    DWORD attributes = GetFileAttributesA(updaterPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    WinExec(updaterPath.c_str(), SW_SHOW);
    return true;
}

std::string UpdatePageUrl(const std::string& version) {
    return std::string(UpdatePageAddress) + "?qq=" + version;
}

void OpenUpdatePage(HWND owner, const std::string& version) {
    ShellExecuteA(owner, "open", UpdatePageUrl(version).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
