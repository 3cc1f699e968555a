// Reading .vellicor files. Everything is checked before a project is handed out, and the
// first fault found is reported in one line that a user can act on.
#include "json_bounds.h"
#include "model/name_rules.h"
#include "project_file.h"
#include "project_keys.h"
#include "row_hex.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
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

QString TooLarge() {
    return QStringLiteral("The file is too large to be a Vellicor project (over %1 MB).")
        .arg(kMaxProjectFileBytes / (1024 * 1024));
}

// Faults inside a sprite start with "Sprite N: ", counted from 1 as people count.
class Fields {
  public:
    Fields(const QJsonObject& object, QString where) : object_(object), where_(std::move(where)) {}

    [[noreturn]] void Fault(QLatin1String key, const QString& what) const {
        Refuse(where_ + Quoted(key) + u' ' + what + u'.');
    }
    QJsonValue Required(QLatin1String key) const {
        const QJsonValue value = object_.value(key);
        if (value.isUndefined())
            Fault(key, QStringLiteral("is missing"));
        return value;
    }
    QString Name() const {
        const QJsonValue value = Required(kName);
        if (!value.isString())
            Fault(kName, QStringLiteral("is not a string"));
        const QString name = value.toString();
        if (const auto fault = NameFault(name))
            Fault(kName, *fault);
        return name;
    }
    double Number(QLatin1String key) const {
        const QJsonValue value = Required(key);
        if (!value.isDouble())
            Fault(key, QStringLiteral("is not a number"));
        return value.toDouble();
    }
    bool OptionalFlag(QLatin1String key) const {
        const QJsonValue value = object_.value(key);
        if (!value.isUndefined() && !value.isBool())
            Fault(key, QStringLiteral("is not true or false"));
        return value.toBool(false);
    }
    QJsonArray Array(QLatin1String key) const {
        const QJsonValue value = Required(key);
        if (!value.isArray())
            Fault(key, QStringLiteral("is not an array"));
        return value.toArray();
    }

  private:
    const QJsonObject& object_;
    QString where_;
};

std::optional<std::uint32_t> HexRow(const QJsonValue& value) {
    return value.isString() ? ParseRow(value.toString()) : std::nullopt;
}

void ReadPlane(const Fields& sprite, QLatin1String key, Plane& plane) {
    const QJsonArray rows = sprite.Array(key);
    if (rows.size() != kPlaneSide)
        sprite.Fault(key,
                     QStringLiteral("has %1 rows instead of %2").arg(rows.size()).arg(kPlaneSide));
    for (int y = 0; y < kPlaneSide; ++y) {
        const auto bits = HexRow(rows.at(y));
        if (!bits)
            sprite.Fault(key, QStringLiteral("row %1 is not 8 hex digits").arg(y + 1));
        plane.SetFullRow(y, *bits);
    }
}

void ReadSprite(const QJsonValue& value, int number, SpriteTable& table) {
    const QString where = QStringLiteral("Sprite %1: ").arg(number);
    if (!value.isObject())
        Refuse(where + QStringLiteral("it is not a JSON object."));
    const QJsonObject object = value.toObject();
    const Fields sprite(object, where);
    SpriteRecord& record = table.Record(table.Append(sprite.Name().toStdString()));
    const double size = sprite.Number(kSize);
    constexpr std::array<double, 4> kSizes = {0, 8, 16, 32};
    if (std::find(kSizes.begin(), kSizes.end(), size) == kSizes.end())
        sprite.Fault(kSize, QStringLiteral("is not 0, 8, 16 or 32"));
    record.Size = static_cast<std::int16_t>(size);
    record.IsOpen = sprite.OptionalFlag(kOpen);
    ReadPlane(sprite, kDark, record.PlaneDark);
    ReadPlane(sprite, kLight, record.PlaneLight);
    ReadPlane(sprite, kMask, record.PlaneMask);
}

// The format and its version come first: a newer version may have changed everything else.
void CheckFormat(const Fields& root, const QJsonObject& object) {
    if (object.value(kFormat) != QJsonValue(kFormatName))
        Refuse(QStringLiteral("It is not a Vellicor project: \"format\" is not \"%1\".")
                   .arg(kFormatName));
    const double version = root.Number(kVersion);
    if (version != std::floor(version))
        root.Fault(kVersion, QStringLiteral("is not a whole number"));
    if (version > kVersionWritten)
        Refuse(QStringLiteral("The project was written by a newer version of Vellicor (format "
                              "version %1); this version reads format %2.")
                   .arg(version)
                   .arg(kVersionWritten));
    if (version < 1)
        root.Fault(kVersion, QStringLiteral("is %1, which is no format version").arg(version));
}

Project ParseProject(const QByteArray& bytes) {
    if (bytes.size() > kMaxProjectFileBytes)
        Refuse(TooLarge());
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        Refuse(QStringLiteral("It is not valid JSON: %1 at byte %2.")
                   .arg(parseError.errorString())
                   .arg(parseError.offset));
    if (!document.isObject())
        Refuse(QStringLiteral("It is not a Vellicor project: the document is not a JSON object."));
    const QJsonObject object = document.object();
    const Fields root(object, QString());
    CheckFormat(root, object);

    Project project;
    project.name = root.Name();
    const QJsonArray sprites = root.Array(kSprites);
    if (sprites.size() > SpriteTable::kMaxSprites)
        Refuse(QStringLiteral("The project has %1 sprites; at most %2 fit.")
                   .arg(sprites.size())
                   .arg(SpriteTable::kMaxSprites));
    for (qsizetype i = 0; i < sprites.size(); ++i)
        ReadSprite(sprites.at(i), static_cast<int>(i) + 1, project.table);
    return project;
}

} // namespace

ProjectRead ReadProject(const QByteArray& bytes) {
    if (auto refusal = JsonBounds().Feed(bytes))
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

ProjectRead LoadProjectFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    // Read in chunks with a ceiling, so a device or pipe that never ends is refused too.
    QByteArray bytes;
    if (!file.isSequential()) {
        if (file.size() > kMaxProjectFileBytes)
            return {std::nullopt, TooLarge()};
        bytes.reserve(file.size());
    }
    // Bounded as it comes in, so a file that asks too much is refused before it is all read.
    JsonBounds bounds;
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return {std::nullopt, file.errorString()};
        if (got == 0)
            break;
        if (auto refusal = bounds.Feed(QByteArrayView(chunk.data(), got)))
            return {std::nullopt, *refusal};
        bytes.append(chunk.data(), got);
        if (bytes.size() > kMaxProjectFileBytes)
            return {std::nullopt, TooLarge()};
    }
    return ReadBoundedProject(bytes);
}

} // namespace vellicor
