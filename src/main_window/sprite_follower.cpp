#include "sprite_follower.h"

#include "document/project_document.h"
#include "project_tree.h"
#include "sprite_windows.h"
#include "undo_router.h"

namespace vellicor {

SpriteFollower::SpriteFollower(ProjectDocument& document, ProjectTree& tree, SpriteWindows& editors,
                               UndoRouter& undo, QObject* parent)
    : QObject(parent) {
    connect(&document, &ProjectDocument::SpritesRearranged, this,
            [&tree, &editors, &undo](const std::vector<int>& sources) {
                // The nodes first: windows opened again read nothing from them, but undo
                // routing reads the selection as windows close and activate.
                undo.KeepSource([&] {
                    tree.Follow(sources);
                    editors.Follow(sources);
                });
                undo.Follow();
            });
    connect(&document, &ProjectDocument::SpriteRenamed, this, [&tree, &editors](int index) {
        tree.Rename(index);
        editors.Rename(index);
    });
}

} // namespace vellicor
