// The real dialogs of the sheet and header commands: small forms of Qt's own widgets.
#include "dialog_seam.h"
#include "png/png_export.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace vellicor {
namespace {

// A form with OK and Cancel under its rows, OK the default so Enter accepts it.
class FormDialog : public QDialog {
  public:
    FormDialog(QWidget* parent, const QString& title) : QDialog(parent), form_(new QFormLayout) {
        setWindowTitle(title);
        setMinimumWidth(320); // room for the whole title
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form_);
        layout->addWidget(buttons);
    }
    void AddRow(const QString& label, QWidget* field) { form_->addRow(label, field); }

  private:
    QFormLayout* form_;
};

QSpinBox* NumberBox(const char* name, int low, int high, int value) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

} // namespace

std::optional<TypedFileName> QtDialogs::SaveTypedFileName(QWidget* parent, const QStringList& types,
                                                          int chosen, const QString& offered) {
    QString selected = types.value(chosen);
    // As SaveFileName: the header is written over and over, so no question before replacing.
    const QString name =
        QFileDialog::getSaveFileName(parent, QString(), offered, types.join(QStringLiteral(";;")),
                                     &selected, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return TypedFileName{name, std::max(0, static_cast<int>(types.indexOf(selected)))};
}

std::optional<SheetCut> QtDialogs::AskSheetCut(QWidget* parent, SheetCut initial) {
    FormDialog dialog(parent, QObject::tr("Import Sprite Sheet"));
    auto* tile = new QComboBox;
    tile->setObjectName(QStringLiteral("cboSheetTile"));
    for (const int side : {8, 16, 32})
        tile->addItem(QStringLiteral("%1 x %1").arg(side), side);
    tile->setCurrentIndex(std::max(0, tile->findData(initial.tile)));
    auto* skip = new QCheckBox(QObject::tr("Skip tiles that are wholly transparent"));
    skip->setObjectName(QStringLiteral("chkSheetSkipEmpty"));
    skip->setChecked(initial.skipEmpty);
    dialog.AddRow(QObject::tr("&Tile size:"), tile);
    dialog.AddRow(QString(), skip);
    tile->setFocus(); // the default button would take it, and arrow keys would do nothing
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return SheetCut{tile->currentData().toInt(), skip->isChecked()};
}

std::optional<SheetLayout> QtDialogs::AskSheetLayout(QWidget* parent, SheetLayout initial,
                                                     int sprites) {
    FormDialog dialog(parent, QObject::tr("Export Sprite Sheet"));
    dialog.AddRow(QObject::tr("Sprites:"), new QLabel(QString::number(sprites)));
    auto* columns = NumberBox("spnSheetColumns", 1, kMaxSheetColumns, initial.columns);
    auto* scale = NumberBox("spnSheetScale", kMinPngScale, kMaxPngScale, initial.scale);
    dialog.AddRow(QObject::tr("&Columns:"), columns);
    dialog.AddRow(QObject::tr("&Scale (1 to 32):"), scale);
    columns->setFocus();
    columns->selectAll(); // typing replaces the number offered
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return SheetLayout{columns->value(), scale->value()};
}

} // namespace vellicor
