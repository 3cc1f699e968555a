#include "recent_projects.h"

#include <QFileInfo>
#include <QSettings>

namespace vellicor {
namespace {

const QString kKey = QStringLiteral("recentProjects");

// One entry per file, however the path was spelled.
QString Canonical(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QStringList RecentProjects::Paths() const {
    return QSettings().value(kKey).toStringList();
}

void RecentProjects::Add(const QString& path) {
    const QString entry = Canonical(path);
    QStringList paths = Paths();
    paths.removeAll(entry);
    paths.prepend(entry);
    Store(paths.mid(0, kMost));
}

void RecentProjects::Remove(const QString& path) {
    QStringList paths = Paths();
    paths.removeAll(Canonical(path));
    Store(paths);
}

void RecentProjects::Store(const QStringList& paths) {
    QSettings().setValue(kKey, paths);
}

} // namespace vellicor
