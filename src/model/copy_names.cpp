#include "copy_names.h"

#include "name_rules.h"

#include <algorithm>

namespace vellicor {
namespace {

// The name without its final digits; a name of digits alone (which no typed name is) is its
// own stem, so a copy's name never starts with a digit unless the original's did.
QString Stem(const QString& name) {
    qsizetype end = name.size();
    while (end > 0 && name[end - 1] >= QLatin1Char('0') && name[end - 1] <= QLatin1Char('9'))
        --end;
    return end == 0 ? name : name.left(end);
}

QString Numbered(const QString& stem, int number) {
    const QString digits = QString::number(number);
    qsizetype keep = std::min(stem.size(), kMaxNameLength - digits.size());
    // Never half a character: a pair of surrogates goes whole or not at all.
    if (keep < stem.size() && keep > 0 && stem[keep - 1].isHighSurrogate())
        --keep;
    return stem.left(keep) + digits;
}

} // namespace

QString CopyNames::Next(const QString& name) {
    const QString stem = Stem(name);
    int number = nextNumber_.value(stem, 2);
    QString copy = Numbered(stem, number);
    while (names_.contains(copy))
        copy = Numbered(stem, ++number);
    names_.insert(copy);
    nextNumber_.insert(stem, number + 1);
    return copy;
}

} // namespace vellicor
