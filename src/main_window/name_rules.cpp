#include "name_rules.h"

namespace vellicor {

NameVerdict CheckName(const QString& name, NameKind kind) {
    if (name.isEmpty())
        return NameVerdict::Ignore;
    const QChar first = name.front().toUpper();
    const bool hasSpace = name.contains(QLatin1Char(' '));
    const bool sprite = kind == NameKind::Sprite;
    if (first >= QLatin1Char('A') && first <= QLatin1Char('Z'))
        return hasSpace && sprite ? NameVerdict::Refuse : NameVerdict::Accept;
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9'))
        return NameVerdict::Refuse;
    return hasSpace && sprite ? NameVerdict::Refuse : NameVerdict::Ignore;
}

} // namespace vellicor
