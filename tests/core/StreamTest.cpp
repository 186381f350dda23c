#include "core/Stream.h"
#include "core/Exception.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(MemoryStream, ReadsWhatWasWrittenAndStopsAtTheEnd) {
    TMemoryStream stream;
    stream.WriteBuffer("hello", 5);
    EXPECT_EQ(stream.Size(), 5);
    EXPECT_EQ(stream.Position(), 5);
    stream.SetPosition(1);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 4);
    EXPECT_STREQ(buffer, "ello");
    EXPECT_EQ(stream.Read(buffer, 8), 0);
}

TEST(MemoryStream, ShortReadBufferRaises) {
    TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    stream.SetPosition(0);
    char buffer[4];
    EXPECT_THROW(stream.ReadBuffer(buffer, 3), Exception);
}

TEST(MemoryStream, WritingPastTheEndZeroFillsTheGap) {
    TMemoryStream stream;
    stream.Seek(3, TSeekOrigin::soBeginning);
    stream.WriteBuffer("x", 1);
    ASSERT_EQ(stream.Size(), 4);
    EXPECT_EQ(std::memcmp(stream.Memory(), "\0\0\0x", 4), 0);
}

TEST(MemoryStream, SeekClampsBeforeTheStartAndSetSizeClampsThePosition) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Seek(-10, TSeekOrigin::soCurrent), 0);
    EXPECT_EQ(stream.Seek(-2, TSeekOrigin::soEnd), 4);
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
}

TEST(MemoryStream, CopyFromZeroCopiesTheWholeSource) {
    TMemoryStream source;
    source.WriteBuffer("payload", 7);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 7);
    EXPECT_EQ(std::memcmp(target.Memory(), "payload", 7), 0);

    source.SetPosition(3);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(source, 2), 2);
    EXPECT_EQ(std::memcmp(part.Memory(), "lo", 2), 0);
}

} // namespace
