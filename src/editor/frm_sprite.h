#pragma once

#include "editor_host.h"
#include "tools/tool_session.h"

#include <QMdiSubWindow>
#include <QPointF>
#include <QRect>
#include <array>
#include <optional>

class QButtonGroup;
class QRadioButton;

namespace vellicor {

class HandleSquare;
class SpriteCanvas;
class SpriteView;
class ZoomSlider;

// The editor window of one sprite. It lays out its controls and wires them: the canvas and the
// preview paint the sprite from its record, which the window finds through the index kept in its
// tag, and the mouse on the canvas goes to the tools.
class frmSprite : public QMdiSubWindow, private ToolEnvironment {
    Q_OBJECT
  public:
    static constexpr int kDesignZoom = 25;

    frmSprite(EditorHost& host, QWidget* parent);

    // Binds the window to sprite `index`, or to the sprite of the tree's selected node, and
    // brings it to the design state: zoom 25, the size option that matches the sprite's size.
    void Load(std::optional<int> index = std::nullopt);
    // The project's sprites were renumbered: the window keeps its sprite under its new index.
    // nullopt lets go of a sprite that left the project, so that closing the window then
    // touches no other sprite.
    void Retag(std::optional<int> index);
    // Captions the window with a sprite's name, shown exactly as typed.
    void SetCaption(const QString& name);
    // Repaints every cell of canvas and preview from the record.
    void DrawSprite();
    // Sizes the square canvas from the zoom slider, places the handles and repaints.
    void ApplyZoom();
    // The canvas's side in pixels at `zoom`, as ApplyZoom sizes it.
    static int CanvasSide(int zoom);
    // Moves the zoom slider by `steps` of its large step, as its own keys do.
    void ZoomBy(int steps);
    // The largest zoom at which the whole canvas shows in the grey area around it.
    void ZoomToFit();
    // Lines between the canvas's cells, when the user wants them.
    void ShowGrid();

    QString Tag() const { return tag_; }

    // The selected cells, if the window has a selection: what the Image commands act on.
    std::optional<QRect> SelectedCells() const;
    // Puts down pixels that a move or a paste left floating, as one step of the sprite's history.
    void CommitFloating();
    // Select All and Deselect, which put down what floats first; neither is a step.
    void SelectAll();
    // Selects `cells` within the sprite's size, as a turned selection lands; none when empty.
    void SelectCells(QRect cells);
    void Deselect();
    // The selected pixels, or the whole sprite at its size without a selection; none while
    // the sprite has no size.
    std::optional<PixelBlock> CopyPixels();
    // The selected cells, or the whole sprite without a selection, become transparent as one
    // step named `step`.
    void EraseSelection(const QString& step);
    // Pasted pixels float where the last selection was, or at the top left; put down later as
    // one step, "Paste".
    void Paste(PixelBlock block);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void WireCanvas();
    void OnSizeOption(int size);
    void OnClientResize();
    void PlaceHandles();
    // Undo or redo changed the sprite: show its size and pixels.
    void ShowRestored(int index);
    void SetSizeOption(int size);
    // The cell under the pointer in the status bar, and the cells the tools changed on screen.
    void ShowPointer(const ToolSession::Pointer& pointer);
    void ShowChanges();
    // Arrow keys on the canvas move the selection's pixels.
    void Nudge(int dx, int dy);
    // The sprite's index from the tag, when it names a record of the project.
    std::optional<int> Index() const;
    const SpriteRecord* Record() const;

    // What the tools read from this window and its host.
    std::optional<int> Sprite() const override { return Index(); }
    int Size() const override;
    Rgb LeftColour() const override;
    Rgb RightColour() const override;
    Tool CurrentTool() const override { return host_.CurrentTool(); }
    void PickColour(Qt::MouseButton button, Rgb colour) override;

    EditorHost& host_;
    QString tag_;
    ToolSession tools_;
    QWidget* client_ = nullptr;
    QButtonGroup* sizeOptions_ = nullptr;
    QRadioButton* opt8_ = nullptr;
    QRadioButton* opt16_ = nullptr;
    QRadioButton* opt32_ = nullptr;
    SpriteView* picPreview_ = nullptr;
    QWidget* picBackground_ = nullptr;
    SpriteCanvas* picSprite_ = nullptr;
    std::array<HandleSquare*, 8> shape1_{};
    ZoomSlider* sldZoom_ = nullptr;
};

} // namespace vellicor
