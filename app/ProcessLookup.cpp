#include "app/ProcessLookup.h"

#include "platform/base/KernelObject.h"
#include "platform/process/ModuleTable.h"
#include "platform/process/Process.h"
#include "platform/process/ToolHelp.h"
#include "platform/process/VersionInfo.h"
#include "platform/sys/Heap.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD ProcessListing = TH32CS_SNAPPROCESS;
constexpr DWORD QueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ; // 0x410
constexpr DWORD ModuleNameCapacity = 1024;

using SnapshotCall = HANDLE (*)(DWORD, DWORD);
using WalkCall = BOOL (*)(HANDLE, LPPROCESSENTRY32);
using EnumModulesCall = BOOL (*)(HANDLE, HMODULE*, DWORD, LPDWORD);
using ModuleNameCall = DWORD (*)(HANDLE, HMODULE, LPSTR, DWORD);

// The process-listing service of the already loaded kernel library, looked up once; again
// only while the library's handle could not be had.
struct ToolHelpService {
    HMODULE library = nullptr;
    SnapshotCall snapshot = nullptr;
    WalkCall first = nullptr;
    WalkCall next = nullptr;

    bool Available() {
        if (!library) {
            library = GetModuleHandleA("kernel32.dll");
            if (library) {
                snapshot =
                    platform::ProcAs<SnapshotCall>(GetProcAddress(library, "CreateToolhelp32Snapshot"));
                first = platform::ProcAs<WalkCall>(GetProcAddress(library, "Process32First"));
                next = platform::ProcAs<WalkCall>(GetProcAddress(library, "Process32Next"));
            }
        }
        return library && snapshot;
    }
};

// The module-query library, loaded at the first use; a failed load is tried again next time.
struct ModuleService {
    HMODULE library = nullptr;
    EnumModulesCall enumModules = nullptr;
    ModuleNameCall moduleName = nullptr;

    bool Available() {
        if (!library) {
            HMODULE loaded = LoadLibraryA("PSAPI.dll");
            // Handle values below 32 are the old platform's error codes.
            if (reinterpret_cast<ULONG_PTR>(loaded) < 32)
                return false;
            library = loaded;
            enumModules = platform::ProcAs<EnumModulesCall>(GetProcAddress(library, "EnumProcessModules"));
            moduleName = platform::ProcAs<ModuleNameCall>(GetProcAddress(library, "GetModuleFileNameExA"));
        }
        return true;
    }
};

ToolHelpService& ToolHelp() {
    static ToolHelpService service;
    return service;
}

ModuleService& Modules() {
    static ModuleService service;
    return service;
}

BOOL FirstProcess(HANDLE snapshot, PROCESSENTRY32& entry) {
    ToolHelpService& service = ToolHelp();
    return service.Available() && service.first ? service.first(snapshot, &entry) : FALSE;
}

BOOL NextProcess(HANDLE snapshot, PROCESSENTRY32& entry) {
    ToolHelpService& service = ToolHelp();
    return service.Available() && service.next ? service.next(snapshot, &entry) : FALSE;
}

BOOL EnumModules(HANDLE process, HMODULE* module, DWORD bytes, DWORD& needed) {
    ModuleService& service = Modules();
    return service.Available() && service.enumModules ? service.enumModules(process, module, bytes, &needed)
                                                      : FALSE;
}

DWORD ModuleFileName(HANDLE process, HMODULE module, char* buffer, DWORD size) {
    ModuleService& service = Modules();
    return service.Available() && service.moduleName ? service.moduleName(process, module, buffer, size) : 0;
}

// A text value of the version block, up to its NUL.
bool QueryText(const void* block, const std::string& key, std::string& text) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block, key.c_str(), &value, &length) || !value)
        return false;
    text.assign(static_cast<const char*>(value), strnlen(static_cast<const char*>(value), length));
    return true;
}

// The version resource buffer: zero-filled at the size the platform reports, freed on return.
class VersionBuffer {
public:
    explicit VersionBuffer(DWORD size) : m_data(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)) {}
    ~VersionBuffer() { HeapFree(GetProcessHeap(), 0, m_data); }
    VersionBuffer(const VersionBuffer&) = delete;
    VersionBuffer& operator=(const VersionBuffer&) = delete;
    void* Data() const { return m_data; }

private:
    void* m_data;
};

} // namespace

HANDLE TakeProcessSnapshot() {
    ToolHelpService& service = ToolHelp();
    return service.Available() ? service.snapshot(ProcessListing, 0) : nullptr;
}

void CloseProcessSnapshot(HANDLE snapshot) {
    if (snapshot && snapshot != INVALID_HANDLE_VALUE)
        CloseHandle(snapshot);
}

std::string GetProcessName(HANDLE snapshot, DWORD processId) {
    std::string result;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL found = FirstProcess(snapshot, entry); found; found = NextProcess(snapshot, entry)) {
        if (entry.th32ProcessID == processId) {
            result.assign(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile));
            break;
        }
    }
    return result;
}

std::unordered_map<DWORD, std::string> GetProcessNames(HANDLE snapshot) {
    std::unordered_map<DWORD, std::string> names;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL found = FirstProcess(snapshot, entry); found; found = NextProcess(snapshot, entry))
        names.try_emplace(entry.th32ProcessID, entry.szExeFile,
                          strnlen(entry.szExeFile, sizeof entry.szExeFile));
    return names;
}

std::string GetProcessPath(DWORD processId) {
    HANDLE process = OpenProcess(QueryAndRead, FALSE, processId);
    if (!process)
        return {};
    std::string result;
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (EnumModules(process, &module, sizeof module, needed)) {
        char name[ModuleNameCapacity] = {};
        if (ModuleFileName(process, module, name, ModuleNameCapacity) > 0)
            result.assign(name, strnlen(name, sizeof name));
    }
    CloseHandle(process);
    return result;
}

std::string TranslationKey(const unsigned char entry[4]) {
    char key[9];
    std::snprintf(key, sizeof key, "%.2X%.2X%.2X%.2X", entry[1], entry[0], entry[3], entry[2]);
    return key;
}

std::string GetFileDescription(const std::string& fileName) {
    if (fileName.empty())
        return {};
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0)
        return {};
    VersionBuffer buffer(size);
    if (!buffer.Data() || !GetFileVersionInfoA(fileName.c_str(), 0, size, buffer.Data()))
        return {};
    void* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(buffer.Data(), "\\VarFileInfo\\Translation", &translation, &length) || length < 4)
        return {};
    std::string table =
        "\\StringFileInfo\\" + TranslationKey(static_cast<const unsigned char*>(translation)) + "\\";
    std::string result;
    if (!QueryText(buffer.Data(), table + "FileDescription", result))
        return {};
    std::string company;
    if (QueryText(buffer.Data(), table + "CompanyName", company))
        result += " / " + company;
    return result;
}
