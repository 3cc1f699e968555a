#pragma once

#include <QDialog>

namespace vellicor {

// The About box.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent);
};

} // namespace vellicor
