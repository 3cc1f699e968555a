// Writing .vellicor files.
#include "export/header_file.h"
#include "json_cursor.h"
#include "json_string.h"
#include "project_file.h"
#include "project_keys.h"
#include "sprite_json.h"

namespace vellicor {

// Exactly what QJsonDocument wrote for the whole project, written straight into one buffer:
// QJsonObject kept its keys sorted, so the same project always gives the same bytes.
QByteArray ProjectFileBytes(const QString& name, const SpriteTable& table) {
    using namespace project_keys;
    const auto sprites = table.Sprites();
    constexpr int kSpriteLevel = 2; // in the array, in the root object
    qsizetype bound = 8 * JsonCursor::MaxLineBytes(1) + MaxJsonStringBytes(name.size());
    for (const SpriteRecord& record : sprites)
        bound += JsonCursor::MaxLineBytes(kSpriteLevel) + MaxSpriteJsonBytes(record, kSpriteLevel);
    QByteArray bytes(bound, Qt::Uninitialized);

    JsonCursor json(bytes.data(), JsonLayout::Indented);
    json.OpenObject();
    json.Key(kFormat);
    json.String(kFormatName);
    json.Next(false);
    json.Key(kName);
    json.String(name);
    json.Next(false);
    json.Key(kSprites);
    json.OpenArray();
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        json.Element();
        WriteSpriteJson(json, sprites[i], true);
        json.Next(i + 1 == sprites.size());
    }
    json.Close(']');
    json.Next(false);
    json.Key(kVersion);
    json.Number(kVersionWritten);
    json.Next(true);
    json.Close('}');
    json.EndDocument();
    bytes.resize(json.At() - bytes.constData());
    return bytes;
}

std::optional<QString> SaveProjectFile(const QString& path, const QString& name,
                                       const SpriteTable& table) {
    return WriteFileAtomically(path, ProjectFileBytes(name, table));
}

} // namespace vellicor
