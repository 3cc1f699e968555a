#include "header_import.h"

#include "header_code.h"
#include "model/name_rules.h"
#include "model/sprite_table.h"
#include "plane_line.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace vellicor {
namespace {

// The largest header the export writes, 32767 sprites of 32 rows with names of the longest, is
// about 145 MB; with short names, 45 MB.
constexpr qint64 kMaxHeaderFileBytes = qint64{256} * 1024 * 1024;

// A name takes at most three bytes in the file for each UTF-16 unit the rules count, so a name
// of more bytes is too long whatever it holds, and is checked without decoding all of it.
constexpr std::size_t kMaxNameBytes = std::size_t{3} * kMaxNameLength + 1;

// Reads the plane lines of a header in order and puts each three together into a sprite.
class SpriteReader {
  public:
    // Room for as many sprites as `textBytes` could hold, at 40 bytes or more each, up to a
    // project's worth: growing one by one would copy them all again, more than once.
    SpriteReader(bool utf8, std::size_t textBytes) : utf8_(utf8) {
        sprites_.reserve(std::min<std::size_t>(textBytes / 40,
                                               static_cast<std::size_t>(SpriteTable::kMaxSprites)));
    }

    void Take(PlaneLine line) {
        const auto expected = static_cast<PlaneKind>(pending_.size());
        const std::string_view owner = pending_.empty() ? line.name : pending_.front().name;
        if (line.kind != expected || line.name != owner)
            Refuse(line.offset, QStringLiteral("%1 is missing before %2.")
                                    .arg(Title(owner, expected), Title(line.name, line.kind)));
        if (line.kind == PlaneKind::Dark) {
            // Refused as soon as it is seen, without walking the rest of the file.
            if (sprites_.size() >= static_cast<std::size_t>(SpriteTable::kMaxSprites))
                Refuse(line.offset,
                       QStringLiteral("The header holds more than %1 sprites; a project holds "
                                      "at most %1.")
                           .arg(SpriteTable::kMaxSprites));
            CheckSpriteName(line);
        }
        CheckEntries(line);
        pending_.push_back(std::move(line));
        if (pending_.size() == 3) {
            sprites_.push_back(Sprite());
            pending_.clear();
        }
    }

    // The sprite-name rules take the name. A sprite's three lines name it alike, so the last
    // name taken is remembered rather than checked three times.
    bool IsSpriteName(std::string_view name) {
        if (name == accepted_ && !name.empty())
            return true;
        if (CheckName(Decoded(name.substr(0, kMaxNameBytes)), NameKind::Sprite) !=
            NameVerdict::Accept)
            return false;
        accepted_ = name;
        return true;
    }

    std::vector<ImportedSprite> Finish() {
        if (!pending_.empty()) {
            const PlaneLine& last = pending_.back();
            const auto missing = static_cast<PlaneKind>(pending_.size());
            Refuse(last.offset, QStringLiteral("%1 is missing after %2.")
                                    .arg(Title(last.name, missing), Title(last.name, last.kind)));
        }
        return std::move(sprites_);
    }

  private:
    [[noreturn]] static void Refuse(std::size_t offset, const QString& what) {
        throw HeaderFault{offset, what};
    }

    QString Decoded(std::string_view bytes) const {
        const auto size = static_cast<qsizetype>(bytes.size());
        return utf8_ ? QString::fromUtf8(bytes.data(), size)
                     : QString::fromLatin1(bytes.data(), size);
    }
    // A name for a message, on one line whatever it holds.
    QString Shown(std::string_view name) const {
        QString shown = ShownBytes(name, utf8_);
        std::replace_if(
            shown.begin(), shown.end(),
            [](QChar c) { return c.category() == QChar::Other_Control; }, QChar(u'?'));
        return shown;
    }
    QString Title(std::string_view name, PlaneKind kind) const {
        return Shown(name) + QLatin1String(PlaneSuffix(kind));
    }

    void CheckSpriteName(const PlaneLine& line) {
        if (line.name.empty())
            Refuse(line.offset, QStringLiteral("%1 has no sprite name before it.")
                                    .arg(Title(line.name, line.kind)));
        if (!IsSpriteName(line.name))
            Refuse(line.offset,
                   QStringLiteral("\"%1\" is refused. %2").arg(Shown(line.name), kNameErrorText));
    }

    // Messages are made only on refusal: a header holds millions of entries.
    void CheckEntries(const PlaneLine& line) const {
        const std::size_t count = line.entries.size();
        if (count > kMostEntries)
            Refuse(line.offset,
                   QStringLiteral("%1 has more than %2 entries; a sprite has 8, 16 or 32 rows, "
                                  "or none.")
                       .arg(Title(line.name, line.kind))
                       .arg(kMostEntries));
        if (count != 0 && count != 8 && count != 16 && count != 32)
            Refuse(line.offset,
                   QStringLiteral("%1 has %2 entries; a sprite has 8, 16 or 32 rows, or none.")
                       .arg(Title(line.name, line.kind))
                       .arg(count));
        if (!pending_.empty() && count != pending_.front().entries.size())
            Refuse(line.offset, QStringLiteral("%1 has %2 entries, but %3 has %4.")
                                    .arg(Title(line.name, line.kind))
                                    .arg(count)
                                    .arg(Title(line.name, PlaneKind::Dark))
                                    .arg(pending_.front().entries.size()));
        const bool mask = line.kind == PlaneKind::Mask;
        // A mask line is either the plain header's "~0x00" or the C declarations' "0xFF"; its
        // first entry says which.
        const bool complementedMask = mask && count != 0 && line.entries.front().complemented;
        for (const PlaneEntry& entry : line.entries) {
            if (entry.complemented && !mask)
                RefuseEntry(line, entry, QStringLiteral(": only mask entries start with \"~\"."));
            if (!entry.complemented && complementedMask)
                RefuseEntry(line, entry, QStringLiteral(": mask entries start with \"~0x\"."));
            if (entry.complemented && mask && !complementedMask)
                RefuseEntry(line, entry,
                            QStringLiteral(": the line's first entry has no \"~\", and a mask "
                                           "line writes all its entries alike."));
            if (entry.number == kNotHex)
                RefuseEntry(line, entry, QStringLiteral(" is not a hex value such as 0x3C."));
            if (entry.number >> count != 0)
                RefuseEntry(line, entry,
                            QStringLiteral(" is too large for a row of %1 pixels.").arg(count));
        }
    }

