#include "QQWryFixture.h"

#include "core/Exception.h"
#include "ipdb/untTQQWry.h"
#include "platform/base/KernelObject.h"
#include "platform/sys/File.h"
#include "platform/sys/FileMapping.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::string OpeningError(const std::string& path) {
    try {
        TQQWry::Create(path);
    } catch (const Exception& error) {
        return error.Message();
    }
    return "(opened)";
}

std::vector<QQWryRange> TwoRanges() {
    return {Range("0.0.0.0", "9.255.255.255", "甲国", "甲地"),
            Range("10.0.0.0", "255.255.255.255", "版本", "2024年1月2日IP数据")};
}

TEST(Opening, ReportsEachWayOfFailingWithThePathAsGiven) {
    TemporaryFolder folder;
    std::string missing = folder.File("none.dat");
    EXPECT_EQ(OpeningError(missing), "文件 " + missing + " 不存在！");
    EXPECT_EQ(OpeningError(folder.Path().string()), "文件 " + folder.Path().string() + " 不存在！");

    std::string empty = folder.File("empty.dat");
    WriteBytes(empty, {});
    EXPECT_EQ(OpeningError(empty), "文件 " + empty + " 大小为空！");

    std::string readOnly = WriteDatabase(folder, TwoRanges(), "readonly.dat");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(OpeningError(readOnly), "文件 " + readOnly + " 不能打开！");

    std::string shortHeader = folder.File("short.dat");
    WriteBytes(shortHeader, {1, 2, 3, 4, 5});
    EXPECT_EQ(OpeningError(shortHeader), "文件 " + shortHeader + " 已损坏（文件头不完整）！");
}

TEST(Opening, FailsWhileAnotherHandleHasTheFileOpen) {
    TemporaryFolder folder;
    std::string path = WriteDatabase(folder, TwoRanges());
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpeningError(path), "文件 " + path + " 无法打开！");
    CloseHandle(reader);
    EXPECT_EQ(OpeningError(path), "(opened)");
}

TEST(Opening, LeavesNoHandleOrViewBehindOnFailureOrDestruction) {
    TemporaryFolder folder;
    std::string readOnly = WriteDatabase(folder, TwoRanges(), "readonly.dat");
    chmod(readOnly.c_str(), 0444);
    std::string shortHeader = folder.File("short.dat");
    WriteBytes(shortHeader, {1, 2, 3});
    std::string good = WriteDatabase(folder, TwoRanges());

    const std::size_t handles = platform::OpenKernelHandleCount();
    const std::size_t views = platform::MappedViewCount();
    OpeningError(readOnly);
    OpeningError(shortHeader);
    {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(good);
        EXPECT_GT(platform::OpenKernelHandleCount(), handles);
        EXPECT_EQ(platform::MappedViewCount(), views + 1);
    }
    std::unique_ptr<TQQWry> failing = TQQWry::Create(good);
    EXPECT_THROW(TQQWry::FindRecord(failing, "x"), Exception);
    EXPECT_EQ(failing, nullptr);
    EXPECT_EQ(platform::OpenKernelHandleCount(), handles);
    EXPECT_EQ(platform::MappedViewCount(), views);
}

TEST(Opening, RecordCountComesFromTheHeaderOffsets) {
    TemporaryFolder folder;
    auto countOf = [&](std::uint32_t first, std::uint32_t last) {
        std::string path = folder.File("header.dat");
        WriteBytes(path, RawDatabase().Put32(0, first).Put32(4, last).Put32(60, 0).Bytes());
        return TQQWry::Create(path)->GetRecordCount();
    };
    EXPECT_EQ(countOf(8, 8), 1);
    EXPECT_EQ(countOf(8, 22), 3);
    EXPECT_EQ(countOf(15, 57), 7); // the last entry ends with the file
}

TEST(Opening, AHeaderWhoseIndexDoesNotFitIsRefusedAsDamaged) {
    TemporaryFolder folder;
    std::string path = folder.File("header.dat");
    const std::string damaged = "文件 " + path + " 已损坏（索引越界）！";
    auto errorOf = [&](std::uint32_t first, std::uint32_t last) {
        WriteBytes(path, RawDatabase().Put32(0, first).Put32(4, last).Put32(60, 0).Bytes()); // 64 bytes
        return OpeningError(path);
    };
    EXPECT_EQ(errorOf(22, 15), damaged) << "the index runs backwards";
    EXPECT_EQ(errorOf(40, 8), damaged);
    EXPECT_EQ(errorOf(8, 20), damaged) << "not a whole number of entries";
    EXPECT_EQ(errorOf(16, 58), damaged) << "the last entry runs past the end";
    EXPECT_EQ(errorOf(1000, 1014), damaged);
    EXPECT_EQ(errorOf(0x80000000u, 0x80000000u), damaged);

    // Text is no database, however its first eight bytes read; no count is ever told for it.
    const std::size_t handles = platform::OpenKernelHandleCount();
    const std::size_t views = platform::MappedViewCount();
    std::string text = folder.File("passwd");
    std::string lines = "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n";
    WriteBytes(text, std::vector<std::uint8_t>(lines.begin(), lines.end()));
    EXPECT_EQ(OpeningError(text), "文件 " + text + " 已损坏（索引越界）！");
    EXPECT_EQ(platform::OpenKernelHandleCount(), handles);
    EXPECT_EQ(platform::MappedViewCount(), views);
}

TEST(Opening, ARecordOutsideTheIndexIsRejectedAndDestroysTheObject) {
    TemporaryFolder folder;
    // The only range starts at 1.0.0.0, so no record holds 0.0.0.1.
    std::string path =
        WriteDatabase(folder, {Range("1.0.0.0", "255.255.255.255", "版本", "2024年1月2日IP数据")});
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    EXPECT_EQ(TQQWry::FindRecord(wry, "0.0.0.1"), 0);
    try {
        TStringList fields;
        TQQWry::GetRecordFields(wry, fields, 0);
        FAIL();
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "IP信息记录号过小或越界！");
    }
    EXPECT_EQ(wry, nullptr);

    // A last record whose data lies outside the file fails the version text.
    std::string broken = folder.File("broken.dat");
    WriteBytes(broken, RawDatabase().Put32(0, 8).Put32(4, 8).PutIndexEntry(8, 1, 0, 0xFFFFF0).Bytes());
    wry = TQQWry::Create(broken);
    EXPECT_THROW(TQQWry::GetVersionText(wry), Exception);
    EXPECT_EQ(wry, nullptr);
    EXPECT_THROW(TQQWry::GetVersionText(wry), Exception) << "an emptied owner is refused, not dereferenced";
}

TEST(Opening, TwoObjectsAliveAtOnceReadTheirOwnFiles) {
    TemporaryFolder folder;
    std::string first =
        WriteDatabase(folder, {Range("0.0.0.0", "255.255.255.255", "第一", "2024年1月2日IP数据")}, "a");
    std::string second =
        WriteDatabase(folder, {Range("0.0.0.0", "255.255.255.255", "第二个库", "2025年3月4日IP数据")}, "b");
    std::unique_ptr<TQQWry> a = TQQWry::Create(first);
    std::unique_ptr<TQQWry> b = TQQWry::Create(second);
    EXPECT_EQ(TQQWry::GetVersionText(a), "第一");
    EXPECT_EQ(TQQWry::GetVersionText(b), "第二个库");
    EXPECT_NE(a->GetDataFileSize(), b->GetDataFileSize());
}

} // namespace
