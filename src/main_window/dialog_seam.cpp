#include "dialog_seam.h"

#include "png/png_export.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vellicor {

std::optional<QString> AskName(DialogSeam& dialogs, QWidget* parent, const QString& prompt,
                               NameKind kind, const QString& initial) {
    const QString title = QStringLiteral("Vellicor");
    const QString name = initial.isEmpty() ? dialogs.InputBox(parent, prompt, title)
                                           : dialogs.InputBoxFilled(parent, prompt, title, initial);
    switch (CheckName(name, kind)) {
    case NameVerdict::Accept:
        return name;
    case NameVerdict::Refuse:
        ShowError(dialogs, parent, kNameErrorText);
        return std::nullopt;
    case NameVerdict::Ignore:
        break;
    }
    return std::nullopt;
}

void ShowError(DialogSeam& dialogs, QWidget* parent, const QString& text) {
    dialogs.MessageBox(parent, text, QStringLiteral("Error"));
}

QString QtDialogs::InputBox(QWidget* parent, const QString& prompt, const QString& title) {
    return InputBoxFilled(parent, prompt, title, QString());
}

QString QtDialogs::InputBoxFilled(QWidget* parent, const QString& prompt, const QString& title,
                                  const QString& initial) {
    bool accepted = false;
    // The box selects its text as it shows, so typing replaces the name offered.
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &accepted);
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

std::optional<QString> QtDialogs::SaveAsFileName(QWidget* parent, const QString& filter,
                                                 const QString& offered, const QString& suffix) {
    QFileDialog dialog(parent, QString(), offered, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix); // so the question about replacing sees the final name
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

SaveChangesAnswer QtDialogs::AskSaveChanges(QWidget* parent, const QString& text) {
    const auto answer = QMessageBox::question(
        parent, QStringLiteral("Vellicor"), text,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    switch (answer) {
    case QMessageBox::Save:
        return SaveChangesAnswer::Save;
    case QMessageBox::Discard:
        return SaveChangesAnswer::Discard;
    default:
        return SaveChangesAnswer::Cancel; // Escape and the close button cancel as well
    }
}

bool QtDialogs::AskRecover(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vellicor"), text, QMessageBox::NoButton,
                    parent);
    QPushButton* recover = box.addButton(QObject::tr("&Recover"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Discard);
    box.setDefaultButton(recover);
    box.exec();
    return box.clickedButton() == recover;
}

void QtDialogs::ShowModal(QDialog& dialog) {
    dialog.exec();
}

std::optional<int> QtDialogs::AskScale(QWidget* parent, int initial) {
    bool accepted = false;
    const int scale =
        QInputDialog::getInt(parent, QObject::tr("Export PNG"), QObject::tr("Scale (1 to 32):"),
                             initial, kMinPngScale, kMaxPngScale, 1, &accepted);
    if (!accepted)
        return std::nullopt;
    return scale;
}

} // namespace vellicor
