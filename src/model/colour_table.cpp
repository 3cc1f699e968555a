#include "colour_table.h"

namespace vellicor {

std::optional<PlaneBits> BitsForColour(Rgb colour) {
    switch (colour) {
    case kBlack:
        return PlaneBits{.light = true, .dark = true, .mask = false};
    case kDarkGrey:
        return PlaneBits{.light = false, .dark = true, .mask = false};
    case kLightGrey:
        return PlaneBits{.light = true, .dark = false, .mask = false};
    case kWhite:
        return PlaneBits{};
    case kTransparentCyan:
        return PlaneBits{.light = false, .dark = false, .mask = true};
    default:
        return std::nullopt;
    }
}

Rgb ColourForBits(PlaneBits bits) {
    if (bits.light && bits.dark)
        return kBlack;
    if (bits.dark)
        return kDarkGrey;
    if (bits.light)
        return kLightGrey;
    return bits.mask ? kTransparentCyan : kWhite;
}

} // namespace vellicor
