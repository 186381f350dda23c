#include "platform/sys/File.h"
#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-file-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string PathOf(const std::string& name) { return (folder / name).string(); }
    std::string Existing(const std::string& name, const std::string& content = "content") {
        std::ofstream(PathOf(name), std::ios::binary) << content;
        return PathOf(name);
    }
    static HANDLE Open(const std::string& path, DWORD access, DWORD share,
                       DWORD disposition = OPEN_EXISTING) {
        return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    std::string Content(const std::string& path) {
        std::ifstream stream(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    }

    std::filesystem::path folder;
};

TEST_F(Files, AttributesTellFoldersReadOnlyFilesAndMissingOnes) {
    std::string file = Existing("a.txt");
    EXPECT_EQ(GetFileAttributesA(file.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), FILE_ATTRIBUTE_DIRECTORY);
    chmod(file.c_str(), 0444);
    EXPECT_EQ(GetFileAttributesA(file.c_str()), FILE_ATTRIBUTE_READONLY);
    std::string backslashed = folder.string() + "\\a.txt";
    EXPECT_EQ(GetFileAttributesA(backslashed.c_str()), FILE_ATTRIBUTE_READONLY) << "'\\' separates folders";
    EXPECT_EQ(GetFileAttributesA(PathOf("none").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(Files, DispositionsCreateOpenAndTruncateAsDocumented) {
    std::string file = Existing("a.txt", "12345");
    EXPECT_EQ(Open(file, GENERIC_READ, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(Open(PathOf("none"), GENERIC_READ, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(file, GENERIC_READ, 0, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    HANDLE always = Open(file, GENERIC_WRITE, 0, OPEN_ALWAYS);
    ASSERT_NE(always, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(always, nullptr), 5u);
    CloseHandle(always);

    HANDLE created = Open(file, GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(created, nullptr), 0u);
    CloseHandle(created);

    HANDLE fresh = Open(PathOf("new.txt"), GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(fresh, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(fresh);
    EXPECT_EQ(Open(folder.string(), GENERIC_READ, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(Files, AReadOnlyFileRefusesWritingEvenToRoot) {
    std::string file = Existing("ro.txt");
    chmod(file.c_str(), 0444);
    EXPECT_EQ(Open(file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Open(file, GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Content(file), "content");
    HANDLE reader = Open(file, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
}

struct ShareCase {
    DWORD firstAccess, firstShare, secondAccess, secondShare;
    bool secondOpens;
};

TEST_F(Files, ShareModesDecideWhetherASecondHandleOpens) {
    const DWORD R = GENERIC_READ, W = GENERIC_WRITE, SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
    const ShareCase cases[] = {
        {R, SR, R, SR, true},       {R, SR, R, SR | SW, true},
        {R, SR, W, SR | SW, false}, {R, 0, R, SR | SW, false},
        {R, SR | SW, R, 0, false},  {W, SR, R, SR | SW, true},
        {W, SR, R, SR, false},      {R | W, SR | SW, R | W, SR | SW, true},
        {0, 0, R | W, 0, true},     {R, SR, 0, 0, true},
    };
    std::string file = Existing("shared.txt");
    for (const ShareCase& c : cases) {
        HANDLE first = Open(file, c.firstAccess, c.firstShare);
        ASSERT_NE(first, INVALID_HANDLE_VALUE);
        HANDLE second = Open(file, c.secondAccess, c.secondShare);
        EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens)
            << std::hex << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/"
            << c.secondShare;
        if (second == INVALID_HANDLE_VALUE)
            EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        else
            CloseHandle(second);
        CloseHandle(first);
    }
}

TEST_F(Files, ADeniedOpenChangesNothing) {
    std::string file = Existing("keep.txt", "keep me");
    HANDLE reader = Open(file, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_EQ(Open(file, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(Content(file), "keep me");
    CloseHandle(reader);
}

TEST_F(Files, ShareModesHoldAcrossProcesses) {
    std::string file = Existing("across.txt");
    int toParent[2], toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HANDLE held = Open(file, GENERIC_READ, 0);
        char byte = held != INVALID_HANDLE_VALUE ? 'y' : 'n';
        (void)!write(toParent[1], &byte, 1);
        (void)!read(toChild[0], &byte, 1);
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(toParent[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    EXPECT_EQ(Open(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    (void)!write(toChild[1], &byte, 1);
    int status = 0;
    waitpid(child, &status, 0);
    HANDLE afterwards = Open(file, GENERIC_READ, 0);
    EXPECT_NE(afterwards, INVALID_HANDLE_VALUE) << "the child's marks went with it";
    CloseHandle(afterwards);
    for (int descriptor : {toParent[0], toParent[1], toChild[0], toChild[1]})
        close(descriptor);
}

TEST_F(Files, ReadWriteSeekAndSize) {
    HANDLE file = Open(PathOf("rw.bin"), GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(file, "abcdefgh", 8, &done, nullptr));
    EXPECT_EQ(done, 8u);
    EXPECT_EQ(SetFilePointer(file, -3, nullptr, FILE_END), 5u);
    char buffer[8] = {};
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(std::string(buffer, done), "fgh");
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(done, 0u) << "end of file is success with nothing read";

    OVERLAPPED at{};
    at.Offset = 2;
    ASSERT_TRUE(ReadFile(file, buffer, 3, &done, &at));
    EXPECT_EQ(std::string(buffer, done), "cde");
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 5u);

    EXPECT_EQ(SetFilePointer(file, -10, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(file, 4, &high, FILE_BEGIN), 4u);
    ASSERT_TRUE(SetEndOfFile(file));
    LARGE_INTEGER size{};
    ASSERT_TRUE(GetFileSizeEx(file, &size));
    EXPECT_EQ(size.QuadPart, 4);
    CloseHandle(file);

    EXPECT_FALSE(ReadFile(file, buffer, 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    HANDLE reader = Open(PathOf("rw.bin"), GENERIC_READ, FILE_SHARE_READ);
    EXPECT_FALSE(WriteFile(reader, "x", 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    CloseHandle(reader);
}

TEST_F(Files, OverlappedWritesLeaveThePointerAfterThemAndMissingBuffersAreRefused) {
    HANDLE file = Open(PathOf("overlapped.bin"), GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(file, "abcd", 4, &done, nullptr));
    OVERLAPPED at{};
    at.Offset = 6;
    ASSERT_TRUE(WriteFile(file, "xy", 2, &done, &at));
    EXPECT_EQ(done, 2u);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 8u);
    EXPECT_EQ(GetFileSize(file, nullptr), 8u);
    char buffer[8] = {};
    at.Offset = 0;
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, &at));
    EXPECT_EQ(std::string(buffer, done), std::string("abcd\0\0xy", 8)) << "the gap reads as zeros";

    done = 99;
    EXPECT_FALSE(WriteFile(file, nullptr, 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(done, 0u);
    EXPECT_FALSE(ReadFile(file, nullptr, 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(ReadFile(file, nullptr, 0, &done, nullptr)) << "nothing to read needs no buffer";
    EXPECT_TRUE(WriteFile(file, nullptr, 0, &done, nullptr));
    CloseHandle(file);
}

TEST_F(Files, OpenFileOpensChecksAndDeletesByStyle) {
    std::string file = Existing("of.txt");
    OFSTRUCT record{};
    HFILE handle = OpenFile(file.c_str(), &record, OF_READWRITE);
    ASSERT_NE(handle, HFILE_ERROR);
    EXPECT_EQ(std::string(record.szPathName), file);
    EXPECT_EQ(record.cBytes, sizeof(OFSTRUCT));
    // Compatibility mode shares reading and writing, but not an exclusive open.
    HANDLE exclusive = Open(file, GENERIC_READ, 0);
    EXPECT_EQ(exclusive, INVALID_HANDLE_VALUE);
    HFILE second = OpenFile(file.c_str(), &record, OF_READ);
    EXPECT_NE(second, HFILE_ERROR);
    CloseHandle(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(second)));
    EXPECT_EQ(OpenFile(file.c_str(), &record, OF_READ | OF_SHARE_EXCLUSIVE), HFILE_ERROR);
    EXPECT_EQ(record.nErrCode, ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(CloseHandle(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(handle))));

    const std::size_t handles = platform::OpenKernelHandleCount();
    EXPECT_NE(OpenFile(file.c_str(), &record, OF_EXIST), HFILE_ERROR);
    EXPECT_EQ(platform::OpenKernelHandleCount(), handles) << "OF_EXIST closes what it opened";
    EXPECT_EQ(OpenFile(PathOf("none").c_str(), &record, OF_EXIST), HFILE_ERROR);
    EXPECT_EQ(record.nErrCode, ERROR_FILE_NOT_FOUND);

    chmod(file.c_str(), 0444);
    EXPECT_EQ(OpenFile(file.c_str(), &record, OF_READWRITE), HFILE_ERROR);
    EXPECT_EQ(record.nErrCode, ERROR_ACCESS_DENIED);
    EXPECT_EQ(OpenFile(file.c_str(), &record, OF_DELETE), HFILE_ERROR);
    chmod(file.c_str(), 0644);
    EXPECT_NE(OpenFile(file.c_str(), &record, OF_DELETE), HFILE_ERROR);
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
