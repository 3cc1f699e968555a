#pragma once

#include "model/sprite_table.h"

#include <string>
#include <string_view>

namespace vellicor {

// The exported header as bytes: three plane lines and an empty line per sprite, CR LF ends.
std::string HeaderText(const SpriteTable& table);

// One sprite's four lines of it, so a view of the header can rebuild just what changed.
void AppendSpriteHeader(std::string& out, const SpriteRecord& sprite);

// Names are typed as Unicode but the header is 8-bit text: Latin-1, "?" for the rest.
std::string ToLatin1(std::string_view utf8);

} // namespace vellicor
