#include "platform/sys/FileMapping.h"
#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/sys/File.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class FileMappings : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-map-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = (folder / "data.bin").string();
        std::ofstream(path, std::ios::binary) << "0123456789";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    HANDLE OpenData(DWORD access) {
        return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    }
    std::string Content() {
        std::ifstream stream(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    }

    std::filesystem::path folder;
    std::string path;
};

TEST_F(FileMappings, AReadOnlyViewShowsTheFileAndOutlivesItsHandles) {
    const std::size_t views = platform::MappedViewCount();
    HANDLE file = OpenData(GENERIC_READ);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    const char* view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    ASSERT_NE(view, nullptr);
    CloseHandle(mapping);
    CloseHandle(file);
    EXPECT_EQ(std::string(view, 10), "0123456789");
    EXPECT_EQ(platform::MappedViewCount(), views + 1);
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_ADDRESS);
    EXPECT_EQ(platform::MappedViewCount(), views);
}

TEST_F(FileMappings, ProtectionMustSuitTheHandleAndTheView) {
    HANDLE reader = OpenData(GENERIC_READ);
    EXPECT_EQ(CreateFileMappingA(reader, nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(CreateFileMappingA(reader, nullptr, PAGE_READONLY, 0, 11, nullptr), nullptr)
        << "a read-only mapping cannot grow the file";
    HANDLE mapping = CreateFileMappingA(reader, nullptr, PAGE_READONLY, 0, 0, nullptr);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 1, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MAPPED_ALIGNMENT);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 11), nullptr);
    CloseHandle(mapping);
    CloseHandle(reader);

    std::ofstream(path, std::ios::binary | std::ios::trunc);
    HANDLE empty = OpenData(GENERIC_READ);
    EXPECT_EQ(CreateFileMappingA(empty, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_INVALID);
    CloseHandle(empty);
}

TEST_F(FileMappings, WritableViewsReachTheFileAndCopyViewsDoNot) {
    HANDLE file = OpenData(GENERIC_READ | GENERIC_WRITE);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, 12, nullptr);
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(std::filesystem::file_size(path), 12u) << "a larger read-write mapping extends the file";
    char* shared = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    char* copy = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0));
    ASSERT_NE(shared, nullptr);
    ASSERT_NE(copy, nullptr);
    shared[0] = 'S';
    copy[1] = 'C';
    UnmapViewOfFile(shared);
    UnmapViewOfFile(copy);
    CloseHandle(mapping);
    CloseHandle(file);
    EXPECT_EQ(Content().substr(0, 3), "S12");
}

TEST_F(FileMappings, ANameGivesTheLivingMappingBackWithinTheProcess) {
    HANDLE first = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "TestSection");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "TestSection");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    char* a = static_cast<char*>(MapViewOfFile(first, FILE_MAP_WRITE, 0, 0, 0));
    char* b = static_cast<char*>(MapViewOfFile(second, FILE_MAP_READ, 0, 0, 0));
    std::strcpy(a, "shared");
    EXPECT_STREQ(b, "shared");
    UnmapViewOfFile(a);
    UnmapViewOfFile(b);
    CloseHandle(first);
    CloseHandle(second);
    HANDLE again = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "TestSection");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "the name died with its last handle";
    CloseHandle(again);
}

TEST_F(FileMappings, TheMappingKeepsTheFilesShareModeWhileItLives) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);
    EXPECT_EQ(OpenData(GENERIC_WRITE), INVALID_HANDLE_VALUE);
    CloseHandle(mapping);
    HANDLE writer = OpenData(GENERIC_WRITE);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    CloseHandle(writer);
}

} // namespace
