#include "sheet_commands.h"

#include "dialog_seam.h"
#include "document/project_document.h"
#include "png/png_import.h"
#include "project_tree.h"
#include "sprite_windows.h"
#include "undo_router.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <numeric>

namespace vellicor {
namespace {

const QString kPngFilter = QStringLiteral("PNG Images (*.png)");
const QString kTileKey = QStringLiteral("sheet/tile");
const QString kSkipEmptyKey = QStringLiteral("sheet/skipEmpty");
const QString kColumnsKey = QStringLiteral("sheet/columns");
const QString kScaleKey = QStringLiteral("sheet/scale");
const QString kExportFolderKey = QStringLiteral("sheet/exportFolder");

} // namespace

SheetCommands::SheetCommands(DialogSeam& dialogs, ProjectDocument& document, ProjectTree& tree,
                             SpriteWindows& editors, UndoRouter& undo, QWidget* window)
    : QObject(window), dialogs_(dialogs), document_(document), tree_(tree), editors_(editors),
      undo_(undo), window_(window) {}

void SheetCommands::ImportSheet() {
    if (!document_.HasProject())
        return;
    if (const auto chosen = dialogs_.OpenFileName(window_, kPngFilter))
        ImportSheetFrom(*chosen);
}

void SheetCommands::ImportSheetFrom(const QString& path) {
    // A file that is no sheet at all is said before the user is asked how to cut it.
    const auto file = LoadSheetFile(path);
    if (const auto* refusal = std::get_if<QString>(&file)) {
        RefuseSheet(path, *refusal);
        return;
    }
    QSettings settings;
    const SheetCut last{settings.value(kTileKey, 16).toInt(),
                        settings.value(kSkipEmptyKey, false).toBool()};
    const auto cut = dialogs_.AskSheetCut(window_, last);
    if (!cut)
        return;
    settings.setValue(kTileKey, cut->tile);
    settings.setValue(kSkipEmptyKey, cut->skipEmpty);

    const int room = SpriteTable::kMaxSprites - document_.Table().SpriteCount();
    SheetImport sheet = CutSheet(std::get<SheetFile>(file), *cut, room);
    if (sheet.sprites.empty()) {
        RefuseSheet(path, sheet.error);
        return;
    }
    const auto base = SheetBaseName(path, sheet.sprites.size());
    if (!base)
        return;
    NameSheetSprites(sheet.sprites, *base);
    document_.AddSprites(std::move(sheet.sprites), tr("Import Sprite Sheet"));
    // Undo and redo take the whole import back and put it again, until another node is picked.
    undo_.FollowProjectStep();
}

void SheetCommands::RefuseSheet(const QString& path, const QString& reason) {
    ShowError(dialogs_, window_,
              tr("The sprite sheet \"%1\" could not be imported.\n%2")
                  .arg(QDir::toNativeSeparators(path), reason));
}

std::optional<QString> SheetCommands::SheetBaseName(const QString& path, std::size_t count) {
    const QString fromFile = SpriteNameFromFile(path);
    if (!fromFile.isEmpty() && SheetNamesFit(fromFile, count))
        return fromFile;
    // The file's name is no sprite name: the user names the sprites once, as for one image.
    const auto typed = AskName(dialogs_, window_, tr("Enter sprite name:"), NameKind::Sprite);
    if (!typed)
        return std::nullopt;
    if (!SheetNamesFit(*typed, count)) {
        ShowError(dialogs_, window_,
                  tr("\"%1\" is too long to be numbered up to %2: sprite names have at most %3 "
                     "characters.")
                      .arg(*typed)
                      .arg(count - 1)
                      .arg(kMaxNameLength));
        return std::nullopt;
    }
    return typed;
}

void SheetCommands::ExportSheet() {
    if (!document_.HasProject())
        return;
    editors_.CommitFloating();
    const SpriteTable& table = document_.Table();
    std::vector<int> sprites = tree_.SelectedSprites();
    std::sort(sprites.begin(), sprites.end()); // the tree shows them in table order
    if (sprites.size() < 2) {
        sprites.resize(static_cast<std::size_t>(table.SpriteCount()));
        std::iota(sprites.begin(), sprites.end(), 0);
    }
    // Said before any dialog: there is nothing to lay out.
    if (const auto refusal = SheetExportRefusal(table, sprites, SheetLayout{1, 1})) {
        ShowError(dialogs_, window_, *refusal);
        return;
    }
    QSettings settings;
    const QString offered = QDir(settings.value(kExportFolderKey).toString())
                                .filePath(document_.Name() + QStringLiteral(".png"));
    const auto chosen =
        dialogs_.SaveAsFileName(window_, kPngFilter, offered, QStringLiteral("png"));
    if (!chosen)
        return;
    const auto sized = std::count_if(sprites.begin(), sprites.end(),
                                     [&table](int i) { return table.Record(i).Size > 0; });
    const auto layout = dialogs_.AskSheetLayout(
        window_, {settings.value(kColumnsKey, 16).toInt(), settings.value(kScaleKey, 1).toInt()},
        static_cast<int>(sized));
    if (!layout)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    settings.setValue(kExportFolderKey, QFileInfo(path).absolutePath());
    settings.setValue(kColumnsKey, layout->columns);
    settings.setValue(kScaleKey, layout->scale);
    if (const auto reason = SaveSpriteSheet(path, table, sprites, *layout)) {
        ShowError(dialogs_, window_,
                  tr("The sprite sheet could not be written to \"%1\".\n%2")
                      .arg(QDir::toNativeSeparators(path), *reason));
    }
}

} // namespace vellicor
