#include "file_menu.h"

#include "menu_actions.h"
#include "project_commands.h"
#include "sheet_commands.h"
#include "sprite_commands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace vellicor {

QAction* BuildFileMenu(QMenuBar& bar, const ProjectDocument& document,
                       const FileMenuCommands& commands, QWidget& window) {
    ProjectCommands* projects = &commands.projects;
    SpriteCommands* sprites = &commands.sprites;
    SheetCommands* sheets = &commands.sheets;
    QMenu* mnuFile = bar.addMenu(QObject::tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QMenu* mnuFileNew = mnuFile->addMenu(QObject::tr("&New"));
    mnuFileNew->setObjectName(QStringLiteral("mnuFileNew"));
    QObject::connect(AddMenuAction(mnuFileNew, "mnuFileNewProject", QObject::tr("&Project")),
                     &QAction::triggered, projects, &ProjectCommands::NewProject);
    AddMenuAction(mnuFileNew, "mnuFileNewSpriteArray", QObject::tr("Sprite &Array"),
                  QKeySequence(Qt::CTRL | Qt::Key_R))
        ->setEnabled(false);
    QObject::connect(
        NeedsProject(document, AddMenuAction(mnuFileNew, "mnuFileNewSprite", QObject::tr("&Sprite"),
                                             QKeySequence(Qt::CTRL | Qt::Key_N))),
        &QAction::triggered, sprites, &SpriteCommands::NewSprite);
    QObject::connect(AddMenuAction(mnuFile, "mnuFileOpen", QObject::tr("&Open"),
                                   QKeySequence(Qt::CTRL | Qt::Key_O)),
                     &QAction::triggered, projects, &ProjectCommands::Open);
    QMenu* mnuFileRecent = mnuFile->addMenu(QObject::tr("Open &Recent"));
    mnuFileRecent->setObjectName(QStringLiteral("mnuFileRecent"));
    QObject::connect(mnuFileRecent, &QMenu::aboutToShow, projects,
                     [projects, mnuFileRecent] { projects->ListRecent(mnuFileRecent); });
    QObject::connect(AddMenuAction(mnuFile, "mnuFileSave", QObject::tr("&Save"),
                                   QKeySequence(Qt::CTRL | Qt::Key_S)),
                     &QAction::triggered, projects, &ProjectCommands::Save);
    QObject::connect(AddMenuAction(mnuFile, "mnuFileSaveAs", QObject::tr("Save &As..."),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
                     &QAction::triggered, projects, &ProjectCommands::SaveAs);
    mnuFile->addSeparator();
    const auto needsProject = [&](const char* name, const QString& caption) {
        return NeedsProject(document, AddMenuAction(mnuFile, name, caption));
    };
    QObject::connect(needsProject("mnuFileImportPng", QObject::tr("&Import PNG...")),
                     &QAction::triggered, sprites, &SpriteCommands::ImportPng);
    QObject::connect(needsProject("mnuFileImportSheet", QObject::tr("Import Sprite Shee&t...")),
                     &QAction::triggered, sheets, &SheetCommands::ImportSheet);
    QObject::connect(needsProject("mnuFileImportHeader", QObject::tr("Import &Header...")),
                     &QAction::triggered, sprites, &SpriteCommands::ImportHeader);
    QAction* exportPng = AddMenuAction(mnuFile, "mnuFileExportPng", QObject::tr("&Export PNG..."));
    exportPng->setEnabled(false); // follows the active editor
    QObject::connect(exportPng, &QAction::triggered, sprites, &SpriteCommands::ExportPng);
    QObject::connect(needsProject("mnuFileExportSheet", QObject::tr("Ex&port Sprite Sheet...")),
                     &QAction::triggered, sheets, &SheetCommands::ExportSheet);
    mnuFile->addSeparator();
    QObject::connect(AddMenuAction(mnuFile, "mnuFileExit", QObject::tr("E&xit")),
                     &QAction::triggered, &window, &QWidget::close);
    return exportPng;
}

} // namespace vellicor
