#include "project_commands.h"

#include "dialog_seam.h"
#include "document/project_document.h"
#include "free_memory.h"
#include "project/project_file.h"
#include "project_tree.h"
#include "sprite_windows.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QSessionManager>
#include <algorithm>

namespace vellicor {
namespace {

// More sprite windows than anyone works in side by side.
constexpr std::size_t kMaxEditorsOpenedAtOnce = 32;

const QString kProjectFilter = QStringLiteral("Vellicor Projects (*.vellicor)");
const QString kProjectSuffix = QStringLiteral("vellicor");

} // namespace

ProjectCommands::ProjectCommands(DialogSeam& dialogs, ProjectDocument& document, ProjectTree& tree,
                                 SpriteWindows& editors, QWidget* window)
    : QObject(window), dialogs_(dialogs), document_(document), tree_(tree), editors_(editors),
      window_(window) {
    const auto unsettle = [this] { changesSettled_ = false; };
    connect(&document, &ProjectDocument::StepCompleted, this, unsettle);
    connect(&document, &ProjectDocument::SpritesAdded, this, unsettle);
    connect(&document, &ProjectDocument::SpritesRemoved, this, unsettle);
    connect(&document, &ProjectDocument::SpritesRearranged, this, unsettle);
    connect(&document, &ProjectDocument::SpriteRenamed, this, unsettle);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!manager.allowsInteraction())
            return;
        const bool endSession = AllowSessionEnd();
        manager.release();
        if (!endSession)
            manager.cancel();
    });
}

void ProjectCommands::NewProject() {
    const auto name = AskName(dialogs_, window_, tr("Enter project name:"), NameKind::Project);
    if (!name || !MaybeSaveChanges())
        return;
    editors_.DropAll();
    document_.StartProject(*name);
    tree_.Rebuild();
}

bool ProjectCommands::MaybeSaveChanges() {
    editors_.CommitFloating(); // pixels still floating are changes too
    if (!document_.IsModified())
        return true;
    const QString question = tr("Save changes to project \"%1\"?").arg(document_.Name());
    switch (dialogs_.AskSaveChanges(window_, question)) {
    case SaveChangesAnswer::Save:
        return Save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

bool ProjectCommands::AllowSessionEnd() {
    changesSettled_ = MaybeSaveChanges();
    return changesSettled_;
}

bool ProjectCommands::AllowClose() {
    return changesSettled_ || MaybeSaveChanges();
}

bool ProjectCommands::Open() {
    if (!MaybeSaveChanges())
        return false;
    const auto chosen = dialogs_.OpenFileName(window_, kProjectFilter);
    return chosen && OpenProjectFile(*chosen);
}

bool ProjectCommands::OpenRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        ShowError(dialogs_, window_,
                  tr("The project \"%1\" no longer exists.").arg(QDir::toNativeSeparators(path)));
        recentProjects_.Remove(path);
        return false;
    }
    return MaybeSaveChanges() && OpenProjectFile(path);
}

bool ProjectCommands::OpenProjectFile(const QString& path) {
    ProjectRead read = LoadProjectFile(path);
    if (!read.project) {
        ShowError(dialogs_, window_,
                  tr("The project \"%1\" could not be opened.\n%2")
                      .arg(QDir::toNativeSeparators(path), read.error));
        return false;
    }
    Replace(read.project->name, std::move(read.project->table), QFileInfo(path).absoluteFilePath(),
            false, read.project->headerStyle);
    recentProjects_.Add(path);
    return true;
}

void ProjectCommands::Replace(const QString& name, SpriteTable table, const QString& path,
                              bool unsaved, HeaderStyle style) {
    editors_.DropAll();
    document_.ReplaceProject(name, std::move(table), path, unsaved, style);
    tree_.Rebuild();
    // The editors it had open open again, as a double-click on each would open them.
    std::vector<int> openEditors = document_.OpenEditors();
    for (const int index : openEditors)
        document_.SetOpen(index, false); // until its window really opens
    // Thousands of windows would take minutes to open and be of no use; the first few open,
    // and the rest wait for a double-click on their nodes.
    const std::size_t opening = std::min(openEditors.size(), kMaxEditorsOpenedAtOnce);
    for (std::size_t i = 0; i < opening; ++i)
        editors_.Show(openEditors[i]);
    if (opening < openEditors.size())
        emit Note(tr("Opened %1 of the %2 sprite windows the project had open; the rest are "
                     "closed.")
                      .arg(opening)
                      .arg(openEditors.size()));
    // The old project and what reading the new one took are gone now.
    ReturnFreedMemory();
}

bool ProjectCommands::Save() {
    if (!document_.HasProject())
        return false;
    if (document_.FilePath().isEmpty())
        return SaveAs();
    return SaveTo(document_.FilePath());
}

bool ProjectCommands::SaveAs() {
    if (!document_.HasProject())
        return false;
    const QString offered = document_.FilePath().isEmpty()
                                ? document_.Name() + QLatin1Char('.') + kProjectSuffix
                                : document_.FilePath();
    const auto chosen = dialogs_.SaveAsFileName(window_, kProjectFilter, offered, kProjectSuffix);
    if (!chosen)
        return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + kProjectSuffix;
    return SaveTo(path);
}

bool ProjectCommands::SaveTo(const QString& path) {
    editors_.CommitFloating();
    if (const auto reason =
            SaveProjectFile(path, document_.Name(), document_.Table(), document_.CompileStyle())) {
        ShowError(dialogs_, window_,
                  tr("The project could not be saved to \"%1\".\n%2")
                      .arg(QDir::toNativeSeparators(path), *reason));
        return false;
    }
    document_.MarkSaved(QFileInfo(path).absoluteFilePath());
    recentProjects_.Add(path);
    return true;
}

void ProjectCommands::ListRecent(QMenu* menu) {
    menu->clear();
    const QStringList paths = recentProjects_.Paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&")); // not an access key
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    if (paths.isEmpty())
        menu->addAction(tr("No recent projects"))->setEnabled(false);
}

} // namespace vellicor
