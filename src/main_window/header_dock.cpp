#include "header_dock.h"

#include "document/project_document.h"
#include "export/header_text.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace vellicor {
namespace {

constexpr int kLinesPerSprite = 4; // dark, light, mask and the empty line

// The header's bytes as the view shows them: Latin-1 characters, lines ended by "\n".
QString ShownText(const std::string& bytes) {
    QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

HeaderDock::HeaderDock(const ProjectDocument& document, QWidget* parent)
    : QDockWidget(tr("Header"), parent), document_(document) {
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
