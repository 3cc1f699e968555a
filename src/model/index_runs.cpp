#include "index_runs.h"

#include <algorithm>
#include <numeric>

namespace vellicor {

std::vector<IndexRun> RunsOf(std::span<const int> order) {
    std::vector<IndexRun> runs;
    for (const int index : order) {
        if (index >= 0 && !runs.empty() && runs.back().first >= 0 &&
            runs.back().first + runs.back().count == index)
            ++runs.back().count;
        else
            runs.push_back({index < 0 ? -1 : index, 1});
    }
    return runs;
}

std::vector<int> ExpandRuns(std::span<const IndexRun> runs) {
    std::vector<int> order;
    for (const IndexRun& run : runs)
        for (int i = 0; i < run.count; ++i)
            order.push_back(run.first < 0 ? -1 : run.first + i);
    return order;
}

// Each run of new places, taken in the order of its old indexes, is a run of the inverse.
std::vector<IndexRun> InverseRuns(std::span<const IndexRun> runs) {
    std::vector<int> placed(runs.size()); // where each run starts in the new order
    int at = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        placed[i] = at;
        at += runs[i].count;
    }
    std::vector<std::size_t> byOld(runs.size());
    std::iota(byOld.begin(), byOld.end(), std::size_t{0});
    std::sort(byOld.begin(), byOld.end(),
              [&](std::size_t a, std::size_t b) { return runs[a].first < runs[b].first; });
    std::vector<IndexRun> inverse;
    inverse.reserve(runs.size());
    for (const std::size_t i : byOld)
        inverse.push_back({placed[i], runs[i].count});
    return inverse;
}

bool IsPermutation(std::span<const int> order, int size) {
    if (static_cast<int>(order.size()) != size)
        return false;
    std::vector<bool> seen(order.size(), false);
    for (const int index : order) {
        if (index < 0 || index >= size || seen[static_cast<std::size_t>(index)])
            return false;
        seen[static_cast<std::size_t>(index)] = true;
    }
    return true;
}

} // namespace vellicor
