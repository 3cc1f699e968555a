#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

namespace vellicor {

// A status bar of three side-by-side text panels of set widths. The panels are placed by hand
// rather than by the bar's layout, so a wide panel never forces the window to grow. Panel 1
// takes what panels 2 and 3 leave of the window's outer width.
class StatusPanels : public QStatusBar {
    Q_OBJECT
  public:
    static constexpr int kPanelCount = 3;
    static constexpr int kMinPanelWidth = 96;

    // `window` is the window whose width panel 1 follows.
    explicit StatusPanels(QWidget* window);

    int PanelWidth(int panel) const { return widths_.at(static_cast<std::size_t>(panel)); }
    // Refuses a negative width (returns false); narrower than the minimum takes the minimum.
    bool SetPanelWidth(int panel, int width);
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PlacePanels();

    std::array<QLabel*, kPanelCount> labels_{};
    std::array<int, kPanelCount> widths_{};
};

} // namespace vellicor
