#include "index_guard.h"

#include "json_bounds.h"
#include "model/sprite_table.h"
#include "project_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vellicor {
namespace {

// Sixteen bytes at a time, which every 64-bit processor does in one register.
constexpr int kWidth = 16;
using Bytes = unsigned char __attribute__((vector_size(kWidth)));

Bytes Load(const char* at) {
    Bytes bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    return bytes;
}

Bytes IsSpace(Bytes c) {
    return Bytes((c == ' ') | (c == '\t') | (c == '\n') | (c == '\r'));
}

// A lower-case bit folds [ into { and ] into }.
Bytes IsMark(Bytes c) {
    const Bytes folded = c | 0x20;
    return Bytes((folded == '{') | (folded == '}') | (c == ',') | (c == ':') | (c == '"'));
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsMark(char c) {
    return std::string_view("{}[],:\"").find(c) != std::string_view::npos;
}

} // namespace

bool IndexGuard::Feed(QByteArrayView bytes) {
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    const auto one = [&](qsizetype at) {
        const char c = data[at];
        const bool space = IsSpace(c);
        marks_ += IsMark(c) || (afterSpace_ && !space);
        braces_ += c == '{';
        afterSpace_ = space;
    };
    // The first byte alone, so that every block can look one byte back.
    if (size > 0)
        one(i++);
    while (size - i >= kWidth) {
        // Byte-wide counters, summed before they can overflow.
        Bytes marks{};
        Bytes braces{};
        for (int block = 0; block < 255 && size - i >= kWidth; ++block, i += kWidth) {
            const Bytes c = Load(data + i);
            const Bytes space = IsSpace(c);
            marks += (IsMark(c) | (IsSpace(Load(data + i - 1)) & ~space)) & 1;
            braces += Bytes(c == '{') & 1;
        }
        for (int lane = 0; lane < kWidth; ++lane) {
            marks_ += marks[lane];
            braces_ += braces[lane];
        }
        afterSpace_ = IsSpace(data[i - 1]);
    }
    while (i < size)
        one(i++);
    total_ += size;
    const std::int64_t sprites = std::min<std::int64_t>(braces_, SpriteTable::kMaxSprites);
    return total_ <= kMaxProjectFileBytes &&
           total_ <= JsonBounds::kBaseBytes + JsonBounds::kBytesPerSprite * braces_ &&
           marks_ <= kSlack + kPerSprite * sprites;
}

} // namespace vellicor
