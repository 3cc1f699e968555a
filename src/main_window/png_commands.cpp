// Sprites in and out of PNG images, the files every other tool reads and writes.
#include "frm_main.h"
#include "png/png_export.h"
#include "png/png_import.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace vellicor {
namespace {

const QString kPngFilter = QStringLiteral("PNG Images (*.png)");

} // namespace

void frmMain::ImportPng() {
    if (!document_.HasProject() || !HasRoomForSprite())
        return;
    const auto chosen = dialogs_.OpenFileName(this, kPngFilter);
    if (!chosen)
        return;
    const ImageImport import = LoadPngSprite(*chosen);
    if (!import.sprite) {
        ShowError(tr("The image \"%1\" could not be imported.\n%2")
                      .arg(QDir::toNativeSeparators(*chosen), import.error));
        return;
    }
    QString name = QString::fromStdString(import.sprite->Name);
    if (name.isEmpty()) {
        // The file's name is no sprite name: the user names it, as for a new sprite.
        const auto typed = AskName(tr("Enter sprite name:"), NameKind::Sprite);
        if (!typed)
            return;
        name = *typed;
    }
    ShowEditor(document_.ImportSprite(name, *import.sprite));
}

void frmMain::ExportPng() {
    const auto index = ActiveSprite();
    if (!index)
        return;
    if (const auto refusal = PngExportRefusal(document_.Record(*index))) {
        ShowError(*refusal);
        return;
    }
    // The sprite's name, in the folder of the last image written.
    QString fileName = QString::fromStdString(document_.Record(*index).Name) + ".png";
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString offered =
        lastPngName_.isEmpty() ? fileName : QFileInfo(lastPngName_).dir().filePath(fileName);
    const auto chosen = dialogs_.SaveFileName(this, kPngFilter, offered);
    if (!chosen)
        return;
    const auto scale = dialogs_.AskScale(this, lastPngScale_);
    if (!scale)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    lastPngName_ = path;
    lastPngScale_ = *scale;
    if (const auto reason = SaveSpritePng(path, document_.Record(*index), *scale)) {
        ShowError(tr("The image could not be written to \"%1\".\n%2")
                      .arg(QDir::toNativeSeparators(path), *reason));
    }
}

} // namespace vellicor
