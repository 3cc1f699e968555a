#include "json_bounds.h"

#include "model/sprite_table.h"
#include "project_keys.h"

#include <algorithm>
#include <string_view>

namespace vellicor {
namespace {

// Longer than any name, row or file path a Vellicor file holds.
constexpr std::int64_t kMaxStringBytes = 64 * 1024;
// Far above the sprites a project holds, so a file just over the limit is still counted
// exactly by the reader, while millions of empty objects are stopped here.
constexpr std::int64_t kMaxObjects = 2 * std::int64_t{SpriteTable::kMaxSprites};

// The bytes that end a run outside strings: the quote and JSON's structural characters.
constexpr std::array<bool, 256> kStructural = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : std::string_view("\":,{}[]"))
        table[c] = true;
    return table;
}();

bool IsStructural(char c) {
    return kStructural[static_cast<unsigned char>(c)];
}

} // namespace

void JsonBounds::Refuse(QString reason) {
    if (!refusal_)
        refusal_ = std::move(reason);
}

void JsonBounds::OpenContainer(bool object) {
    if (depth_ >= kMaxDepth) {
        Refuse(QStringLiteral("It is nested deeper than any Vellicor file (over %1 levels).")
                   .arg(kMaxDepth));
        return;
    }
    if (object && depth_ >= 1 && ++sprites_ > kMaxObjects)
        Refuse(QStringLiteral("The project has over %1 sprites; at most %2 fit.")
                   .arg(kMaxObjects)
                   .arg(SpriteTable::kMaxSprites));
    frames_[static_cast<std::size_t>(++depth_)] = Frame{object, object};
}

void JsonBounds::CloseContainer() {
    EndValue();
    if (depth_ > 0)
        --depth_;
}

// A "," or a closing bracket at this depth ends the current value of its container.
void JsonBounds::EndValue() {
    if (unknownFrom_ == depth_)
        unknownFrom_ = -1;
    Frame& frame = frames_[static_cast<std::size_t>(depth_)];
    frame.expectKey = frame.object;
}

void JsonBounds::EndString() {
    inString_ = false;
    if (!stringIsKey_)
        return;
    const auto length = static_cast<std::size_t>(std::min<std::int64_t>(stringBytes_, 9));
    const QLatin1String key(key_.data(), static_cast<qsizetype>(std::min(length, key_.size())));
    keyKnown_ = length <= key_.size() &&
                std::find(knownKeys_.begin(), knownKeys_.end(), key) != knownKeys_.end();
    keyIsName_ = keyKnown_ && key == project_keys::kName;
    frames_[static_cast<std::size_t>(depth_)].expectKey = false;
}

std::optional<QString> JsonBounds::Feed(QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end && !refusal_) {
        const char* const start = p;
        if (inString_) {
            if (escape_ && p < end) { // the escaped character, whatever it is
                escape_ = false;
                ++stringBytes_;
                ++p;
            }
            // Run to the next quote or backslash; only a key's first bytes are kept.
            const char* const run = p;
            while (p < end && *p != '"' && *p != '\\')
                ++p;
            if (stringIsKey_)
                for (const char* k = run;
                     k < p && stringBytes_ + (k - run) < static_cast<std::int64_t>(key_.size());
                     ++k)
                    key_[static_cast<std::size_t>(stringBytes_ + (k - run))] = *k;
            stringBytes_ += p - run;
            if (p < end) {
                if (*p == '\\') {
                    escape_ = true;
                    stringIsKey_ = false; // an escaped key is no key Vellicor writes
                    keyKnown_ = false;
                    ++stringBytes_;
                } else {
                    EndString();
                }
                ++p;
            }
            if (stringIsName_ && stringBytes_ > kMaxNameBytes)
                Refuse(
                    (depth_ >= 2 ? QStringLiteral("Sprite %1: ").arg(sprites_) : QString()) +
                    QStringLiteral("\"name\" is longer than %1 characters.").arg(kMaxNameLength));
            if (stringBytes_ > kMaxStringBytes)
                Refuse(QStringLiteral("It holds a text longer than any name (over %1 KB).")
                           .arg(kMaxStringBytes / 1024));
        } else {
            // White space, numbers and literals need no more than counting.
            while (p < end && !IsStructural(*p))
                ++p;
            const char c = p < end ? *p++ : ' ';
            switch (c) {
            case '"': {
                const Frame& frame = frames_[static_cast<std::size_t>(depth_)];
                inString_ = true;
                escape_ = false;
                stringBytes_ = 0;
                stringIsKey_ = depth_ > 0 && frame.object && frame.expectKey;
                stringIsName_ = !stringIsKey_ && depth_ > 0 && frame.object && keyIsName_;
                if (stringIsKey_)
                    keyKnown_ = keyIsName_ = false;
                break;
            }
            case ':':
                if (!keyKnown_ && unknownFrom_ < 0)
                    unknownFrom_ = depth_;
                break;
            case ',':
                EndValue();
                break;
            case '{':
            case '[':
                OpenContainer(c == '{');
                break;
            case '}':
            case ']':
                CloseContainer();
                break;
            default:
                break;
            }
        }
        const auto consumed = p - start;
        total_ += consumed;
        if (unknownFrom_ >= 0 && (unknownBytes_ += consumed) > kMaxUnknownBytes)
            Refuse(QStringLiteral("It holds over %1 MB that is no part of a Vellicor file.")
                       .arg(kMaxUnknownBytes / (1024 * 1024)));
        if (total_ > kBaseBytes + kBytesPerSprite * sprites_)
            Refuse(QStringLiteral("It holds far more data than the sprites in it need."));
    }
    return refusal_;
}

} // namespace vellicor
