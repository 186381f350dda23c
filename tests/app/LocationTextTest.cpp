#include "app/LocationText.h"
#include "app/ConnectionColumns.h"
#include "app/Listing.h"
#include "app/MemoryGrid.h"
#include "core/Exception.h"
#include "ipdb/QQWryWriter.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A database in a folder of its own, which is the current folder while the test runs.
class LocationDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[4096];
        oldFolder = ::getcwd(cwd, sizeof cwd);
        ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
    }
    void TearDown() override { EXPECT_EQ(::chdir(oldFolder.c_str()), 0); }

    void Write(const std::vector<QQWryRange>& ranges) {
        std::vector<std::uint8_t> bytes = QQWryWriter::Build(ranges);
        folder.Write(LocationDatabaseName, std::string(bytes.begin(), bytes.end()));
    }

    TestFolder folder;
    std::string oldFolder;
};

constexpr std::uint32_t Address(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return (a << 24) | (b << 16) | (c << 8) | d;
}

TEST_F(LocationDatabase, CountryAndAreaJoinedByTheViewsSeparator) {
    Write({{0, Address(1, 2, 3, 3), "保留地址", "本地"},
           {Address(1, 2, 3, 4), Address(1, 2, 3, 255), "澳大利亚", "墨尔本"},
           {Address(1, 2, 4, 0), Address(127, 0, 0, 1), "X", ""},
           {Address(127, 0, 0, 2), Address(255, 255, 255, 255), "IANA", "2010年5月23日IP数据"}});
    QQWryLocations locations;
    EXPECT_EQ(LocationText("1.2.3.4", ListingView::TcpUdp, locations), "澳大利亚  墨尔本");
    EXPECT_EQ(LocationText("1.2.3.200", ListingView::Tcp, locations), "澳大利亚 墨尔本");
    EXPECT_EQ(LocationText("1.2.3.200", ListingView::RemoteTcp, locations), "澳大利亚 墨尔本");
    EXPECT_EQ(LocationText("9.9.9.9", ListingView::Tcp, locations), "X 无"); // no area
    EXPECT_EQ(LocationText("127.0.0.2", ListingView::Tcp, locations), "IANA 2010年5月23日IP数据");
    // The machine's own addresses never reach the database.
    std::filesystem::remove(folder / LocationDatabaseName);
    EXPECT_EQ(LocationText("0.0.0.0", ListingView::TcpUdp, locations), "本机地址");
    EXPECT_EQ(LocationText("127.0.0.1", ListingView::Tcp, locations), "本机地址");
}

TEST_F(LocationDatabase, AMissingDatabaseRaisesItsMessage) {
    QQWryLocations locations;
    try {
        locations.LocationOf("1.2.3.4", " ");
        FAIL() << "no database, but a location";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "文件 QQWry.Dat 不存在！");
    }
}

} // namespace
