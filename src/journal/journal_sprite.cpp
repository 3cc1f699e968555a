#include "journal_sprite.h"

#include "model/name_rules.h"
#include "project/row_hex.h"

#include <QJsonArray>
#include <array>

namespace vellicor {
namespace {

struct PlaneKey {
    QLatin1StringView key;
    Plane SpriteRecord::*plane;
};
constexpr std::array<PlaneKey, 3> kPlanes{{{QLatin1StringView("dark"), &SpriteRecord::PlaneDark},
                                           {QLatin1StringView("light"), &SpriteRecord::PlaneLight},
                                           {QLatin1StringView("mask"), &SpriteRecord::PlaneMask}}};

} // namespace

bool IsValidSize(qint64 size) {
    return size == 0 || size == 8 || size == 16 || size == 32;
}

// A whole non-negative number, or -1.
qint64 Count(const QJsonValue& value) {
    return value.isDouble() ? value.toInteger(-1) : -1;
}

QJsonObject SpriteObject(const SpriteRecord& record) {
    QJsonObject sprite{{"name", QString::fromStdString(record.Name)}, {"size", record.Size}};
    for (const PlaneKey& plane : kPlanes) {
        QJsonArray rows;
        for (int y = 0; y < kPlaneSide; ++y)
            rows.append(RowText((record.*plane.plane).FullRow(y)));
        sprite.insert(plane.key, rows);
    }
    return sprite;
}

std::optional<SpriteRecord> ReadSprite(const QJsonValue& value, QString& error) {
    const QJsonObject sprite = value.toObject(); // empty when it is no object at all
    SpriteRecord record;
    const QString name = sprite.value("name").toString();
    record.Name = name.toStdString();
    const qint64 size = Count(sprite.value("size"));
    if (const auto fault = NameFault(name)) {
        error = QStringLiteral("a sprite's name %1").arg(*fault);
        return std::nullopt;
    }
    if (!IsValidSize(size)) {
        error = QStringLiteral("a sprite's size is not 0, 8, 16 or 32");
        return std::nullopt;
    }
    record.Size = static_cast<std::int16_t>(size);
    for (const PlaneKey& plane : kPlanes) {
        const QJsonArray rows = sprite.value(plane.key).toArray();
        if (rows.size() != kPlaneSide) {
            error = QStringLiteral("a sprite's %1 plane does not have 32 rows").arg(plane.key);
            return std::nullopt;
        }
        for (int y = 0; y < kPlaneSide; ++y) {
            const auto row = ParseRow(rows[y].toString());
            if (!row) {
                error = QStringLiteral("a sprite's %1 row is not 8 hex digits").arg(plane.key);
                return std::nullopt;
            }
            (record.*plane.plane).SetFullRow(y, *row);
        }
    }
    return record;
}

} // namespace vellicor
