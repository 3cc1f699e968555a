#include "header_text.h"

#include "bin_to_hex.h"

#include <algorithm>
#include <array>

namespace vellicor {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendPlaneLine(std::string& out, const std::string& name, std::string_view suffix,
                     const Plane& plane, int size, std::string_view entryPrefix) {
    out += name;
    out += suffix;
    if (size <= 0) {
        // No rows: the closing "};" replaces the opening braces, as "Ball_PlaneDark = };".
        out += " = };";
    } else {
        // Made in one buffer and appended once: a large project's header is millions of
        // entries.
        std::array<char, kPlaneSide * 14 + 8> entries;
        char* at = entries.data();
        const auto put = [&at](std::string_view text) {
            at = std::copy(text.begin(), text.end(), at);
        };
        put(" = {{");
        for (int y = 0; y < size; ++y) {
            if (y > 0)
                put("},{");
            put(entryPrefix);
            at += BinToHex(plane.Row(y, size), size, at);
        }
        put("}};");
        out.append(entries.data(), static_cast<std::size_t>(at - entries.data()));
    }
    out += kLineEnd;
}

} // namespace

std::string ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xF0)
            length = 4, code = lead & 0x07U;
        else if (lead >= 0xE0)
            length = 3, code = lead & 0x0FU;
        else if (lead >= 0xC0)
            length = 2, code = lead & 0x1FU;
        else if (lead >= 0x80)
            code = U'?'; // stray continuation byte
        bool valid = i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0U) == 0x80U;
            code = (code << 6) | (next & 0x3FU);
        }
        if (!valid)
            length = 1, code = U'?';
        out.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
        i += length;
    }
    return out;
}

void AppendSpriteHeader(std::string& out, const SpriteRecord& sprite) {
    const std::string name = ToLatin1(sprite.Name);
    const int size = sprite.Size;
    AppendPlaneLine(out, name, "_PlaneDark", sprite.PlaneDark, size, "0x");
    AppendPlaneLine(out, name, "_PlaneLight", sprite.PlaneLight, size, "0x");
    AppendPlaneLine(out, name, "_PlaneMask", sprite.PlaneMask, size, "~0x");
    out += kLineEnd;
}

std::string HeaderText(const SpriteTable& table) {
    std::string out;
    for (const SpriteRecord& sprite : table.Sprites())
        AppendSpriteHeader(out, sprite);
    return out;
}

} // namespace vellicor
