#include "name_rules.h"

#include <algorithm>

namespace vellicor {
namespace {

// C0 and C1 control characters: a pasted line break or tab would break the header's lines.
bool IsControl(QChar c) {
    return c.unicode() <= 0x1F || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

} // namespace

NameVerdict CheckName(const QString& name, NameKind kind) {
    if (name.isEmpty())
        return NameVerdict::Ignore;
    if (std::any_of(name.begin(), name.end(), IsControl))
        return NameVerdict::Refuse;
    const QChar first = name.front().toUpper();
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

} // namespace vellicor
