#pragma once

#include <cassert>
#include <span>
#include <utility>
#include <vector>

namespace vellicor {

// Rearranging a list in one pass, whatever its length: the sprite table and everything kept
// beside it in step with it (their identities) go through the same three moves.

// Takes the elements at `indexes` (ascending) out of `items`, in that order.
template <typename T> std::vector<T> TakeAt(std::vector<T>& items, std::span<const int> indexes) {
    std::vector<T> taken;
    taken.reserve(indexes.size());
    std::size_t kept = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (next < indexes.size() && static_cast<std::size_t>(indexes[next]) == i) {
            taken.push_back(std::move(items[i]));
            ++next;
        } else {
            if (kept != i)
                items[kept] = std::move(items[i]);
            ++kept;
        }
    }
    assert(next == indexes.size());
    items.resize(kept);
    return taken;
}

// Puts `taken` into `items` so that taken[k] ends at indexes[k] (ascending).
template <typename T>
void PutAt(std::vector<T>& items, std::span<const int> indexes, std::vector<T> taken) {
    assert(indexes.size() == taken.size());
    std::vector<T> merged;
    merged.reserve(items.size() + taken.size());
    std::size_t old = 0;
    std::size_t next = 0;
    while (merged.size() < items.size() + taken.size()) {
        if (next < indexes.size() && static_cast<std::size_t>(indexes[next]) == merged.size())
            merged.push_back(std::move(taken[next++]));
        else
            merged.push_back(std::move(items[old++]));
    }
    items = std::move(merged);
}

// items[i] becomes what items[order[i]] was; `order` is a permutation of the indexes.
template <typename T> void Reorder(std::vector<T>& items, std::span<const int> order) {
    assert(order.size() == items.size());
    std::vector<T> reordered;
    reordered.reserve(items.size());
    for (const int index : order)
        reordered.push_back(std::move(items[static_cast<std::size_t>(index)]));
    items = std::move(reordered);
}

} // namespace vellicor
