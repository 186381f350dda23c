#include "core/Exception.h"

#include <gtest/gtest.h>

namespace {

class ElzhLikeError : public Exception {
public:
    using Exception::Exception;
};

TEST(Exception, CarriesItsMessageTextUnchanged) {
    try {
        throw Exception("文件 QQWry.Dat 不存在！");
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "文件 QQWry.Dat 不存在！");
        EXPECT_STREQ(error.what(), "文件 QQWry.Dat 不存在！");
    }
}

TEST(Exception, DerivedKindsAreCaughtAsTheGeneralType) {
    EXPECT_THROW(throw ElzhLikeError("decode"), Exception);
    try {
        throw ElzhLikeError("decode");
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "decode");
    }
}

TEST(Charset, NarrowLiteralsAreGbkBytes) {
    const std::string refresh = "刷新";
    ASSERT_EQ(refresh.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(refresh[0]), 0xCB);
    EXPECT_EQ(static_cast<unsigned char>(refresh[1]), 0xA2);
    EXPECT_EQ(static_cast<unsigned char>(refresh[2]), 0xD0);
    EXPECT_EQ(static_cast<unsigned char>(refresh[3]), 0xC2);
    // The full-width exclamation mark ends most of the program's messages.
    EXPECT_EQ(std::string("！"), "\xA3\xA1");
}

} // namespace
