#pragma once

#include "dialog_seam.h"
#include "document/journal_keeper.h"
#include "document/project_document.h"
#include "editor/editor_host.h"
#include "model/name_rules.h"
#include "recent_projects.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <optional>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QUndoGroup;
class QUndoStack;

namespace vellicor {

class ColourSwatch;
class HeaderDock;
class StatusPanels;
class frmSprite;

// The application frame: menus, toolbar, project tree, palette, status bar and the area in
// which the sprite editors live. It owns the project's sprite table.
class frmMain : public QMainWindow, public EditorHost {
    Q_OBJECT
  public:
    static constexpr int kPaletteSize = 5;
    // Roles of tree node data: the node's key and whether it is the project or a sprite.
    static constexpr int kKeyRole = Qt::UserRole;
    static constexpr int kNodeKindRole = Qt::UserRole + 1;
    enum class NodeKind { Project = 1, Sprite = 2 };

    // `recoveryFolder` holds the recovery journals; empty for the user's data folder.
    explicit frmMain(DialogSeam& dialogs, const QString& recoveryFolder = QString(),
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // Commands, reachable from the menus, the toolbar and the tree's pop-up menu.
    void NewProject();
    void NewSprite();
    void Compile();
    void ShowAbout();
    // A new sprite from a small image; the active editor's sprite as a PNG file.
    void ImportPng();
    void ExportPng();
    // Adds the sprites of a header file, as the export writes it, to the project.
    void ImportHeader();
    // Asks about unsaved changes first; each returns whether the project was opened or saved.
    bool Open();
    bool OpenRecent(const QString& path);
    bool Save();
    bool SaveAs();
    // Opens a project file without asking about the current one (start-up, after the question).
    bool OpenProjectFile(const QString& path);
    // Asks whether to save a modified project before it is thrown away; false means stop.
    bool MaybeSaveChanges();
    // The desktop session is ending: asks as closing would; false means keep the session.
    bool AllowSessionEnd();
    // At start-up: offers the work of an instance that did not close normally.
    void RecoverUnsavedWork();
    // Once the window shows: recovery first, then the project named on the command line.
    void FinishStartUp(const QString& projectFile);

    // Tree events.
    void TreePopup(Qt::MouseButton button, QPoint globalPosition);
    void OpenSprite();

    // Toolbar and palette events.
    void ButtonClick(const QString& key);
    void ButtonMenuClick(int position);
    void SwatchPress(int index, Qt::MouseButton button);

    QString ProjectName() const { return document_.Name(); }
    const ProjectDocument& Document() const { return document_; }
    const SpriteTable& Table() const { return document_.Table(); }
    const std::vector<QPointer<frmSprite>>& EditorWindows() const { return editorWindows_; }
    QAction* ToolbarAction(const QString& key) const { return toolbarActions_.value(key); }
    QMenu* RightClickMenu() const { return mnuRightClick_; }

    // EditorHost
    ProjectDocument& Document() override { return document_; }
    QString SelectedNodeKey() const override;
    QColor ForeColour() const override;
    QColor BackColour() const override;
    void SetCellStatus(const QString& text) override;
    void EditorClosed() override { FollowActiveEditor(); }
    Tool CurrentTool() const override;
    void SelectTool(Tool tool) override;
    void PickColour(Qt::MouseButton button, const QColor& colour) override;
    bool PixelGrid() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

  private:
    void BuildMenus();
    void BuildToolbar();
    void BuildLeftPanel(QWidget* parent);
    void BuildStatusBar();
    void FitStatusPanels();
    void BuildRecentMenu();
    void BuildEditMenu();
    void BuildViewMenu();
    // A command that adds sprites from a file to the project, enabled while there is one.
    void AddImportAction(QMenu* menu, const char* name, const QString& caption,
                         void (frmMain::*command)());
    // Undo and redo act on what the user is looking at: the active editor's sprite or, from
    // the tree, the selected sprite while its editor is open; otherwise the project's history
    // of added sprites.
    void FollowActiveEditor();
    QUndoStack* UndoTarget(std::optional<int> activeSprite);
    // The sprite of the tree's selected node, if a sprite's node is selected.
    std::optional<int> SelectedSprite() const;
    // Keeps the tree, the editors and the undo target in step with sprites added and taken
    // out, by commands or by undo and redo.
    void FollowSpriteList();
    // Closes and lets go of the editors and nodes of the sprites from `first` on.
    void DropSpritesFrom(int first);
    // The sprite of the active editor window, while that window is open.
    std::optional<int> ActiveSprite() const;
    // Says so when the project cannot take one more sprite.
    bool HasRoomForSprite();
    // Shows a project that replaced the current one: its tree and the editors it had open.
    void ShowReplacedProject();
    void UpdateTitle();
    // Makes the sprite's node the selected one, then loads and shows its editor window.
    void ShowEditor(int index);
    // Closes the open editors of the current project and lets go of its windows.
    void DropEditors();
    // The tree for the current project: the project node, selected, and one node per sprite.
    void RebuildTree();
    QTreeWidgetItem* AddSpriteNode(int index);
    bool SaveTo(const QString& path);
    void ShowError(const QString& text);
    QAction* AddMenuAction(QMenu* menu, const char* name, const QString& caption,
                           const QKeySequence& shortcut = {});
    // Asks for a name and applies the name rules; nullopt when it is not taken.
    std::optional<QString> AskName(const QString& prompt, NameKind kind);

    DialogSeam& dialogs_;
    ProjectDocument document_;
    RecentProjects recentProjects_;
    JournalKeeper* journalKeeper_ = nullptr;
    QUndoGroup* undoGroup_ = nullptr;
    // Set when the user already answered for the current changes as the session ended, so
    // the close that follows does not ask again.
    bool changesSettled_ = false;
    // The project tree had the focus more recently than an editor: undo follows its selection.
    bool undoFromTree_ = false;
    std::vector<QPointer<frmSprite>> editorWindows_;
    QString lastHeaderName_;
    QString lastPngName_;
    int lastPngScale_ = 1;

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* tbrMain_ = nullptr;
    QHash<QString, QAction*> toolbarActions_;
    QAction* dropDownSprite_ = nullptr;
    StatusPanels* sbrMain_ = nullptr;
    QTreeWidget* tvMain_ = nullptr;
    ColourSwatch* picFore_ = nullptr;
    ColourSwatch* picBack_ = nullptr;
    std::array<ColourSwatch*, kPaletteSize> picture2_{};
    QMenu* mnuRightClick_ = nullptr;
    QMenu* mnuFileRecent_ = nullptr;
    QAction* mnuViewPixelGrid_ = nullptr;
    HeaderDock* headerDock_ = nullptr;
    QAction* mnuFileNewSprite_ = nullptr;
    QAction* mnuFileExportPng_ = nullptr;
    QAction* mnuRightClickSpriteArray_ = nullptr;
    QAction* mnuRightClickSprite_ = nullptr;
};

} // namespace vellicor
