#include "headless_commands.h"
#include "model/name_rules.h"
#include "png/png_export.h"
#include "png/png_import.h"
#include "png/sprite_sheet_export.h"
#include "png/sprite_sheet_import.h"

#include <numeric>

namespace vellicor {
namespace {

const QString kTile = QStringLiteral("tile");
const QString kName = QStringLiteral("name");
const QString kSkipEmpty = QStringLiteral("skip-empty");
const QString kColumns = QStringLiteral("columns");
const QString kScale = QStringLiteral("scale");

std::optional<int> TileValue(const QString& text) {
    const std::optional<int> tile = WholeNumber(text, 8, 32);
    if (tile != 8 && tile != 16 && tile != 32)
        return std::nullopt;
    return tile;
}

std::optional<int> ColumnsValue(const QString& text) {
    return WholeNumber(text, 1, kMaxSheetColumns);
}

} // namespace

QString ImportSheetUsage(const HeadlessArguments& arguments) {
    if (!arguments.options.contains(kTile))
        return QStringLiteral("--import-sheet needs --tile.");
    if (!TileValue(arguments.options.value(kTile)))
        return QStringLiteral("--tile needs 8, 16 or 32.");
    return NameUsage(arguments);
}

QString ExportSheetUsage(const HeadlessArguments& arguments) {
    if (arguments.options.contains(kColumns) && !ColumnsValue(arguments.options.value(kColumns)))
        return QStringLiteral("--columns needs a whole number from 1 to %1.").arg(kMaxSheetColumns);
    return ScaleUsage(arguments);
}

// A file name that is no sprite name is refused before anything is read; whether the numbered
// names stay short enough is known once the sheet is cut. The base name itself passed the rules
// already (--name as a matter of usage), so only their length can fail.
int ImportSheet(const HeadlessArguments& arguments, QTextStream& errors) {
    const QString what = QStringLiteral("could not import the sheet");
    const QString base = arguments.options.contains(kName) ? arguments.options.value(kName)
                                                           : SpriteNameFromFile(arguments.input);
    if (base.isEmpty()) {
        Report(errors, what, arguments.input,
               QStringLiteral("Its file name is no sprite name, which must start with a letter "
                              "and have no spaces; give one with --name."));
        return kExitFailed;
    }
    // The project first: the cut is told the room it leaves, so a sheet with too many tiles is
    // refused by its header alone, before a pixel is decoded.
    std::optional<Project> project = ProjectToExtend(arguments.output, errors);
    if (!project)
        return kExitFailed;
    const int room = SpriteTable::kMaxSprites - project->table.SpriteCount();
    const SheetCut cut{TileValue(arguments.options.value(kTile)).value_or(0),
                       arguments.options.contains(kSkipEmpty)};
    SheetImport sheet = LoadSpriteSheet(arguments.input, cut, room);
    if (sheet.sprites.empty()) {
        Report(errors, what, arguments.input, sheet.error);
        return kExitFailed;
    }
    if (!SheetNamesFit(base, sheet.sprites.size())) {
        Report(errors, what, arguments.input,
               QStringLiteral("Numbered for its %1 sprites, the names would be longer than %2 "
                              "characters; give a shorter one with --name.")
                   .arg(sheet.sprites.size())
                   .arg(kMaxNameLength));
        return kExitFailed;
    }
    NameSheetSprites(sheet.sprites, base);
    return AddSpritesAndSave(std::move(*project), arguments.output, std::move(sheet.sprites),
                             errors);
}

int ExportSheet(const HeadlessArguments& arguments, QTextStream& errors) {
    const std::optional<Project> project = LoadProjectOrReport(arguments.input, errors);
    if (!project)
        return kExitFailed;
    std::vector<int> indexes(static_cast<std::size_t>(project->table.SpriteCount()));
    std::iota(indexes.begin(), indexes.end(), 0);
    const SheetLayout layout{
        ColumnsValue(arguments.options.value(kColumns, QStringLiteral("16"))).value_or(16),
        ScaleValue(arguments.options.value(kScale, QStringLiteral("1"))).value_or(1)};
    if (const auto refusal = SheetExportRefusal(project->table, indexes, layout)) {
        Report(errors, QStringLiteral("could not export from the project"), arguments.input,
               *refusal);
        return kExitFailed;
    }
    if (const auto reason = SaveSpriteSheet(arguments.output, project->table, indexes, layout)) {
        Report(errors, QStringLiteral("could not write the image"), arguments.output, *reason);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace vellicor
