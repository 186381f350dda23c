#include "platform/process/ToolHelp.h"

#include "platform/base/CodePage.h"
#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/PackageIndex.h"
#include "platform/process/ProcFiles.h"
#include "platform/process/ProcRoot.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

class ProcessSnapshot : public platform::KernelObject {
public:
    std::vector<PROCESSENTRY32> entries;
    std::size_t next = 0;
};

// The platform's base priority of a process class, from the nice value.
LONG BasePriority(long nice) {
    if (nice >= 15)
        return 4;
    if (nice >= 5)
        return 6;
    if (nice > -5)
        return 8;
    if (nice > -15)
        return 10;
    return 13;
}

// The executable's file name: the exe link when it can be read; else the first word of the
// command line if it agrees with the kernel's (truncated) command name; else that name.
std::string ExecutableName(int folder, const std::string& command) {
    if (auto exe = platform::ReadLinkAt(folder, "exe"))
        return platform::BaseName(platform::WithoutDeletedMark(*exe));
    if (auto cmdline = platform::ReadFileAt(folder, "cmdline"); cmdline && !cmdline->empty()) {
        std::string first = platform::BaseName(cmdline->c_str());
        if (!first.empty() && first.compare(0, command.size(), command) == 0)
            return first;
    }
    return command;
}

// Fills an entry from /proc/[pid]; false when the process has gone meanwhile.
bool ReadEntry(int root, const char* folderName, std::uint32_t pid, PROCESSENTRY32& entry) {
    int folder = ::openat(root, folderName, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    auto stat = platform::ReadFileAt(folder, "stat");
    // "pid (command) state ppid ...": the command may hold blanks and parentheses.
    std::size_t open = stat ? stat->find('(') : std::string::npos;
    std::size_t close = stat ? stat->rfind(')') : std::string::npos;
    if (open == std::string::npos || close == std::string::npos || close < open) {
        ::close(folder);
        return false;
    }
    std::string command = stat->substr(open + 1, close - open - 1);
    std::vector<std::string> fields;
    const char* cursor = stat->c_str() + close + 1;
    while (*cursor) {
        while (*cursor == ' ')
            ++cursor;
        const char* start = cursor;
        while (*cursor && *cursor != ' ' && *cursor != '\n')
            ++cursor;
        if (cursor > start)
            fields.emplace_back(start, cursor);
        if (*cursor == '\n')
            break;
    }
    // fields[0] is the state; ppid, nice and the thread count follow at fixed places.
    auto field = [&](std::size_t index) {
        return index < fields.size() ? std::strtol(fields[index].c_str(), nullptr, 10) : 0L;
    };
    entry = {};
    entry.dwSize = sizeof(PROCESSENTRY32);
    entry.th32ProcessID = pid;
    entry.th32ParentProcessID = static_cast<DWORD>(field(1));
    entry.pcPriClassBase = BasePriority(field(16));
    entry.cntThreads = static_cast<DWORD>(field(17));
    std::string name = platform::Utf8ToGbk(ExecutableName(folder, command));
    std::size_t length = std::min(name.size(), MAX_PATH - 1);
    std::memcpy(entry.szExeFile, name.data(), length);
    ::close(folder);
    return true;
}

BOOL CopyEntry(HANDLE snapshot, LPPROCESSENTRY32 entry, bool first) {
    auto* object = platform::FindKernelObjectOf<ProcessSnapshot>(snapshot);
    if (!object)
        return FALSE;
    if (!entry) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (entry->dwSize < sizeof(PROCESSENTRY32)) {
        SetLastError(ERROR_BAD_LENGTH);
        return FALSE;
    }
    if (first)
        object->next = 0;
    if (object->next >= object->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *entry = object->entries[object->next++];
    return TRUE;
}

} // namespace

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD) {
    auto snapshot = std::make_unique<ProcessSnapshot>();
    if (flags & TH32CS_SNAPPROCESS) {
        // The executables of a process list are what is described next: dpkg's database is
        // read meanwhile on another thread.
        platform::PreparePackageIndex();
        const bool listed = platform::ForEachProcessFolder(
            platform::ProcRoot(), [&](int root, const char* name, std::uint32_t pid) {
                PROCESSENTRY32 entry;
                if (ReadEntry(root, name, pid, entry))
                    snapshot->entries.push_back(entry);
            });
        if (!listed) {
            platform::SetLastErrorFromErrno();
            return INVALID_HANDLE_VALUE;
        }
        std::sort(snapshot->entries.begin(), snapshot->entries.end(),
                  [](const PROCESSENTRY32& a, const PROCESSENTRY32& b) {
                      return a.th32ProcessID < b.th32ProcessID;
                  });
    }
    return platform::InsertKernelObject(std::move(snapshot));
}

BOOL Process32First(HANDLE snapshot, LPPROCESSENTRY32 entry) {
    return CopyEntry(snapshot, entry, true);
}

BOOL Process32Next(HANDLE snapshot, LPPROCESSENTRY32 entry) {
    return CopyEntry(snapshot, entry, false);
}
