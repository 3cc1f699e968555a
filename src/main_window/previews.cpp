#include "previews.h"

#include "animation_dock.h"
#include "document/project_document.h"
#include "editor/frm_sprite.h"
#include "editor/sprite_canvas.h"
#include "onion_skin.h"
#include "project_tree.h"
#include "sprite_windows.h"
#include "tile_dock.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenu>

namespace vellicor {

Previews::Previews(const ProjectDocument& document, const ProjectTree& tree,
                   const SpriteWindows& editors, QMainWindow* window)
    : QObject(window), editors_(editors), tile_(new TileDock(document, editors, window)),
      onion_(
          new OnionSkin(document, *window->findChild<QMenu*>(QStringLiteral("mnuView")), window)),
      animation_(new AnimationDock(document, tree, window)) {
    auto* view = window->findChild<QMenu*>(QStringLiteral("mnuView"));
    view->addAction(tile_->toggleViewAction());
    view->addAction(animation_->toggleViewAction());

    connect(&editors, &SpriteWindows::ActiveChanged, this, [this] {
        FollowEditors();
        tile_->Refresh();
    });
    connect(&document, &ProjectDocument::StepCompleted, this, &Previews::Refresh);
    connect(&document, &ProjectDocument::SpriteRestored, this, &Previews::Refresh);
    connect(&document, &ProjectDocument::SpritesAdded, this, &Previews::Refresh);
    connect(&document, &ProjectDocument::SpritesRemoved, this, &Previews::Refresh);
    connect(&document, &ProjectDocument::SpritesRearranged, this, &Previews::Refresh);
    connect(&document, &ProjectDocument::IdentityChanged, this, &Previews::Refresh);
    connect(&tree, &ProjectTree::NodesPicked, animation_, &AnimationDock::Refresh);
    connect(&tree, &ProjectTree::SelectionMoved, animation_, &AnimationDock::Refresh);
}

void Previews::FollowEditors() {
    for (const auto& window : editors_.Windows()) {
        if (!window)
            continue;
        // Installing a filter again moves it, so each canvas is watched once.
        if (auto* canvas = window->findChild<SpriteCanvas*>())
            canvas->installEventFilter(this);
        onion_->Attach(*window);
    }
}

void Previews::Refresh() {
    tile_->Refresh();
    onion_->Refresh();
    animation_->Refresh();
}

bool Previews::eventFilter(QObject*, QEvent* event) {
    // A canvas repaints as a stroke writes its pixels; hidden docks let it pass.
    if (event->type() == QEvent::Paint) {
        if (tile_->isVisible())
            tile_->Picture()->update();
        if (animation_->isVisible())
            animation_->Picture()->update();
    }
    return false;
}

} // namespace vellicor