    // `fault` follows the entry as written and the line it is in.
    [[noreturn]] void RefuseEntry(const PlaneLine& line, const PlaneEntry& entry,
                                  const QString& fault) const {
        const QString written =
            (entry.complemented ? QStringLiteral("\"~") : QStringLiteral("\"")) +
            ShownBytes(entry.value, utf8_) + '"';
        Refuse(entry.offset,
               written + QStringLiteral(" in ") + Title(line.name, line.kind) + fault);
    }

    ImportedSprite Sprite() const {
        ImportedSprite sprite;
        const std::string_view name = pending_.front().name;
        // Plain ASCII is the same bytes in UTF-8, and it is what nearly every name is.
        const bool ascii = std::all_of(name.begin(), name.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        sprite.name = ascii ? std::string(name) : Decoded(name).toStdString();
        sprite.size = static_cast<int>(pending_.front().entries.size());
        const std::array<Plane*, 3> planes = {&sprite.dark, &sprite.light, &sprite.mask};
        for (std::size_t k = 0; k < planes.size(); ++k) {
            const std::vector<PlaneEntry>& entries = pending_[k].entries;
            // Mask entries without "~" are opaque where set: the plane's complement.
            const bool flipped = k == 2 && !entries.empty() && !entries.front().complemented;
            const std::uint32_t widthMask =
                flipped ? ~std::uint32_t{0} >> (kPlaneSide - sprite.size) : 0;
            for (std::size_t y = 0; y < entries.size(); ++y) {
                // Leftmost pixel in the entry's highest bit, and in the plane row's highest bit.
                auto row = static_cast<std::uint32_t>(entries[y].number);
                if (flipped)
                    row = ~row & widthMask;
                planes[k]->SetFullRow(static_cast<int>(y), row << (kPlaneSide - sprite.size));
            }
        }
        return sprite;
    }

    bool utf8_;
    std::string_view accepted_;      // the last name the rules took, in the header's text
    std::vector<PlaneLine> pending_; // the lines so far of the sprite being read
    std::vector<ImportedSprite> sprites_;
};

int LineOf(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    return static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
}

QString TooLarge() {
    return QStringLiteral("The file is too large to be a sprite header (over 256 MB).");
}

// The header's text is walked once, in place: comments are blanked where they are.
HeaderImport ReadText(std::string text) {
    try {
        SpriteReader reader(HasByteOrderMark(text), text.size());
        const std::string_view view = text;
        WalkHeader(text, {[&](std::size_t begin, std::size_t end) {
                              // The export's form wins only for a name the export could write.
                              std::optional<PlaneLine> line = ReadExportedLine(view, begin, end);
                              if (!line || !reader.IsSpriteName(line->name))
                                  return false;
                              reader.Take(std::move(*line));
                              return true;
                          },
                          [&](std::size_t begin, std::size_t end, bool terminated) {
                              if (auto line = ReadPlaneLine(view, begin, end, terminated))
                                  reader.Take(std::move(*line));
                          }});
        return {reader.Finish(), QString()};
    } catch (const HeaderFault& fault) {
        return {{}, QStringLiteral("Line %1: %2").arg(LineOf(text, fault.offset)).arg(fault.what)};
    }
}

} // namespace

HeaderImport ReadHeader(const QByteArray& bytes) {
    return ReadText(bytes.toStdString());
}

HeaderImport LoadHeaderFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    if (!file.isSequential() && file.size() > kMaxHeaderFileBytes)
        return {{}, TooLarge()};
    // In chunks with a ceiling, so a pipe that never ends is refused too. The text is held
    // once: the walk blanks comments in it where they are.
    std::string text;
    if (!file.isSequential())
        text.reserve(static_cast<std::size_t>(file.size()));
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return {{}, file.errorString()};
        if (got == 0)
            break;
        text.append(chunk.data(), static_cast<std::size_t>(got));
        if (text.size() > static_cast<std::size_t>(kMaxHeaderFileBytes))
            return {{}, TooLarge()};
    }
    return ReadText(std::move(text));
}

SpriteRecord ToRecord(const ImportedSprite& sprite) {
    SpriteRecord record;
    record.Size = static_cast<std::int16_t>(sprite.size);
    record.PlaneDark = sprite.dark;
    record.PlaneLight = sprite.light;
    record.PlaneMask = sprite.mask;
    record.Name = sprite.name;
    return record;
}

} // namespace vellicor
