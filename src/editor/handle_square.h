#pragma once

#include <QWidget>

namespace vellicor {

// A 5 x 5 decoration square beside the canvas: outlined and white, or solid. It lets the
// mouse pass through, since the canvas cannot be resized by dragging.
class HandleSquare : public QWidget {
    Q_OBJECT
  public:
    HandleSquare(bool solid, QWidget* parent);

    bool IsSolid() const { return solid_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool solid_;
};

} // namespace vellicor
