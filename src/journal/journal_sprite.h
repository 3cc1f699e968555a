#pragma once

#include "model/sprite_record.h"

#include <QJsonObject>
#include <QJsonValue>
#include <optional>

namespace vellicor {

// A sprite as a journal record holds it:
//   {"name":N,"size":0|8|16|32,"dark":[32 rows],"light":[32 rows],"mask":[32 rows]}
// rows as in the project file, all 32 x 32 pixels kept whatever the size.
QJsonObject SpriteObject(const SpriteRecord& record);
// The sprite, or nullopt with `error` saying what is wrong with it.
std::optional<SpriteRecord> ReadSprite(const QJsonValue& value, QString& error);

bool IsValidSize(qint64 size);
// A whole non-negative number, or -1.
qint64 Count(const QJsonValue& value);

} // namespace vellicor
