#include "frm_main.h"

#include "artwork.h"
#include "colour_swatch.h"
#include "current_colours.h"
#include "editor/literal_title.h"
#include "file_drops.h"
#include "frm_about.h"
#include "header_dock.h"
#include "image_commands.h"
#include "journal/recovery_store.h"
#include "project_tree.h"
#include "sheet_commands.h"
#include "sprite_list_commands.h"
#include "sprite_windows.h"
#include "status_panels.h"
#include "tool_actions.h"
#include "undo_router.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

namespace vellicor {

frmMain::frmMain(DialogSeam& dialogs, const QString& recoveryFolder, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), colours_(new CurrentColours(this)),
      tools_(new ToolActions(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vellicor"));
    setWindowIcon(
        QIcon::fromTheme(QStringLiteral(VELLICOR_APP_ID), TreeIcon(QStringLiteral("Item"))));

    auto* centre = new QWidget(this);
    auto* layout = new QHBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildLeftPanel(centre);
    mdiArea_ = new QMdiArea(centre);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    tools_->AddKeys(mdiArea_);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(centre);

    editors_ = new SpriteWindows(*this, *tvMain_, *mdiArea_, this);
    undo_ = new UndoRouter(document_, *tvMain_, *editors_, this);
    projects_ = new ProjectCommands(dialogs, document_, *tvMain_, *editors_, this);
    sprites_ = new SpriteCommands(dialogs, document_, *editors_, *undo_, this);
    list_ = new SpriteListCommands(dialogs, document_, *tvMain_, *editors_, *undo_, this);
    sheets_ = new SheetCommands(dialogs, document_, *tvMain_, *editors_, *undo_, this);
    new FileDrops(dialogs, document_, *projects_, *sprites_, *sheets_, this);
    BuildMenus();
    new ImageCommands(document_, *editors_, *mdiArea_, *menuBar(), this);
    BuildToolbar();
    sbrMain_ = new StatusPanels(this);
    sbrMain_->setObjectName(QStringLiteral("sbrMain"));
    setStatusBar(sbrMain_);
    // The designed size is that of the inside below the menu bar.
    resize(717, 568 + menuBar()->sizeHint().height());

    // Start-up: the pencil is the current tool, and the pop-up menu leaves the menu bar.
    tools_->Select(Tool::Pencil);
    mnuRightClick_->menuAction()->setVisible(false);

    connect(&document_, &ProjectDocument::ModifiedChanged, this, &frmMain::UpdateTitle);
    connect(&document_, &ProjectDocument::IdentityChanged, this, &frmMain::UpdateTitle);
    connect(editors_, &SpriteWindows::ActiveChanged, this, &frmMain::FollowActiveEditor);
    // Undo took sprites out: their windows close and their nodes go.
    connect(&document_, &ProjectDocument::SpritesRemoved, this, [this](int first) {
        undo_->KeepSource([this, first] {
            editors_->CloseFrom(first);
            tvMain_->DropNodesFrom(first);
        });
        FollowActiveEditor();
    });
    const auto note = [this](const QString& text) { sbrMain_->SetPanelText(0, text); };
    connect(projects_, &ProjectCommands::Note, this, note);
    connect(list_, &SpriteListCommands::Note, this, note);
    recovery_ = new RecoveryCommands(
        dialogs, document_, *projects_,
        recoveryFolder.isEmpty() ? RecoveryStore::DefaultFolder() : recoveryFolder, this);
}

frmMain::~frmMain() {
    // The editors close while their project is still there to be told.
    editors_->CloseAll();
    disconnect(mdiArea_, nullptr, editors_, nullptr);
    disconnect(qApp, nullptr, undo_, nullptr); // the focus leaves as the window goes
}

const std::vector<QPointer<frmSprite>>& frmMain::EditorWindows() const {
    return editors_->Windows();
}

void frmMain::FollowActiveEditor() {
    const auto index = editors_->ActiveSprite();
    mnuFileExportPng_->setEnabled(index.has_value());
    undo_->Follow();
    headerDock_->SetActiveSprite(index.value_or(-1));
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

void frmMain::closeEvent(QCloseEvent* event) {
    if (!projects_->AllowClose()) {
        event->ignore();
        return;
    }
    editors_->CloseAll();
    event->accept();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A maximised editor hands its own modified flag to the main window, and takes it back
    // when it is restored or closed; the title's mark follows the project all the same.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != document_.IsModified())
        setWindowModified(document_.IsModified());
}

QMenu* frmMain::createPopupMenu() {
    // The toolbar is fixed in place: there is nothing to show or hide.
    return nullptr;
}

void frmMain::SwatchPress(int index, Qt::MouseButton button) {
    if (index >= 0 && index < kPaletteSize)
        colours_->Set(button, picture2_[static_cast<std::size_t>(index)]->Colour());
}

QString frmMain::SelectedNodeKey() const {
    return tvMain_->SelectedKey();
}

QColor frmMain::ForeColour() const {
    return colours_->For(Qt::LeftButton);
}

QColor frmMain::BackColour() const {
    return colours_->For(Qt::RightButton);
}

void frmMain::SetCellStatus(const QString& text) {
    sbrMain_->SetPanelText(1, text);
}

Tool frmMain::CurrentTool() const {
    return tools_->Current();
}

void frmMain::PickColour(Qt::MouseButton button, const QColor& colour) {
    colours_->Set(button, colour);
}

bool frmMain::PixelGrid() const {
    return mnuViewPixelGrid_->isChecked();
}

} // namespace vellicor
