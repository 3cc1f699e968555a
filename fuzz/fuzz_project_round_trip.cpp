#include "export/header_text.h"
#include "fuzz_checks.h"
#include "header_import/header_import.h"
#include "model/name_rules.h"
#include "project/project_file.h"
#include "project/project_keys.h"
#include "project/sprite_json.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace vellicor;

namespace {

// A name New Sprite would take, also as the header spells it (Latin-1, "?" for the rest).
bool ImportableName(const std::string& name) {
    const auto accepted = [](const QString& text) {
        return CheckName(text, NameKind::Sprite) == NameVerdict::Accept;
    };
    return accepted(QString::fromStdString(name)) &&
           accepted(QString::fromLatin1(QByteArray::fromStdString(ToLatin1(name))));
}

// Compile's header of the table reads back as sprites that compile to the very same text.
void ExpectHeaderComesBack(const SpriteTable& table) {
    const std::string text = HeaderText(table);
    const HeaderImport read = ReadHeader(QByteArray::fromStdString(text));
    fuzz::Expect(read.error.isEmpty());
    fuzz::Expect(read.sprites.size() == static_cast<std::size_t>(table.SpriteCount()));
    SpriteTable again;
    for (const ImportedSprite& sprite : read.sprites)
        again.AppendRecord(ToRecord(sprite));
    fuzz::Expect(HeaderText(again) == text);
}

// What QJsonDocument writes for the project, which the project file's own writer matches byte
// for byte.
QByteArray QtWrites(const QString& name, const SpriteTable& table) {
    using namespace project_keys;
    QJsonArray sprites;
    for (const SpriteRecord& record : table.Sprites()) {
        QJsonObject sprite = SpriteJson(record);
        sprite.insert(kOpen, record.IsOpen);
        sprites.append(sprite);
    }
    return QJsonDocument(QJsonObject{{kFormat, kFormatName},
                                     {kVersion, kVersionWritten},
                                     {kName, name},
                                     {kSprites, sprites}})
        .toJson(QJsonDocument::Indented);
}

} // namespace

// Whatever project the reader takes, the writer writes as Qt's JSON writer would, in a file the
// reader takes again, and writing that one gives the very same bytes. When its sprites' names are
// ones New Sprite takes, its compiled header comes back through Import Header as well.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ProjectRead first = ReadProject(bytes);
    if (!first.project)
        return 0;
    const SpriteTable& table = first.project->table;
    const QByteArray written = ProjectFileBytes(first.project->name, table);
    fuzz::Expect(written == QtWrites(first.project->name, table));
    const ProjectRead second = ReadProject(written);
    fuzz::Expect(second.project.has_value());
    fuzz::Expect(ProjectFileBytes(second.project->name, second.project->table) == written);
    const auto sprites = table.Sprites();
    if (std::all_of(sprites.begin(), sprites.end(),
                    [](const SpriteRecord& sprite) { return ImportableName(sprite.Name); }))
        ExpectHeaderComesBack(table);
    return 0;
}
