#pragma once
// The saved connection list: a fixed-width text of the grid, header included, in its current
// row order. The field of column c is the cell's text and blanks up to W(c) bytes, W(c)
// being 1 plus the longest text of the column (bytes: a GBK character counts 2); every line
// is followed by CR, LF and a blank, so each later line starts with the blank that lines its
// cells up under the titles, and the file ends with CR, LF, blank.

#include "app/GridModel.h"

#include <string>

// The bytes of the file (GBK as the cells hold them); empty for a grid without columns or rows.
std::string FormatGridText(const GridModel& grid);

// Creates (or empties) the file and writes the text. Raises Exception when the file cannot
// be created and when any write, or the final flush to the disk, fails or stores less than
// asked: a list is never reported saved unless all of it was.
void SaveGridText(const GridModel& grid, const std::string& fileName);

// The completion message and its caption.
std::string SavedMessageText(const std::string& fileName);
constexpr const char* SavedMessageCaption = "保存完毕";
