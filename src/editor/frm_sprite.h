#pragma once

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

    QString Tag() const { return tag_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void OnSizeOption(int size);
    void OnClientResize();
    void PlaceHandles();
    void PressAt(int button, QPointF position);
    void PaintAt(int buttonState, QPointF position);
    void Release(int stillHeld);
    // Undo or redo changed the sprite: show its size and pixels.
    void ShowRestored(int index);
    int EdgeFromOptions() const;
    // The sprite's index from the tag, when it names a record of the project.
    std::optional<int> Index() const;
    const SpriteRecord* Record() const;

    EditorHost& host_;
    QString tag_;
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
