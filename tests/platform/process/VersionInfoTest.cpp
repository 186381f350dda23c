#include "platform/process/VersionInfo.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/PackageIndex.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutWord(Bytes& out, std::size_t at, std::size_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutDword(Bytes& out, std::size_t at, std::uint32_t value) {
    PutWord(out, at, value & 0xFFFF);
    PutWord(out, at + 2, value >> 16);
}

void Align(Bytes& out) {
    out.resize((out.size() + 3) & ~std::size_t(3), 0);
}

// A node of a version resource as executables store it: UTF-16 keys and texts.
struct ResourceNode {
    std::u16string key;
    bool isText = true;
    std::u16string text;
    Bytes bytes;
    std::vector<ResourceNode> children;

    void AppendTo(Bytes& out) const {
        std::size_t start = out.size();
        out.resize(start + 6, 0);
        for (char16_t c : key + u'\0') {
            out.push_back(static_cast<std::uint8_t>(c));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        Align(out);
        std::size_t valueLength = 0;
        if (isText && !(text.empty() && !children.empty())) {
            for (char16_t c : text + u'\0') {
                out.push_back(static_cast<std::uint8_t>(c));
                out.push_back(static_cast<std::uint8_t>(c >> 8));
            }
            valueLength = text.size() + 1;
        } else if (!isText) {
            out.insert(out.end(), bytes.begin(), bytes.end());
            valueLength = bytes.size();
        }
        for (const ResourceNode& child : children) {
            Align(out);
            child.AppendTo(out);
        }
        PutWord(out, start, out.size() - start);
        PutWord(out, start + 2, valueLength);
        PutWord(out, start + 4, isText ? 1 : 0);
    }
};

ResourceNode VersionResource(std::u16string table, std::vector<ResourceNode> strings) {
    Bytes fixed(52, 0);
    PutDword(fixed, 0, 0xFEEF04BD);
    PutDword(fixed, 8, 0x00020001); // 2.1
    ResourceNode translation{u"Translation", false, {}, {0x04, 0x08, 0xB0, 0x04}, {}};
    return ResourceNode{
        u"VS_VERSION_INFO",
        false,
        {},
        fixed,
        {ResourceNode{u"StringFileInfo", true, {}, {}, {ResourceNode{table, true, {}, {}, strings}}},
         ResourceNode{u"VarFileInfo", true, {}, {}, {translation}}}};
}

// A PE32 image with one section, ".rsrc", whose resource directory leads to the version data.
Bytes PeImage(const Bytes& version) {
    constexpr std::uint32_t SectionRva = 0x1000;
    constexpr std::size_t SectionOffset = 0x200;
    Bytes image(SectionOffset, 0);
    image[0] = 'M';
    image[1] = 'Z';
    PutDword(image, 0x3C, 0x40);
    std::memcpy(&image[0x40], "PE\0\0", 4);
    std::size_t coff = 0x44;
    PutWord(image, coff, 0x14C);
    PutWord(image, coff + 2, 1);    // sections
    PutWord(image, coff + 16, 224); // optional header
    std::size_t optional = coff + 20;
    PutWord(image, optional, 0x10B);
    PutDword(image, optional + 92, 16);
    PutDword(image, optional + 96 + 16, SectionRva); // resource directory
    std::size_t section = optional + 224;
    std::memcpy(&image[section], ".rsrc", 5);

    Bytes resources(0x58, 0);
    auto directory = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
        PutWord(resources, at + 14, 1);
        PutDword(resources, at + 16, id);
        PutDword(resources, at + 20, target);
    };
    directory(0x00, 16, 0x80000000 | 0x18); // RT_VERSION
    directory(0x18, 1, 0x80000000 | 0x30);  // name 1
    directory(0x30, 0x0804, 0x48);          // language -> data entry
    PutDword(resources, 0x48, SectionRva + 0x58);
    PutDword(resources, 0x4C, static_cast<std::uint32_t>(version.size()));
    resources.insert(resources.end(), version.begin(), version.end());

    PutDword(image, section + 8, static_cast<std::uint32_t>(resources.size()));
    PutDword(image, section + 12, SectionRva);
    PutDword(image, section + 16, static_cast<std::uint32_t>(resources.size()));
    PutDword(image, section + 20, SectionOffset);
    PutDword(image, optional + 96 + 20, static_cast<std::uint32_t>(resources.size()));
    image.insert(image.end(), resources.begin(), resources.end());
    return image;
}

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
