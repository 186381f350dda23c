#include "platform/process/VersionInfo.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/PackageIndex.h"
#include "tests/platform/process/PeBuilder.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace {

using platform::test::Bytes;
using platform::test::PeImage;
using platform::test::PutDword;
using platform::test::ResourceNode;
using platform::test::VersionResource;

std::string WriteImage(const TestFolder& folder, const std::string& name, const Bytes& image) {
    return folder.Write(name, std::string(image.begin(), image.end()));
}

Bytes ReadBlock(const std::string& path) {
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    Bytes block(size);
    if (size > 0) {
        EXPECT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    }
    return block;
}

std::string QueryText(const Bytes& block, const char* key) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), key, &value, &length))
        return "<none>";
    EXPECT_EQ(std::strlen(static_cast<const char*>(value)) + 1, length);
    return static_cast<const char*>(value);
}

TEST(VersionInfo, PeResourceGivesTranslationAndGbkStrings) {
    TestFolder folder;
    Bytes version;
    VersionResource(u"080404B0", {{u"CompanyName", true, u"某公司", {}, {}},
                                  {u"FileDescription", true, u"测试程序", {}, {}}})
        .AppendTo(version);
    std::string path = WriteImage(folder, "tool.exe", PeImage(version));

    Bytes block = ReadBlock(path);
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(std::memcmp(value, "\x04\x08\xB0\x04", 4), 0);
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionMS, 0x00020001u);
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\080404B0\\FileDescription"), "测试程序");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\080404b0\\companyname"), "某公司");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904B0\\FileDescription"), "<none>");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\080404B0\\ProductName"), "<none>");
}

TEST(VersionInfo, AnEmptyDescriptionIsAnEmptyText) {
    TestFolder folder;
    Bytes version;
    VersionResource(u"080404B0",
                    {{u"FileDescription", true, u"", {}, {}}, {u"CompanyName", true, u"C", {}, {}}})
        .AppendTo(version);
    Bytes block = ReadBlock(WriteImage(folder, "empty.exe", PeImage(version)));
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\080404B0\\FileDescription"), "");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\080404B0\\CompanyName"), "C");
}

TEST(VersionInfo, ASmallBufferGetsACutBlockThatQueriesStayInside) {
    TestFolder folder;
    Bytes version;
    VersionResource(u"080404B0", {{u"FileDescription", true, u"Description", {}, {}}}).AppendTo(version);
    std::string path = WriteImage(folder, "cut.exe", PeImage(version));
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
    Bytes block(size, 0xCC);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, 100, block.data()));
    EXPECT_EQ(block[0] | (block[1] << 8), 100);
    EXPECT_EQ(QueryText(block, "\\VarFileInfo\\Translation"), "<none>");
}

