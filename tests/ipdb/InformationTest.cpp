#include "QQWryFixture.h"

#include "core/Exception.h"
#include "ipdb/untTQQWry.h"

#include <gtest/gtest.h>

namespace {

class Information : public ::testing::Test {
protected:
    TemporaryFolder folder;

    std::unique_ptr<TQQWry> DatabaseEndingWith(const std::string& country, const std::string& area) {
        return TQQWry::Create(WriteDatabase(folder, {Range("0.0.0.0", "254.255.255.255", "甲", "乙"),
                                                     Range("255.0.0.0", "255.255.255.255", country, area)}));
    }
};

TEST_F(Information, VersionAndDateComeFromTheLastRecord) {
    std::unique_ptr<TQQWry> wry = DatabaseEndingWith("示例网络", "2005年3月9日IP数据");
    EXPECT_EQ(wry->GetRecordCount(), 2);
    EXPECT_EQ(wry->GetDataFileSize(),
              static_cast<std::int64_t>(std::filesystem::file_size(folder.File("QQWry.Dat"))));
    EXPECT_EQ(TQQWry::GetVersionText(wry), "示例网络");
    EXPECT_EQ(TQQWry::GetReleaseDate(wry), EncodeDate(2005, 3, 9));
    EXPECT_NE(wry, nullptr);
}

TEST_F(Information, AnAreaWithoutTheDateFailsTheConversionButKeepsTheObject) {
    for (const char* area : {"2005年3月9日", "", "某地IP数据", "2005年2月30日IP数据"}) {
        std::unique_ptr<TQQWry> wry = DatabaseEndingWith("V", area);
        EXPECT_THROW(TQQWry::GetReleaseDate(wry), Exception) << area;
        EXPECT_NE(wry, nullptr) << "the date conversion is not the lookup's failure";
    }
    std::unique_ptr<TQQWry> wry = DatabaseEndingWith("V", "2005年3月9日");
    try {
        TQQWry::GetReleaseDate(wry);
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "'' is not a valid date");
    }
}

TEST_F(Information, AOneRecordFileAnswersBothQuestions) {
    std::unique_ptr<TQQWry> wry = TQQWry::Create(
        WriteDatabase(folder, {Range("0.0.0.0", "255.255.255.255", "V1", "2010年12月31日IP数据")}));
    EXPECT_EQ(TQQWry::GetVersionText(wry), "V1");
    EXPECT_EQ(TQQWry::GetReleaseDate(wry), EncodeDate(2010, 12, 31));
}

TEST(ReleaseDateOfArea, MatchesOnlyWholeCharacters) {
    EXPECT_EQ(ReleaseDateOfArea("2024年1月2日IP数据库"), EncodeDate(2024, 1, 2));
    // 0x81 0x49 is one character whose trail byte is "I": "IP数据" does not start inside it.
    EXPECT_THROW(ReleaseDateOfArea("2024年1月2日\x81IP数据"), Exception);
}

} // namespace
