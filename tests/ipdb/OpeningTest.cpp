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
    EXPECT_EQ(countOf(22, 15), 0);
    EXPECT_EQ(countOf(40, 8), -3);
}

TEST(Opening, AnEmptyIndexRejectsEveryRecordAndDestroysTheObject) {
    TemporaryFolder folder;
    std::string path = folder.File("empty-index.dat");
    WriteBytes(path, RawDatabase().Put32(0, 22).Put32(4, 15).Put32(40, 0).Bytes());
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    EXPECT_EQ(TQQWry::FindRecord(wry, "1.2.3.4"), 0);
    try {
        TStringList fields;
        TQQWry::GetRecordFields(wry, fields, 0);
        FAIL();
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "IP信息记录号过小或越界！");
    }
    EXPECT_EQ(wry, nullptr);

    wry = TQQWry::Create(path);
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
