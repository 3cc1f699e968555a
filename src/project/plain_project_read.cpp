// The plain shape of a project file, read with simdjson's On-Demand API. Every check here is
// stricter than its match in the full reader, so whatever this takes, JsonBounds, Qt's parser and
// SpriteFromJson take too and read the same: each key and value is compared as the raw text
// Vellicor writes, and anything else is left to the full reader.
#include "plain_project_read.h"

#include "json_bounds.h"
#include "model/name_rules.h"
#include "project_keys.h"

#include <array>
#include <simdjson.h>
#include <string_view>

namespace vellicor {
namespace {

namespace od = simdjson::ondemand;
using namespace project_keys;
static_assert(kJsonPadding >= simdjson::SIMDJSON_PADDING);

constexpr std::array kRootKeys{kFormat, kVersion, kName, kSprites, kHeaderStyle};
enum RootKey { kFormatKey, kVersionKey, kProjectNameKey, kSpritesKey, kHeaderStyleKey };
constexpr unsigned kNeededRootKeys = (1U << kHeaderStyleKey) - 1; // the style is optional
constexpr std::array kSpriteKeys{kName, kSize, kOpen, kDark, kLight, kMask};
enum SpriteKey { kNameKey, kSizeKey, kOpenKey, kDarkKey, kLightKey, kMaskKey };
constexpr unsigned kAllSpriteKeys = (1U << kSpriteKeys.size()) - 1;

constexpr std::array<std::int8_t, 256> kHexDigits = [] {
    std::array<std::int8_t, 256> digits{};
    digits.fill(-1);
    for (int i = 0; i < 10; ++i)
        digits[static_cast<std::size_t>('0' + i)] = static_cast<std::int8_t>(i);
    for (int i = 0; i < 6; ++i) {
        digits[static_cast<std::size_t>('A' + i)] = static_cast<std::int8_t>(10 + i);
        digits[static_cast<std::size_t>('a' + i)] = static_cast<std::int8_t>(10 + i);
    }
    return digits;
}();

int HexDigit(char c) {
    return kHexDigits[static_cast<unsigned char>(c)];
}

// A token as simdjson hands it out, without the white space it keeps after it.
std::string_view Trimmed(std::string_view token) {
    while (!token.empty() &&
           std::string_view(" \t\n\r").find(token.back()) != std::string_view::npos)
        token.remove_suffix(1);
    return token;
}

// Whether the value is spelt exactly `text`: 1 is, 1.0 and 1e0 are for the full reader.
bool Spelt(od::value& value, std::string_view text) {
    return Trimmed(value.raw_json_token()) == text;
}

// The key's place in `keys`, or -1. A key with an escape matches none.
template <std::size_t N>
int KeyIndex(od::raw_json_string key, const std::array<QLatin1String, N>& keys) {
    for (std::size_t i = 0; i < N; ++i)
        if (key.unsafe_is_equal(std::string_view(keys[i].data(), keys[i].size())))
            return static_cast<int>(i);
    return -1;
}

// Eight hex digits of either case, read from the raw text: a row never needs unescaping.
bool ReadRow(od::value& value, std::uint32_t& bits) {
    od::raw_json_string raw;
    if (value.get_raw_json_string().get(raw))
        return false;
    const char* const digits = raw.raw();
    std::uint32_t row = 0;
    for (int i = 0; i < 8; ++i) {
        const int digit = HexDigit(digits[i]);
        if (digit < 0)
            return false;
        row = (row << 4) | static_cast<std::uint32_t>(digit);
    }
    bits = row;
    return digits[8] == '"';
}

bool ReadPlane(od::value& value, Plane& plane) {
    od::array rows;
    if (value.get_array().get(rows))
        return false;
    int y = 0;
    for (auto element : rows) {
        od::value row;
        std::uint32_t bits = 0;
        if (y == kPlaneSide || element.get(row) || !ReadRow(row, bits))
            return false;
        plane.SetFullRow(y++, bits);
    }
    return y == kPlaneSide;
}

// simdjson and Qt's parser read a \u escape of half a surrogate pair each their own way, and
// Vellicor writes none: a name with one is for the full reader.
bool NoSurrogateEscapes(std::string_view raw) {
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || ++i == raw.size() || raw[i] != 'u')
            continue;
        if (i + 4 >= raw.size() || HexDigit(raw[i + 1]) < 0 || HexDigit(raw[i + 2]) < 0 ||
            HexDigit(raw[i + 3]) < 0 || HexDigit(raw[i + 4]) < 0)
            return false;
        if (HexDigit(raw[i + 1]) == 0xD && HexDigit(raw[i + 2]) >= 8)
            return false;
        i += 4;
    }
    return true;
}

