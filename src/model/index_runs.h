#pragma once

#include <span>
#include <vector>

namespace vellicor {

// A stretch of a new order taken from consecutive old indexes: old first .. first + count - 1,
// or, when first is negative, one entry that was in no old index (a sprite put in). A move of a
// few sprites in a large project is a handful of runs, so steps and journal records stay small.
struct IndexRun {
    int first = 0;
    int count = 0;
    friend bool operator==(const IndexRun&, const IndexRun&) = default;
};

// `order` (old indexes, negative for none) as the fewest runs.
std::vector<IndexRun> RunsOf(std::span<const int> order);
// The order the runs stand for, negative entries as -1.
std::vector<int> ExpandRuns(std::span<const IndexRun> runs);
// For runs of a permutation: the runs of the permutation that undoes it.
std::vector<IndexRun> InverseRuns(std::span<const IndexRun> runs);

// Whether `order` holds each of 0 .. size - 1 exactly once.
bool IsPermutation(std::span<const int> order, int size);

} // namespace vellicor
