#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QObject;

namespace vellicor {

class ProjectDocument;

// An action with an object name, by which tests, settings and the toolbar find it.
QAction* NamedAction(QObject* parent, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
// The same, owned by and shown in `menu`.
QAction* AddMenuAction(QMenu* menu, const char* name, const QString& caption,
                       const QKeySequence& shortcut = {});
// Enables a command that needs a project to act on while there is one.
QAction* NeedsProject(const ProjectDocument& document, QAction* action);

} // namespace vellicor
