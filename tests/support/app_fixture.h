#pragma once

#include "editor/frm_sprite.h"
#include "journal/recovery_journal.h"
#include "main_window/colour_swatch.h"
#include "main_window/frm_main.h"
#include "main_window/project_tree.h"
#include "main_window/status_panels.h"
#include "model/colour_table.h"
#include "read_all.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QDir>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <algorithm>
#include <memory>

struct Editor;

// A shown main window with scripted dialogs, a folder for the test's files, and short ways to
// the widgets tests look at.
struct AppFixture {
    ScriptedDialogs dialogs;
    QTemporaryDir recoveryFolder; // journals stay out of the user's own data folder
    QTemporaryDir dir;            // the files a test makes and reads
    std::unique_ptr<vellicor::frmMain> main;

    // `recovery` is the folder of recovery journals; a fresh temporary one when empty.
    explicit AppFixture(const QString& recovery = {})
        : main(std::make_unique<vellicor::frmMain>(
              dialogs, recovery.isEmpty() ? recoveryFolder.path() : recovery)) {
        main->resize(1000, 700);
        main->show();
        // Shortcuts reach only the active window, which a window manager activates in its own
        // time; offscreen it is at once.
        if (!QTest::qWaitForWindowActive(main.get()))
            qWarning("The main window was not activated: key shortcuts may not reach it.");
    }

    template <typename T = QWidget> T* Find(const char* name) const {
        return main->findChild<T*>(QString::fromLatin1(name));
    }
    QTreeView* Tree() const { return Find<QTreeView>("tvMain"); }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    QString Path(const QString& name) const { return dir.filePath(name); }
    bool SaveAs(const QString& path) {
        dialogs.saveAsAnswers << path;
        return main->SaveAs();
    }
    bool Open(const QString& path) {
        dialogs.openAnswers << path;
        return main->Open();
    }
    // What Compile writes to `name` in the test's folder.
    QByteArray CompileTo(const QString& name) {
        dialogs.saveAnswers << Path(name);
        main->Compile();
        return ReadAll(Path(name));
    }
    // What a crash now would recover: the one journal, read back; nothing when there is none.
    vellicor::JournalRead Journal() const {
        const QStringList journals = QDir(recoveryFolder.path()).entryList({"*.journal"});
        return journals.size() == 1
                   ? vellicor::ReadJournal(ReadAll(recoveryFolder.filePath(journals[0])))
                   : vellicor::JournalRead{};
    }

