#include "file_drops.h"

#include "dialog_seam.h"
#include "document/project_document.h"
#include "png/png_import.h"
#include "project_commands.h"
#include "sheet_commands.h"
#include "sprite_commands.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <algorithm>

namespace vellicor {
namespace {

bool HasLocalFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return false;
    const QList<QUrl> urls = mime->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

FileDrops::FileDrops(DialogSeam& dialogs, ProjectDocument& document, ProjectCommands& projects,
                     SpriteCommands& sprites, SheetCommands& sheets, QWidget* window)
    : QObject(window), dialogs_(dialogs), document_(document), projects_(projects),
      sprites_(sprites), sheets_(sheets), window_(window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        // Only files from this machine can be opened; anything else is turned away at the door.
        if (HasLocalFile(drag->mimeData())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The file manager is let go before any question is asked: it waits while the drop
        // lasts, and a modal dialog inside the drop would hold it.
        QMetaObject::invokeMethod(
            this,
            [this, urls] {
                if (urls.isEmpty())
                    Refuse(tr("Only files can be dropped here: Vellicor projects, PNG images "
                              "and headers."));
                else
                    Take(urls);
            },
            Qt::QueuedConnection);
        return true;
    }
    default:
        return false;
    }
}

void FileDrops::Take(const QList<QUrl>& urls) {
    for (const QUrl& url : urls)
        if (!TakeOne(url))
            return;
}

bool FileDrops::TakeOne(const QUrl& url) {
    const bool local = url.isLocalFile();
    const QString path = local ? url.toLocalFile() : url.toString();
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString shown = local ? QDir::toNativeSeparators(path) : path;
    if (local && suffix == QLatin1String("vellicor")) {
        // Cancel at the question means leave things as they are: the rest of the drop too.
        if (!projects_.MaybeSaveChanges())
            return false;
        projects_.OpenProjectFile(path);
    } else if (local && (suffix == QLatin1String("png") || suffix == QLatin1String("h"))) {
        if (!document_.HasProject())
            Refuse(tr("\"%1\" was not imported: there is no project to add it to. Open or "
                      "create a project first.")
                       .arg(shown));
        else if (suffix == QLatin1String("png") && IsSheetFile(path))
            sheets_.ImportSheetFrom(path);
        else if (suffix == QLatin1String("png"))
            sprites_.ImportPngFrom(path);
        else
            sprites_.ImportHeaderFrom(path);
    } else {
        Refuse(tr("\"%1\" cannot be dropped here: only Vellicor projects (.vellicor), PNG "
                  "images (.png) and headers (.h) can.")
                   .arg(shown));
    }
    return true;
}

void FileDrops::Refuse(const QString& text) {
    ShowError(dialogs_, window_, text);
}

} // namespace vellicor
