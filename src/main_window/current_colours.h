#pragma once

#include <QColor>
#include <QObject>

namespace vellicor {

// The colours of the left and right mouse buttons, one pair shared by every editor for as long
// as the program runs. The swatches `picFore` and `picBack` show them.
class CurrentColours : public QObject {
    Q_OBJECT
  public:
    explicit CurrentColours(QObject* parent);

    // The left button's colour, the right button's, or an invalid colour for any other button.
    QColor For(Qt::MouseButton button) const;
    // The left or right button takes `colour`; any other button changes nothing.
    void Set(Qt::MouseButton button, QColor colour);

  signals:
    void Changed();

  private:
    QColor fore_ = Qt::black;
    QColor back_ = Qt::white;
};

} // namespace vellicor
