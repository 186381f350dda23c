#include "platform/sys/Module.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/ModuleTable.h"

#include <climits>
#include <cstring>
#include <unistd.h>

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    if (module && module != platform::MainModuleHandle()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!fileName && size > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    char buffer[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        platform::SetLastErrorFromErrno();
        return 0;
    }
    std::string path = platform::Utf8ToGbk(std::string(buffer, static_cast<std::size_t>(length)));
    if (path.size() < size) {
        std::memcpy(fileName, path.c_str(), path.size() + 1);
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(path.size());
    }
    if (size > 0) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = '\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}
