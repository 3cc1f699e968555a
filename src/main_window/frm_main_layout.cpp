// Building the main window's controls: menus, toolbar and the left panel, each wired to the
// object that acts on it.
#include "artwork.h"
#include "colour_swatch.h"
#include "current_colours.h"
#include "edit_commands.h"
#include "editor/qt_colour.h"
#include "file_menu.h"
#include "frm_about.h"
#include "frm_main.h"
#include "header_dock.h"
#include "menu_actions.h"
#include "model/colour_table.h"
#include "previews.h"
#include "project_tree.h"
#include "sprite_list_commands.h"
#include "sprite_windows.h"
#include "tool_actions.h"
#include "undo_router.h"
#include "view_workspace.h"

#include <QAction>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>
#include <QUndoGroup>

namespace vellicor {

void frmMain::BuildMenus() {
    mnuFileExportPng_ =
        BuildFileMenu(*menuBar(), document_, {*projects_, *sprites_, *sheets_}, *this);

    BuildEditMenu();
    list_->AddMenu(menuBar());
    BuildViewMenu();

    QMenu* mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    connect(AddMenuAction(mnuHelp, "mnuHelpAbout", tr("&About")), &QAction::triggered, this,
            [this] {
                frmAbout about(this);
                dialogs_.ShowModal(about);
            });

    mnuRightClick_ = menuBar()->addMenu(QStringLiteral("rightclick"));
    mnuRightClick_->setObjectName(QStringLiteral("mnuRightClick"));
    connect(AddMenuAction(mnuRightClick_, "mnuRightClickProject", tr("New &Project")),
            &QAction::triggered, projects_, &ProjectCommands::NewProject);
    QAction* spriteArray =
        AddMenuAction(mnuRightClick_, "mnuRightClickSpriteArray", tr("New Sprite &Array"));
    spriteArray->setEnabled(false);
    QAction* sprite = AddMenuAction(mnuRightClick_, "mnuRightClickSprite", tr("New &Sprite"));
    connect(sprite, &QAction::triggered, sprites_, &SpriteCommands::NewSprite);
    tvMain_->SetPopup(mnuRightClick_,
                      QList<QAction*>{spriteArray, sprite} + list_->AddToPopup(mnuRightClick_));
}

void frmMain::BuildEditMenu() {
    QMenu* mnuEdit = menuBar()->addMenu(tr("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    undo_->AddActions(mnuEdit);
    new EditCommands(dialogs_, document_, *editors_, *tools_, *mdiArea_, *mnuEdit, this);
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
        editors_->ShowGrid();
    });
    // The header beside the workspace, hidden until asked for.
    headerDock_ = new HeaderDock(document_, this);
    mnuView->addAction(headerDock_->toggleViewAction());
    new Previews(document_, *tvMain_, *editors_, this);
    AddWorkspaceCommands(*this, document_, *editors_, *mdiArea_, *mnuView);
}

void frmMain::BuildToolbar() {
    QToolBar* tbrMain = addToolBar(tr("Toolbar"));
    tbrMain->setObjectName(QStringLiteral("tbrMain"));
    tbrMain->setMovable(false);
    tbrMain->setFloatable(false);
    tbrMain->setIconSize(QSize(16, 16));
    tbrMain->setFixedHeight(24);
    tbrMain->setContextMenuPolicy(Qt::PreventContextMenu);
    // The plain buttons, keyed by their commands; the tip names the image too.
    const auto addButton = [tbrMain](const char* key, const char* tip) {
        const QString text = QString::fromLatin1(tip);
        QAction* action = tbrMain->addAction(ToolbarIcon(text), text);
        action->setObjectName(QString::fromLatin1(key));
        action->setData(QString::fromLatin1(key));
        action->setToolTip(text);
        return action;
    };
    QAction* newButton = addButton("new", "New");
    connect(newButton, &QAction::triggered, projects_, &ProjectCommands::NewProject);
    connect(addButton("open", "Open"), &QAction::triggered, projects_, &ProjectCommands::Open);
    connect(addButton("save", "Save"), &QAction::triggered, projects_, &ProjectCommands::Save);
    tbrMain->addSeparator();
    tbrMain->addActions(tools_->actions());
    tbrMain->addSeparator();
    connect(addButton("compile", "Compile"), &QAction::triggered, sprites_,
            &SpriteCommands::Compile);

    // The "new" button's drop-down: "Sprite Array" does nothing, "Sprite" adds a sprite.
    auto* dropDown = new QMenu(this);
    dropDown->setObjectName(QStringLiteral("tbrMainNewMenu"));
    QAction* spriteArray = dropDown->addAction(tr("Sprite Array"));
    spriteArray->setData(QStringLiteral("sprite array"));
    spriteArray->setEnabled(false);
    QAction* sprite = NeedsProject(document_, dropDown->addAction(tr("Sprite")));
    sprite->setData(QStringLiteral("sprite"));
    connect(sprite, &QAction::triggered, sprites_, &SpriteCommands::NewSprite);
    newButton->setMenu(dropDown);
    if (auto* button = qobject_cast<QToolButton*>(tbrMain->widgetForAction(newButton)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
}

void frmMain::BuildLeftPanel(QWidget* parent) {
    auto* picture1 = new QWidget(parent);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setFixedWidth(124);
    parent->layout()->addWidget(picture1);

    tvMain_ = new ProjectTree(document_, picture1);
    tvMain_->setGeometry(8, 8, 105, 169);

    auto* picture6 = new QWidget(picture1);
    picture6->setObjectName(QStringLiteral("Picture6"));
    picture6->setGeometry(32, 184, 49, 49);
    picture6->setAutoFillBackground(true);
    QPalette grey = picture6->palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    picture6->setPalette(grey);

    auto* picBack = new ColourSwatch(*colours_, Qt::RightButton, picture6);
    picBack->setObjectName(QStringLiteral("picBack"));
    picBack->move(16, 16);
    auto* picFore = new ColourSwatch(*colours_, Qt::LeftButton, picture6);
    picFore->setObjectName(QStringLiteral("picFore"));
    picFore->move(8, 8);
    picFore->raise(); // the left button's colour sits in front, as in most paint programs

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

} // namespace vellicor
