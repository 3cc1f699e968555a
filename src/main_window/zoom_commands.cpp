#include "zoom_commands.h"

#include "document/project_document.h"
#include "editor/frm_sprite.h"
#include "menu_actions.h"
#include "sprite_windows.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <functional>

namespace vellicor {

ZoomCommands::ZoomCommands(const ProjectDocument& document, SpriteWindows& editors, QMdiArea& area,
                           QMenu& menu, QObject* parent)
    : QObject(parent), editors_(editors), area_(area) {
    menu.addSeparator();
    const auto add = [&](const char* name, const QString& caption, QList<QKeySequence> keys,
                         std::function<void(frmSprite&)> act) {
        QAction* action = NamedAction(this, name, caption);
        action->setShortcuts(keys);
        // The menu shows the key; the area, where the editors are, makes it work.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setEnabled(false);
        area.addAction(action);
        menu.addAction(action);
        connect(action, &QAction::triggered, this, [this, act = std::move(act)] {
            if (frmSprite* editor = Active())
                act(*editor);
        });
        actions_ << action;
    };
    // Ctrl+= as well, since "+" needs Shift on most keyboards.
    add("mnuViewZoomIn", tr("Zoom &In"),
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
        [](frmSprite& editor) { editor.ZoomBy(1); });
    add("mnuViewZoomOut", tr("Zoom &Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        [](frmSprite& editor) { editor.ZoomBy(-1); });
    add("mnuViewZoomFit", tr("Zoom to &Fit"), {QKeySequence(Qt::CTRL | Qt::Key_0)},
        [](frmSprite& editor) { editor.ZoomToFit(); });
    connect(&editors, &SpriteWindows::ActiveChanged, this, &ZoomCommands::UpdateActions);
    // A closed editor can stay the area's active window, no longer showing its sprite.
    connect(&document, &ProjectDocument::EditorsChanged, this, &ZoomCommands::UpdateActions);
}

void ZoomCommands::UpdateActions() {
    const bool active = Active() != nullptr;
    for (QAction* action : std::as_const(actions_))
        action->setEnabled(active);
}

frmSprite* ZoomCommands::Active() const {
    return editors_.ActiveSprite() ? qobject_cast<frmSprite*>(area_.activeSubWindow()) : nullptr;
}

} // namespace vellicor
