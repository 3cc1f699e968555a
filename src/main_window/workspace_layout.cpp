#include "workspace_layout.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <utility>
#include <vector>

namespace vellicor {
namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kStateKey = QStringLiteral("window/state");
// Raised when the docks change so much that an older saved layout no longer applies.
constexpr int kStateVersion = 1;

} // namespace

WorkspaceLayout::WorkspaceLayout(QMainWindow& window, QMenu& view)
    : QObject(&window), window_(window) {
    view.addSeparator();
    QAction* reset = view.addAction(tr("Reset &Layout"));
    reset->setObjectName(QStringLiteral("mnuViewResetLayout"));
    connect(reset, &QAction::triggered, this, &WorkspaceLayout::Reset);
    window.installEventFilter(this);
}

void WorkspaceLayout::RememberBuilt() {
    if (built_.isEmpty())
        built_ = window_.saveState(kStateVersion);
}

void WorkspaceLayout::Show() {
    RememberBuilt();
    const QSettings settings;
    const bool restored = window_.restoreGeometry(settings.value(kGeometryKey).toByteArray());
    window_.restoreState(settings.value(kStateKey).toByteArray(), kStateVersion);
    if (restored)
        window_.show();
    else
        window_.showMaximized();
}

void WorkspaceLayout::Keep() const {
    QSettings settings;
    settings.setValue(kGeometryKey, window_.saveGeometry());
    settings.setValue(kStateKey, window_.saveState(kStateVersion));
}

void WorkspaceLayout::Reset() {
    // Each dock keeps its own shown or hidden state, which it remembers itself.
    std::vector<std::pair<QDockWidget*, bool>> shown;
    for (QDockWidget* dock : window_.findChildren<QDockWidget*>())
        shown.emplace_back(dock, !dock->isHidden());
    window_.restoreState(built_, kStateVersion);
    for (const auto& [dock, visible] : shown)
        dock->setVisible(visible);
    window_.showMaximized();
}

bool WorkspaceLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        // A window shown without Show was built as it is shown.
        if (event->type() == QEvent::Show)
            RememberBuilt();
        // Kept even when the close is refused: the layout is the user's all the same.
        else if (event->type() == QEvent::Close)
            Keep();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vellicor
