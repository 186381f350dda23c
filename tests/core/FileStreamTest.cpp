#include "core/FileStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

class FileStreams : public ::testing::Test {
protected:
    std::string path =
        (std::filesystem::temp_directory_path() / ("quillmere-stream-" + std::to_string(getpid()))).string();
    void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(FileStreams, WritesReadsSeeksAndResizes) {
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer("hello world", 11);
        EXPECT_EQ(out.Size(), 11);
        out.SetSize(5);
        EXPECT_EQ(out.Position(), 5);
    }
    TFileStream in(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(in.Size(), 5);
    char buffer[8] = {};
    EXPECT_EQ(in.Seek(-2, TSeekOrigin::soEnd), 3);
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 2);
    EXPECT_EQ(std::string(buffer, 2), "lo");
    EXPECT_THROW(in.ReadBuffer(buffer, 1), Exception);
}

TEST_F(FileStreams, AnExclusiveStreamKeepsOthersOut) {
    TFileStream(path, fmCreate).WriteBuffer("x", 1);
    TFileStream exclusive(path, fmOpenRead | fmShareExclusive);
    try {
        TFileStream second(path, fmOpenRead | fmShareDenyNone);
        FAIL();
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file \"" + path +
                                       "\". The process cannot access the file because it is being used by "
                                       "another process");
    }
}

TEST_F(FileStreams, AMissingFileRaisesTheOpenError) {
    EXPECT_THROW(TFileStream(path, fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream("/nonexistent-folder/x", fmCreate), EFCreateError);
}

} // namespace
