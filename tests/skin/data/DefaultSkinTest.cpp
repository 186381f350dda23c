// The skins the skin builder draws: the embedded default skin and the test variants are
// readable archives whose description names only images they hold.

#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

skintest::Bytes ReadSkinFile(const std::string& design) {
    std::ifstream file(std::string(QUILLMERE_BIN_DIR) + "/../skins/" + design + ".skn", std::ios::binary);
    return skintest::Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Every value ending in ".bmp" names an entry of the archive.
void ExpectImagesPresent(const TSkinReader& reader, const TQuickIni& ini) {
    int images = 0;
    for (int i = 0; i < ini.Lines().Count(); ++i) {
        const std::string& line = ini.Lines()[i];
        if (line.size() < 4 || line.compare(line.size() - 4, 4, ".bmp") != 0)
            continue;
        std::string name = line.substr(line.find_last_of("=\\") + 1);
        TMemoryStream entry;
        reader.GetEntry(name, entry);
        EXPECT_GT(entry.Size(), 0) << line;
        ++images;
    }
    EXPECT_GT(images, 40);
}

class BuiltSkins : public testing::TestWithParam<std::string> {};

TEST_P(BuiltSkins, LoadAndNameOnlyTheirOwnImages) {
    skintest::Bytes bytes = GetParam() == "embedded"
                                ? skintest::Bytes(DefaultSkinArchive().begin(), DefaultSkinArchive().end())
                                : ReadSkinFile(GetParam());
    ASSERT_FALSE(bytes.empty());
    TMemoryStream archive = skintest::StreamOf(bytes);
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(archive));
    TMemoryStream description;
    std::string name;
    reader.FindEntry(".ini", description, name);
    EXPECT_EQ(name, "skin.ini");
    TQuickIni ini;
    ini.LoadFromStream(&description);
    EXPECT_FALSE(ini.ReadString("TitlebarSkin", "SkinName", "").empty());
    ExpectImagesPresent(reader, ini);
}

INSTANTIATE_TEST_SUITE_P(Designs, BuiltSkins, testing::Values("embedded", "default", "dark", "rectangular"));

TEST(BuiltSkins, TheEmbeddedSkinIsTheDefaultDesign) {
    const skintest::Bytes file = ReadSkinFile("default");
    EXPECT_EQ(skintest::Bytes(DefaultSkinArchive().begin(), DefaultSkinArchive().end()), file);
}

} // namespace
