#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

namespace vellicor {

// A status bar of three side-by-side text panels of set widths. The panels are placed by hand
// rather than by the bar's layout, so a wide panel never forces the window to grow.
class StatusPanels : public QStatusBar {
    Q_OBJECT
  public:
    static constexpr int kPanelCount = 3;
    static constexpr int kMinPanelWidth = 96;

    explicit StatusPanels(QWidget* parent);

    int PanelWidth(int panel) const { return widths_.at(static_cast<std::size_t>(panel)); }
    // Refuses a negative width (returns false); narrower than the minimum takes the minimum.
    bool SetPanelWidth(int panel, int width);
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlacePanels();

    std::array<QLabel*, kPanelCount> labels_{};
    std::array<int, kPanelCount> widths_{};
};

} // namespace vellicor
