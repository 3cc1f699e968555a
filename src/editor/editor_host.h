#pragma once

#include "tools/tool_kind.h"

#include <QColor>
#include <QString>

namespace vellicor {

class ProjectDocument;

// What an editor window needs from the main window that hosts it.
class EditorHost {
  public:
    // The open project; every change to a sprite goes through it.
    virtual ProjectDocument& Document() = 0;
    // Key of the project tree's selected node; an editor binds to its sprite from it at load.
    virtual QString SelectedNodeKey() const = 0;
    // The current colours of the left and right mouse buttons.
    virtual QColor ForeColour() const = 0;
    virtual QColor BackColour() const = 0;
    // The tool pressed on the toolbar, read at each press on a canvas.
    virtual Tool CurrentTool() const = 0;
    // A colour picked from the canvas for the left or right mouse button.
    virtual void PickColour(Qt::MouseButton button, const QColor& colour) = 0;
    // Whether the canvas shows lines between its cells.
    virtual bool PixelGrid() const = 0;
    // An editor window was closed by the user or by the program.
    virtual void EditorClosed() = 0;
    // The status bar panel that shows the cell under the pointer.
    virtual void SetCellStatus(const QString& text) = 0;

  protected:
    ~EditorHost() = default;
};

} // namespace vellicor
