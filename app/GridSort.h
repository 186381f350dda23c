#pragma once
// Sorting the connection grid by a column, as a header click does: the rows end in the order
// of an exchange sort in place that compares the texts as GBK byte strings (unsigned bytes, a
// prefix sorts first), with no numeric reading ("10" before "9"). Rows of equal keys end in
// whatever order that sort's exchanges leave them; the order is computed from the keys'
// ranks (ExchangeOrder.h) and the rows are then moved once.

#include "app/GridModel.h"

// False, touching nothing, without a grid or for a column outside it.
bool SortGridRows(GridModel* grid, int column, bool descending);
// False when a equals b, without a grid, or for a row outside it.
bool ExchangeGridRows(GridModel* grid, int a, int b);

// The column of the last ascending sort made by a header click, or none.
constexpr int NoSortColumn = -1;

// A header click on `column`: descending when the same column was last sorted ascending,
// ascending otherwise; afterwards `lastSortColumn` is the column after an ascending sort and
// none after a descending one. Returns what SortGridRows returned.
bool SortByHeaderClick(GridModel* grid, int column, int& lastSortColumn);
