#include "dialog_seam.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace vellicor {

QString QtDialogs::InputBox(QWidget* parent, const QString& prompt, const QString& title) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &accepted);
    return accepted ? text : QString();
}

void QtDialogs::MessageBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, const QString& filter,
                                               const QString& offered) {
    // Overwriting without a question is intended: the header is regenerated over and over.
    const QString name = QFileDialog::getSaveFileName(parent, QString(), offered, filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

void QtDialogs::ShowModal(QDialog& dialog) {
    dialog.exec();
}

} // namespace vellicor
