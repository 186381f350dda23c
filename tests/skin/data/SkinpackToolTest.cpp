// The skinpack tool, run as a user would run it.

#include "SkinTestSupport.h"

#include "skin/data/SkinRead.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

using namespace skintest;

namespace {

namespace fs = std::filesystem;

struct TRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class SkinpackTool : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quillmere-skinpack-XXXXXX";
        root = mkdtemp(pattern);
    }
    void TearDown() override { fs::remove_all(root); }

    // Arguments are passed in single quotes; none of the tests' arguments holds one.
    TRun Run(const std::vector<std::string>& args) {
        std::string command = "'" QUILLMERE_BIN_DIR "/skinpack'";
        for (const std::string& arg : args)
            command.append(" '").append(arg).append("'");
        command.append(" >'").append((root / "stdout").string()).append("' 2>'");
        command.append((root / "stderr").string()).append("'");
        int raw = std::system(command.c_str());
        TRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadText(root / "stdout");
        run.err = ReadText(root / "stderr");
        return run;
    }

    std::string Path(const std::string& name) const { return (root / name).string(); }

    fs::path root;
};

TEST_F(SkinpackTool, PackListExtractAndIniRoundTrip) {
    fs::create_directories(root / "in");
    // "标题" in UTF-8 as a file name; the archive stores it as GBK.
    std::string chineseName = "\xE6\xA0\x87\xE9\xA2\x98.bmp";
    WriteBytes(root / "in" / "Title.bmp", RandomBytes(3000, 31));
    WriteBytes(root / "in" / chineseName, Bytes(500, 0x42));
    WriteBytes(root / "in" / "a.bmp", {});
    // The description holds "标题" in GBK.
    WriteBytes(root / "in" / "Skin.ini",
               FromText("[Form]\r\nColor = 0xFF00FF\r\nCaption=\xB1\xEA\xCC\xE2\r\n"));

    for (std::int32_t version : SkinVersions) {
        std::string archive = Path("skin" + std::to_string(version));
        TRun pack = Run({"pack", Path("in"), archive, "--version", std::to_string(version)});
        ASSERT_EQ(pack.status, 0) << pack.err;

        TRun list = Run({"list", archive});
        ASSERT_EQ(list.status, 0) << list.err;
        EXPECT_EQ(list.out, "version " + std::to_string(version) +
                                "\nskin.ini\t40\na.bmp\t0\ntitle.bmp\t3000\n" + chineseName + "\t500\n");

        TRun ini = Run({"ini", archive, "FORM", "caption"});
        EXPECT_EQ(ini.status, 0) << ini.err;
        EXPECT_EQ(ini.out, "\xE6\xA0\x87\xE9\xA2\x98\n");
        EXPECT_EQ(Run({"ini", archive, "Form", "missing"}).out, "\n");
    }

    TRun extract = Run({"extract", Path("skin20000"), Path("out")});
    ASSERT_EQ(extract.status, 0) << extract.err;
    for (const char* name : {"title.bmp", "a.bmp"})
        EXPECT_TRUE(fs::exists(root / "out" / name)) << name;
    EXPECT_EQ(ReadText(root / "out" / chineseName), std::string(500, 'B'));
    EXPECT_EQ(ReadText(root / "out" / "title.bmp"), ReadText(root / "in" / "Title.bmp"));
    EXPECT_EQ(ReadText(root / "out" / "skin.ini"), ReadText(root / "in" / "Skin.ini"));
}

TEST_F(SkinpackTool, PackWritesTheDefaultVersionAndTheDecoderReadsIt) {
    fs::create_directories(root / "in");
    WriteBytes(root / "in" / "x.bmp", SampleText(20'000, 32));
    ASSERT_EQ(Run({"pack", Path("in"), Path("a.skn")}).status, 0);
    TMemoryStream archive = StreamOf(FromText(ReadText(root / "a.skn")));
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    EXPECT_EQ(reader.SkinHeader().Version, 20000);
    TMemoryStream entry;
    reader.GetEntry("x.bmp", entry);
    EXPECT_EQ(BytesOf(entry), SampleText(20'000, 32));
}

TEST_F(SkinpackTool, ExtractRefusesNamesThatLeaveTheFolder) {
    for (const char* name : {"../evil.bmp", "/tmp/evil.bmp", "..", "sub/x.bmp"}) {
        WriteBytes(root / "bad.skn",
                   PackSkinImage(BuildSkinImage(20000, {Entry("fine.bmp", "ok"), Entry(name, "x")})));
        TRun run = Run({"extract", Path("bad.skn"), Path("out")});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find("would leave the folder"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(root / "out" / "fine.bmp")) << name;
    }
    EXPECT_FALSE(fs::exists(root / "evil.bmp"));
}

TEST_F(SkinpackTool, ExtractSkipsEntriesWithoutANameAndRepeatedNames) {
    WriteBytes(root / "a.skn",
               PackSkinImage(BuildSkinImage(
                   20000, {Entry("", "nameless"), Entry("a.bmp", "first"), Entry("A.BMP", "second")})));
    TRun list = Run({"list", Path("a.skn")});
    EXPECT_EQ(list.out, "version 20000\n\t8\na.bmp\t5\na.bmp\t6\n");
    TRun run = Run({"extract", Path("a.skn"), Path("out")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("entry 0 has no name"), std::string::npos) << run.err;
    EXPECT_EQ(ReadText(root / "out" / "a.bmp"), "first");
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "out"), fs::directory_iterator()), 1);
}

TEST_F(SkinpackTool, ReportsBadInputOnStderrWithStatusOne) {
    TRun missing = Run({"list", Path("missing.skn")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;
    EXPECT_TRUE(missing.out.empty());

    WriteBytes(root / "old.skn", PackSkinImage(BuildSkinImage(20000, {})));
    Bytes image = BuildSkinImage(20000, {});
    image[0] = 0x10; // version 10000 = 0x2710
    image[1] = 0x27;
    WriteBytes(root / "old.skn", PackSkinImage(image));
    TRun old = Run({"list", Path("old.skn")});
    EXPECT_EQ(old.status, 1);
    EXPECT_NE(old.err.find("This is Older Skin File\nPlease update to new version !\n"), std::string::npos)
        << old.err;

    WriteBytes(root / "noini.skn", PackSkinImage(BuildSkinImage(20000, {Entry("a.bmp", "x")})));
    EXPECT_EQ(Run({"ini", Path("noini.skn"), "Form", "Color"}).status, 1);

    fs::create_directories(root / "in");
    EXPECT_EQ(Run({"pack", Path("in"), Path("x.skn"), "--version", "10000"}).status, 1);
    EXPECT_EQ(Run({"pack", Path("nowhere"), Path("x.skn")}).status, 1);
    WriteBytes(root / "in" / "A.bmp", {});
    WriteBytes(root / "in" / "a.bmp", {});
    TRun clash = Run({"pack", Path("in"), Path("x.skn")});
    EXPECT_EQ(clash.status, 1);
    EXPECT_FALSE(fs::exists(root / "x.skn"));

    EXPECT_EQ(Run({}).status, 1);
    EXPECT_EQ(Run({"list"}).status, 1);
    TRun help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("skinpack extract ARCHIVE DIR"), std::string::npos);
}

} // namespace
