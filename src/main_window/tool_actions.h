#pragma once

#include "editor/editor_host.h"

#include <QActionGroup>

namespace vellicor {

// The toolbar's drawing tools, one checkable action each, in the order of `Tool`. At most one
// is pressed: a click on the pressed tool releases it, and with none pressed the canvas paints
// as the pencil does.
class ToolActions : public QActionGroup {
    Q_OBJECT
  public:
    explicit ToolActions(QObject* parent);

    Tool Current() const;
    // Presses the tool's button; it never releases one that is already pressed.
    void Select(Tool tool);
    // The keys pixel editors use for the tools, live while the focus is inside `area`. They
    // are plain actions beside the buttons: a key on a checkable button would toggle it, and
    // a key must never release the tool that is pressed.
    void AddKeys(QWidget* area);
};

} // namespace vellicor
