#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace vellicor {

// In the order of a sprite's three lines.
enum class PlaneKind { Dark, Light, Mask };

// "_PlaneDark", "_PlaneLight" or "_PlaneMask": what follows the sprite's name.
std::string_view PlaneSuffix(PlaneKind kind);

struct PlaneEntry {
    std::string_view value; // as written, without the "~": "0xC0"
    bool complemented = false;
    std::size_t offset = 0;
};

// One plane's array as a header defines it: "Ball_PlaneDark = {{0xC0},{0x00}};", perhaps with a
// declaration before the name and array bounds after it.
struct PlaneLine {
    PlaneKind kind = PlaneKind::Dark;
    std::string_view name;  // the bytes before the suffix, back to the previous blank
    std::size_t offset = 0; // where the name starts
    std::vector<PlaneEntry> entries;
};

// The plane line that the statement text[begin, end) defines, if it defines one. `terminated`
// tells whether a ";" ends the statement. Throws HeaderFault when the entries are not a list
// in braces: "{{e},{e}}" as exported, "{e, e}", "{}" or, for no entries, the exported "}".
std::optional<PlaneLine> ReadPlaneLine(std::string_view text, std::size_t begin, std::size_t end,
                                       bool terminated);

} // namespace vellicor
