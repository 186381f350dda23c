#include "app/GridSort.h"
#include "app/MemoryGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// A grid of two columns: the key and a marker that tells the rows apart.
MemoryGrid Grid(const std::vector<std::pair<std::string, std::string>>& rows) {
    MemoryGrid grid(2, static_cast<int>(rows.size()) + 1);
    grid.SetCell(0, 0, " key");
    grid.SetCell(1, 0, " marker");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        grid.SetCell(0, static_cast<int>(i) + 1, rows[i].first);
        grid.SetCell(1, static_cast<int>(i) + 1, rows[i].second);
    }
    return grid;
}

std::vector<std::string> Column(const GridModel& grid, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < grid.RowCount(); ++row)
        texts.push_back(grid.Cell(column, row));
    return texts;
}

TEST(GridSort, TextOrderNotNumbers) {
    MemoryGrid grid = Grid({{"8", "a"}, {"10", "b"}, {"9", "c"}});
    ASSERT_TRUE(SortGridRows(&grid, 0, false));
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{" key", "10", "8", "9"}));
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{" marker", "b", "a", "c"}));
    ASSERT_TRUE(SortGridRows(&grid, 0, true));
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{" key", "9", "8", "10"}));

    MemoryGrid endpoints = Grid({{"192.168.1.9:80", "nine"}, {"192.168.1.10:80", "ten"}});
    SortGridRows(&endpoints, 0, false);
    EXPECT_EQ(endpoints.Cell(1, 1), "ten");
}

TEST(GridSort, BytesCompareUnsignedAndPrefixesComeFirst) {
    // GBK lead bytes are above every ASCII byte.
    MemoryGrid grid = Grid({{"关闭", "1"}, {"z", "2"}, {"", "3"}, {"zz", "4"}});
    SortGridRows(&grid, 0, false);
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{" marker", "3", "2", "4", "1"}));
}

TEST(GridSort, EqualKeysEndInTheOrderTheExchangesLeave) {
    MemoryGrid grid = Grid({{"B", "B"}, {"B", "B'"}, {"A", "A"}});
    SortGridRows(&grid, 0, false);
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{" marker", "A", "B'", "B"}));
}

TEST(GridSort, InvalidRequestsTouchNothing) {
    MemoryGrid grid = Grid({{"b", "1"}, {"a", "2"}});
    EXPECT_FALSE(SortGridRows(nullptr, 0, false));
    EXPECT_FALSE(SortGridRows(&grid, -1, false));
    EXPECT_FALSE(SortGridRows(&grid, 2, false));
    EXPECT_EQ(grid.Cell(0, 1), "b");
    EXPECT_FALSE(ExchangeGridRows(&grid, 1, 1));
    EXPECT_FALSE(ExchangeGridRows(&grid, 1, 3));
    EXPECT_FALSE(ExchangeGridRows(&grid, -1, 1));
    EXPECT_FALSE(ExchangeGridRows(nullptr, 1, 2));
    EXPECT_TRUE(ExchangeGridRows(&grid, 0, 2)); // any two rows, the header included
    EXPECT_EQ(grid.Cell(1, 0), "2");
    EXPECT_EQ(grid.Cell(1, 2), " marker");

    MemoryGrid empty = Grid({{"空", ""}});
    EXPECT_TRUE(SortGridRows(&empty, 0, true));
    EXPECT_EQ(empty.Cell(0, 1), "空");
}

TEST(HeaderClick, SecondClickOnTheSameColumnSortsDescending) {
    MemoryGrid grid(6, 4);
    const char* protocols[] = {"UDP", "TCP", "UDP"};
    const char* ids[] = {"8", "10", "9"};
    for (int row = 1; row < 4; ++row) {
        grid.SetCell(0, row, protocols[row - 1]);
        grid.SetCell(5, row, ids[row - 1]);
    }
    int last = NoSortColumn;
    ASSERT_TRUE(SortByHeaderClick(&grid, 0, last));
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"", "TCP", "UDP", "UDP"}));
    EXPECT_EQ(last, 0);
    SortByHeaderClick(&grid, 0, last);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"", "UDP", "UDP", "TCP"}));
    EXPECT_EQ(last, NoSortColumn);
    SortByHeaderClick(&grid, 0, last);
    EXPECT_EQ(last, 0);

    // Another column always starts ascending; returning to the first one does too.
    SortByHeaderClick(&grid, 2, last);
    SortByHeaderClick(&grid, 5, last);
    EXPECT_EQ(Column(grid, 5), (std::vector<std::string>{"", "10", "8", "9"}));
    SortByHeaderClick(&grid, 2, last);
    EXPECT_EQ(last, 2);
    EXPECT_FALSE(SortByHeaderClick(&grid, 9, last));
    EXPECT_EQ(last, 2);
}

} // namespace

