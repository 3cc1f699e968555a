#pragma once

#include "model/name_rules.h"
#include "png/sprite_sheet_export.h"
#include "png/sprite_sheet_import.h"

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace vellicor {

// A file name to save under and the file type chosen for it, by its place in the list offered.
struct TypedFileName {
    QString path;
    int type = 0;
};

// The answer to "Save changes to project ...?".
enum class SaveChangesAnswer { Save, Discard, Cancel };

// Every modal dialog the main window opens goes through here, so tests can answer them.
class DialogSeam {
  public:
    virtual ~DialogSeam() = default;
    // The typed text, or an empty text when cancelled.
    virtual QString InputBox(QWidget* parent, const QString& prompt, const QString& title) = 0;
    // The same box holding `initial`, selected so that typing replaces it. Seams without a box
    // to fill answer as for an empty one.
    virtual QString InputBoxFilled(QWidget* parent, const QString& prompt, const QString& title,
                                   const QString& /*initial*/) {
        return InputBox(parent, prompt, title);
    }
    // A message with a single OK button.
    virtual void MessageBox(QWidget* parent, const QString& text, const QString& title) = 0;
    // The chosen file name, or nullopt when cancelled. `offered` is the name shown at first.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& filter,
                                                const QString& offered) = 0;
    // The same with a choice of file types, `types[chosen]` selected at first. Seams without
    // the choice answer as SaveFileName does for the type offered.
    virtual std::optional<TypedFileName> SaveTypedFileName(QWidget* parent,
                                                           const QStringList& types, int chosen,
                                                           const QString& offered) {
        if (auto path = SaveFileName(parent, types.value(chosen), offered))
            return TypedFileName{*path, chosen};
        return std::nullopt;
    }
    // A file name to save a document under: asks before replacing a file and adds `suffix`
    // when the typed name has none. nullopt when cancelled.
    virtual std::optional<QString> SaveAsFileName(QWidget* parent, const QString& filter,
                                                  const QString& offered,
                                                  const QString& suffix) = 0;
    // An existing file to open, or nullopt when cancelled.
    virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& filter) = 0;
    // Save, Discard or Cancel, with Save as the default button.
    virtual SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // Recover (the default) or Discard; true for Recover.
    virtual bool AskRecover(QWidget* parent, const QString& text) = 0;
    // Runs a dialog of the application's own modally.
    virtual void ShowModal(QDialog& dialog) = 0;
    // A whole scale from 1 to 32 for an exported image, `initial` offered; nullopt when
    // cancelled.
    virtual std::optional<int> AskScale(QWidget* parent, int initial) = 0;
    // How to cut a sprite sheet (tile size, empty tiles skipped), `initial` offered.
    virtual std::optional<SheetCut> AskSheetCut(QWidget* parent, SheetCut initial) = 0;
    // How to lay out an exported sheet of `sprites` sprites (columns, scale).
    virtual std::optional<SheetLayout> AskSheetLayout(QWidget* parent, SheetLayout initial,
                                                      int sprites) = 0;
};

// Asks for a name and applies the name rules, saying so when they refuse it; nullopt when the
// name is not taken. A rename offers the current name as `initial`.
std::optional<QString> AskName(DialogSeam& dialogs, QWidget* parent, const QString& prompt,
                               NameKind kind, const QString& initial = QString());
// A message titled "Error".
void ShowError(DialogSeam& dialogs, QWidget* parent, const QString& text);

// The real dialogs.
class QtDialogs final : public DialogSeam {
  public:
    QString InputBox(QWidget* parent, const QString& prompt, const QString& title) override;
    QString InputBoxFilled(QWidget* parent, const QString& prompt, const QString& title,
                           const QString& initial) override;
    void MessageBox(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> SaveFileName(QWidget* parent, const QString& filter,
                                        const QString& offered) override;
    std::optional<QString> SaveAsFileName(QWidget* parent, const QString& filter,
                                          const QString& offered, const QString& suffix) override;
    std::optional<QString> OpenFileName(QWidget* parent, const QString& filter) override;
    SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& text) override;
    bool AskRecover(QWidget* parent, const QString& text) override;
    void ShowModal(QDialog& dialog) override;
    std::optional<int> AskScale(QWidget* parent, int initial) override;
    std::optional<TypedFileName> SaveTypedFileName(QWidget* parent, const QStringList& types,
                                                   int chosen, const QString& offered) override;
    std::optional<SheetCut> AskSheetCut(QWidget* parent, SheetCut initial) override;
    std::optional<SheetLayout> AskSheetLayout(QWidget* parent, SheetLayout initial,
                                              int sprites) override;
};

} // namespace vellicor
