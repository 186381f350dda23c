#pragma once
// The order in which the grid's exchange sort leaves a column of keys, computed in
// O(n log n) instead of the sort's (n - 1)(n - 2) / 2 comparisons.
//
// The exchange sort takes, for each place i, every later key smaller than the key at i into
// place i, leaving the displaced key behind in the smaller key's place. One such outer step
// is a single pass of a "hand" over the rest of the keys; the passes one after another form
// a pipeline, and feeding the keys through the whole pipeline one at a time gives each pass
// the same keys in the same order. Fed so, the hands always hold the keys seen so far in
// sorted order, and a new key k ends behind every held key not greater than it, while every
// group of equal keys greater than k hands its first member on, past the group's other
// members, to the end of the group. So a group of equal keys behaves as a queue: its keys
// join at the back, and each smaller key that arrives later moves the front one to the back.

#include <cstdint>
#include <vector>

// `ranks[k]`: the key of item k as a rank from 0 to rankCount - 1 (equal keys, equal ranks);
// the item an ascending exchange sort puts at each place, front first.
std::vector<std::uint32_t> ExchangeSortOrder(const std::vector<std::uint32_t>& ranks,
                                             std::uint32_t rankCount);
