#pragma once

#include <QColor>
#include <QWidget>

namespace vellicor {

class CurrentColours;

// A small square of one colour. Its colour is the value the editor paints with, so it is
// stored exactly and drawn inside a thin sunken frame.
class ColourSwatch : public QWidget {
    Q_OBJECT
  public:
    // A swatch of a colour of its own, as the palette's are.
    ColourSwatch(QColor colour, QWidget* parent);
    // A swatch that shows a mouse button's current colour, and follows it.
    ColourSwatch(const CurrentColours& colours, Qt::MouseButton button, QWidget* parent);

    QColor Colour() const;

  signals:
    // The mouse button that went down.
    void Pressed(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QColor colour_;
    const CurrentColours* colours_ = nullptr;
    Qt::MouseButton button_ = Qt::NoButton;
};

} // namespace vellicor
