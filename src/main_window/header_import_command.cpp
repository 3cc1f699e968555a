// Sprites back from a header that a program already ships with.
#include "frm_main.h"
#include "header_import/header_import.h"

#include <QDir>
#include <QTreeWidget>

namespace vellicor {

void frmMain::ImportHeader() {
    if (!document_.HasProject())
        return;
    const auto chosen = dialogs_.OpenFileName(this, QStringLiteral("Header Files (*.h)"));
    if (!chosen)
        return;
    const QString shownPath = QDir::toNativeSeparators(*chosen);
    const HeaderImport header = LoadHeaderFile(*chosen);
    if (!header.error.isEmpty()) {
        ShowError(tr("The header \"%1\" could not be imported.\n%2").arg(shownPath, header.error));
        return;
    }
    if (header.sprites.empty()) {
        ShowError(tr("The header \"%1\" holds no sprites.").arg(shownPath));
        return;
    }
    const auto room = static_cast<std::size_t>(SpriteTable::kMaxSprites - Table().SpriteCount());
    if (header.sprites.size() > room) {
        ShowError(tr("The header \"%1\" holds %2 sprites, but this project has room for only %3 "
                     "more.")
                      .arg(shownPath)
                      .arg(header.sprites.size())
                      .arg(room));
        return;
    }
    std::vector<SpriteRecord> sprites;
    sprites.reserve(header.sprites.size());
    for (const ImportedSprite& sprite : header.sprites)
        sprites.push_back(ToRecord(sprite));
    document_.AddSprites(std::move(sprites), QStringLiteral("Import Header"));
    // The new sprites' nodes have the focus, from where undo takes the import back.
    tvMain_->setFocus();
    undoFromTree_ = true;
    FollowActiveEditor();
}

} // namespace vellicor
