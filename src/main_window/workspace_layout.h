#pragma once

#include <QByteArray>
#include <QObject>

class QMainWindow;
class QMenu;

namespace vellicor {

// The main window's size, place, maximised state and docks, kept in the user's settings when
// the window closes and brought back at the next start, with View > Reset Layout to go back to
// the layout of a first start: the window maximised and the docks where they were built. Only
// Show reads the settings, so a window made without it, as the tests make theirs, keeps the
// layout it was built with.
class WorkspaceLayout : public QObject {
    Q_OBJECT
  public:
    // Adds Reset Layout to `view`.
    WorkspaceLayout(QMainWindow& window, QMenu& view);

    // Shows the window as it was left, or maximised the first time.
    void Show();
    // Writes the window's layout to the settings.
    void Keep() const;
    void Reset();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The docks as built, before any layout was restored over them.
    void RememberBuilt();

    QMainWindow& window_;
    QByteArray built_;
};

} // namespace vellicor
