#pragma once

#include "model/sprite_record.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLatin1String>
#include <cstdint>
#include <optional>
#include <span>

namespace vellicor {

class JsonCursor;

// A sprite's JSON form, the same in the project file and the recovery journal:
//   {"name":N,"size":0|8|16|32,"dark":[32 rows],"light":[32 rows],"mask":[32 rows]}
// rows as RowDigits writes them, all 32 x 32 pixels whatever the size. The project file adds
// "open", whether its editor was open.
QJsonObject SpriteJson(const SpriteRecord& record);

// The same sprite written straight as text where `json` stands, with "open" when `withOpen`:
// byte for byte what QJsonDocument writes for SpriteJson (and "open"), keys in its sorted order.
void WriteSpriteJson(JsonCursor& json, const SpriteRecord& record, bool withOpen);
// The most bytes WriteSpriteJson writes for `record` at nesting `level`.
std::int64_t MaxSpriteJsonBytes(const SpriteRecord& record, int level);
// A project's sprites as the array the project file and the journal's base record hold, and
// the most bytes that takes.
void WriteSpritesJson(JsonCursor& json, std::span<const SpriteRecord> sprites, bool withOpen);
std::int64_t MaxSpritesJsonBytes(std::span<const SpriteRecord> sprites);

// The first fault found in a JSON object's fields. The project file and the journal each word
// it their own way, as their readers always have.
struct JsonFault {
    enum class Kind {
        NotObject,
        Missing,
        NotString,
        BadName, // `nameFault` says how the name breaks the rules
        NotNumber,
        BadSize,
        NotFlag,
        NotArray,
        RowCount, // `number` is how many rows there are
        BadRow,   // `number` is the row, counted from 1
    };
    Kind kind = Kind::NotObject;
    QLatin1String key;
    QString nameFault;
    qsizetype number = 0;
};

// The fields the project's own object shares with its sprites. Each stores the value it reads,
// or returns the fault.
std::optional<JsonFault> ReadName(const QJsonObject& object, QString& name);
std::optional<JsonFault> ReadNumber(const QJsonObject& object, QLatin1String key, double& number);
std::optional<JsonFault> ReadArray(const QJsonObject& object, QLatin1String key, QJsonArray& array);

// Whether a sprite's "open" is read (the project file, where a missing one means closed) or
// left alone (the journal, which lists open editors apart).
enum class OpenField { Read, Ignored };

// The sprite `value` holds, its fields checked in the order name, size, open, dark, light,
// mask; nullopt with `fault` set at the first that is wrong.
std::optional<SpriteRecord> SpriteFromJson(const QJsonValue& value, OpenField open,
                                           JsonFault& fault);

} // namespace vellicor
