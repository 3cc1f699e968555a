#include "recovery_commands.h"

#include "dialog_seam.h"
#include "document/journal_keeper.h"
#include "journal/recovery_journal.h"
#include "project_commands.h"

#include <QDir>
#include <QLocale>
#include <QWidget>

namespace vellicor {

RecoveryCommands::RecoveryCommands(DialogSeam& dialogs, ProjectDocument& document,
                                   ProjectCommands& projects, const QString& folder,
                                   QWidget* window)
    : QObject(window), dialogs_(dialogs), projects_(projects), window_(window),
      journalKeeper_(new JournalKeeper(document, folder, this)) {
    connect(journalKeeper_, &JournalKeeper::Failed, this, [this](const QString& reason) {
        ShowError(dialogs_, window_,
                  tr("Unsaved changes cannot be kept safe from a crash.\n%1").arg(reason));
    });
}

void RecoveryCommands::FinishStartUp(const QString& projectFile) {
    RecoverUnsavedWork();
    if (!projectFile.isEmpty() && projects_.MaybeSaveChanges())
        projects_.OpenProjectFile(projectFile); // a refused file is reported, and we start empty
}

void RecoveryCommands::RecoverUnsavedWork() {
    for (const QString& path : journalKeeper_->Store().OrphanedJournals()) {
        const JournalRead read = LoadJournalFile(path);
        if (!read.project) {
            RecoveryStore::SetAside(path);
            ShowError(dialogs_, window_,
                      tr("The recovery file \"%1\" is damaged and was set aside.\n%2")
                          .arg(QDir::toNativeSeparators(path), read.error));
            continue;
        }
        const QString question =
            tr("Vellicor did not close normally. Recover the unsaved project \"%1\" (last "
               "change at %2)?")
                .arg(read.project->name,
                     QLocale().toString(read.project->lastChange.time(), QStringLiteral("HH:mm")));
        if (!dialogs_.AskRecover(window_, question)) {
            RecoveryStore::Discard(path);
            continue;
        }
        RecoveredProject project = *read.project;
        projects_.Replace(project.name, std::move(project.table), project.filePath, true,
                          project.headerStyle);
        // This instance's own journal keeps the recovered work safe from here on.
        journalKeeper_->Restart();
        RecoveryStore::Discard(path);
        return; // one project at a time; any other is offered at the next start
    }
}

} // namespace vellicor
