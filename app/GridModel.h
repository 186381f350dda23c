#pragma once
// The text grid that the listings write, the header click sorts and the save command writes
// out: columns and rows of GBK texts, row 0 the fixed header row. The main window's string
// grid provides it, and so does MemoryGrid for the command-line tool and the tests.

#include <string>

class GridModel {
public:
    virtual ~GridModel() = default;

    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    // Rows added at the end are empty; rows removed from the end lose their texts.
    virtual void SetRowCount(int rows) = 0;
    virtual int FixedRows() const = 0;
    virtual std::string Cell(int column, int row) const = 0;
    virtual void SetCell(int column, int row, const std::string& text) = 0;
};
