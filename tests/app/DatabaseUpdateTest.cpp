// The database updater's work: the database rebuilt from the machine's GeoIP data replaces the
// old one only when it is complete and opens; a missing or unreadable source, or a folder that
// cannot be written, leaves the old database exactly as it was and no temporary file behind.

#include "app/updater/DatabaseUpdate.h"

#include "core/Exception.h"
#include "core/StringList.h"
#include "ipdb/GeoIPReader.h"
#include "ipdb/QQWryWriter.h"
#include "ipdb/untTQQWry.h"
#include "tests/app/TestFiles.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class DatabaseUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::uint8_t> bytes = QQWryWriter::Build(
            {{0, 0xFFFFFFFE, "旧数据", "无"}, {0xFFFFFFFF, 0xFFFFFFFF, "示例数据", "2010年5月23日IP数据"}});
        database = folder.Write("QQWry.Dat", std::string(bytes.begin(), bytes.end()));
        oldBytes = ReadBytes(database);
    }

    // Runs an update that must fail; the message it gave.
    std::string FailingUpdate(const UpdateSources& sources) {
        try {
            UpdateDatabase(database, sources, [](int, const std::string&) {});
        } catch (const Exception& error) {
            return error.Message();
        }
        ADD_FAILURE() << "the update did not fail";
        return {};
    }

    TestFolder folder;
    std::string database;
    std::string oldBytes;
};

TEST_F(DatabaseUpdateTest, ReplacesTheDatabaseWithTheImportAndReportsBothSummaries) {
    if (!HaveGeoIP() || !std::filesystem::exists(DefaultGeoIPDatabase))
        GTEST_SKIP() << DefaultGeoIPDatabase << " or libgeoip is absent (geoip-database, libgeoip-dev)";
    std::vector<int> steps;
    UpdateReport report = UpdateDatabase(database, InstalledUpdateSources(),
                                         [&](int percent, const std::string&) { steps.push_back(percent); });

    EXPECT_TRUE(report.before.usable);
    EXPECT_EQ(report.before.records, 2);
    EXPECT_EQ(report.before.year * 10000 + report.before.month * 100 + report.before.day, 20100523);
    EXPECT_TRUE(report.after.usable);
    EXPECT_GT(report.after.records, 100000);
    GeoIPCountryDatabase geoip = ReadGeoIPCountryDatabase(DefaultGeoIPDatabase);
    EXPECT_EQ(report.after.year * 10000 + report.after.month * 100 + report.after.day,
              geoip.Year * 10000 + geoip.Month * 100 + geoip.Day);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    EXPECT_EQ(steps.back(), 100);
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"QQWry.Dat"});

    // The special ranges lie over the country data.
    std::unique_ptr<TQQWry> wry = TQQWry::Create(database);
    TStringList fields;
    TQQWry::GetRecordFields(wry, fields, TQQWry::FindRecord(wry, "127.0.0.1"));
    EXPECT_EQ(fields[2], "本机地址");
    EXPECT_EQ(UpdateReportText(report).rfind("原数据库：2条，2010年5月23日\r\n新数据库：", 0), 0u);
}

TEST_F(DatabaseUpdateTest, MissingGeoIPDataIsToldClearlyAndChangesNothing) {
    UpdateSources sources = InstalledUpdateSources();
    sources.geoipPath = folder / "GeoIP.dat";
    std::string message = FailingUpdate(sources);
    EXPECT_NE(message.find("找不到 GeoIP 数据文件"), std::string::npos);
    EXPECT_NE(message.find("geoip-database"), std::string::npos);
    EXPECT_EQ(ReadBytes(database), oldBytes);
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"QQWry.Dat"});
}

TEST_F(DatabaseUpdateTest, UnreadableGeoIPDataChangesNothing) {
    UpdateSources sources = InstalledUpdateSources();
    sources.geoipPath = folder.Write("GeoIP.dat", "not a GeoIP database\n");
    std::string message = FailingUpdate(sources);
    EXPECT_EQ(message.rfind("无法导入 GeoIP 数据：", 0), 0u) << message;
    EXPECT_EQ(ReadBytes(database), oldBytes);
    EXPECT_EQ(FilesIn(folder.Path()), (std::vector<std::string>{"GeoIP.dat", "QQWry.Dat"}));
}

TEST_F(DatabaseUpdateTest, AFolderThatCannotBeWrittenChangesNothing) {
    if (!HaveGeoIP() || !std::filesystem::exists(DefaultGeoIPDatabase))
        GTEST_SKIP() << DefaultGeoIPDatabase << " or libgeoip is absent";
    // The database's folder is a file, so no new file can be made beside the database.
    folder.Write("blocked", "");
    database = folder / "blocked/QQWry.Dat";
    std::string message = FailingUpdate(InstalledUpdateSources());
    EXPECT_EQ(message.rfind("无法在", 0), 0u) << message;
    EXPECT_EQ(FilesIn(folder.Path()), (std::vector<std::string>{"QQWry.Dat", "blocked"}));
}

TEST_F(DatabaseUpdateTest, SummariesOfAbsentAndDamagedFilesAreNotUsable) {
    EXPECT_FALSE(SummarizeDatabase(folder / "absent.Dat").usable);
    EXPECT_FALSE(SummarizeDatabase(folder.Write("passwd", "root:x:0:0:root:/root:/bin/bash\n")).usable);
    UpdateReport report;
    report.after = SummarizeDatabase(database);
    EXPECT_EQ(UpdateReportText(report), "原数据库：无（文件不存在或已损坏）\r\n新数据库：2条，2010年5月23日");
}

} // namespace
