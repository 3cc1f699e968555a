#pragma once

#include "editor_host.h"
#include "tools/tool_geometry.h"

#include <QMdiSubWindow>
#include <QPointF>
#include <array>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

namespace vellicor {

class EditorHost;
class HandleSquare;
class PictureSurface;
class SpriteCanvas;
class ZoomSlider;
struct SpriteRecord;

// The editor window of one sprite. It holds no pixels: everything it shows is painted from the
// sprite's record, which it finds through the index kept in its tag.
class frmSprite : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr int kDesignZoom = 25;

    frmSprite(EditorHost& host, QWidget* parent);

    // Binds the window to the sprite of the tree's selected node and brings it to the design
    // state: zoom 25, the size option that matches the sprite's size.
    void Load();
    // Captions the window with a sprite's name, shown exactly as typed.
    void SetCaption(const QString& name);
    // Repaints every cell of canvas and preview from the record.
    void DrawSprite();
    // Sizes the square canvas from the zoom slider, places the handles and repaints.
    void ApplyZoom();
    // Lines between the canvas's cells, when the user wants them.
    void ShowGrid();

    QString Tag() const { return tag_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void OnSizeOption(int size);
    void OnClientResize();
    void PlaceHandles();
    void BuildToolShortcuts();
    void PressAt(int button, QPointF position, Qt::KeyboardModifiers modifiers);
    void PaintAt(int buttonState, QPointF position);
    void MoveAt(int buttonState, QPointF position, Qt::KeyboardModifiers modifiers);
    void Release(int stillHeld, Qt::KeyboardModifiers modifiers);
    void CancelShape();
    // Shift keeps a shape square (or round) for as long as it is held.
    void SetSquare(Qt::KeyboardModifiers modifiers);
    // The cell under a canvas position, and whether a press or drag there may paint it.
    Cell CellAt(QPointF position) const;
    bool MayPaint(QPointF position, int buttonState) const;
    QColor ColourFor(int buttonState) const;
    // Writes one cell into the record and paints it on both surfaces.
    void PaintCell(Cell cell, const QColor& colour);
    // Writes cells into the record as one step of the sprite's history.
    void CommitCells(const std::vector<Cell>& cells, const QColor& colour, const QString& step);
    std::vector<Cell> ShapeCells() const;
    // The record as it is, with the shape being dragged drawn over it, nothing written yet.
    void ShowShapePreview();
    // Undo or redo changed the sprite: show its size and pixels.
    void ShowRestored(int index);
    int EdgeFromOptions() const;
    // The sprite's index from the tag, when it names a record of the project.
    std::optional<int> Index() const;
    const SpriteRecord* Record() const;

    // A press on the canvas and what follows it until the last button is released.
    struct Drag {
        enum class Kind { None, Freehand, Shape, Done };
        Kind kind = Kind::None;
        Tool tool = Tool::Pencil;
        QColor colour;
        Cell anchor;
        Cell last;
        bool square = false;
    };

    EditorHost& host_;
    QString tag_;
    Drag drag_;
    // The last pixel this window's pencil painted, where a Shift press draws a line from.
    std::optional<Cell> lastPencilCell_;
    QWidget* client_ = nullptr;
    QButtonGroup* sizeOptions_ = nullptr;
    QRadioButton* opt8_ = nullptr;
    QRadioButton* opt16_ = nullptr;
    QRadioButton* opt32_ = nullptr;
    PictureSurface* picPreview_ = nullptr;
    QWidget* picBackground_ = nullptr;
    SpriteCanvas* picSprite_ = nullptr;
    std::array<HandleSquare*, 8> shape1_{};
    ZoomSlider* sldZoom_ = nullptr;
};

} // namespace vellicor
