#pragma once

#include "dialog_seam.h"
#include "editor/editor_host.h"
#include "model/sprite_table.h"
#include "name_rules.h"

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

namespace vellicor {

class ColourSwatch;
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

    explicit frmMain(DialogSeam& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    // Commands, reachable from the menus, the toolbar and the tree's pop-up menu.
    void NewProject();
    void NewSprite();
    void Compile();
    void ShowAbout();

    // Tree events.
    void TreePopup(Qt::MouseButton button, QPoint globalPosition);
    void OpenSprite();

    // Toolbar and palette events.
    void ButtonClick(const QString& key);
    void ButtonMenuClick(int position);
    void SwatchPress(int index, int button);

    QString ProjectName() const { return projectName_; }
    const std::vector<QPointer<frmSprite>>& EditorWindows() const { return editorWindows_; }
    QAction* ToolbarAction(const QString& key) const { return toolbarActions_.value(key); }
    QMenu* RightClickMenu() const { return mnuRightClick_; }

    // EditorHost
    SpriteTable& Table() override { return spriteTable_; }
    QString SelectedNodeKey() const override;
    QColor ForeColour() const override;
    QColor BackColour() const override;
    void SetCellStatus(const QString& text) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

  private:
    void BuildMenus();
    void BuildToolbar();
    void BuildLeftPanel(QWidget* parent);
    void BuildStatusBar();
    void FitStatusPanels();
    QAction* AddMenuAction(QMenu* menu, const char* name, const QString& caption,
                           const QKeySequence& shortcut = {});
    // Asks for a name and applies the name rules; nullopt when it is not taken.
    std::optional<QString> AskName(const QString& prompt, NameKind kind);

    DialogSeam& dialogs_;
    SpriteTable spriteTable_;
    QString projectName_;
    std::vector<QPointer<frmSprite>> editorWindows_;
    QString lastHeaderName_;

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
    QAction* mnuFileNewSprite_ = nullptr;
    QAction* mnuRightClickSpriteArray_ = nullptr;
    QAction* mnuRightClickSprite_ = nullptr;
};

} // namespace vellicor
