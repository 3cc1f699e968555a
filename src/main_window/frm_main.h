#pragma once

#include "dialog_seam.h"
#include "document/project_document.h"
#include "editor/editor_host.h"
#include "project_commands.h"
#include "recovery_commands.h"
#include "sprite_commands.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;

namespace vellicor {

class ColourSwatch;
class CurrentColours;
class HeaderDock;
class ProjectTree;
class SheetCommands;
class SpriteListCommands;
class SpriteWindows;
class StatusPanels;
class ToolActions;
class UndoRouter;
class frmSprite;

// The application frame: menus, toolbar, project tree, palette, status bar and the workspace in
// which the sprite editors live. It lays these out and wires them to the objects that do the
// work: the project, the tree, the editor windows, the commands, the tool and colour state and
// the undo routing. It hosts the editors.
class frmMain : public QMainWindow, public EditorHost {
    Q_OBJECT
  public:
    static constexpr int kPaletteSize = 5;

    // `recoveryFolder` holds the recovery journals; empty for the user's data folder.
    explicit frmMain(DialogSeam& dialogs, const QString& recoveryFolder = QString(),
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // The commands, as the menus, the toolbar and the tree's pop-up menu run them.
    void NewProject() { projects_->NewProject(); }
    void NewSprite() { sprites_->NewSprite(); }
    void Compile() { sprites_->Compile(); }
    bool Open() { return projects_->Open(); }
    bool Save() { return projects_->Save(); }
    bool SaveAs() { return projects_->SaveAs(); }
    bool AllowSessionEnd() { return projects_->AllowSessionEnd(); }
    void RecoverUnsavedWork() { recovery_->RecoverUnsavedWork(); }
    void FinishStartUp(const QString& projectFile) { recovery_->FinishStartUp(projectFile); }
    // A press on palette swatch `index`: the left or right button takes its colour.
    void SwatchPress(int index, Qt::MouseButton button);

    QString ProjectName() const { return document_.Name(); }
    const ProjectDocument& Document() const { return document_; }
    const SpriteTable& Table() const { return document_.Table(); }
    const std::vector<QPointer<frmSprite>>& EditorWindows() const;
    QAction* ToolbarAction(const QString& key) const { return findChild<QAction*>(key); }
    QMenu* RightClickMenu() const { return mnuRightClick_; }

    // EditorHost
    ProjectDocument& Document() override { return document_; }
    QString SelectedNodeKey() const override;
    QColor ForeColour() const override;
    QColor BackColour() const override;
    void SetCellStatus(const QString& text) override;
    void EditorClosed() override { FollowActiveEditor(); }
    Tool CurrentTool() const override;
    void PickColour(Qt::MouseButton button, const QColor& colour) override;
    bool PixelGrid() const override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMenu* createPopupMenu() override;

  private:
    void BuildMenus();
    void BuildEditMenu();
    void BuildViewMenu();
    void BuildToolbar();
    void BuildLeftPanel(QWidget* parent);
    // Export, the header's highlight and undo follow the active editor.
    void FollowActiveEditor();
    void UpdateTitle();

    DialogSeam& dialogs_;
    ProjectDocument document_;
    CurrentColours* colours_ = nullptr;
    ToolActions* tools_ = nullptr;
    ProjectTree* tvMain_ = nullptr;
    SpriteWindows* editors_ = nullptr;
    UndoRouter* undo_ = nullptr;
    ProjectCommands* projects_ = nullptr;
    SpriteCommands* sprites_ = nullptr;
    SpriteListCommands* list_ = nullptr;
    SheetCommands* sheets_ = nullptr;
    RecoveryCommands* recovery_ = nullptr;

    QMdiArea* mdiArea_ = nullptr;
    StatusPanels* sbrMain_ = nullptr;
    HeaderDock* headerDock_ = nullptr;
    std::array<ColourSwatch*, kPaletteSize> picture2_{};
    QMenu* mnuRightClick_ = nullptr;
    QAction* mnuViewPixelGrid_ = nullptr;
    QAction* mnuFileExportPng_ = nullptr;
};

} // namespace vellicor
