// The skin the program wears: the window's stored default skin, and another archive chosen at
// start, which must never leave the window without a skin.

#include "MainWindowFixture.h"

#include "app/ProgramSkin.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"

#include <fstream>

namespace {

std::string BuiltSkin(const std::string& design) {
    return std::string(QUILLMERE_BIN_DIR) + "/../skins/" + design + ".skn";
}

class ProgramSkinTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        WriteDatabase();
        window = OpenWindow();
        defaultBackground = Background();
    }

    TColor Background() const { return window->SkinData1->Elements().Colours[3]; }

    TForm1* window = nullptr;
    TColor defaultBackground = 0;
};

TEST_F(ProgramSkinTest, TheUpdaterCarriesTheSameStoredSkinAsTheWindow) {
    std::unique_ptr<TSkinData> updaterSkin(CreateStoredSkinData(nullptr, "SkinData1"));
    EXPECT_EQ(updaterSkin->NoSkin(), 0);
    EXPECT_TRUE(updaterSkin->Active());
    EXPECT_EQ(updaterSkin->SkinFormtype(), sfMainform);
    EXPECT_EQ(updaterSkin->Skin3rd().Count(), 118);
    EXPECT_EQ(updaterSkin->Elements().Colours[3], defaultBackground);
}

TEST_F(ProgramSkinTest, AnotherSkinFileIsWornAtOnce) {
    EXPECT_EQ(WearSkinFile(*window->SkinData1, BuiltSkin("dark")), "");
    EXPECT_EQ(window->SkinData1->NoSkin(), 0);
    EXPECT_NE(Background(), defaultBackground) << "the dark skin's background";
    platform::headless::RunFor(250);
    Pump();
    EXPECT_NE(SkinManager()->FindSkinnedWindow(window->Handle()), nullptr);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ProgramSkinTest, AMissingOrDamagedSkinFileIsToldAndTheDefaultSkinStays) {
    const std::string missing = work.Path() + "/nothing.skn";
    const std::string damaged = work.Path() + "/damaged.skn";
    std::ofstream(damaged, std::ios::binary) << std::string(300, '\x7f');
    for (const std::string& file : {missing, damaged}) {
        const std::string message = WearSkinFile(*window->SkinData1, file);
        EXPECT_NE(message.find(file), std::string::npos) << message;
        EXPECT_NE(message.find("默认皮肤"), std::string::npos) << message;
        EXPECT_EQ(window->SkinData1->NoSkin(), 0) << file;
        EXPECT_EQ(Background(), defaultBackground) << file;
    }
    EXPECT_NE(SkinManager()->FindSkinnedWindow(window->Handle()), nullptr);
}

} // namespace