    void NewProject(const QString& name) {
        dialogs.inputAnswers.append(name);
        main->NewProject();
    }
    // Creates a sprite and returns its editor window.
    vellicor::frmSprite* NewSprite(const QString& name) {
        dialogs.inputAnswers.append(name);
        main->NewSprite();
        return main->EditorWindows().back();
    }
    // Project "Demo" with the sprite "Ball", sized when `size` is not 0; returns its editor.
    Editor NewBall(int size = 0);
    void Paint(int x, int y, vellicor::Rgb colour, int sprite = 0) {
        main->Document().SetPixel(sprite, x, y, *vellicor::BitsForColour(colour));
    }
    // A click on the toolbar's button for `key`, as the user makes it.
    void ClickToolbar(const char* key) {
        QWidget* button = Find<QToolBar>("tbrMain")->widgetForAction(main->ToolbarAction(key));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    QString CellStatus() const {
        return main->findChild<vellicor::StatusPanels*>("sbrMain")->PanelText(1);
    }
    QModelIndex ProjectNode() const { return Tree()->model()->index(0, 0); }
    QModelIndex SpriteNode(int index) const {
        return Tree()->model()->index(index, 0, ProjectNode());
    }
    int SpriteNodes() const { return Tree()->model()->rowCount(ProjectNode()); }
    // Each sprite node as "key text", in the tree's order.
    QString Nodes() const {
        QStringList nodes;
        for (int i = 0; i < SpriteNodes(); ++i)
            nodes << SpriteNode(i).data(vellicor::ProjectTree::kKeyRole).toString() + " " +
                         SpriteNode(i).data().toString();
        return nodes.join(", ");
    }
    // Rows of the selected sprite nodes, in order.
    QList<int> SelectedRows() const {
        QList<int> rows;
        for (const QModelIndex& node : Tree()->selectionModel()->selectedRows())
            if (node.parent().isValid())
                rows << node.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    // The open editor windows, each as "tag caption".
    QString OpenWindows() const {
        QStringList shown;
        for (const auto& window : main->EditorWindows())
            if (window && window->isVisible())
                shown << window->Tag() + " " + window->windowTitle();
        shown.sort();
        return shown.join(", ");
    }
    // A left click on sprite node `sprite`, -1 for the project node.
    void ClickNode(int sprite, Qt::KeyboardModifiers modifiers = {}) {
        const QModelIndex node = sprite < 0 ? ProjectNode() : SpriteNode(sprite);
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, modifiers,
                          Tree()->visualRect(node).center());
    }
    // A key pressed while the tree has the focus.
    void TreeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        Tree()->setFocus();
        QTest::keyClick(Tree(), key, modifiers);
    }
    // The status bar's note, as commands leave it.
    QString Note() const {
        return main->findChild<vellicor::StatusPanels*>("sbrMain")->PanelText(0);
    }
    void DoubleClick(const QModelIndex& node, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseDClick(Tree()->viewport(), button, {}, Tree()->visualRect(node).center());
    }
    // Palette swatch by its index.
    vellicor::ColourSwatch* Swatch(int index) const {
        for (auto* swatch : main->findChildren<vellicor::ColourSwatch*>("Picture2"))
            if (swatch->property("index").toInt() == index)
                return swatch;
        return nullptr;
    }
};

// Short ways into one editor window.
struct Editor {
    vellicor::frmSprite* window;

    template <typename T = QWidget> T* Find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QWidget* Canvas() const { return Find("picSprite"); }
    QWidget* Preview() const { return Find("picPreview"); }
    QSlider* Zoom() const { return Find<QSlider>("sldZoom"); }
    void ChooseSize(int size) const {
        auto* option = Find<QRadioButton>(qPrintable(QStringLiteral("opt%1").arg(size)));
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
    int CheckedSize() const {
        for (int size : {8, 16, 32})
            if (Find<QRadioButton>(qPrintable(QStringLiteral("opt%1").arg(size)))->isChecked())
                return size;
        return 0;
    }
    // Centre of cell (column, row) of an n x n grid on a surface.
    static QPoint CellCentre(const QWidget* surface, int column, int row, int n) {
        return {static_cast<int>((column + 0.5) * surface->width() / n),
                static_cast<int>((row + 0.5) * surface->height() / n)};
    }
    static QRgb PixelAt(QWidget* surface, QPoint point) {
        return surface->grab().toImage().pixel(point) & 0xFFFFFFU;
    }
    static QRgb CellColour(QWidget* surface, int column, int row, int n) {
        return PixelAt(surface, CellCentre(surface, column, row, n));
    }
    // Centre of a cell of the canvas at the chosen size.
    QPoint At(QPoint cell) const { return CellCentre(Canvas(), cell.x(), cell.y(), CheckedSize()); }
    // A press on the first cell, moves over the others and a release on the last.
    void Stroke(const QList<QPoint>& cells, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mousePress(Canvas(), button, {}, At(cells.first()));
        for (const QPoint& cell : cells)
            QTest::mouseMove(Canvas(), At(cell));
        QTest::mouseRelease(Canvas(), button, {}, At(cells.last()));
    }
};

inline Editor AppFixture::NewBall(int size) {
    NewProject("Demo");
    const Editor editor{NewSprite("Ball")};
    if (size != 0)
        editor.ChooseSize(size);
    return editor;
}
