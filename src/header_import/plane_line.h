#pragma once

#include "hex_digits.h"

#include <cstddef>
#include <cstdint>
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
    // Its value, read once where it is met: kNotHex, or 2^32 for any value beyond 32 bits.
    std::uint64_t number = kNotHex;
};

// One plane's array as a header defines it: "Ball_PlaneDark = {{0xC0},{0x00}};", perhaps with a
// declaration before the name and array bounds after it.
struct PlaneLine {
    PlaneKind kind = PlaneKind::Dark;
    std::string_view name;  // the bytes before the suffix
    std::size_t offset = 0; // where the name starts
    // Reading stops at the first entry beyond kMostEntries: the line is too long however
    // long it is, and a line of millions is refused as soon as that shows.
    std::vector<PlaneEntry> entries;
};

// The rows of the largest sprite.
constexpr std::size_t kMostEntries = 32;

// The plane line text[begin, end) is, if it is exactly as the export writes it, CR or not:
// "Name_PlaneDark = {{0xC0},{0x00}};" or "Name_PlaneDark = };". The name is all before the
// suffix, whatever it holds but blanks: ";", "//" or "/*" too. Past kMostEntries entries the
// rest of the line is left unread.
std::optional<PlaneLine> ReadExportedLine(std::string_view text, std::size_t begin,
                                          std::size_t end);

// The plane line that the statement text[begin, end) defines, if it defines one; its name
// reaches back to the previous blank. `terminated` tells whether a ";" ends the statement.
// Throws HeaderFault when the entries are not a list in braces: "{{e},{e}}" as exported,
// "{e, e}", "{}" or, for no entries, the exported "}".
std::optional<PlaneLine> ReadPlaneLine(std::string_view text, std::size_t begin, std::size_t end,
                                       bool terminated);

} // namespace vellicor
