#pragma once

#include <cstdint>
#include <optional>

namespace vellicor {

// A 24-bit colour as 0xRRGGBB; palette colours are compared exactly.
using Rgb = std::uint32_t;

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kDarkGrey = 0x808080;
constexpr Rgb kLightGrey = 0xC0C0C0;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kTransparentCyan = 0x00FFFF;

// The five palette colours in swatch order.
constexpr Rgb kPaletteColours[5] = {kBlack, kDarkGrey, kLightGrey, kWhite, kTransparentCyan};

// The three plane bits of one pixel.
struct PlaneBits {
    bool light = false;
    bool dark = false;
    bool mask = false;
    friend bool operator==(const PlaneBits&, const PlaneBits&) = default;
};

// Bits written when painting with a colour; none for a colour outside the palette.
std::optional<PlaneBits> BitsForColour(Rgb colour);

// Colour shown for a pixel. Grey bits win over the mask, so a masked grey pixel shows its grey.
Rgb ColourForBits(PlaneBits bits);

} // namespace vellicor
