#include "header_dock.h"

#include "document/project_document.h"
#include "header_lines.h"
#include "header_view.h"

#include <QAction>
#include <QMainWindow>
#include <QSettings>

namespace vellicor {
namespace {

const QString kShownKey = QStringLiteral("view/header");

} // namespace

HeaderDock::HeaderDock(const ProjectDocument& document, QMainWindow* window)
    : QDockWidget(tr("Header"), window), lines_(new HeaderLines(document, this)) {
    setObjectName(QStringLiteral("dockHeader"));
    view_ = new HeaderView(this);
    view_->setObjectName(QStringLiteral("txtHeader"));
    const QFontMetrics fixed(view_->font());
    lines_->SetCharacterSize({QFontMetricsF(view_->font()).horizontalAdvance(QLatin1Char('0')),
                              static_cast<qreal>(fixed.height())});
    view_->setModel(lines_);
    setWidget(view_);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && stale_)
            RefreshAll();
    });

    window->addDockWidget(Qt::RightDockWidgetArea, this);
    // Room for most of a line without crowding the sprite windows.
    window->resizeDocks({this}, {fixed.horizontalAdvance(QLatin1Char('0')) * 56}, Qt::Horizontal);
    setVisible(QSettings().value(kShownKey).toBool());
    QAction* shown = toggleViewAction();
    shown->setObjectName(QStringLiteral("mnuViewHeader"));
    shown->setText(tr("&Header"));
    // Kept when the user shows or hides it; closing the window hides it too, which is no choice.
    connect(shown, &QAction::triggered, this,
            [](bool visible) { QSettings().setValue(kShownKey, visible); });
    connect(this, &QDockWidget::visibilityChanged, this, [this, window](bool visible) {
        if (!visible && window->isVisible() && isHidden())
            QSettings().setValue(kShownKey, false);
    });

    connect(&document, &ProjectDocument::StepCompleted, this, &HeaderDock::RefreshSprite);
    connect(&document, &ProjectDocument::IdentityChanged, this, &HeaderDock::RefreshAll);
    connect(&document, &ProjectDocument::SpritesAdded, this, [this](int first, int count) {
        if (count == 1)
            RefreshSprite(first);
        else
            RefreshAll();
    });
    connect(&document, &ProjectDocument::SpritesRemoved, this, &HeaderDock::RefreshAll);
    connect(&document, &ProjectDocument::SpritesRearranged, this, &HeaderDock::RefreshAll);
    connect(&document, &ProjectDocument::SpriteRenamed, this, &HeaderDock::RefreshSprite);
}

void HeaderDock::SetActiveSprite(int index) {
    activeSprite_ = index;
    Highlight();
}

QString HeaderDock::Text() const {
    QString text;
    for (int row = 0; row < lines_->rowCount(); ++row)
        text += lines_->index(row).data().toString() + QLatin1Char('\n');
    return text;
}

QList<int> HeaderDock::HighlightedLines() const {
    QList<int> lines;
    for (int row = 0; row < lines_->rowCount(); ++row)
        if (lines_->index(row).data(Qt::BackgroundRole).isValid())
            lines << row;
    return lines;
}

void HeaderDock::RefreshAll() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    lines_->Reset();
    stale_ = false;
    Highlight();
}

void HeaderDock::RefreshSprite(int index) {
    if (!isVisible() || stale_ || index > lines_->ShownSprites()) {
        RefreshAll();
        return;
    }
    lines_->Refresh(index);
    Highlight();
}

void HeaderDock::Highlight() {
    const int active = stale_ ? -1 : activeSprite_;
    lines_->SetActive(active, palette().color(QPalette::Highlight).lighter(170));
    if (active < 0 || active >= lines_->ShownSprites())
        return;
    // The active sprite's lines scroll into view, its first line foremost.
    const int first = active * HeaderLines::kLinesPerSprite;
    view_->scrollTo(lines_->index(first + HeaderLines::kLinesPerSprite - 2));
    view_->scrollTo(lines_->index(first));
}

} // namespace vellicor
