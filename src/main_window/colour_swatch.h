#pragma once

#include <QColor>
#include <QWidget>

namespace vellicor {

// A small square of one colour. Its colour is the value the editor paints with, so it is
// stored exactly and drawn inside a thin sunken frame.
class ColourSwatch : public QWidget {
    Q_OBJECT
  public:
    ColourSwatch(QColor colour, QWidget* parent);

    QColor Colour() const { return colour_; }
    void SetColour(QColor colour);

  signals:
    // The mouse button that went down.
    void Pressed(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QColor colour_;
};

} // namespace vellicor
