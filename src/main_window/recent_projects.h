#pragma once

#include <QStringList>

namespace vellicor {

// The projects opened or saved last, most recent first, kept in the user's settings.
class RecentProjects {
  public:
    static constexpr int kMost = 8;

    QStringList Paths() const;
    // Puts the path first, dropping an older entry for the same file and the oldest beyond kMost.
    void Add(const QString& path);
    void Remove(const QString& path);

  private:
    void Store(const QStringList& paths);
};

} // namespace vellicor
