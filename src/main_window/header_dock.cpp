#include "header_dock.h"

#include "document/project_document.h"
#include "export/header_text.h"

#include <QAction>
#include <QFontDatabase>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTextBlock>

namespace vellicor {
namespace {

constexpr int kLinesPerSprite = 4; // dark, light, mask and the empty line

const QString kShownKey = QStringLiteral("view/header");

// The header's bytes as the view shows them: Latin-1 characters, lines ended by "\n".
QString ShownText(const std::string& bytes) {
    QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

HeaderDock::HeaderDock(const ProjectDocument& document, QMainWindow* window)
    : QDockWidget(tr("Header"), window), document_(document) {
    setObjectName(QStringLiteral("dockHeader"));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("txtHeader"));
    text_->setReadOnly(true); // selectable and copyable, never edited
    text_->setUndoRedoEnabled(false);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setWidget(text_);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && stale_)
            RefreshAll();
    });

    window->addDockWidget(Qt::RightDockWidgetArea, this);
    // Room for most of a line without crowding the sprite windows.
    const QFontMetrics fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
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
}

void HeaderDock::SetActiveSprite(int index) {
    activeSprite_ = index;
    Highlight();
}

QString HeaderDock::Text() const {
    return text_->toPlainText();
}

QList<int> HeaderDock::HighlightedLines() const {
    QList<int> lines;
    for (const QTextEdit::ExtraSelection& selection : text_->extraSelections())
        lines << selection.cursor.blockNumber();
    return lines;
}

void HeaderDock::RefreshAll() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    text_->setPlainText(ShownText(HeaderText(document_.Table())));
    shownSprites_ = document_.Table().SpriteCount();
    stale_ = false;
    Highlight();
}

void HeaderDock::RefreshSprite(int index) {
    if (!isVisible() || stale_ || index > shownSprites_) {
        RefreshAll();
        return;
    }
    std::string bytes;
    AppendSpriteHeader(bytes, document_.Record(index));
    QTextCursor cursor(text_->document()->findBlockByNumber(index * kLinesPerSprite));
    if (index < shownSprites_) {
        const QTextBlock next = text_->document()->findBlockByNumber((index + 1) * kLinesPerSprite);
        cursor.setPosition(next.position(), QTextCursor::KeepAnchor);
    } else {
        ++shownSprites_; // a new sprite's lines go at the end
    }
    cursor.insertText(ShownText(bytes));
    Highlight();
}

void HeaderDock::Highlight() {
    QList<QTextEdit::ExtraSelection> selections;
    if (activeSprite_ >= 0 && activeSprite_ < shownSprites_ && !stale_) {
        const QColor shade = palette().color(QPalette::Highlight).lighter(170);
        for (int line = 0; line < kLinesPerSprite - 1; ++line) {
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(
                text_->document()->findBlockByNumber(activeSprite_ * kLinesPerSprite + line));
            selection.format.setBackground(shade);
            selection.format.setProperty(QTextFormat::FullWidthSelection, true);
            selections << selection;
        }
        // The active sprite's lines scroll into view.
        text_->setTextCursor(selections.last().cursor);
        text_->ensureCursorVisible();
        text_->setTextCursor(selections.first().cursor);
        text_->ensureCursorVisible();
    }
    text_->setExtraSelections(selections);
}

} // namespace vellicor
