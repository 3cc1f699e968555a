#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <utility>

namespace vellicor {

// Names for copies of sprites, each one that neither the names given nor an earlier copy has:
// the copied name without the digits that end it, then the smallest number from 2 on, the
// name shortened before the number where both would not fit the name rules' length. Copies of
// many sprites at once in a full project stay linear: each name's search resumes where the last
// one for the same stem stopped, since names are only ever added.
class CopyNames {
  public:
    explicit CopyNames(QSet<QString> names) : names_(std::move(names)) {}
    // The next copy's name, now taken.
    QString Next(const QString& name);

  private:
    QSet<QString> names_;
    QHash<QString, int> nextNumber_; // by stem: the numbers below are taken
};

} // namespace vellicor
