// Streams written by a second LZHUF encoder, written separately in Python, must decode to the
// bytes it was given: the decoder then agrees with more than our own encoder.

#include "SkinTestSupport.h"

#include "core/MessageSink.h"
#include "skin/data/SkinRead.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace skintest;

namespace {

namespace fs = std::filesystem;

struct TSample {
    std::string name;
    Bytes data;
};

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class IndependentEncoder : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (std::system("python3 -c pass >/dev/null 2>&1") != 0)
            return;
        samples = {
            {"empty", {}},
            {"text", SampleText(30'000, 21)},
            // More than twice 0x8000 symbols: the tree is rebuilt twice.
            {"random", RandomBytes(70'000, 22)},
            {"run", Bytes(10'000, 0xFF)},
            {"spaces", Bytes(4100, ' ')},
            {"ring", SampleText(LzhRingSize + 1, 23)},
            {"skin", BuildSkinImage(40000, {Entry("Skin.ini", "[Form]\r\nColor=0xFF00FF\r\n"),
                                            {"title.bmp", RandomBytes(3000, 24)},
                                            {"border.bmp", Bytes(5000, 0x80)}})},
        };
        char pattern[] = "/tmp/quillmere-lzh-XXXXXX";
        directory = mkdtemp(pattern);
        std::string command = "python3 " QUILLMERE_SOURCE_DIR "/tests/skin/data/lzhuf_encode.py";
        for (const TSample& sample : samples) {
            WriteFile(directory / (sample.name + ".in"), sample.data);
            command.append(" ").append((directory / (sample.name + ".in")).string());
            command.append(" ").append((directory / (sample.name + ".lzh")).string());
        }
        encoderFailed = std::system(command.c_str()) != 0;
    }

    static void TearDownTestSuite() {
        if (!directory.empty())
            fs::remove_all(directory);
    }

    void SetUp() override {
        if (directory.empty())
            GTEST_SKIP() << "python3 is not installed, so the second encoder cannot run";
        ASSERT_FALSE(encoderFailed) << "the Python encoder failed";
    }

    static TMemoryStream Archive(const std::string& name) {
        return StreamOf(ReadFile(directory / (name + ".lzh")));
    }

    static inline std::vector<TSample> samples;
    static inline fs::path directory;
    static inline bool encoderFailed = false;
};

TEST_F(IndependentEncoder, ItsStreamsDecodeToTheSameBytes) {
    for (const TSample& sample : samples) {
        TMemoryStream archive = Archive(sample.name);
        TMemoryStream image;
        TSkinReader reader;
        ASSERT_TRUE(reader.Decompress(archive, image)) << sample.name;
        EXPECT_EQ(BytesOf(image), sample.data) << sample.name;
    }
}

TEST_F(IndependentEncoder, ItsSkinArchiveLoads) {
    TMemoryStream archive = Archive("skin");
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    TMemoryStream entry;
    std::string name;
    reader.FindEntry(".ini", entry, name);
    EXPECT_EQ(name, "skin.ini");
    EXPECT_EQ(BytesOf(entry), FromText("[Form]\r\nColor=0xFF00FF\r\n"));
    reader.GetEntry("BORDER.bmp", entry);
    EXPECT_EQ(BytesOf(entry), Bytes(5000, 0x80));
}

} // namespace
