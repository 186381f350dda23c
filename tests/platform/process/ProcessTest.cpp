#include "platform/process/Process.h"
#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/ModuleTable.h"
#include "platform/process/ProcRoot.h"
#include "platform/process/ToolHelp.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string OwnExecutable() {
    char buffer[PATH_MAX] = {};
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::map<DWORD, PROCESSENTRY32> Walk(HANDLE snapshot) {
    std::map<DWORD, PROCESSENTRY32> entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        entries[entry.th32ProcessID] = entry;
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    return entries;
}

TEST(ToolHelp, SnapshotHoldsThisProcessWithItsExecutablesName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    auto entries = Walk(snapshot);
    auto self = entries.find(static_cast<DWORD>(::getpid()));
    ASSERT_NE(self, entries.end());
    std::string exe = OwnExecutable();
    EXPECT_EQ(std::string(self->second.szExeFile), exe.substr(exe.rfind('/') + 1));
    EXPECT_EQ(self->second.th32ParentProcessID, static_cast<DWORD>(::getppid()));
    EXPECT_GE(self->second.cntThreads, 1u);
    EXPECT_EQ(self->second.dwSize, 296u);
    // The walk starts again from the first entry.
    EXPECT_EQ(Walk(snapshot).size(), entries.size());
    EXPECT_TRUE(CloseHandle(snapshot));
}

TEST(ToolHelp, EntryRecordSizeIsChecked) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = 100;
    EXPECT_FALSE(Process32First(snapshot, &entry));
    EXPECT_EQ(GetLastError(), ERROR_BAD_LENGTH);
    EXPECT_FALSE(Process32First(reinterpret_cast<HANDLE>(0x7777), &entry));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    CloseHandle(snapshot);
}

TEST(ToolHelp, NamesComeFromTheExecutableOrTheCommand) {
    TestFolder proc;
    proc.Write("10/stat", "10 (worker) S 1 10 10 0 -1 4194560 0 0 0 0 0 0 0 0 20 0 3 0 100\n");
    proc.Link("10/exe", "/opt/\xE6\xB5\x8B\xE8\xAF\x95/server (deleted)");
    // A command with blanks and parentheses, an exe link that cannot be read.
    proc.Write("11/stat", "11 (odd) name) S 10 11 11 0 -1 0 0 0 0 0 0 0 0 0 20 10 1 0 100\n");
    proc.Write("12/stat", "12 (kworker/0:1) I 2 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 100\n");
    proc.Write("13/stat", "13 (long-command-n) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 100\n");
    proc.Write("13/cmdline", std::string("/usr/bin/long-command-name\0--flag\0", 35));
    proc.Write("14/cmdline", "no stat: the process ended while the snapshot was taken");
    platform::SetProcRoot(proc.Path());
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    auto entries = Walk(snapshot);
    platform::SetProcRoot("/proc");
    CloseHandle(snapshot);

    ASSERT_EQ(entries.size(), 4u);
    EXPECT_STREQ(entries[10].szExeFile, "server");
    EXPECT_EQ(entries[10].cntThreads, 3u);
    EXPECT_EQ(entries[10].th32ParentProcessID, 1u);
    EXPECT_STREQ(entries[11].szExeFile, "odd) name");
    EXPECT_EQ(entries[11].pcPriClassBase, 6); // nice 10
    EXPECT_STREQ(entries[12].szExeFile, "kworker/0:1");
    EXPECT_STREQ(entries[13].szExeFile, "long-command-name");
}

TEST(ToolHelp, OnlyNumericFoldersAreProcessesAndAMissingTreeFailsTheSnapshot) {
    TestFolder proc;
    proc.Write("20/stat", "20 (daemon) S 1 20 20 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 100\n");
    proc.Write("self/stat", "20 (daemon) S 1 20 20 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 100\n");
    proc.Write("2x/stat", "2 (odd) S 1 2 2 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 100\n");
    proc.Write("net/tcp", "");
    platform::SetProcRoot(proc.Path());
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    auto entries = Walk(snapshot);
    CloseHandle(snapshot);
    platform::SetProcRoot(proc / "missing");
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    platform::SetProcRoot("/proc");

    ASSERT_EQ(entries.size(), 1u);
    EXPECT_STREQ(entries[20].szExeFile, "daemon");
}