// A name within JsonBounds' limit that NameFault finds nothing in, as UTF-8.
bool ReadName(od::value& value, std::string_view& utf8) {
    const std::string_view token = Trimmed(value.raw_json_token());
    if (token.size() < 2 || token.front() != '"' || token.back() != '"')
        return false;
    const std::string_view raw = token.substr(1, token.size() - 2);
    if (static_cast<std::int64_t>(raw.size()) > JsonBounds::kMaxNameBytes)
        return false;
    if (raw.find('\\') == std::string_view::npos) {
        od::raw_json_string string;
        if (value.get_raw_json_string().get(string))
            return false;
        utf8 = raw;
    } else if (!NoSurrogateEscapes(raw) || value.get_string().get(utf8)) {
        return false;
    }
    // Printable ASCII breaks no rule but the length; anything else is checked as Qt reads it.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        return !utf8.empty() && utf8.size() <= static_cast<std::size_t>(kMaxNameLength);
    return simdjson::validate_utf8(utf8.data(), utf8.size()) &&
           !NameFault(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

bool ReadSize(od::value& value, std::int16_t& size) {
    struct Size {
        std::string_view text;
        std::int16_t size;
    };
    static constexpr std::array<Size, 4> kSizes{{{"0", 0}, {"8", 8}, {"16", 16}, {"32", 32}}};
    const std::string_view text = Trimmed(value.raw_json_token());
    const auto* found = std::find_if(kSizes.begin(), kSizes.end(),
                                     [text](const Size& allowed) { return allowed.text == text; });
    if (found == kSizes.end())
        return false;
    size = found->size;
    return true;
}

bool ReadField(SpriteKey key, od::value& value, SpriteRecord& record) {
    switch (key) {
    case kNameKey: {
        std::string_view name;
        if (!ReadName(value, name))
            return false;
        record.Name = std::string(name);
        return true;
    }
    case kSizeKey:
        return ReadSize(value, record.Size);
    case kOpenKey:
        record.IsOpen = Spelt(value, "true");
        return record.IsOpen || Spelt(value, "false");
    case kDarkKey:
        return ReadPlane(value, record.PlaneDark);
    case kLightKey:
        return ReadPlane(value, record.PlaneLight);
    case kMaskKey:
        return ReadPlane(value, record.PlaneMask);
    }
    return false;
}

bool ReadSprite(od::value& value, SpriteRecord& record) {
    od::object fields;
    if (value.get_object().get(fields))
        return false;
    unsigned seen = 0;
    for (auto result : fields) {
        od::field field;
        if (std::move(result).get(field))
            return false;
        const int key = KeyIndex(field.key(), kSpriteKeys);
        if (key < 0 || (seen >> key) & 1U)
            return false;
        seen |= 1U << key;
        if (!ReadField(static_cast<SpriteKey>(key), field.value(), record))
            return false;
    }
    return (seen | (1U << kOpenKey)) == kAllSpriteKeys; // a missing "open" means closed
}

// JsonBounds lets a file grow by kBytesPerSprite with every object opened, and measures it as
// it goes: each sprite has to start within what the sprites before it allow.
bool ReadSprites(od::value& value, SpriteTable& table, const char* begin) {
    od::array sprites;
    if (value.get_array().get(sprites))
        return false;
    for (auto element : sprites) {
        od::value sprite;
        if (element.get(sprite) || table.IsFull())
            return false;
        const std::int64_t at = sprite.raw_json_token().data() - begin;
        if (at > JsonBounds::kBaseBytes + JsonBounds::kBytesPerSprite * table.SpriteCount())
            return false;
        SpriteRecord record;
        if (!ReadSprite(sprite, record))
            return false;
        table.AppendRecord(std::move(record));
    }
    return true;
}

// Only the style Vellicor writes; "plain" is never written, so the full reader takes that too.
bool ReadStyle(od::value& value, HeaderStyle& style) {
    style = HeaderStyle::CDeclarations;
    return Spelt(value, "\"c\"");
}

std::optional<Project> ReadRoot(od::document& document, std::string_view json) {
    od::object root;
    if (document.get_object().get(root))
        return std::nullopt;
    Project project;
    unsigned seen = 0;
    for (auto result : root) {
        od::field field;
        if (std::move(result).get(field))
            return std::nullopt;
        const int key = KeyIndex(field.key(), kRootKeys);
        if (key < 0 || (seen >> key) & 1U)
            return std::nullopt;
        seen |= 1U << key;
        od::value& value = field.value();
        std::string_view name;
        const bool read = key == kFormatKey        ? Spelt(value, "\"vellicor-project\"")
                          : key == kVersionKey     ? Spelt(value, "1")
                          : key == kProjectNameKey ? ReadName(value, name)
                          : key == kHeaderStyleKey ? ReadStyle(value, project.headerStyle)
                                                   : ReadSprites(value, project.table, json.data());
        if (!read)
            return std::nullopt;
        if (key == kProjectNameKey)
            project.name = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }
    // All four needed keys, nothing but white space after the root, and no more bytes than
    // JsonBounds allows for the sprites.
    if ((seen & kNeededRootKeys) != kNeededRootKeys ||
        document.current_location().error() != simdjson::OUT_OF_BOUNDS ||
        static_cast<std::int64_t>(json.size()) >
            JsonBounds::kBaseBytes + JsonBounds::kBytesPerSprite * project.table.SpriteCount())
        return std::nullopt;
    return project;
}

} // namespace

std::optional<Project> ReadPlainProject(QByteArrayView bytes, qsizetype readable) {
    // A byte order mark is for the full reader to skip, a file past the ceiling to refuse.
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.size() > kMaxProjectFileBytes)
        return std::nullopt;
    const auto size = static_cast<std::size_t>(bytes.size());
    simdjson::padded_string copy;
    simdjson::padded_string_view json(bytes.data(), size, static_cast<std::size_t>(readable));
    if (readable - bytes.size() < kJsonPadding) {
        copy = simdjson::padded_string(bytes.data(), size);
        json = copy;
    }
    od::parser parser;
    od::document document;
    if (parser.iterate(json).get(document))
        return std::nullopt;
    return ReadRoot(document, json);
}

} // namespace vellicor
