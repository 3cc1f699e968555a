#include "header_view.h"

#include <QAction>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>

namespace vellicor {

HeaderView::HeaderView(QWidget* parent) : QListView(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Every line is as tall as the next, so hundreds of thousands are laid out at once.
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::ExtendedSelection); // read, never edited
    // The margin a text view keeps around its text, in the text's own white.
    setViewportMargins(1, 4, 0, 0);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    // A view of items copies only the current one; the lines are copied as text instead.
    auto* copy = new QAction(tr("&Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &HeaderView::CopySelection);
    auto* all = new QAction(tr("Select &All"), this);
    all->setShortcut(QKeySequence::SelectAll);
    all->setShortcutContext(Qt::WidgetShortcut);
    connect(all, &QAction::triggered, this, &QListView::selectAll);
    addActions({copy, all});
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void HeaderView::CopySelection() const {
    QModelIndexList selected = selectionModel()->selectedIndexes();
    std::sort(selected.begin(), selected.end());
    QString text;
    for (const QModelIndex& line : selected)
        text += line.data().toString() + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(text);
}

} // namespace vellicor
