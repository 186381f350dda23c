#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/ModuleTable.h"
#include "platform/sys/Heap.h"
#include "platform/sys/Module.h"
#include "platform/sys/Mutex.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Mutex : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        oldRuntime = old ? old : "";
        ::setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    }
    void TearDown() override {
        if (oldRuntime.empty())
            ::unsetenv("XDG_RUNTIME_DIR");
        else
            ::setenv("XDG_RUNTIME_DIR", oldRuntime.c_str(), 1);
    }

    // Whether another process can take the lock that stands for the name right now.
    bool OtherProcessCanLock(const std::string& name) {
        std::string path = platform::MutexLockPath(name);
        pid_t child = ::fork();
        if (child == 0) {
            int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
            ::_exit(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    TestFolder folder;
    std::string oldRuntime;
};

TEST_F(Mutex, TheFirstCreatorHoldsTheNameUntilItsLastHandleCloses) {
    EXPECT_EQ(platform::MutexLockPath("Quill mere/1"),
              folder.Path() + "/quillmere-" + std::to_string(::geteuid()) + "-Quill%20mere%2F1.lock");
    HANDLE first = CreateMutexA(nullptr, TRUE, "Quillmere");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateMutexA(nullptr, TRUE, "Quillmere");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(OtherProcessCanLock("Quillmere"));
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_FALSE(OtherProcessCanLock("Quillmere"));
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_TRUE(OtherProcessCanLock("Quillmere"));
}

TEST_F(Mutex, ANameHeldByAnotherProcessAlreadyExists) {
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    std::string path = platform::MutexLockPath("Quillmere");
    pid_t child = ::fork();
    if (child == 0) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
        ::flock(fd, LOCK_EX);
        char byte = 1;
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    HANDLE handle = CreateMutexA(nullptr, TRUE, "Quillmere");
    EXPECT_NE(handle, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(handle);
    (void)!::write(release[1], &byte, 1);
    ::waitpid(child, nullptr, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        ::close(fd);

    handle = CreateMutexA(nullptr, TRUE, "Quillmere");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(handle);
}

TEST_F(Mutex, ALinkPlantedAtTheLockPathIsRefused) {
    folder.Write("target", "");
    std::filesystem::create_symlink(folder / "target", platform::MutexLockPath("Planted"));
    EXPECT_EQ(CreateMutexA(nullptr, TRUE, "Planted"), nullptr);
    HANDLE unnamed = CreateMutexA(nullptr, FALSE, nullptr);
    EXPECT_NE(unnamed, nullptr);
    CloseHandle(unnamed);
}

TEST(Heap, BlocksAreZeroedOnRequestAndForeignPointersAreRefused) {
    std::size_t live = platform::LiveHeapBlockCount();
    auto* block = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 64));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, block), 64u);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(block[i], 0);
    void* empty = HeapAlloc(GetProcessHeap(), 0, 0);
    EXPECT_NE(empty, nullptr);
    EXPECT_NE(empty, block);
    int local = 0;
    EXPECT_FALSE(HeapFree(GetProcessHeap(), 0, &local));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(HeapAlloc(reinterpret_cast<HANDLE>(0x99), 0, 8), nullptr);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, block));
    EXPECT_FALSE(HeapFree(GetProcessHeap(), 0, block)); // twice is refused, not a double free
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, empty));
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, nullptr));
    EXPECT_EQ(platform::LiveHeapBlockCount(), live);
}

TEST(ModuleFileName, NamesTheProgramAndCutsToTheBuffer) {
    char expected[PATH_MAX] = {};
    ASSERT_GT(::readlink("/proc/self/exe", expected, sizeof expected - 1), 0);
    char buffer[PATH_MAX];
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, sizeof buffer), std::strlen(expected));
    EXPECT_STREQ(buffer, expected);
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, 6), 6u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(buffer), std::string(expected, 5));
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA("kernel32.dll"), buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

} // namespace
