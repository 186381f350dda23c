// Damaged databases must end in an Exception, never in a crash, a hang or a read outside
// the file (the sanitizer build checks the last).

#include "QQWryFixture.h"

#include "core/Exception.h"
#include "ipdb/untTQQWry.h"

#include <gtest/gtest.h>

namespace {

// Opens the bytes and asks everything the program asks; true when no question failed.
bool ExerciseDatabase(const std::string& path) {
    bool clean = true;
    for (const char* address : {"0.0.0.0", "1.2.3.4", "100.200.1.2", "255.255.255.255"}) {
        try {
            std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
            std::int64_t n = TQQWry::FindRecord(wry, address);
            TStringList fields;
            TQQWry::GetRecordFields(wry, fields, n);
        } catch (const Exception&) {
            clean = false;
        }
    }
    try {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
        TQQWry::GetVersionText(wry);
        TQQWry::GetReleaseDate(wry);
    } catch (const Exception&) {
        clean = false;
    }
    return clean;
}

std::string LookupError(const std::string& path, const char* address) {
    try {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
        TStringList fields;
        TQQWry::GetRecordFields(wry, fields, TQQWry::FindRecord(wry, address));
        if (wry)
            return "(answered)";
    } catch (const Exception& error) {
        return error.Message();
    }
    return "(object lost without an error)";
}

std::vector<QQWryRange> SmallDatabase() {
    return {
        Range("0.0.0.0", "0.255.255.255", "中国", "北京"), Range("1.0.0.0", "1.255.255.255", "中国", "北京"),
        Range("2.0.0.0", "2.255.255.255", "中国", "上海"), Range("3.0.0.0", "3.255.255.255", "日本", "北京"),
        Range("4.0.0.0", "255.255.255.255", "版本", "2024年1月2日IP数据")};
}

TEST(DamagedFile, OffsetsOutsideTheFileAreReportedAsDamage) {
    TemporaryFolder folder;
    std::string path = folder.File("bad.dat");
    const std::string indexDamage = "文件 " + path + " 已损坏（索引越界）！";
    const std::string dataDamage = "文件 " + path + " 已损坏（数据越界）！";

    WriteBytes(path, RawDatabase().Put32(0, 1000).Put32(4, 1014).Put32(20, 0).Bytes());
    EXPECT_EQ(LookupError(path, "1.2.3.4"), indexDamage);

    WriteBytes(path, RawDatabase().Put32(0, 8).Put32(4, 8).PutIndexEntry(8, 1, 0, 0xFFFFF0).Bytes());
    EXPECT_EQ(LookupError(path, "1.2.3.4"), dataDamage) << "record offset";

    // A record whose country redirect points past the end.
    WriteBytes(path, RawDatabase()
                         .Put32(8, 0)
                         .PutByte(12, 2)
                         .Put24(13, 0x100000)
                         .Put32(0, 16)
                         .Put32(4, 16)
                         .PutIndexEntry(16, 1, 0, 8)
                         .Bytes());
    EXPECT_EQ(LookupError(path, "1.2.3.4"), dataDamage) << "redirect";

    // A country string that runs to the end of the file without its NUL.
    RawDatabase unterminated;
    unterminated.Put32(0, 8).Put32(4, 8).PutIndexEntry(8, 1, 0, 15).Put32(15, 0);
    std::vector<std::uint8_t> bytes = unterminated.Bytes();
    bytes.insert(bytes.end(), {'a', 'b', 'c'});
    WriteBytes(path, bytes);
    EXPECT_EQ(LookupError(path, "1.2.3.4"), dataDamage) << "string";
}

TEST(DamagedFile, EveryTruncationAndEveryChangedByteEndsInAnswerOrError) {
    TemporaryFolder folder;
    const std::vector<std::uint8_t> good = QQWryWriter::Build(SmallDatabase());
    std::string path = folder.File("damaged.dat");
    for (std::size_t length = 1; length < good.size(); ++length) {
        WriteBytes(path, std::vector<std::uint8_t>(good.begin(),
                                                   good.begin() + static_cast<std::ptrdiff_t>(length)));
        ExerciseDatabase(path);
    }
    for (std::size_t offset = 0; offset < good.size(); ++offset) {
        for (std::uint8_t value : {0x00, 0x01, 0x02, 0x7F, 0xFF}) {
            std::vector<std::uint8_t> bytes = good;
            bytes[offset] = value;
            WriteBytes(path, bytes);
            ExerciseDatabase(path);
        }
    }
    WriteBytes(path, good);
    EXPECT_TRUE(ExerciseDatabase(path));
}

TEST(DamagedFile, ACrossedIndexEndsTheSearch) {
    TemporaryFolder folder;
    std::string path = folder.File("crossed.dat");
    RawDatabase raw;
    raw.Put32(8, 0xFFFFFFFF).PutString(12, "x").PutByte(14, 0);
    raw.Put32(0, 15).Put32(4, 15 + 3 * 7);
    for (int n = 1; n <= 4; ++n)
        raw.PutIndexEntry(15, n, 0x40000000u * static_cast<std::uint32_t>(4 - n), 8);
    WriteBytes(path, raw.Bytes());
    for (const char* address : {"0.0.0.0", "64.0.0.0", "100.0.0.0", "255.0.0.0"}) {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
        std::int64_t n = TQQWry::FindRecord(wry, address);
        EXPECT_GE(n, 0);
        EXPECT_LE(n, 4);
    }
}

} // namespace
