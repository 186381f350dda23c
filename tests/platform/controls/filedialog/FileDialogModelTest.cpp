// What the save dialog knows of files: filter pairs, patterns, the entries of a folder (with
// names GBK cannot hold shown but not choosable) and what a typed name means.

#include "platform/controls/filedialog/FileDialogModel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using namespace platform;
namespace fs = std::filesystem;

TEST(FileDialogModel, Filters_ArePairsOfADescriptionAndPatterns) {
    const char filters[] = "文本文件\0*.txt\0所有文件\0*.*\0";
    std::vector<FileFilter> parsed = ParseFilters(filters);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].description, "文本文件");
    EXPECT_EQ(parsed[0].patterns, std::vector<std::string>{"*.txt"});
    EXPECT_EQ(parsed[1].patterns, std::vector<std::string>{"*.*"});

    const char several[] = "Logs\0*.log; *.TXT;\0Unpaired\0";
    parsed = ParseFilters(several);
    ASSERT_EQ(parsed.size(), 1u) << "a description without patterns is dropped";
    EXPECT_EQ(parsed[0].patterns, (std::vector<std::string>{"*.log", "*.TXT"}));
    EXPECT_TRUE(ParseFilters(nullptr).empty());
}

TEST(FileDialogModel, Patterns_MatchWithoutRegardToCaseAndCountDoubleByteCharactersAsOne) {
    EXPECT_TRUE(MatchesPattern("LIST.TXT", "*.txt"));
    EXPECT_FALSE(MatchesPattern("list.txt.bak", "*.txt"));
    EXPECT_TRUE(MatchesPattern("README", "*.*")) << "every name, also one without a dot";
    EXPECT_TRUE(MatchesPattern("中.c", "?.c"));
    EXPECT_FALSE(MatchesPattern("ab.c", "?.c"));
    EXPECT_TRUE(MatchesPattern("连接表2010.txt", "连接*.txt"));
    // The trail byte of 表 (0xB1ED) is not a character of its own.
    EXPECT_FALSE(MatchesPattern("表", "*\xED"));
    EXPECT_TRUE(MatchesAny("a.log", {"*.txt", "*.log"}));
}

class FileDialogFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("quillmere-save-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "beta");
        fs::create_directories(root / "Alpha");
        fs::create_directories(root / ".hidden");
        for (const char* name : {"b.txt", "A.TXT", "c.log", ".secret.txt", "\xF0\x9F\x98\x80.txt"})
            std::ofstream(root / name) << "x";
        folder = root.string(); // the temporary folder's path is ASCII, so GBK as it stands
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
    std::string folder;
};

TEST_F(FileDialogFolderTest, List_ShowsTheParentFoldersThenMatchingFilesEachSorted) {
    std::vector<FolderEntry> entries = ListFolder(folder, {"*.txt"});
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries)
        names.push_back(entry.name + (entry.folder ? "/" : "") + (entry.choosable ? "" : "!"));
    EXPECT_EQ(names, (std::vector<std::string>{"../", "Alpha/", "beta/", "?.txt!", "A.TXT", "b.txt"}))
        << "hidden entries left out; a name GBK cannot hold is shown but cannot be chosen";
    EXPECT_EQ(ListFolder("/", {"*.*"}).front().name == "..", false) << "the root has no parent";
    EXPECT_TRUE(ListFolder(folder + "/missing", {"*.*"}).empty());
}

TEST_F(FileDialogFolderTest, Paths_NormalParentAndChain) {
    EXPECT_EQ(NormalFolder(folder + "/beta/../Alpha/"), folder + "/Alpha");
    EXPECT_EQ(ParentFolder(folder + "/beta"), folder);
    EXPECT_EQ(ParentFolder("/"), "/");
    std::vector<std::string> chain = FolderChain(folder + "/beta");
    EXPECT_EQ(chain.front(), "/");
    EXPECT_EQ(chain.back(), folder + "/beta");
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(FileExists(folder + "/b.txt"));
    EXPECT_FALSE(FileExists(folder + "/beta"));
}

TEST_F(FileDialogFolderTest, TypedNames_OpenFoldersListPatternsOrNameAFile) {
    TypedName typed = InterpretTypedName(folder, "  list ", "txt");
    EXPECT_EQ(typed.kind, TypedKind::Save);
    EXPECT_EQ(typed.path, folder + "/list.txt") << "the default extension is added";
    EXPECT_EQ(InterpretTypedName(folder, "list.csv", "txt").path, folder + "/list.csv");
    EXPECT_EQ(InterpretTypedName(folder, "连接表", "txt").path, folder + "/连接表.txt");

    typed = InterpretTypedName(folder, "beta", "txt");
    EXPECT_EQ(typed.kind, TypedKind::Navigate);
    EXPECT_EQ(typed.path, folder + "/beta");
    EXPECT_EQ(InterpretTypedName(folder + "/beta", "..", "txt").path, folder);
    EXPECT_EQ(InterpretTypedName(folder, "/", "txt").path, "/");

    typed = InterpretTypedName(folder, "beta\\new", "txt");
    EXPECT_EQ(typed.kind, TypedKind::Save);
    EXPECT_EQ(typed.path, folder + "/beta/new.txt") << "'\\' separates folders too";
    EXPECT_TRUE(typed.folderExists);
    typed = InterpretTypedName(folder, "missing/new", "txt");
    EXPECT_FALSE(typed.folderExists);

    typed = InterpretTypedName(folder, "beta/*.log", "txt");
    EXPECT_EQ(typed.kind, TypedKind::Filter);
    EXPECT_EQ(typed.path, folder + "/beta");
    EXPECT_EQ(typed.pattern, "*.log");
    EXPECT_EQ(InterpretTypedName(folder, "   ", "txt").kind, TypedKind::Nothing);

    const char* home = std::getenv("HOME");
    std::string savedHome = home ? home : "";
    ::setenv("HOME", folder.c_str(), 1);
    typed = InterpretTypedName("/", "~/beta", "txt");
    if (home)
        ::setenv("HOME", savedHome.c_str(), 1);
    else
        ::unsetenv("HOME");
    EXPECT_EQ(typed.kind, TypedKind::Navigate);
    EXPECT_EQ(typed.path, folder + "/beta");
}

} // namespace
