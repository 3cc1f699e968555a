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
QByteArray ProjectFileBytes(const QString& name, const SpriteTable& table, HeaderStyle style) {
    using namespace project_keys;
    const auto sprites = table.Sprites();
    const qsizetype bound = 8 * JsonCursor::MaxLineBytes(1) + MaxJsonStringBytes(name.size()) +
                            MaxSpritesJsonBytes(sprites);
    QByteArray bytes(bound, Qt::Uninitialized);

    JsonCursor json(bytes.data(), JsonLayout::Indented);
    json.OpenObject();
    json.Key(kFormat);
    json.String(kFormatName);
    json.Next(false);
    if (style != HeaderStyle::Plain) {
        json.Key(kHeaderStyle);
        json.String(HeaderStyleKey(style));
        json.Next(false);
    }
    json.Key(kName);
    json.String(name);
    json.Next(false);
    json.Key(kSprites);
    WriteSpritesJson(json, sprites, true);
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
                                       const SpriteTable& table, HeaderStyle style) {
    return WriteFileAtomically(path, ProjectFileBytes(name, table, style));
}

} // namespace vellicor