TEST(Process, ThisProcessNamesItsExecutableAsFirstModule) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ::getpid());
    ASSERT_NE(process, nullptr);
    HMODULE modules[1] = {};
    DWORD needed = 0;
    ASSERT_TRUE(EnumProcessModules(process, modules, sizeof modules, &needed));
    EXPECT_GT(needed, sizeof(HMODULE)); // the C library at least follows
    char path[1024];
    EXPECT_EQ(GetModuleFileNameExA(process, modules[0], path, sizeof path), OwnExecutable().size());
    EXPECT_EQ(std::string(path), OwnExecutable());
    EXPECT_EQ(GetModuleFileNameExA(process, nullptr, path, 5), 4u);
    EXPECT_EQ(std::string(path), OwnExecutable().substr(0, 4));

    std::vector<HMODULE> all(needed / sizeof(HMODULE));
    ASSERT_TRUE(EnumProcessModules(process, all.data(), needed, &needed));
    bool libraryFound = false;
    for (HMODULE module : all) {
        ASSERT_GT(GetModuleFileNameExA(process, module, path, sizeof path), 0u);
        libraryFound = libraryFound || std::string(path).find("libc") != std::string::npos;
    }
    EXPECT_TRUE(libraryFound);
    EXPECT_EQ(GetModuleFileNameExA(process, reinterpret_cast<HMODULE>(0x10), path, sizeof path), 0u);
    EXPECT_TRUE(CloseHandle(process));
}

TEST(Process, OpeningFailsForIdZeroAndForMissingProcesses) {
    EXPECT_EQ(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, 0x7FFFFFF0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    DWORD needed = 0;
    EXPECT_FALSE(EnumProcessModules(reinterpret_cast<HANDLE>(0x7777), nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Process, AHandleOutlivesItsProcessButReadsNothingFromIt) {
    pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, static_cast<DWORD>(child));
    ASSERT_NE(process, nullptr);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    HMODULE module = nullptr;
    DWORD needed = 0;
    EXPECT_FALSE(EnumProcessModules(process, &module, sizeof module, &needed));
    char path[64];
    EXPECT_EQ(GetModuleFileNameExA(process, nullptr, path, sizeof path), 0u);
    EXPECT_TRUE(CloseHandle(process));
}

TEST(ModuleTable, RunTimeLookUpsFindTheLayersCalls) {
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(GetModuleHandleA("kernel32"), kernel);
    auto snapshotCall =
        platform::ProcAs<HANDLE (*)(DWORD, DWORD)>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
    ASSERT_NE(snapshotCall, nullptr);
    HANDLE snapshot = snapshotCall(TH32CS_SNAPPROCESS, 0);
    EXPECT_NE(snapshot, INVALID_HANDLE_VALUE);
    CloseHandle(snapshot);
    EXPECT_EQ(GetProcAddress(kernel, "NoSuchCall"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

    // PSAPI is there only while loaded.
    EXPECT_EQ(GetModuleHandleA("PSAPI.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    HMODULE psapi = LoadLibraryA("PSAPI.dll");
    ASSERT_NE(psapi, nullptr);
    EXPECT_EQ(GetModuleHandleA("C:\\WINDOWS\\system32\\psapi.dll"), psapi);
    EXPECT_EQ(GetProcAddress(psapi, "EnumProcessModules"),
              reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&EnumProcessModules)));
    EXPECT_TRUE(FreeLibrary(psapi));
    EXPECT_EQ(GetModuleHandleA("PSAPI.dll"), nullptr);
    EXPECT_EQ(GetProcAddress(psapi, "EnumProcessModules"), nullptr);

    EXPECT_EQ(LoadLibraryA("nosuch.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(GetModuleHandleA(nullptr), platform::MainModuleHandle());
    EXPECT_EQ(GetProcAddress(kernel, MAKEINTRESOURCEA(1)), nullptr);
}

} // namespace
