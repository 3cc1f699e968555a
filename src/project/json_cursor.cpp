#include "json_cursor.h"

#include "json_string.h"

#include <array>
#include <charconv>
#include <cstring>

namespace vellicor {
namespace {

// Two hex digits for every byte, so a row takes four look-ups.
constexpr std::array<std::array<char, 2>, 256> kHexPairs = [] {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::array<std::array<char, 2>, 256> pairs{};
    for (std::size_t byte = 0; byte < pairs.size(); ++byte)
        pairs[byte] = {kDigits[byte >> 4], kDigits[byte & 0xF]};
    return pairs;
}();

} // namespace

void JsonCursor::Raw(std::string_view text) {
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
}

void JsonCursor::Newline() {
    if (layout_ == JsonLayout::Indented)
        *at_++ = '\n';
}

void JsonCursor::Indent() {
    if (layout_ == JsonLayout::Compact)
        return;
    const auto blanks = static_cast<std::size_t>(4 * level_);
    std::memset(at_, ' ', blanks);
    at_ += blanks;
}

void JsonCursor::Open(char bracket) {
    *at_++ = bracket;
    Newline();
    ++level_;
}

// Qt closes an empty container on a line of its own too: "[\n    ]".
void JsonCursor::Close(char bracket) {
    --level_;
    Indent();
    *at_++ = bracket;
}

void JsonCursor::EndDocument() {
    Newline();
}

void JsonCursor::Key(QLatin1String key) {
    Indent();
    *at_++ = '"';
    Raw(std::string_view(key.data(), key.size()));
    Raw(layout_ == JsonLayout::Indented ? std::string_view("\": ") : std::string_view("\":"));
}

void JsonCursor::Next(bool last) {
    if (!last)
        *at_++ = ',';
    Newline();
}

void JsonCursor::String(QStringView text) {
    at_ = WriteJsonString(at_, text);
}

void JsonCursor::String(std::string_view utf8) {
    at_ = WriteJsonString(at_, utf8);
}

void JsonCursor::Number(std::int64_t number) {
    at_ = std::to_chars(at_, at_ + 20, number).ptr;
}

void JsonCursor::Row(std::uint32_t row) {
    *at_++ = '"';
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto& pair = kHexPairs[(row >> shift) & 0xFFU];
        *at_++ = pair[0];
        *at_++ = pair[1];
    }
    *at_++ = '"';
}

} // namespace vellicor
