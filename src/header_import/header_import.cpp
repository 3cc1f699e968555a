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

// The largest header the export can write, 32767 sprites of 32 rows, is about 50 MB.
constexpr qint64 kMaxHeaderFileBytes = qint64{256} * 1024 * 1024;

// Reads the plane lines of a header in order and puts each three together into a sprite.
class SpriteReader {
  public:
    explicit SpriteReader(bool utf8) : utf8_(utf8) {}

    void Take(PlaneLine line) {
        const auto expected = static_cast<PlaneKind>(pending_.size());
        const std::string_view owner = pending_.empty() ? line.name : pending_.front().name;
        if (line.kind != expected || line.name != owner)
            Refuse(line.offset, QStringLiteral("%1 is missing before %2.")
                                    .arg(Title(owner, expected), Title(line.name, line.kind)));
        if (line.kind == PlaneKind::Dark) {
            if (sprites_.size() >= static_cast<std::size_t>(SpriteTable::kMaxSprites))
                Refuse(line.offset, QStringLiteral("A project holds at most %1 sprites.")
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
        QString shown = Decoded(name);
        std::replace_if(
            shown.begin(), shown.end(),
            [](QChar c) { return c.category() == QChar::Other_Control; }, QChar(u'?'));
        return shown;
    }
    QString Title(std::string_view name, PlaneKind kind) const {
        return Shown(name) + QLatin1String(PlaneSuffix(kind));
    }

    void CheckSpriteName(const PlaneLine& line) const {
        if (line.name.empty())
            Refuse(line.offset, QStringLiteral("%1 has no sprite name before it.")
                                    .arg(Title(line.name, line.kind)));
        if (CheckName(Decoded(line.name), NameKind::Sprite) != NameVerdict::Accept)
            Refuse(line.offset,
                   QStringLiteral("\"%1\" is refused. %2").arg(Shown(line.name), kNameErrorText));
    }

    void CheckEntries(const PlaneLine& line) const {
        const QString title = Title(line.name, line.kind);
        const std::size_t count = line.entries.size();
        if (count != 0 && count != 8 && count != 16 && count != 32)
            Refuse(line.offset,
                   QStringLiteral("%1 has %2 entries; a sprite has 8, 16 or 32 rows, or none.")
                       .arg(title)
                       .arg(count));
        if (!pending_.empty() && count != pending_.front().entries.size())
            Refuse(line.offset, QStringLiteral("%1 has %2 entries, but %3 has %4.")
                                    .arg(title)
                                    .arg(count)
                                    .arg(Title(line.name, PlaneKind::Dark))
                                    .arg(pending_.front().entries.size()));
        const bool mask = line.kind == PlaneKind::Mask;
        for (const PlaneEntry& entry : line.entries) {
            const QString written =
                (entry.complemented ? QStringLiteral("\"~") : QStringLiteral("\"")) +
                Decoded(entry.value) + '"';
            if (entry.complemented && !mask)
                Refuse(entry.offset, QStringLiteral("%1 in %2: only mask entries start with \"~\".")
                                         .arg(written, title));
            if (!entry.complemented && mask)
                Refuse(entry.offset, QStringLiteral("%1 in %2: mask entries start with \"~0x\".")
                                         .arg(written, title));
            const std::optional<std::uint64_t> value = HexValue(entry.value);
            if (!value)
                Refuse(entry.offset, QStringLiteral("%1 in %2 is not a hex value such as 0x3C.")
                                         .arg(written, title));
            if (*value >> count != 0)
                Refuse(entry.offset, QStringLiteral("%1 in %2 is too large for a row of %3 pixels.")
                                         .arg(written, title)
                                         .arg(count));
        }
    }

    // "0x" and hex digits in either case; values beyond 32 bits come back as 2^32.
    static std::optional<std::uint64_t> HexValue(std::string_view text) {
        if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
            return std::nullopt;
        std::uint64_t value = 0;
        for (const char c : text.substr(2)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : -1;
            if (digit < 0)
                return std::nullopt;
            value = std::min<std::uint64_t>((value << 4) | static_cast<unsigned>(digit),
                                            std::uint64_t{1} << 32);
        }
        return value;
    }

    ImportedSprite Sprite() const {
        ImportedSprite sprite;
        sprite.name = Decoded(pending_.front().name).toStdString();
        sprite.size = static_cast<int>(pending_.front().entries.size());
        const std::array<Plane*, 3> planes = {&sprite.dark, &sprite.light, &sprite.mask};
        for (std::size_t k = 0; k < planes.size(); ++k) {
            const std::vector<PlaneEntry>& entries = pending_[k].entries;
            for (std::size_t y = 0; y < entries.size(); ++y) {
                // Leftmost pixel in the entry's highest bit, and in the plane row's highest bit.
                const auto row = static_cast<std::uint32_t>(*HexValue(entries[y].value));
                planes[k]->SetFullRow(static_cast<int>(y), row << (kPlaneSide - sprite.size));
            }
        }
        return sprite;
    }

    bool utf8_;
    std::vector<PlaneLine> pending_; // the lines so far of the sprite being read
    std::vector<ImportedSprite> sprites_;
};

int LineOf(const QByteArray& bytes, std::size_t offset) {
    const auto end = static_cast<qsizetype>(std::min<std::size_t>(offset, bytes.size()));
    return static_cast<int>(std::count(bytes.begin(), bytes.begin() + end, '\n')) + 1;
}

QString TooLarge() {
    return QStringLiteral("The file is too large to be a sprite header (over 256 MB).");
}

} // namespace

HeaderImport ReadHeader(const QByteArray& bytes) {
    try {
        const HeaderCode code = CodeOf(bytes);
        const std::string_view text = code.text;
        SpriteReader reader(code.utf8);
        // Statements end with ";"; those that define no plane array are skipped.
        for (std::size_t begin = 0; begin < text.size();) {
            const std::size_t semicolon = text.find(';', begin);
            const bool terminated = semicolon != std::string_view::npos;
            const std::size_t end = terminated ? semicolon : text.size();
            if (auto line = ReadPlaneLine(text, begin, end, terminated))
                reader.Take(std::move(*line));
            begin = end + 1;
        }
        return {reader.Finish(), QString()};
    } catch (const HeaderFault& fault) {
        return {{}, QStringLiteral("Line %1: %2").arg(LineOf(bytes, fault.offset)).arg(fault.what)};
    }
}

HeaderImport LoadHeaderFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    if (!file.isSequential() && file.size() > kMaxHeaderFileBytes)
        return {{}, TooLarge()};
    // In chunks with a ceiling, so a pipe that never ends is refused too.
    QByteArray bytes;
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return {{}, file.errorString()};
        if (got == 0)
            break;
        bytes.append(chunk.data(), got);
        if (bytes.size() > kMaxHeaderFileBytes)
            return {{}, TooLarge()};
    }
    return ReadHeader(bytes);
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
