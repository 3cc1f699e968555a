#pragma once

#include "main_window/dialog_seam.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

// Answers the main window's modal dialogs from a script and records what was asked. An exhausted
// script cancels, discards the unsaved work and the recovery, as a user in a hurry would.
class ScriptedDialogs final : public vellicor::DialogSeam {
  public:
    struct Shown {
        QString kind; // "input", "message", "save", "saveas", "open", "question", "scale" ...
        QString text; // prompt, message, filter, dialog title or the scale offered
        QString title;
    };

    QStringList inputAnswers;
    QList<std::optional<QString>> saveAnswers;
    QList<std::optional<QString>> saveAsAnswers;
    QList<std::optional<QString>> openAnswers;
    QList<vellicor::SaveChangesAnswer> saveChangesAnswers;
    QList<bool> recoverAnswers;             // true recovers; an exhausted script discards
    QList<std::optional<int>> scaleAnswers; // an exhausted script cancels
    QList<int> fileTypeAnswers; // the file type chosen in a typed save; exhausted: the offered one
    QList<std::optional<vellicor::SheetCut>> sheetCutAnswers;       // exhausted: cancels
    QList<std::optional<vellicor::SheetLayout>> sheetLayoutAnswers; // exhausted: cancels
    std::function<void(QDialog&)> onModal; // runs while the modal dialog is shown
    QList<Shown> shown;
    QStringList offeredNames;
    QStringList initialTexts; // what each input box held as it opened

    QString InputBox(QWidget* parent, const QString& prompt, const QString& title) override {
        return InputBoxFilled(parent, prompt, title, QString());
    }
    QString InputBoxFilled(QWidget*, const QString& prompt, const QString& title,
                           const QString& initial) override {
        initialTexts.append(initial);
        return Answer(inputAnswers, QString(), {"input", prompt, title});
    }
    void MessageBox(QWidget*, const QString& text, const QString& title) override {
        shown.append({"message", text, title});
    }
    std::optional<QString> SaveFileName(QWidget*, const QString& filter,
                                        const QString& offered) override {
        offeredNames.append(offered);
        return Answer(saveAnswers, {}, {"save", filter, {}});
    }
    std::optional<QString> SaveAsFileName(QWidget*, const QString& filter, const QString& offered,
                                          const QString&) override {
        offeredNames.append(offered);
        return Answer(saveAsAnswers, {}, {"saveas", filter, {}});
    }
    std::optional<QString> OpenFileName(QWidget*, const QString& filter) override {
        return Answer(openAnswers, {}, {"open", filter, {}});
    }
    vellicor::SaveChangesAnswer AskSaveChanges(QWidget*, const QString& text) override {
        return Answer(saveChangesAnswers, vellicor::SaveChangesAnswer::Discard,
                      {"question", text, {}});
    }
    bool AskRecover(QWidget*, const QString& text) override {
        return Answer(recoverAnswers, false, {"recover", text, {}});
    }
    void ShowModal(QDialog& dialog) override {
        shown.append({"modal", dialog.windowTitle(), dialog.objectName()});
        dialog.show();
        if (onModal)
            onModal(dialog);
    }

    std::optional<int> AskScale(QWidget*, int initial) override {
        return Answer(scaleAnswers, {}, {"scale", QString::number(initial), {}});
    }

    std::optional<vellicor::TypedFileName> SaveTypedFileName(QWidget*, const QStringList& types,
                                                             int chosen,
                                                             const QString& offered) override {
        offeredNames.append(offered);
        const int type = fileTypeAnswers.isEmpty() ? chosen : fileTypeAnswers.takeFirst();
        const auto path = Answer(saveAnswers, {}, {"save", types.value(type), types.value(chosen)});
        if (!path)
            return std::nullopt;
        return vellicor::TypedFileName{*path, type};
    }
    std::optional<vellicor::SheetCut> AskSheetCut(QWidget*, vellicor::SheetCut initial) override {
        return Answer(
            sheetCutAnswers, {},
            {"sheetcut", QStringLiteral("%1 %2").arg(initial.tile).arg(initial.skipEmpty), {}});
    }
    std::optional<vellicor::SheetLayout> AskSheetLayout(QWidget*, vellicor::SheetLayout initial,
                                                        int sprites) override {
        return Answer(sheetLayoutAnswers, {},
                      {"sheetlayout",
                       QStringLiteral("%1 %2").arg(initial.columns).arg(initial.scale),
                       QString::number(sprites)});
    }

    QStringList Texts(const QString& kind) const {
        QStringList texts;
        for (const Shown& entry : shown)
            if (entry.kind == kind)
                texts << entry.text;
        return texts;
    }
    int Count(const QString& kind) const { return static_cast<int>(Texts(kind).size()); }

  private:
    template <typename T> T Answer(QList<T>& answers, T exhausted, const Shown& asked) {
        shown.append(asked);
        return answers.isEmpty() ? exhausted : answers.takeFirst();
    }
};
