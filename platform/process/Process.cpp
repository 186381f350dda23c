#include "platform/process/Process.h"

#include "platform/base/CodePage.h"
#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/ProcFiles.h"
#include "platform/process/ProcRoot.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Module {
    ULONG_PTR base;
    std::string path; // UTF-8
};

class ProcessObject : public platform::KernelObject {
public:
    explicit ProcessObject(int folder) : folder(folder) {}
    ~ProcessObject() override { ::close(folder); }
    ProcessObject(const ProcessObject&) = delete;
    ProcessObject& operator=(const ProcessObject&) = delete;

    int folder;
    // The modules the last enumeration found. A name asked for one of them right after comes
    // from here instead of reading the memory map again.
    std::vector<Module> enumerated;
};

// The modules of a process from its memory map: the executable first, then each other file
// that has an executable mapping, named by the address of its first mapping.
bool ReadModules(int folder, std::vector<Module>& modules) {
    auto exe = platform::ReadLinkAt(folder, "exe");
    auto maps = exe ? platform::ReadFileAt(folder, "maps") : std::nullopt;
    if (!exe || !maps) {
        // A process that has ended, or a kernel thread without memory, cannot be read.
        SetLastError(errno == EACCES || errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_PARTIAL_COPY);
        return false;
    }
    std::string exePath = platform::WithoutDeletedMark(*exe);
    struct Mapping {
        ULONG_PTR start;
        std::string path;
        bool executable;
    };
    std::vector<Mapping> mappings;
    std::size_t lineStart = 0;
    while (lineStart < maps->size()) {
        std::size_t lineEnd = maps->find('\n', lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = maps->size();
        // "start-end perms offset dev inode   path"
        const char* line = maps->c_str() + lineStart;
        char* cursor = nullptr;
        ULONG_PTR start = std::strtoull(line, &cursor, 16);
        const char* perms = std::strchr(cursor, ' ');
        std::size_t pathAt = maps->find('/', lineStart);
        if (perms && pathAt != std::string::npos && pathAt < lineEnd) {
            std::string path = platform::WithoutDeletedMark(maps->substr(pathAt, lineEnd - pathAt));
            mappings.push_back({start, std::move(path), perms[3] == 'x'});
        }
        lineStart = lineEnd + 1;
    }
    auto firstMappingOf = [&](const std::string& path) -> const Mapping* {
        for (const Mapping& mapping : mappings) {
            if (mapping.path == path)
                return &mapping;
        }
        return nullptr;
    };
    const Mapping* main = firstMappingOf(exePath);
    if (!main) {
        SetLastError(ERROR_PARTIAL_COPY);
        return false;
    }
    modules.push_back({main->start, exePath});
    for (const Mapping& mapping : mappings) {
        if (!mapping.executable || mapping.path == exePath)
            continue;
        bool known = std::any_of(modules.begin(), modules.end(),
                                 [&](const Module& module) { return module.path == mapping.path; });
        if (!known)
            modules.push_back({firstMappingOf(mapping.path)->start, mapping.path});
    }
    return true;
}

DWORD CopyText(const std::string& text, LPSTR buffer, DWORD size) {
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    DWORD length = static_cast<DWORD>(std::min<std::size_t>(text.size(), size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length;
}

} // namespace

HANDLE OpenProcess(DWORD desiredAccess, BOOL, DWORD processId) {
    if (processId == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string path = platform::ProcRoot() + "/" + std::to_string(processId);
    int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        SetLastError(errno == ENOENT ? ERROR_INVALID_PARAMETER : platform::ErrorFromErrno(errno));
        return nullptr;
    }
    // Reading a process's memory or its executable needs the same rights as tracing it; the
    // exe link shows at once whether we have them. Kernel threads have no exe and are open.
    constexpr DWORD ReadingRights = PROCESS_VM_READ | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE;
    if (desiredAccess & ReadingRights) {
        if (!platform::ReadLinkAt(folder, "exe") && (errno == EACCES || errno == EPERM)) {
            ::close(folder);
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
    }
    return platform::InsertKernelObject(std::make_unique<ProcessObject>(folder));
}

BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, LPDWORD bytesNeeded) {
    auto* object = platform::FindKernelObjectOf<ProcessObject>(process);
    if (!object)
        return FALSE;
    if (!bytesNeeded || (bytes > 0 && !modules)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<Module> found;
    if (!ReadModules(object->folder, found))
        return FALSE;
    object->enumerated = found;
    std::size_t room = bytes / sizeof(HMODULE);
    for (std::size_t i = 0; i < found.size() && i < room; ++i)
        modules[i] = reinterpret_cast<HMODULE>(found[i].base);
    *bytesNeeded = static_cast<DWORD>(found.size() * sizeof(HMODULE));
    return TRUE;
}

DWORD GetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR fileName, DWORD size) {
    auto* object = platform::FindKernelObjectOf<ProcessObject>(process);
    if (!object)
        return 0;
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!module) {
        auto exe = platform::ReadLinkAt(object->folder, "exe");
        if (!exe) {
            SetLastError(errno == EACCES || errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_PARTIAL_COPY);
            return 0;
        }
        return CopyText(platform::Utf8ToGbk(platform::WithoutDeletedMark(*exe)), fileName, size);
    }
    for (const Module& candidate : object->enumerated) {
        if (reinterpret_cast<HMODULE>(candidate.base) == module)
            return CopyText(platform::Utf8ToGbk(candidate.path), fileName, size);
    }
    std::vector<Module> found;
    if (!ReadModules(object->folder, found))
        return 0;
    for (const Module& candidate : found) {
        if (reinterpret_cast<HMODULE>(candidate.base) == module)
            return CopyText(platform::Utf8ToGbk(candidate.path), fileName, size);
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}
