#include "sprite_commands.h"

#include "dialog_seam.h"
#include "document/project_document.h"
#include "export/header_file.h"
#include "header_import/header_import.h"
#include "png/png_export.h"
#include "png/png_import.h"
#include "sprite_windows.h"
#include "undo_router.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace vellicor {
namespace {

const QString kPngFilter = QStringLiteral("PNG Images (*.png)");
const QString kHeaderFilter = QStringLiteral("Header Files (*.h)");
// The save dialog's second file type chooses the style, in the same place as the name.
const QString kCHeaderFilter = QStringLiteral("C Declarations Header (*.h)");

} // namespace

SpriteCommands::SpriteCommands(DialogSeam& dialogs, ProjectDocument& document,
                               SpriteWindows& editors, UndoRouter& undo, QWidget* window)
    : QObject(window), dialogs_(dialogs), document_(document), editors_(editors), undo_(undo),
      window_(window) {}

bool SpriteCommands::HasRoomForSprite() {
    if (!document_.Table().IsFull())
        return true;
    ShowError(dialogs_, window_,
              tr("This project already holds %1 sprites, the most it can hold.")
                  .arg(SpriteTable::kMaxSprites));
    return false;
}

void SpriteCommands::NewSprite() {
    if (!HasRoomForSprite())
        return;
    const auto name = AskName(dialogs_, window_, tr("Enter sprite name:"), NameKind::Sprite);
    if (!name || !document_.HasProject())
        return;
    editors_.Show(document_.AppendSprite(*name));
}

void SpriteCommands::ImportPng() {
    if (!document_.HasProject() || !HasRoomForSprite())
        return;
    if (const auto chosen = dialogs_.OpenFileName(window_, kPngFilter))
        ImportPngFrom(*chosen);
}

void SpriteCommands::ImportPngFrom(const QString& path) {
    if (!HasRoomForSprite())
        return;
    const ImageImport import = LoadPngSprite(path);
    if (!import.sprite) {
        ShowError(dialogs_, window_,
                  tr("The image \"%1\" could not be imported.\n%2")
                      .arg(QDir::toNativeSeparators(path), import.error));
        return;
    }
    QString name = QString::fromStdString(import.sprite->Name);
    if (name.isEmpty()) {
        // The file's name is no sprite name: the user names it, as for a new sprite.
        const auto typed = AskName(dialogs_, window_, tr("Enter sprite name:"), NameKind::Sprite);
        if (!typed)
            return;
        name = *typed;
    }
    editors_.Show(document_.ImportSprite(name, *import.sprite));
}

void SpriteCommands::ExportPng() {
    editors_.CommitFloating();
    const auto index = editors_.ActiveSprite();
    if (!index)
        return;
    if (const auto refusal = PngExportRefusal(document_.Record(*index))) {
        ShowError(dialogs_, window_, *refusal);
        return;
    }
    // The sprite's name, in the folder of the last image written.
    QString fileName = QString::fromStdString(document_.Record(*index).Name) + ".png";
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString offered =
        lastPngName_.isEmpty() ? fileName : QFileInfo(lastPngName_).dir().filePath(fileName);
    const auto chosen = dialogs_.SaveFileName(window_, kPngFilter, offered);
    if (!chosen)
        return;
    const auto scale = dialogs_.AskScale(window_, lastPngScale_);
    if (!scale)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    lastPngName_ = path;
    lastPngScale_ = *scale;
    if (const auto reason = SaveSpritePng(path, document_.Record(*index), *scale)) {
        ShowError(dialogs_, window_,
                  tr("The image could not be written to \"%1\".\n%2")
                      .arg(QDir::toNativeSeparators(path), *reason));
    }
}

void SpriteCommands::ImportHeader() {
    if (!document_.HasProject())
        return;
    if (const auto chosen = dialogs_.OpenFileName(window_, kHeaderFilter))
        ImportHeaderFrom(*chosen);
}

void SpriteCommands::ImportHeaderFrom(const QString& path) {
    const QString shownPath = QDir::toNativeSeparators(path);
    const int room = SpriteTable::kMaxSprites - document_.Table().SpriteCount();
    HeaderFileImport header = ImportHeaderFile(path, room);
    switch (header.fault) {
    case HeaderFileFault::None:
        break;
    case HeaderFileFault::Unreadable:
        ShowError(dialogs_, window_,
                  tr("The header \"%1\" could not be imported.\n%2").arg(shownPath, header.error));
        return;
    case HeaderFileFault::NoSprites:
        ShowError(dialogs_, window_, tr("The header \"%1\" holds no sprites.").arg(shownPath));
        return;
    case HeaderFileFault::NoRoom:
        ShowError(dialogs_, window_,
                  tr("The header \"%1\" holds %2 sprites, but this project has room for only "
                     "%3 more.")
                      .arg(shownPath)
                      .arg(header.found)
                      .arg(room));
        return;
    }
    document_.AddSprites(std::move(header.sprites), QStringLiteral("Import Header"));
    // The new sprites' nodes have the focus, from where undo takes the import back.
    undo_.FollowTree();
}

void SpriteCommands::Compile() {
    editors_.CommitFloating();
    const QStringList types{kHeaderFilter, kCHeaderFilter};
    const bool wasC = document_.CompileStyle() == HeaderStyle::CDeclarations;
    const auto chosen = dialogs_.SaveTypedFileName(window_, types, wasC ? 1 : 0, lastHeaderName_);
    if (!chosen)
        return;
    lastHeaderName_ = chosen->path;
    const HeaderStyle style = chosen->type == 1 ? HeaderStyle::CDeclarations : HeaderStyle::Plain;
    // The project remembers the choice, even when its names keep this header from being written.
    document_.SetCompileStyle(style);
    // Written as --export writes it, without an event in between: it is what the table held
    // when the dialog closed. Names C cannot take are refused with nothing written.
    if (const auto reason =
            WriteHeaderFile(chosen->path, document_.Table(), style, document_.Name())) {
        ShowError(dialogs_, window_,
                  tr("The header could not be written to \"%1\".\n%2")
                      .arg(QDir::toNativeSeparators(chosen->path), *reason));
    }
}

} // namespace vellicor
