// Writing .vellicor files.
#include "export/header_file.h"
#include "project_file.h"
#include "project_keys.h"
#include "sprite_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vellicor {

// Exactly what QJsonDocument writes for the whole project: QJsonObject keeps its keys sorted,
// so the same project always gives the same bytes.
QByteArray ProjectFileBytes(const QString& name, const SpriteTable& table) {
    using namespace project_keys;
    QJsonArray sprites;
    for (const SpriteRecord& record : table.Sprites()) {
        QJsonObject sprite = SpriteJson(record);
        sprite.insert(kOpen, record.IsOpen);
        sprites.append(sprite);
    }
    const QJsonObject root{
        {kFormat, kFormatName}, {kVersion, kVersionWritten}, {kName, name}, {kSprites, sprites}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<QString> SaveProjectFile(const QString& path, const QString& name,
                                       const SpriteTable& table) {
    return WriteFileAtomically(path, ProjectFileBytes(name, table));
}

} // namespace vellicor
