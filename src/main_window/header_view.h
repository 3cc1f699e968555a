#pragma once

#include <QListView>

namespace vellicor {

// A read-only view of text lines that a model makes as they come into view: a fixed-width font,
// as wide as its widest line, and lines selected and copied whole, as text.
class HeaderView : public QListView {
    Q_OBJECT
  public:
    explicit HeaderView(QWidget* parent);

    // The selected lines, in the order of the text, to the clipboard.
    void CopySelection() const;
};

} // namespace vellicor
