#include "app/GridSort.h"
#include "app/MemoryGrid.h"

#include <gtest/gtest.h>

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
