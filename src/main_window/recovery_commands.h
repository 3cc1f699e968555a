#pragma once

#include <QObject>

namespace vellicor {

class DialogSeam;
class JournalKeeper;
class ProjectCommands;
class ProjectDocument;

// Crash recovery as the window sees it: the journal kept while the project holds unsaved work,
// and at start-up the offer to bring back the work of an instance that did not close normally.
class RecoveryCommands : public QObject {
    Q_OBJECT
  public:
    // `folder` holds the recovery journals.
    RecoveryCommands(DialogSeam& dialogs, ProjectDocument& document, ProjectCommands& projects,
                     const QString& folder, QWidget* window);

    // Once the window shows: recovery first, then the project named on the command line.
    void FinishStartUp(const QString& projectFile);
    // Offers the work of an instance that did not close normally.
    void RecoverUnsavedWork();

  private:
    DialogSeam& dialogs_;
    ProjectCommands& projects_;
    QWidget* window_;
    JournalKeeper* journalKeeper_;
};

} // namespace vellicor
