#include "frm_main.h"

#include "artwork.h"
#include "colour_swatch.h"
#include "editor/frm_sprite.h"
#include "frm_about.h"
#include "status_panels.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSessionManager>
#include <QTreeWidget>
#include <QUndoGroup>

namespace vellicor {

frmMain::frmMain(DialogSeam& dialogs, const QString& recoveryFolder, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmMain"));
    undoGroup_ = new QUndoGroup(this);
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
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(centre);

    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    // The designed size is that of the inside below the menu bar.
    resize(717, 568 + menuBar()->sizeHint().height());

    // Start-up: the pencil is the current tool, the pop-up menu leaves the menu bar, and the
    // sprite table holds its one spare record.
    ToolbarAction(QStringLiteral("pencil"))->setChecked(true);
    mnuRightClick_->menuAction()->setVisible(false);
    // The table already holds its one spare record.

    connect(&document_, &ProjectDocument::ModifiedChanged, this, &frmMain::UpdateTitle);
    connect(&document_, &ProjectDocument::IdentityChanged, this, &frmMain::UpdateTitle);
    connect(&document_, &ProjectDocument::StepCompleted, this, [this] { changesSettled_ = false; });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &frmMain::FollowActiveEditor);
    FollowSpriteList();
    journalKeeper_ = new JournalKeeper(
        document_, recoveryFolder.isEmpty() ? RecoveryStore::DefaultFolder() : recoveryFolder,
        this);
    connect(journalKeeper_, &JournalKeeper::Failed, this, [this](const QString& reason) {
        ShowError(tr("Unsaved changes cannot be kept safe from a crash.\n%1").arg(reason));
    });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!manager.allowsInteraction())
            return;
        const bool endSession = AllowSessionEnd();
        manager.release();
        if (!endSession)
            manager.cancel();
    });
}

bool frmMain::AllowSessionEnd() {
    changesSettled_ = MaybeSaveChanges();
    return changesSettled_;
}

frmMain::~frmMain() {
    // The editors close while their project is still there to be told.
    mdiArea_->closeAllSubWindows();
    disconnect(mdiArea_, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr); // the focus leaves as the window goes
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitStatusPanels();
}

void frmMain::FitStatusPanels() {
    // Panel 1 takes what panels 2 and 3 leave of the window's outer width. A value the bar
    // refuses (a window narrower than those two panels) leaves panel 1 as it was.
    const int width = frameGeometry().width() - sbrMain_->PanelWidth(1) - sbrMain_->PanelWidth(2);
    sbrMain_->SetPanelWidth(0, width);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!changesSettled_ && !MaybeSaveChanges()) {
        event->ignore();
        return;
    }
    mdiArea_->closeAllSubWindows();
    event->accept();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A maximised editor hands its own modified flag to the main window, and takes it back
    // when it is restored or closed; the title's mark follows the project all the same.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != document_.IsModified())
        setWindowModified(document_.IsModified());
}

void frmMain::ShowAbout() {
    frmAbout about(this);
    dialogs_.ShowModal(about);
}

QString frmMain::SelectedNodeKey() const {
    const QTreeWidgetItem* selected = tvMain_->currentItem();
    return selected == nullptr ? QString() : selected->data(0, kKeyRole).toString();
}

QColor frmMain::ForeColour() const {
    return picFore_->Colour();
}

QColor frmMain::BackColour() const {
    return picBack_->Colour();
}

void frmMain::SetCellStatus(const QString& text) {
    sbrMain_->SetPanelText(1, text);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const bool onTree = watched == tvMain_ || watched == tvMain_->viewport() ||
                        watched == tvMain_->verticalScrollBar() ||
                        watched == tvMain_->horizontalScrollBar();
    if (onTree && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // The pop-up is the same wherever the press lands, and selects nothing.
            TreePopup(mouse->button(), mouse->globalPosition().toPoint());
            return true;
        }
    } else if (watched == tvMain_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            OpenSprite();
    }
    return QMainWindow::eventFilter(watched, event);
}

QMenu* frmMain::createPopupMenu() {
    // The toolbar is fixed in place: there is nothing to show or hide.
    return nullptr;
}

} // namespace vellicor
