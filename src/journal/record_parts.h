#pragma once

#include "model/sprite_table.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <optional>
#include <vector>

namespace vellicor {

// The parts of journal records that several kinds share, each read and checked whole before
// anything is changed; a refusal is the reason, in the journal's own words.

// A whole non-negative number, or -1.
qint64 Count(const QJsonValue& value);

// Appends the sprites `values` holds to `sprites`.
std::optional<QString> ReadSprites(const QJsonArray& values, std::vector<SpriteRecord>& sprites);

// Which of `count` sprites have their editors open, from a record's list of them.
std::optional<QString> ReadOpen(const QJsonValue& openList, qint64 count, std::vector<bool>& open);

// Replays a record of the sprites in a new order (deleted, put in or reordered) on `table`,
// which stays as it was when the record is refused.
std::optional<QString> ReplayOrder(const QJsonValue& order, const QJsonValue& openList,
                                   SpriteTable& table);

} // namespace vellicor
