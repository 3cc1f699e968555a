#pragma once

#include "model/sprite_table.h"

#include <QString>
#include <optional>
#include <string>

namespace vellicor {

// Why the sprites cannot be written as C declarations, or nullopt when they can: every name
// must be a C identifier (ASCII letters, digits and "_", no digit first) and no two alike, as
// each becomes the start of the arrays' own names. The message names the names at fault.
std::optional<QString> CHeaderRefusal(const SpriteTable& table);

// The parts of a C declarations header around its sprites, so a file of them can be written a
// sprite at a time: the comment, include guard, include and count before, the guard's end after.
struct CHeaderFrame {
    std::string opening;
    std::string closing;
};

// The guard and the count's prefix come from the file name of `headerPath`; the comment names
// the project.
CHeaderFrame CHeaderFrameOf(const SpriteTable& table, const QString& projectName,
                            const QString& headerPath);

// One sprite's part: its size as a define and, once it has a size, its three planes as arrays of
// uint8_t, uint16_t or uint32_t, a row an entry; then an empty line.
void AppendCSprite(std::string& out, const SpriteRecord& sprite);

// A header that compiles by itself, for sprites CHeaderRefusal takes. CR LF line ends, as the
// plain header.
std::string CHeaderText(const SpriteTable& table, const QString& projectName,
                        const QString& headerPath);

} // namespace vellicor
