#include "record_parts.h"

#include "journal_records.h"
#include "model/name_rules.h"
#include "project/sprite_json.h"

namespace vellicor {
namespace {

using namespace journal_keys;

// A sprite's fault in the journal's own words, which name no key; a missing name reads as an
// empty one.
QString SpriteFault(const JsonFault& fault) {
    if (fault.key == kSize)
        return QStringLiteral("a sprite's size is not 0, 8, 16 or 32");
    if (fault.kind == JsonFault::Kind::BadRow)
        return QStringLiteral("a sprite's %1 row is not 8 hex digits").arg(fault.key);
    if (fault.key == kName || fault.kind == JsonFault::Kind::NotObject)
        return QStringLiteral("a sprite's name %1")
            .arg(fault.kind == JsonFault::Kind::BadName ? fault.nameFault : *NameFault({}));
    return QStringLiteral("a sprite's %1 plane does not have 32 rows").arg(fault.key);
}

} // namespace

qint64 Count(const QJsonValue& value) {
    return value.isDouble() ? value.toInteger(-1) : -1;
}

std::optional<QString> ReadSprites(const QJsonArray& values, std::vector<SpriteRecord>& sprites) {
    JsonFault fault;
    for (const QJsonValue& value : values) {
        auto sprite = SpriteFromJson(value, OpenField::Ignored, fault);
        if (!sprite)
            return SpriteFault(fault);
        sprites.push_back(std::move(*sprite));
    }
    return std::nullopt;
}

std::optional<QString> ReadOpen(const QJsonValue& openList, qint64 count, std::vector<bool>& open) {
    if (!openList.isArray())
        return QStringLiteral("it has no list of open editors");
    open.assign(static_cast<std::size_t>(count), false);
    for (const QJsonValue& entry : openList.toArray()) {
        const qint64 index = Count(entry);
        if (index < 0 || index >= count)
            return QStringLiteral("an open editor names no sprite");
        open[static_cast<std::size_t>(index)] = true;
    }
    return std::nullopt;
}

} // namespace vellicor
