#include "menu_actions.h"

#include "document/project_document.h"

#include <QAction>
#include <QMenu>

namespace vellicor {

QAction* NamedAction(QObject* parent, const char* name, const QString& caption,
                     const QKeySequence& shortcut) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QAction* AddMenuAction(QMenu* menu, const char* name, const QString& caption,
                       const QKeySequence& shortcut) {
    QAction* action = NamedAction(menu, name, caption, shortcut);
    menu->addAction(action);
    return action;
}

QAction* NeedsProject(const ProjectDocument& document, QAction* action) {
    action->setEnabled(false);
    QObject::connect(&document, &ProjectDocument::IdentityChanged, action,
                     [&document, action] { action->setEnabled(document.HasProject()); });
    return action;
}

} // namespace vellicor
