#include "core/SysUtils.h"
#include "core/Exception.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(StrToInt, ReadsDecimalAndHexadecimalWithinThirtyTwoBits) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    int value = 0;
    for (const char* bad : {"", " ", "-", "2147483648", "12a", "1 ", "$", "0x", "99999999999999999999"})
        EXPECT_FALSE(TryStrToInt(bad, value)) << bad;
    try {
        StrToInt("x1");
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "'x1' is not a valid integer value");
    }
}

TEST(FileExists, IsTrueForFilesOnly) {
    std::filesystem::path folder = std::filesystem::temp_directory_path();
    std::string file = (folder / ("quillmere-exists-" + std::to_string(::getpid()))).string();
    EXPECT_FALSE(FileExists(file));
    std::ofstream(file) << "x";
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder.string()));
    std::filesystem::remove(file);
}

} // namespace