namespace {

// The exchange sort as written, on (key, marker) rows: for each i, every later j whose key
// is smaller (descending: greater) than i's present key is exchanged with i.
void WrittenExchangeSort(std::vector<std::pair<std::string, std::string>>& rows, bool descending) {
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const std::string& a = rows[i].first;
            const std::string& b = rows[j].first;
            if (descending ? a < b : a > b)
                std::swap(rows[i], rows[j]);
        }
    }
}

// Keys of a connection grid's column: few distinct texts (many equal keys), GBK bytes,
// prefixes of each other and the empty text.
std::vector<std::string> RandomKeys(std::mt19937& random, std::size_t count, int distinct) {
    static const char* const stems[] = {"", "1", "10", "9", "TCP", "UDP", "监听", "已建立", "a", "ab"};
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < count; ++i) {
        int value = pick(random);
        keys.push_back(std::string(stems[value % 10]) +
                       std::string(static_cast<std::size_t>(value / 10), 'x'));
    }
    return keys;
}

enum class Arrangement { Random, Ascending, Descending };

TEST(GridSort, AgreesWithTheWrittenExchangeSortOnEveryRow) {
    std::mt19937 random(18);
    const std::size_t sizes[] = {0, 1, 2, 3, 4, 7, 16, 50, 333, 2000};
    const int alphabets[] = {1, 2, 3, 10, 40, 5000};
    int cases = 0;
    for (std::size_t size : sizes) {
        for (int distinct : alphabets) {
            for (Arrangement arrangement :
                 {Arrangement::Random, Arrangement::Ascending, Arrangement::Descending}) {
                // The large grids once per arrangement: the written sort is slow under the sanitizers.
                if (size == 2000 && distinct != 10 && distinct != 5000)
                    continue;
                std::vector<std::string> keys = RandomKeys(random, size, distinct);
                if (arrangement != Arrangement::Random)
                    std::sort(keys.begin(), keys.end());
                if (arrangement == Arrangement::Descending)
                    std::reverse(keys.begin(), keys.end());
                std::vector<std::pair<std::string, std::string>> rows;
                for (std::size_t i = 0; i < keys.size(); ++i)
                    rows.emplace_back(keys[i], std::to_string(i));
                for (bool descending : {false, true}) {
                    MemoryGrid grid = Grid(rows);
                    ASSERT_TRUE(SortGridRows(&grid, 0, descending));
                    std::vector<std::pair<std::string, std::string>> expected = rows;
                    WrittenExchangeSort(expected, descending);
                    for (std::size_t i = 0; i < expected.size(); ++i) {
                        ASSERT_EQ(grid.Cell(0, static_cast<int>(i) + 1), expected[i].first);
                        ASSERT_EQ(grid.Cell(1, static_cast<int>(i) + 1), expected[i].second)
                            << "size " << size << ", " << distinct << " keys, row " << i + 1
                            << (descending ? ", descending" : ", ascending");
                    }
                    EXPECT_EQ(grid.Cell(1, 0), " marker");
                    ++cases;
                }
                rows.clear();
            }
        }
    }
    EXPECT_GT(cases, 300);
}

TEST(GridSort, SortingTwiceAgreesWithTheWrittenSortTwice) {
    // A second click sorts rows the first click left in place, ties and all.
    std::mt19937 random(36);
    std::vector<std::string> keys = RandomKeys(random, 400, 12);
    std::vector<std::pair<std::string, std::string>> rows;
    for (std::size_t i = 0; i < keys.size(); ++i)
        rows.emplace_back(keys[i], std::to_string(i));
    MemoryGrid grid = Grid(rows);
    for (bool descending : {false, true, false}) {
        SortGridRows(&grid, 0, descending);
        WrittenExchangeSort(rows, descending);
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        ASSERT_EQ(grid.Cell(1, static_cast<int>(i) + 1), rows[i].second);
}

} // namespace
