// Building the main window's controls: menus, toolbar, left panel and status bar.
#include "artwork.h"
#include "colour_swatch.h"
#include "editor/frm_sprite.h"
#include "editor/qt_colour.h"
#include "frm_main.h"
#include "header_dock.h"
#include "model/colour_table.h"
#include "status_panels.h"

#include <QAction>
#include <QFontDatabase>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoGroup>

namespace vellicor {

QAction* frmMain::AddMenuAction(QMenu* menu, const char* name, const QString& caption,
                                const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

void frmMain::AddImportAction(QMenu* menu, const char* name, const QString& caption,
                              void (frmMain::*command)()) {
    QAction* action = AddMenuAction(menu, name, caption);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, command);
    // Like New Sprite, an import needs a project to add to.
    connect(&document_, &ProjectDocument::IdentityChanged, action,
            [this, action] { action->setEnabled(document_.HasProject()); });
}

void frmMain::BuildMenus() {
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QMenu* mnuFileNew = mnuFile->addMenu(tr("&New"));
    mnuFileNew->setObjectName(QStringLiteral("mnuFileNew"));
    QAction* newProject = AddMenuAction(mnuFileNew, "mnuFileNewProject", tr("&Project"));
    connect(newProject, &QAction::triggered, this, &frmMain::NewProject);
    AddMenuAction(mnuFileNew, "mnuFileNewSpriteArray", tr("Sprite &Array"),
                  QKeySequence(Qt::CTRL | Qt::Key_R))
        ->setEnabled(false);
    mnuFileNewSprite_ = AddMenuAction(mnuFileNew, "mnuFileNewSprite", tr("&Sprite"),
                                      QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileNewSprite_->setEnabled(false);
    connect(mnuFileNewSprite_, &QAction::triggered, this, &frmMain::NewSprite);
    QAction* open =
        AddMenuAction(mnuFile, "mnuFileOpen", tr("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, &frmMain::Open);
    mnuFileRecent_ = mnuFile->addMenu(tr("Open &Recent"));
    mnuFileRecent_->setObjectName(QStringLiteral("mnuFileRecent"));
    connect(mnuFileRecent_, &QMenu::aboutToShow, this, &frmMain::BuildRecentMenu);
    QAction* save =
        AddMenuAction(mnuFile, "mnuFileSave", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &frmMain::Save);
    QAction* saveAs = AddMenuAction(mnuFile, "mnuFileSaveAs", tr("Save &As..."),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, this, &frmMain::SaveAs);
    AddImportAction(mnuFile, "mnuFileImportPng", tr("&Import PNG..."), &frmMain::ImportPng);
    AddImportAction(mnuFile, "mnuFileImportHeader", tr("Import &Header..."),
                    &frmMain::ImportHeader);
    mnuFileExportPng_ = AddMenuAction(mnuFile, "mnuFileExportPng", tr("&Export PNG..."));
    mnuFileExportPng_->setEnabled(false); // follows the active editor
    connect(mnuFileExportPng_, &QAction::triggered, this, &frmMain::ExportPng);
    QAction* exit = AddMenuAction(mnuFile, "mnuFileExit", tr("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    BuildEditMenu();
    BuildViewMenu();

    QMenu* mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* about = AddMenuAction(mnuHelp, "mnuHelpAbout", tr("&About"));
    connect(about, &QAction::triggered, this, &frmMain::ShowAbout);

    mnuRightClick_ = menuBar()->addMenu(QStringLiteral("rightclick"));
    mnuRightClick_->setObjectName(QStringLiteral("mnuRightClick"));
    QAction* popupProject =
        AddMenuAction(mnuRightClick_, "mnuRightClickProject", tr("New &Project"));
    connect(popupProject, &QAction::triggered, this, &frmMain::NewProject);
    mnuRightClickSpriteArray_ =
        AddMenuAction(mnuRightClick_, "mnuRightClickSpriteArray", tr("New Sprite &Array"));
    mnuRightClickSpriteArray_->setEnabled(false);
    mnuRightClickSprite_ = AddMenuAction(mnuRightClick_, "mnuRightClickSprite", tr("New &Sprite"));
    connect(mnuRightClickSprite_, &QAction::triggered, this, &frmMain::NewSprite);
}

void frmMain::BuildEditMenu() {
    QMenu* mnuEdit = menuBar()->addMenu(tr("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    // The group names the step: "Undo Paint", "Redo Size 16".
    QAction* undo = undoGroup_->createUndoAction(mnuEdit, tr("&Undo"));
    undo->setObjectName(QStringLiteral("mnuEditUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = undoGroup_->createRedoAction(mnuEdit, tr("&Redo"));
    redo->setObjectName(QStringLiteral("mnuEditRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuEdit->addAction(undo);
    mnuEdit->addAction(redo);
}

void frmMain::BuildViewMenu() {
    QMenu* mnuView = menuBar()->addMenu(tr("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuViewPixelGrid_ = mnuView->addAction(tr("Pixel &Grid"));
    mnuViewPixelGrid_->setObjectName(QStringLiteral("mnuViewPixelGrid"));
    mnuViewPixelGrid_->setCheckable(true);
    mnuViewPixelGrid_->setChecked(QSettings().value(QStringLiteral("view/pixelGrid")).toBool());
    connect(mnuViewPixelGrid_, &QAction::toggled, this, [this](bool shown) {
        QSettings().setValue(QStringLiteral("view/pixelGrid"), shown);
        for (const QPointer<frmSprite>& window : editorWindows_) {
            if (window)
                window->ShowGrid();
        }
    });
    // The header beside the workspace, hidden until asked for, as the user last left it.
    headerDock_ = new HeaderDock(document_, this);
    addDockWidget(Qt::RightDockWidgetArea, headerDock_);
    // Room for most of a line without crowding the sprite windows.
    const QFontMetrics fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    resizeDocks({headerDock_}, {fixed.horizontalAdvance(QLatin1Char('0')) * 56}, Qt::Horizontal);
    headerDock_->setVisible(QSettings().value(QStringLiteral("view/header")).toBool());
    QAction* header = headerDock_->toggleViewAction();
    header->setObjectName(QStringLiteral("mnuViewHeader"));
    header->setText(tr("&Header"));
    // Kept when the user shows or hides it; closing the window hides it too, which is no choice.
    connect(header, &QAction::triggered, this,
            [](bool shown) { QSettings().setValue(QStringLiteral("view/header"), shown); });
    connect(headerDock_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (!shown && isVisible() && headerDock_->isHidden())
            QSettings().setValue(QStringLiteral("view/header"), false);
    });
    mnuView->addAction(header);
    connect(&document_, &ProjectDocument::StepCompleted, headerDock_, &HeaderDock::RefreshSprite);
    connect(&document_, &ProjectDocument::IdentityChanged, headerDock_, &HeaderDock::RefreshAll);
    connect(&document_, &ProjectDocument::SpritesAdded, headerDock_, [this](int first, int count) {
        if (count == 1)
            headerDock_->RefreshSprite(first);
        else
            headerDock_->RefreshAll();
    });
    connect(&document_, &ProjectDocument::SpritesRemoved, headerDock_, &HeaderDock::RefreshAll);
}

bool frmMain::PixelGrid() const {
    return mnuViewPixelGrid_->isChecked();
}

void frmMain::BuildToolbar() {
    tbrMain_ = addToolBar(tr("Toolbar"));
    tbrMain_->setObjectName(QStringLiteral("tbrMain"));
    tbrMain_->setMovable(false);
    tbrMain_->setFloatable(false);
    tbrMain_->setIconSize(QSize(16, 16));
    tbrMain_->setFixedHeight(24);
    tbrMain_->setContextMenuPolicy(Qt::PreventContextMenu);

    struct Button {
        const char* key;
        const char* tip;
        bool tool;
    };
    static constexpr Button kButtons[] = {
        {"new", "New", false},      {"open", "Open", false},          {"save", "Save", false},
        {nullptr, nullptr, false},  {"pencil", "Pencil", true},       {"eraser", "Eraser", true},
        {"circle", "Circle", true}, {"rectangle", "Rectangle", true}, {"fill", "Fill", true},
        {nullptr, nullptr, false},  {"compile", "Compile", false},
    };
    for (const Button& button : kButtons) {
        if (button.key == nullptr) {
            tbrMain_->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(button.key);
        const QString tip = QString::fromLatin1(button.tip);
        QAction* action = tbrMain_->addAction(ToolbarIcon(tip), tip);
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(tip);
        action->setCheckable(button.tool);
        connect(action, &QAction::triggered, this, [this, key] { ButtonClick(key); });
        toolbarActions_.insert(key, action);
    }

    // The "new" button's drop-down, whose items act by position.
    QAction* newButton = ToolbarAction(QStringLiteral("new"));
    auto* dropDown = new QMenu(this);
    dropDown->setObjectName(QStringLiteral("tbrMainNewMenu"));
    QAction* spriteArray = dropDown->addAction(tr("Sprite Array"));
    spriteArray->setData(QStringLiteral("sprite array"));
    spriteArray->setEnabled(false);
    dropDownSprite_ = dropDown->addAction(tr("Sprite"));
    dropDownSprite_->setData(QStringLiteral("sprite"));
    dropDownSprite_->setEnabled(false);
    const QList<QAction*> items = dropDown->actions();
    for (int i = 0; i < items.size(); ++i)
        connect(items[i], &QAction::triggered, this, [this, i] { ButtonMenuClick(i + 1); });
    newButton->setMenu(dropDown);
    if (auto* button = qobject_cast<QToolButton*>(tbrMain_->widgetForAction(newButton)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
}

void frmMain::BuildLeftPanel(QWidget* parent) {
    auto* picture1 = new QWidget(parent);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setFixedWidth(124);
    parent->layout()->addWidget(picture1);

    tvMain_ = new QTreeWidget(picture1);
    tvMain_->setObjectName(QStringLiteral("tvMain"));
    tvMain_->setGeometry(8, 8, 105, 169);
    tvMain_->setHeaderHidden(true);
    tvMain_->setColumnCount(1);
    tvMain_->setIndentation(12);
    tvMain_->setIconSize(QSize(16, 16));
    tvMain_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A right press anywhere on the tree, its scroll bars included, opens the tree's pop-up.
    for (QWidget* part : {static_cast<QWidget*>(tvMain_), tvMain_->viewport(),
                          static_cast<QWidget*>(tvMain_->verticalScrollBar()),
                          static_cast<QWidget*>(tvMain_->horizontalScrollBar())}) {
        part->setContextMenuPolicy(Qt::PreventContextMenu);
        part->installEventFilter(this);
    }

    auto* picture6 = new QWidget(picture1);
    picture6->setObjectName(QStringLiteral("Picture6"));
    picture6->setGeometry(32, 184, 49, 49);
    picture6->setAutoFillBackground(true);
    QPalette grey = picture6->palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    picture6->setPalette(grey);

    picBack_ = new ColourSwatch(Qt::white, picture6);
    picBack_->setObjectName(QStringLiteral("picBack"));
    picBack_->move(16, 16);
    picFore_ = new ColourSwatch(Qt::black, picture6);
    picFore_->setObjectName(QStringLiteral("picFore"));
    picFore_->move(8, 8);
    picFore_->raise(); // the left button's colour sits in front, as in most paint programs

    static constexpr QPoint kSwatchPlaces[kPaletteSize] = {
        {24, 240}, {40, 240}, {56, 240}, {72, 240}, {24, 256}};
    for (int i = 0; i < kPaletteSize; ++i) {
        auto* swatch = new ColourSwatch(ToQColor(kPaletteColours[i]), picture1);
        swatch->setObjectName(QStringLiteral("Picture2"));
        swatch->setProperty("index", i);
        swatch->move(kSwatchPlaces[i]);
        connect(swatch, &ColourSwatch::Pressed, this,
                [this, i](Qt::MouseButton button) { SwatchPress(i, button); });
        picture2_[static_cast<std::size_t>(i)] = swatch;
    }
}

void frmMain::BuildStatusBar() {
    sbrMain_ = new StatusPanels(this);
    sbrMain_->setObjectName(QStringLiteral("sbrMain"));
    setStatusBar(sbrMain_);
}

} // namespace vellicor
