#pragma once

#include "colour_table.h"

#include <array>
#include <cstdint>
#include <string>

namespace vellicor {

constexpr int kPlaneSide = 32;

// One bit plane of 32 x 32 pixels, kept as one 32-bit row per y with column 0 in the
// most significant bit, so a row reads directly as the exported value.
class Plane {
  public:
    bool Get(int x, int y) const { return (rows_[y] >> Shift(x)) & 1U; }
    void Set(int x, int y, bool on) {
        const std::uint32_t bit = std::uint32_t{1} << Shift(x);
        rows_[y] = on ? (rows_[y] | bit) : (rows_[y] & ~bit);
    }
    // The first `width` pixels of row y as a number, leftmost pixel most significant.
    std::uint32_t Row(int y, int width) const {
        return width <= 0 ? 0 : rows_[y] >> (kPlaneSide - width);
    }
    // Row y of the whole 32-pixel-wide plane, as the project file and journal store it.
    std::uint32_t FullRow(int y) const { return rows_[y]; }
    void SetFullRow(int y, std::uint32_t row) { rows_[y] = row; }
    bool IsClear() const;

  private:
    static int Shift(int x) { return kPlaneSide - 1 - x; }
    std::array<std::uint32_t, kPlaneSide> rows_{};
};

struct SpriteRecord {
    // 0 until a size is chosen, then 8, 16 or 32. The planes stay 32 x 32 whatever it is,
    // so shrinking the sprite hides pixels instead of losing them.
    std::int16_t Size = 0;
    Plane PlaneLight;
    Plane PlaneDark;
    Plane PlaneMask;
    std::string Name; // UTF-8, as typed
    bool IsOpen = false;

    PlaneBits Bits(int x, int y) const {
        return {PlaneLight.Get(x, y), PlaneDark.Get(x, y), PlaneMask.Get(x, y)};
    }
    void SetBits(int x, int y, PlaneBits bits) {
        PlaneDark.Set(x, y, bits.dark);
        PlaneLight.Set(x, y, bits.light);
        PlaneMask.Set(x, y, bits.mask);
    }
};

} // namespace vellicor
