#include "sprite_identity.h"

#include <charconv>

namespace vellicor {

std::string SpriteKey(int index) {
    return "s" + std::to_string(index);
}

std::string TagFromKey(std::string_view key) {
    return key.empty() ? std::string{} : std::string{key.substr(1)};
}

std::optional<int> IndexFromTag(std::string_view tag) {
    int index = 0;
    const char* end = tag.data() + tag.size();
    const auto [ptr, error] = std::from_chars(tag.data(), end, index);
    if (tag.empty() || error != std::errc{} || ptr != end || index < 0)
        return std::nullopt;
    return index;
}

std::optional<int> IndexFromKey(std::string_view key) {
    if (key.size() < 2 || key.front() != 's')
        return std::nullopt;
    return IndexFromTag(key.substr(1));
}

} // namespace vellicor
