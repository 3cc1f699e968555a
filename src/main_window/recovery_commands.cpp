// Bringing back the work of an instance that did not close normally.
#include "frm_main.h"
#include "journal/recovery_journal.h"

#include <QDir>
#include <QLocale>

namespace vellicor {

void frmMain::FinishStartUp(const QString& projectFile) {
    RecoverUnsavedWork();
    if (!projectFile.isEmpty() && MaybeSaveChanges())
        OpenProjectFile(projectFile); // a refused file is reported, and we start empty
}

void frmMain::RecoverUnsavedWork() {
    for (const QString& path : journalKeeper_->Store().OrphanedJournals()) {
        const JournalRead read = LoadJournalFile(path);
        if (!read.project) {
            RecoveryStore::SetAside(path);
            ShowError(tr("The recovery file \"%1\" is damaged and was set aside.\n%2")
                          .arg(QDir::toNativeSeparators(path), read.error));
            continue;
        }
        const QString question =
            tr("Vellicor did not close normally. Recover the unsaved project \"%1\" (last "
               "change at %2)?")
                .arg(read.project->name,
                     QLocale().toString(read.project->lastChange.time(), QStringLiteral("HH:mm")));
        if (!dialogs_.AskRecover(this, question)) {
            RecoveryStore::Discard(path);
            continue;
        }
        RecoveredProject project = *read.project;
        DropEditors();
        document_.ReplaceProject(project.name, std::move(project.table), project.filePath, true);
        ShowReplacedProject();
        // This instance's own journal keeps the recovered work safe from here on.
        journalKeeper_->Restart();
        RecoveryStore::Discard(path);
        return; // one project at a time; any other is offered at the next start
    }
}

} // namespace vellicor