TEST(VersionInfo, DamagedOrMissingResourcesGiveNoBlock) {
    TestFolder folder;
    Bytes version;
    VersionResource(u"080404B0", {{u"FileDescription", true, u"x", {}, {}}}).AppendTo(version);
    Bytes image = PeImage(version);
    // The data entry points far outside the file.
    Bytes outside = image;
    PutDword(outside, 0x200 + 0x48, 0x7FFFFF00);
    EXPECT_EQ(GetFileVersionInfoSizeA(WriteImage(folder, "outside.exe", outside).c_str(), nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    // Every prefix of the image: no crash, no block beyond what is there.
    for (std::size_t cut :
         {std::size_t(2), std::size_t(0x41), std::size_t(0x150), std::size_t(0x230), image.size() - 9}) {
        Bytes part(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(GetFileVersionInfoSizeA(
                      WriteImage(folder, "part" + std::to_string(cut) + ".exe", part).c_str(), nullptr),
                  0u);
    }
    EXPECT_EQ(GetFileVersionInfoSizeA((folder / "missing.exe").c_str(), nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

// A dpkg database of one package that owns a program reached through a folder link.
class PackageVersion : public ::testing::Test {
protected:
    void SetUp() override {
        program = folder.Write("usr/bin/frobnicate", "#!/bin/sh\n");
        folder.Link("bin", "usr/bin");
        folder.Write("dpkg/status", "Package: other\nStatus: deinstall ok config-files\nVersion: 1\n\n"
                                    "Package: frob\nStatus: install ok installed\nArchitecture: amd64\n"
                                    "Maintainer: Jane Doe <jane@example.org>\nVersion: 1:2.38.1-5+deb12u1\n"
                                    "Description: frobnicates the \xE6\xB5\x8B widgets\n more text\n");
        folder.Write("dpkg/info/frob:amd64.list",
                     "/.\n" + (folder / "bin") + "\n" + (folder / "bin/frobnicate") + "\n");
        platform::SetPackageDatabaseRoot(folder / "dpkg");
    }
    void TearDown() override { platform::SetPackageDatabaseRoot("/var/lib/dpkg"); }

    TestFolder folder;
    std::string program;
};

TEST_F(PackageVersion, PackageRecordBecomesTheVersionBlock) {
    Bytes block = ReadBlock(program); // listed as <folder>/bin/frobnicate, found as .../usr/bin/...
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    EXPECT_EQ(std::memcmp(value, "\x09\x04\xB0\x04", 4), 0);
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904B0\\FileDescription"), "frobnicates the 测 widgets");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904B0\\CompanyName"), "Jane Doe");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904B0\\ProductVersion"), "1:2.38.1-5+deb12u1");
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionMS, (2u << 16) | 38u);
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionLS, (1u << 16) | 5u);
}

// Among many listed files, the one named like the program in another folder is passed over
// and the program's own line found, whatever bucket the names fall into.
TEST_F(PackageVersion, TheListedPathIsFoundAmongManyAndNotItsNamesakes) {
    std::string lines = "/.\n" + (folder / "elsewhere/frobnicate") + "\n";
    for (int i = 0; i < 3000; ++i)
        lines += (folder / ("usr/share/frob/file" + std::to_string(i))) + "\n";
    folder.Write("dpkg/info/frob:amd64.list", lines + (folder / "bin/frobnicate"));
    struct timespec later[2] = {{0, UTIME_NOW}, {3, 0}};
    ::utimensat(AT_FDCWD, (folder / "dpkg/info").c_str(), later, 0);
    auto owner = platform::FindOwningPackage(program);
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->package, "frob");
    EXPECT_FALSE(platform::FindOwningPackage(folder.Write("usr/share/frob/file3000", "")));
    EXPECT_TRUE(platform::FindOwningPackage(folder.Write("usr/share/frob/file2999", "")));
}

// The database read ahead on another thread serves look-ups only while it is current.
TEST_F(PackageVersion, ADatabaseReadAheadIsUsedOnlyWhileItIsCurrent) {
    int builds = platform::PackageIndexBuildCount();
    platform::PreparePackageIndex();
    platform::PreparePackageIndex(); // one read at a time
    auto owner = platform::FindOwningPackage(program);
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->package, "frob");
    platform::PreparePackageIndex(); // nothing changed: nothing read
    EXPECT_EQ(platform::PackageIndexBuildCount(), builds + 1);

    // dpkg changes the database after the read ahead began: the look-up reads it again.
    struct timespec first[2] = {{0, UTIME_NOW}, {1, 0}};
    ::utimensat(AT_FDCWD, (folder / "dpkg/status").c_str(), first, 0);
    platform::PreparePackageIndex();
    folder.Write("dpkg/status", "Package: frob\nStatus: install ok installed\nDescription: newest\n");
    struct timespec second[2] = {{0, UTIME_NOW}, {2, 0}};
    ::utimensat(AT_FDCWD, (folder / "dpkg/status").c_str(), second, 0);
    owner = platform::FindOwningPackage(program);
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->description, "newest");
    EXPECT_EQ(platform::PackageIndexBuildCount(), builds + 3);
}

TEST_F(PackageVersion, BareNamesAreSearchedAndTheIndexIsKeptUntilTheDatabaseChanges) {
    std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", (folder / "usr/bin").c_str(), 1);
    int builds = platform::PackageIndexBuildCount();
    EXPECT_GT(GetFileVersionInfoSizeA("frobnicate", nullptr), 0u);
    EXPECT_GT(GetFileVersionInfoSizeA((folder / "bin/frobnicate").c_str(), nullptr), 0u);
    EXPECT_EQ(platform::PackageIndexBuildCount(), builds + 1);

    // A new status file (as dpkg writes it) is noticed.
    folder.Write("dpkg/status", "Package: frob\nStatus: install ok installed\nMaintainer: New Hands <n@x>\n"
                                "Description: changed\n");
    struct timespec times[2] = {{0, UTIME_NOW}, {1, 0}};
    ::utimensat(AT_FDCWD, (folder / "dpkg/status").c_str(), times, 0);
    Bytes block = ReadBlock("frobnicate");
    EXPECT_EQ(platform::PackageIndexBuildCount(), builds + 2);
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904B0\\CompanyName"), "New Hands");
    ::setenv("PATH", oldPath.c_str(), 1);

    EXPECT_EQ(GetFileVersionInfoSizeA("frobnicate", nullptr), 0u); // not along the search order now
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    folder.Write("stray", "not in any package");
    EXPECT_EQ(GetFileVersionInfoSizeA((folder / "stray").c_str(), nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
}

} // namespace
