#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vellicor {

// Who a sprite is inside the open project, whatever its index becomes: its history and steps
// follow it by this across deletes and moves. Never written to any file, and never reused
// while the project is open.
using SpriteId = std::uint64_t;

// Tree key of a sprite: "s" followed by its index in decimal.
std::string SpriteKey(int index);

// Editor window tag: the sprite key without its leading "s".
std::string TagFromKey(std::string_view key);

// Index from a tag (decimal digits); nullopt when the text is not a valid index.
std::optional<int> IndexFromTag(std::string_view tag);

// Index from a sprite key.
std::optional<int> IndexFromKey(std::string_view key);

} // namespace vellicor
