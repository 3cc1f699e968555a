// Writing .vellicor files.
#include "export/header_file.h"
#include "project_file.h"
#include "project_keys.h"
#include "row_hex.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <span>
#include <thread>
#include <vector>

namespace vellicor {
namespace {

using namespace project_keys;

QJsonArray Rows(const Plane& plane) {
    QJsonArray rows;
    for (int y = 0; y < kPlaneSide; ++y) {
        const std::array<char, 8> text = RowDigits(plane.FullRow(y));
        // Straight from Latin-1, without a QString in between: building these values is
        // most of what a large save costs.
        rows.append(QJsonValue(QLatin1String(text.data(), text.size())));
    }
    return rows;
}

QJsonObject SpriteObject(const SpriteRecord& record) {
    QJsonObject sprite;
    sprite.insert(kName, QString::fromStdString(record.Name));
    sprite.insert(kSize, record.Size);
    sprite.insert(kOpen, record.IsOpen);
    sprite.insert(kDark, Rows(record.PlaneDark));
    sprite.insert(kLight, Rows(record.PlaneLight));
    sprite.insert(kMask, Rows(record.PlaneMask));
    return sprite;
}

// The sprites' part of the document as Qt writes it two levels deep, each sprite ended by
// ",\n" as in the array. Qt writes a batch of sprites in a document of their own, at the
// same depth; the batches keep the number of values held at once small.
QByteArray SpritesText(std::span<const SpriteRecord> sprites) {
    constexpr std::size_t kBatch = 64;
    const QByteArray opening = '"' + QByteArray(kSprites.data(), kSprites.size()) + "\": [\n";
    QByteArray text;
    text.reserve(static_cast<qsizetype>(sprites.size()) * 3000); // about 2900 each
    for (std::size_t first = 0; first < sprites.size(); first += kBatch) {
        QJsonArray batch;
        for (const SpriteRecord& record :
             sprites.subspan(first, std::min(kBatch, sprites.size() - first)))
            batch.append(SpriteObject(record));
        const QByteArray document =
            QJsonDocument(QJsonObject{{kSprites, batch}}).toJson(QJsonDocument::Indented);
        const qsizetype begin = document.indexOf(opening) + opening.size();
        const qsizetype end = document.lastIndexOf("\n    ]") + 1;
        text.append(document.constData() + begin, end - begin);
        text.chop(1);
        text += ",\n";
    }
    return text;
}

// Building the sprites' JSON is nearly all a large save costs, and each sprite's text stands
// alone, so a large project's sprites are written in parts on the machine's cores.
QByteArray AllSpritesText(std::span<const SpriteRecord> sprites) {
    constexpr std::size_t kSpritesPerPart = 4096;
    const std::size_t cores = std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
    const std::size_t parts = std::clamp(sprites.size() / kSpritesPerPart, std::size_t{1}, cores);
    std::vector<QByteArray> texts(parts);
    {
        std::vector<std::jthread> workers;
        const std::size_t each = (sprites.size() + parts - 1) / parts;
        for (std::size_t part = 1; part < parts; ++part) {
            const auto from = std::min(part * each, sprites.size());
            workers.emplace_back(
                [&texts, part,
                 chunk = sprites.subspan(from, std::min(each, sprites.size() - from))] {
                    texts[part] = SpritesText(chunk);
                });
        }
        texts[0] = SpritesText(sprites.first(std::min(each, sprites.size())));
    } // the workers are joined here
    QByteArray text = std::move(texts[0]);
    for (std::size_t part = 1; part < parts; ++part)
        text += texts[part];
    return text;
}

} // namespace

// The bytes are exactly what QJsonDocument writes for the whole project; QJsonObject keeps its
// keys sorted, so the same project always gives the same bytes. The sprites are written one by
// one into the frame, because one document of 32767 sprites takes Qt almost twice as long and
// holds millions of values in memory at once.
QByteArray ProjectFileBytes(const QString& name, const SpriteTable& table) {
    QJsonObject root;
    root.insert(kFormat, kFormatName);
    root.insert(kVersion, kVersionWritten);
    root.insert(kName, name);
    root.insert(kSprites, QJsonArray());
    const QByteArray frame = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (table.SpriteCount() == 0)
        return frame;
    // The frame's empty array is "[\n    ]"; the sprites go between its brackets.
    const QByteArray emptyArray = '"' + QByteArray(kSprites.data(), kSprites.size()) + "\": [\n";
    const qsizetype at = frame.indexOf(emptyArray) + emptyArray.size();
    QByteArray sprites = AllSpritesText(table.Sprites());
    sprites.chop(2); // the last sprite has no comma after it
    sprites += '\n';
    return frame.left(at) + sprites + frame.sliced(at);
}

std::optional<QString> SaveProjectFile(const QString& path, const QString& name,
                                       const SpriteTable& table) {
    return WriteFileAtomically(path, ProjectFileBytes(name, table).toStdString());
}

} // namespace vellicor
