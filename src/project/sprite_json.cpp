#include "sprite_json.h"

#include "json_cursor.h"
#include "json_string.h"
#include "model/name_rules.h"
#include "project_keys.h"
#include "row_hex.h"

#include <algorithm>
#include <array>

namespace vellicor {
namespace {

using namespace project_keys;

struct PlaneKey {
    QLatin1String key;
    Plane SpriteRecord::*plane;
};
constexpr std::array<PlaneKey, 3> kPlanes{{{kDark, &SpriteRecord::PlaneDark},
                                           {kLight, &SpriteRecord::PlaneLight},
                                           {kMask, &SpriteRecord::PlaneMask}}};

QJsonArray Rows(const Plane& plane) {
    QJsonArray rows;
    for (int y = 0; y < kPlaneSide; ++y) {
        const std::array<char, 8> text = RowDigits(plane.FullRow(y));
        // Straight from Latin-1, without a QString in between: building these values is most
        // of what a large save costs.
        rows.append(QJsonValue(QLatin1String(text.data(), text.size())));
    }
    return rows;
}

JsonFault Fault(JsonFault::Kind kind, QLatin1String key, qsizetype number = 0) {
    return {kind, key, {}, number};
}

std::optional<JsonFault> ReadPlane(const QJsonObject& sprite, QLatin1String key, Plane& plane) {
    QJsonArray rows;
    if (auto fault = ReadArray(sprite, key, rows))
        return fault;
    if (rows.size() != kPlaneSide)
        return Fault(JsonFault::Kind::RowCount, key, rows.size());
    for (int y = 0; y < kPlaneSide; ++y) {
        const QJsonValue row = rows.at(y);
        const auto bits = row.isString() ? ParseRow(row.toString()) : std::nullopt;
        if (!bits)
            return Fault(JsonFault::Kind::BadRow, key, y + 1);
        plane.SetFullRow(y, *bits);
    }
    return std::nullopt;
}

} // namespace

QJsonObject SpriteJson(const SpriteRecord& record) {
    QJsonObject sprite;
    sprite.insert(kName, QString::fromStdString(record.Name));
    sprite.insert(kSize, record.Size);
    for (const PlaneKey& plane : kPlanes)
        sprite.insert(plane.key, Rows(record.*plane.plane));
    return sprite;
}

void WriteSpriteJson(JsonCursor& json, const SpriteRecord& record, bool withOpen) {
    json.OpenObject();
    for (const PlaneKey& plane : kPlanes) {
        json.Key(plane.key);
        json.OpenArray();
        for (int y = 0; y < kPlaneSide; ++y) {
            json.Element();
            json.Row((record.*plane.plane).FullRow(y));
            json.Next(y == kPlaneSide - 1);
        }
        json.Close(']');
        json.Next(false);
    }
    json.Key(kName);
    json.String(std::string_view(record.Name));
    json.Next(false);
    if (withOpen) {
        json.Key(kOpen);
        json.Bool(record.IsOpen);
        json.Next(false);
    }
    json.Key(kSize);
    json.Number(record.Size);
    json.Next(true);
    json.Close('}');
}

// A line for every row and a few for the rest, each at its deepest indent.
std::int64_t MaxSpriteJsonBytes(const SpriteRecord& record, int level) {
    constexpr int kLines = 3 * kPlaneSide + 16;
    return kLines * JsonCursor::MaxLineBytes(level + 2) +
           MaxJsonStringBytes(static_cast<qsizetype>(record.Name.size()));
}

std::optional<JsonFault> ReadName(const QJsonObject& object, QString& name) {
    const QJsonValue value = object.value(kName);
    if (value.isUndefined())
        return Fault(JsonFault::Kind::Missing, kName);
    if (!value.isString())
        return Fault(JsonFault::Kind::NotString, kName);
    name = value.toString();
    if (auto fault = NameFault(name))
        return JsonFault{JsonFault::Kind::BadName, kName, std::move(*fault)};
    return std::nullopt;
}

std::optional<JsonFault> ReadNumber(const QJsonObject& object, QLatin1String key, double& number) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return Fault(JsonFault::Kind::Missing, key);
    if (!value.isDouble())
        return Fault(JsonFault::Kind::NotNumber, key);
    number = value.toDouble();
    return std::nullopt;
}

std::optional<JsonFault> ReadArray(const QJsonObject& object, QLatin1String key,
                                   QJsonArray& array) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return Fault(JsonFault::Kind::Missing, key);
    if (!value.isArray())
        return Fault(JsonFault::Kind::NotArray, key);
    array = value.toArray();
    return std::nullopt;
}

std::optional<SpriteRecord> SpriteFromJson(const QJsonValue& value, OpenField open,
                                           JsonFault& fault) {
    if (!value.isObject()) {
        fault = Fault(JsonFault::Kind::NotObject, {});
        return std::nullopt;
    }
    const QJsonObject sprite = value.toObject();
    const auto failed = [&fault](std::optional<JsonFault> found) {
        if (found)
            fault = std::move(*found);
        return found.has_value();
    };
    SpriteRecord record;
    QString name;
    double size = 0;
    if (failed(ReadName(sprite, name)) || failed(ReadNumber(sprite, kSize, size)))
        return std::nullopt;
    record.Name = name.toStdString();
    constexpr std::array<double, 4> kSizes = {0, 8, 16, 32};
    if (std::find(kSizes.begin(), kSizes.end(), size) == kSizes.end()) {
        fault = Fault(JsonFault::Kind::BadSize, kSize);
        return std::nullopt;
    }
    record.Size = static_cast<std::int16_t>(size);
    const QJsonValue isOpen = sprite.value(kOpen);
    if (open == OpenField::Read && !isOpen.isUndefined() && !isOpen.isBool()) {
        fault = Fault(JsonFault::Kind::NotFlag, kOpen);
        return std::nullopt;
    }
    record.IsOpen = open == OpenField::Read && isOpen.toBool(false);
    for (const PlaneKey& plane : kPlanes)
        if (failed(ReadPlane(sprite, plane.key, record.*plane.plane)))
            return std::nullopt;
    return record;
}

void WriteSpritesJson(JsonCursor& json, std::span<const SpriteRecord> sprites, bool withOpen) {
    json.OpenArray();
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        json.Element();
        WriteSpriteJson(json, sprites[i], withOpen);
        json.Next(i + 1 == sprites.size());
    }
    json.Close(']');
}

std::int64_t MaxSpritesJsonBytes(std::span<const SpriteRecord> sprites) {
    constexpr int kLevel = 2; // in the array, in the root object
    std::int64_t bound = 0;
    for (const SpriteRecord& record : sprites)
        bound += JsonCursor::MaxLineBytes(kLevel) + MaxSpriteJsonBytes(record, kLevel);
    return bound;
}

} // namespace vellicor
