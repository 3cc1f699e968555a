// Reading .vellicor files. Everything is checked before a project is handed out, and the
// first fault found is reported in one line that a user can act on.
#include "json_bounds.h"
#include "plain_project_read.h"
#include "project_file.h"
#include "project_keys.h"
#include "sprite_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace vellicor {
namespace {

using namespace project_keys;

// Thrown inside this file only: a fault anywhere in the document ends the read.
struct Refusal {
    QString reason;
};

[[noreturn]] void Refuse(const QString& reason) {
    throw Refusal{reason};
}

QString Quoted(QLatin1String key) {
    return QStringLiteral("\"%1\"").arg(key);
}

// How a field is wrong, in the words of this file's messages.
QString Words(const JsonFault& fault) {
    switch (fault.kind) {
    case JsonFault::Kind::NotObject:
        return QStringLiteral("it is not a JSON object");
    case JsonFault::Kind::Missing:
        return QStringLiteral("is missing");
    case JsonFault::Kind::NotString:
        return QStringLiteral("is not a string");
    case JsonFault::Kind::BadName:
        return fault.nameFault;
    case JsonFault::Kind::NotNumber:
        return QStringLiteral("is not a number");
    case JsonFault::Kind::BadSize:
        return QStringLiteral("is not 0, 8, 16 or 32");
    case JsonFault::Kind::NotFlag:
        return QStringLiteral("is not true or false");
    case JsonFault::Kind::NotArray:
        return QStringLiteral("is not an array");
    case JsonFault::Kind::RowCount:
        return QStringLiteral("has %1 rows instead of %2").arg(fault.number).arg(kPlaneSide);
    case JsonFault::Kind::BadRow:
        return QStringLiteral("row %1 is not 8 hex digits").arg(fault.number);
    }
    return {};
}

// One line a user can act on, such as `Sprite 3: "size" is missing.`: sprites are counted from
// 1, as people count; the project's own fields have no prefix.
[[noreturn]] void Refuse(const JsonFault& fault, const QString& where = {}) {
    const QString subject =
        fault.kind == JsonFault::Kind::NotObject ? QString() : Quoted(fault.key) + u' ';
    Refuse(where + subject + Words(fault) + u'.');
}

void Check(std::optional<JsonFault> fault) {
    if (fault)
        Refuse(*fault);
}

// The format and its version come first: a newer version may have changed everything else.
void CheckFormat(const QJsonObject& root) {
    if (root.value(kFormat) != QJsonValue(kFormatName))
        Refuse(QStringLiteral("It is not a Vellicor project: \"format\" is not \"%1\".")
                   .arg(kFormatName));
    double version = 0;
    Check(ReadNumber(root, kVersion, version));
    if (version != std::floor(version))
        Refuse(Quoted(kVersion) + QStringLiteral(" is not a whole number."));
    if (version > kVersionWritten)
        Refuse(QStringLiteral("The project was written by a newer version of Vellicor (format "
                              "version %1); this version reads format %2.")
                   .arg(version)
                   .arg(kVersionWritten));
    if (version < 1)
        Refuse(Quoted(kVersion) +
               QStringLiteral(" is %1, which is no format version.").arg(version));
}

// Files from before there was a choice hold no style: they were compiled plain.
HeaderStyle ReadHeaderStyle(const QJsonObject& root) {
    const QJsonValue value = root.value(kHeaderStyle);
    if (value.isUndefined())
        return HeaderStyle::Plain;
    if (const auto style = HeaderStyleFromKey(value.toString()); style && value.isString())
        return *style;
    Refuse(QStringLiteral("%1 is not \"%2\" or \"%3\".")
               .arg(Quoted(kHeaderStyle), HeaderStyleKey(HeaderStyle::Plain),
                    HeaderStyleKey(HeaderStyle::CDeclarations)));
}

Project ParseProject(const QByteArray& bytes) {
    if (bytes.size() > kMaxProjectFileBytes)
        Refuse(ProjectTooLarge());
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        Refuse(QStringLiteral("It is not valid JSON: %1 at byte %2.")
                   .arg(parseError.errorString())
                   .arg(parseError.offset));
    if (!document.isObject())
        Refuse(QStringLiteral("It is not a Vellicor project: the document is not a JSON object."));
    const QJsonObject root = document.object();
    CheckFormat(root);

    Project project;
    Check(ReadName(root, project.name));
    project.headerStyle = ReadHeaderStyle(root);
    QJsonArray sprites;
    Check(ReadArray(root, kSprites, sprites));
    if (sprites.size() > SpriteTable::kMaxSprites)
        Refuse(QStringLiteral("The project has %1 sprites; at most %2 fit.")
                   .arg(sprites.size())
                   .arg(SpriteTable::kMaxSprites));
    JsonFault fault;
    for (qsizetype i = 0; i < sprites.size(); ++i) {
        auto sprite = SpriteFromJson(sprites.at(i), OpenField::Read, fault);
        if (!sprite)
            Refuse(fault, QStringLiteral("Sprite %1: ").arg(i + 1));
        project.table.AppendRecord(std::move(*sprite));
    }
    return project;
}

} // namespace

QString ProjectTooLarge() {
    return QStringLiteral("The file is too large to be a Vellicor project (over %1 MB).")
        .arg(kMaxProjectFileBytes / (1024 * 1024));
}

// The plain shape Vellicor writes is read at simdjson's speed; anything else, and anything in
// doubt, by JsonBounds and Qt's parser, which decide and word every refusal.
ProjectRead ReadProject(const QByteArray& bytes) {
    if (auto project = ReadPlainProject(bytes, bytes.size()))
        return {std::move(project), QString()};
    if (auto refusal = JsonBounds(project_keys::kAllKeys).Feed(bytes))
        return {std::nullopt, *refusal};
    return ReadBoundedProject(bytes);
}

ProjectRead ReadBoundedProject(const QByteArray& bytes) {
    try {
        return {ParseProject(bytes), QString()};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.reason};
    }
}

} // namespace vellicor
