#include "name_rules.h"

#include "copy_names.h"

#include <QList>
#include <algorithm>

namespace vellicor {
namespace {

bool BreaksLines(char32_t c) {
    const auto category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

} // namespace

std::optional<QString> NameFault(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("is empty");
    if (name.size() > kMaxNameLength)
        return QStringLiteral("is longer than %1 characters").arg(kMaxNameLength);
    if (!name.isValidUtf16())
        return QStringLiteral("is not valid Unicode text");
    const QList<uint> characters = name.toUcs4();
    if (std::any_of(characters.begin(), characters.end(), [](uint c) { return BreaksLines(c); }))
        return QStringLiteral("contains a control character or a line break");
    if (std::any_of(characters.begin(), characters.end(),
                    [](uint c) { return QChar::isNonCharacter(c); }))
        return QStringLiteral("contains a character that is not text");
    return std::nullopt;
}

NameVerdict CheckName(const QString& name, NameKind kind) {
    if (name.isEmpty())
        return NameVerdict::Ignore;
    if (NameFault(name))
        return NameVerdict::Refuse;
    // Only A to Z in either case: the dotless i and the long s upper-case into that range too,
    // but the header, written in 8-bit text, cannot hold them.
    const QChar first = name.front().unicode() < 0x80 ? name.front().toUpper() : QChar();
    // A sprite's name becomes an identifier in the header: any kind of space breaks it.
    const bool sprite = kind == NameKind::Sprite;
    const bool hasSpace =
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.isSpace(); });
    if (first >= QLatin1Char('A') && first <= QLatin1Char('Z'))
        return hasSpace && sprite ? NameVerdict::Refuse : NameVerdict::Accept;
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9'))
        return NameVerdict::Refuse;
    return hasSpace && sprite ? NameVerdict::Refuse : NameVerdict::Ignore;
}

QString DuplicateName(const QString& name, const QStringList& names) {
    return CopyNames(QSet<QString>(names.begin(), names.end())).Next(name);
}

} // namespace vellicor
