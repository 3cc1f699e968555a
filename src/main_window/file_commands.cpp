// Keeping projects in files: open, save, the recent projects and the question before unsaved
// work would be thrown away.
#include "editor/literal_title.h"
#include "frm_main.h"
#include "project/project_file.h"
#include "status_panels.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>

namespace vellicor {
namespace {

// More sprite windows than anyone works in side by side.
constexpr std::size_t kMaxEditorsOpenedAtOnce = 32;

const QString kProjectFilter = QStringLiteral("Vellicor Projects (*.vellicor)");
const QString kProjectSuffix = QStringLiteral("vellicor");

} // namespace

void frmMain::ShowError(const QString& text) {
    dialogs_.MessageBox(this, text, QStringLiteral("Error"));
}

bool frmMain::MaybeSaveChanges() {
    if (!document_.IsModified())
        return true;
    const QString question = tr("Save changes to project \"%1\"?").arg(document_.Name());
    switch (dialogs_.AskSaveChanges(this, question)) {
    case SaveChangesAnswer::Save:
        return Save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

bool frmMain::Open() {
    if (!MaybeSaveChanges())
        return false;
    const auto chosen = dialogs_.OpenFileName(this, kProjectFilter);
    return chosen && OpenProjectFile(*chosen);
}

bool frmMain::OpenRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        ShowError(tr("The project \"%1\" no longer exists.").arg(QDir::toNativeSeparators(path)));
        recentProjects_.Remove(path);
        return false;
    }
    return MaybeSaveChanges() && OpenProjectFile(path);
}

bool frmMain::OpenProjectFile(const QString& path) {
    ProjectRead read = LoadProjectFile(path);
    if (!read.project) {
        ShowError(tr("The project \"%1\" could not be opened.\n%2")
                      .arg(QDir::toNativeSeparators(path), read.error));
        return false;
    }
    DropEditors();
    document_.ReplaceProject(read.project->name, std::move(read.project->table),
                             QFileInfo(path).absoluteFilePath());
    ShowReplacedProject();
    recentProjects_.Add(path);
    return true;
}

void frmMain::ShowReplacedProject() {
    RebuildTree();
    dropDownSprite_->setEnabled(true);
    mnuFileNewSprite_->setEnabled(true);
    // The editors it had open open again, as a double-click on each would open them.
    std::vector<int> openEditors = document_.OpenEditors();
    for (const int index : openEditors)
        document_.SetOpen(index, false); // until its window really opens
    // Thousands of windows would take minutes to open and be of no use; the first few open,
    // and the rest wait for a double-click on their nodes.
    const std::size_t opening = std::min(openEditors.size(), kMaxEditorsOpenedAtOnce);
    for (std::size_t i = 0; i < opening; ++i)
        ShowEditor(openEditors[i]);
    if (opening < openEditors.size())
        sbrMain_->SetPanelText(0, tr("Opened %1 of the %2 sprite windows the project had open; "
                                     "the rest are closed.")
                                      .arg(opening)
                                      .arg(openEditors.size()));
}

bool frmMain::Save() {
    if (!document_.HasProject())
        return false;
    if (document_.FilePath().isEmpty())
        return SaveAs();
    return SaveTo(document_.FilePath());
}

bool frmMain::SaveAs() {
    if (!document_.HasProject())
        return false;
    const QString offered = document_.FilePath().isEmpty()
                                ? document_.Name() + QLatin1Char('.') + kProjectSuffix
                                : document_.FilePath();
    const auto chosen = dialogs_.SaveAsFileName(this, kProjectFilter, offered, kProjectSuffix);
    if (!chosen)
        return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + kProjectSuffix;
    return SaveTo(path);
}

bool frmMain::SaveTo(const QString& path) {
    if (const auto reason = SaveProjectFile(path, document_.Name(), document_.Table())) {
        ShowError(tr("The project could not be saved to \"%1\".\n%2")
                      .arg(QDir::toNativeSeparators(path), *reason));
        return false;
    }
    document_.MarkSaved(QFileInfo(path).absoluteFilePath());
    recentProjects_.Add(path);
    return true;
}

void frmMain::UpdateTitle() {
    if (!document_.HasProject()) {
        setWindowTitle(QStringLiteral("Vellicor"));
    } else {
        const QString shown = document_.FilePath().isEmpty()
                                  ? document_.Name()
                                  : QFileInfo(document_.FilePath()).fileName();
        setWindowTitle(LiteralTitle(shown) + QStringLiteral("[*] - Vellicor"));
    }
    setWindowModified(document_.IsModified());
}

void frmMain::BuildRecentMenu() {
    mnuFileRecent_->clear();
    const QStringList paths = recentProjects_.Paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&")); // not an access key
        QAction* action = mnuFileRecent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    if (paths.isEmpty())
        mnuFileRecent_->addAction(tr("No recent projects"))->setEnabled(false);
}

} // namespace vellicor
