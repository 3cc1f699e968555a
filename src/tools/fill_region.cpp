#include "tool_geometry.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vellicor {
namespace {

using Row = std::uint32_t; // one bit per column, column 0 in the most significant bit

// Widens each set bit of `region` to the whole run of `same` bits it lies in.
Row SpreadAlongRow(Row region, Row same) {
    for (Row before = 0; region != before;) {
        before = region;
        region |= ((region << 1) | (region >> 1)) & same;
    }
    return region;
}

} // namespace

std::vector<Cell> FillRegion(const SpriteRecord& record, int size, Cell start) {
    size = std::min(size, kPlaneSide);
    if (start.x < 0 || start.y < 0 || start.x >= size || start.y >= size)
        return {};

    // Whole rows at a time: per row, the pixels with the start pixel's bits, and the part of the
    // region found so far. The region grows into the rows above and below and along each row
    // until a pass down and a pass up change nothing.
    const PlaneBits bits = record.Bits(start.x, start.y);
    const auto matching = [](const Plane& plane, int y, bool on) {
        return on ? plane.FullRow(y) : ~plane.FullRow(y);
    };
    const Row inside = size == kPlaneSide ? ~Row{0} : ~(~Row{0} >> size);
    std::array<Row, kPlaneSide> same{};
    for (int y = 0; y < size; ++y)
        same[y] = matching(record.PlaneLight, y, bits.light) &
                  matching(record.PlaneDark, y, bits.dark) &
                  matching(record.PlaneMask, y, bits.mask) & inside;
    std::array<Row, kPlaneSide> region{};
    region[start.y] = Row{1} << (kPlaneSide - 1 - start.x);

    const auto grow = [&](int y) {
        const Row above = y > 0 ? region[y - 1] : 0;
        const Row below = y + 1 < size ? region[y + 1] : 0;
        const Row grown = SpreadAlongRow((region[y] | above | below) & same[y], same[y]);
        const bool changed = grown != region[y];
        region[y] = grown;
        return changed;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y < size; ++y)
            changed |= grow(y);
        for (int y = size - 1; y >= 0; --y)
            changed |= grow(y);
    }

    std::vector<Cell> cells;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((region[y] >> (kPlaneSide - 1 - x)) & 1U)
                cells.push_back({x, y});
    return cells;
}

} // namespace vellicor
