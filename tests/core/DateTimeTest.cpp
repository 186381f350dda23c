#include "core/DateTime.h"
#include "core/Exception.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTime, CountsDaysFromTheEndOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30).Days(), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1).Days(), 2);
    EXPECT_EQ(EncodeDate(2005, 3, 9).Days(), 38420);
    EXPECT_EQ(EncodeDate(1, 1, 1).Days(), -693593);
}

TEST(DateTime, DecodesEveryDayItEncodes) {
    for (int year : {1, 4, 100, 1600, 1899, 1900, 2000, 2024, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                TDateTime date;
                if (!TryEncodeDate(year, month, day, date))
                    continue;
                int y, m, d;
                DecodeDate(date, y, m, d);
                ASSERT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
            }
        }
    }
    TDateTime date;
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, date));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, date));
    EXPECT_FALSE(TryEncodeDate(2023, 13, 1, date));
    EXPECT_THROW(EncodeDate(0, 1, 1), Exception);
}

TEST(StrToDate, ReadsYearMonthDayWithDashes) {
    EXPECT_EQ(StrToDate("2005-3-9"), EncodeDate(2005, 3, 9));
    EXPECT_EQ(StrToDate("2005-3-9-"), EncodeDate(2005, 3, 9)) << "one dash after the day";
    EXPECT_EQ(StrToDate(" 2005-03-09 "), EncodeDate(2005, 3, 9));
    EXPECT_EQ(YearOf(StrToDate("2024-12-31")), 2024);
    EXPECT_EQ(MonthOf(StrToDate("2024-12-31")), 12);
    EXPECT_EQ(DayOf(StrToDate("2024-12-31")), 31);
}

TEST(StrToDate, RefusesAnythingElseQuotingTheText) {
    for (const char* bad : {"", "2005-3", "2005-3-9--", "2005-2-30", "a-b-c", "2005/3/9", "2005-3-9x",
                            "-2005-3-9", "99999999999-1-1"}) {
        try {
            StrToDate(bad);
            ADD_FAILURE() << bad;
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), "'" + std::string(bad) + "' is not a valid date");
        }
    }
}

} // namespace
