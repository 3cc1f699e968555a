#pragma once

#include "main_window/dialog_seam.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

// Answers the main window's modal dialogs from a script and records what was asked.
class ScriptedDialogs final : public vellicor::DialogSeam {
  public:
    struct Shown {
        QString kind; // "input", "message", "save", "modal", "scale" ...
        QString text; // prompt, message, filter, dialog title or the scale offered
        QString title;
    };

    QStringList inputAnswers;                    // an exhausted script cancels
    QList<std::optional<QString>> saveAnswers;   // likewise
    std::function<void(QDialog&)> onModal;       // runs while the modal dialog is shown
    QList<std::optional<QString>> saveAsAnswers; // an exhausted script cancels
    QList<std::optional<QString>> openAnswers;   // likewise
    // An exhausted script discards, so work is thrown away without a fuss as before.
    QList<vellicor::SaveChangesAnswer> saveChangesAnswers;
    QList<bool> recoverAnswers;             // true recovers; an exhausted script discards
    QList<std::optional<int>> scaleAnswers; // an exhausted script cancels
    QList<Shown> shown;
    QStringList offeredNames;

    QString InputBox(QWidget*, const QString& prompt, const QString& title) override {
        shown.append({"input", prompt, title});
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    void MessageBox(QWidget*, const QString& text, const QString& title) override {
        shown.append({"message", text, title});
    }
    std::optional<QString> SaveFileName(QWidget*, const QString& filter,
                                        const QString& offered) override {
        shown.append({"save", filter, QString()});
        offeredNames.append(offered);
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
    }
    std::optional<QString> SaveAsFileName(QWidget*, const QString& filter, const QString& offered,
                                          const QString&) override {
        shown.append({"saveas", filter, QString()});
        offeredNames.append(offered);
        return saveAsAnswers.isEmpty() ? std::nullopt : saveAsAnswers.takeFirst();
    }
    std::optional<QString> OpenFileName(QWidget*, const QString& filter) override {
        shown.append({"open", filter, QString()});
        return openAnswers.isEmpty() ? std::nullopt : openAnswers.takeFirst();
    }
    vellicor::SaveChangesAnswer AskSaveChanges(QWidget*, const QString& text) override {
        shown.append({"question", text, QString()});
        return saveChangesAnswers.isEmpty() ? vellicor::SaveChangesAnswer::Discard
                                            : saveChangesAnswers.takeFirst();
    }
    bool AskRecover(QWidget*, const QString& text) override {
        shown.append({"recover", text, QString()});
        return !recoverAnswers.isEmpty() && recoverAnswers.takeFirst();
    }
    void ShowModal(QDialog& dialog) override {
        shown.append({"modal", dialog.windowTitle(), dialog.objectName()});
        dialog.show();
        if (onModal)
            onModal(dialog);
    }

    std::optional<int> AskScale(QWidget*, int initial) override {
        shown.append({"scale", QString::number(initial), QString()});
        return scaleAnswers.isEmpty() ? std::nullopt : scaleAnswers.takeFirst();
    }

    QStringList Texts(const QString& kind) const {
        QStringList texts;
        for (const Shown& entry : shown)
            if (entry.kind == kind)
                texts << entry.text;
        return texts;
    }
    int Count(const QString& kind) const {
        int count = 0;
        for (const Shown& entry : shown)
            count += entry.kind == kind ? 1 : 0;
        return count;
    }
};
