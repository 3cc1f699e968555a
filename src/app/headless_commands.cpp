#include "headless_commands.h"

#include "export/header_file.h"
#include "model/name_rules.h"
#include "png/png_export.h"
#include "png/png_import.h"
#include "project/project_file.h"

#include <QDir>
#include <QFileInfo>
#include <variant>

namespace vellicor {
namespace {

const QString kSprite = QStringLiteral("sprite");
const QString kScale = QStringLiteral("scale");
const QString kName = QStringLiteral("name");
const QString kHeaderStyle = QStringLiteral("header-style");

QString ExportUsage(const HeadlessArguments& arguments) {
    if (arguments.options.contains(kHeaderStyle) &&
        !HeaderStyleFromKey(arguments.options.value(kHeaderStyle)))
        return QStringLiteral("--header-style needs %1 or %2.")
            .arg(HeaderStyleKey(HeaderStyle::Plain), HeaderStyleKey(HeaderStyle::CDeclarations));
    return {};
}

QString ExportPngUsage(const HeadlessArguments& arguments) {
    if (!arguments.options.contains(kSprite))
        return QStringLiteral("--export-png needs --sprite.");
    return ScaleUsage(arguments);
}

constexpr HeadlessCommand kCommands[] = {
    {QLatin1String("export"), QLatin1String("project"),
     QLatin1String("Writes the C header of <project> to the file given by --output, without "
                   "opening a window."),
     QLatin1String("header-style"), &ExportUsage, &ExportHeader},
    {QLatin1String("export-png"), QLatin1String("project"),
     QLatin1String("Writes the sprite given by --sprite of <project> as a PNG image to the file "
                   "given by --output."),
     QLatin1String("sprite scale"), &ExportPngUsage, &ExportPng},
    {QLatin1String("import-png"), QLatin1String("image"),
     QLatin1String("Adds <image> (at most 32 x 32 pixels) as a new sprite to the project given "
                   "by --output, which is created when it does not exist."),
     QLatin1String("name"), &NameUsage, &ImportPng},
    {QLatin1String("import-sheet"), QLatin1String("image"),
     QLatin1String("Cuts <image> (at most 4096 x 4096 pixels) into tiles of the size given by "
                   "--tile and adds each, row by row, as a new sprite to the project given by "
                   "--output, which is created when it does not exist."),
     QLatin1String("tile name skip-empty"), &ImportSheetUsage, &ImportSheet},
    {QLatin1String("export-sheet"), QLatin1String("project"),
     QLatin1String("Writes every sprite of <project> that has a size into one PNG image, the file "
                   "given by --output, in rows of --columns cells."),
     QLatin1String("columns scale"), &ExportSheetUsage, &ExportSheet},
    {QLatin1String("import-header"), QLatin1String("header"),
     QLatin1String("Reads the sprites of the C header <header> into the project given by --output: "
                   "added to it when it exists, or to a new project named after the file."),
     QLatin1String(""), nullptr, &ImportHeader},
    {QLatin1String("list"), QLatin1String("project"),
     QLatin1String("Prints one line per sprite of <project>: its index counted from 0, its name "
                   "and its size (0 before one is chosen), separated by tabs."),
     QLatin1String(""), nullptr, &ListSprites, false},
};

constexpr HeadlessOption kOptions[] = {
    {QLatin1String("header-style"), QLatin1String("style"),
     QLatin1String("For --export: plain, the arrays every version wrote, or c, declarations that "
                   "compile by themselves (default: the project's own style).")},
    {QLatin1String("sprite"), QLatin1String("sprite"),
     QLatin1String("The sprite that --export-png writes: its name, or its index counted from 0.")},
    {QLatin1String("scale"), QLatin1String("n"),
     QLatin1String("For --export-png and --export-sheet: each sprite pixel becomes n x n image "
                   "pixels, n from 1 to 32 (default 1).")},
    {QLatin1String("name"), QLatin1String("name"),
     QLatin1String("For --import-png: the new sprite's name; for --import-sheet: the sprites are "
                   "named name0, name1, ... (default: the image's file name).")},
    {QLatin1String("tile"), QLatin1String("n"),
     QLatin1String("For --import-sheet, which needs it: the side of each tile and sprite, 8, 16 "
                   "or 32 pixels.")},
    {QLatin1String("skip-empty"), QLatin1String(""),
     QLatin1String("For --import-sheet: leaves out the tiles whose every pixel is transparent.")},
    {QLatin1String("columns"), QLatin1String("n"),
     QLatin1String("For --export-sheet: the sprites in each row of the sheet, n from 1 to 256 "
                   "(default 16).")},
};

// One line whatever the reason says, so scripts can read one fault per line.

// The index of the sprite a --sprite value names, or why there is none. Digits are an index:
// a sprite name never starts with a digit.
std::variant<int, QString> FindSprite(const SpriteTable& table, const QString& wanted) {
    bool isIndex = false;
    const int index = wanted.toInt(&isIndex);
    if (isIndex && wanted.front().isDigit()) {
        if (index < table.SpriteCount())
            return index;
        return table.SpriteCount() == 0
                   ? QStringLiteral("It holds no sprites.")
                   : QStringLiteral("It has no sprite %1: its sprites are 0 to %2.")
                         .arg(wanted)
                         .arg(table.SpriteCount() - 1);
    }
    QList<int> named;
    for (int i = 0; i < table.SpriteCount(); ++i) {
        if (QString::fromStdString(table.Record(i).Name) == wanted)
            named.append(i);
    }
    if (named.size() == 1)
        return named.front();
    if (named.isEmpty())
        return QStringLiteral("It has no sprite named \"%1\".").arg(wanted);
    QStringList indexes;
    for (const int i : named)
        indexes << QString::number(i);
    return QStringLiteral("%1 sprites are named \"%2\"; give the index of one: %3.")
        .arg(named.size())
        .arg(wanted, indexes.join(QStringLiteral(", ")));
}

} // namespace

std::optional<int> WholeNumber(const QString& text, int low, int high) {
    bool number = false;
    const int value = text.toInt(&number);
    if (!number || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> ScaleValue(const QString& text) {
    return WholeNumber(text, kMinPngScale, kMaxPngScale);
}

QString ScaleUsage(const HeadlessArguments& arguments) {
    if (arguments.options.contains(kScale) && !ScaleValue(arguments.options.value(kScale)))
        return QStringLiteral("--scale needs a whole number from %1 to %2.")
            .arg(kMinPngScale)
            .arg(kMaxPngScale);
    return {};
}

QString NameUsage(const HeadlessArguments& arguments) {
    const QString name = arguments.options.value(kName);
    if (arguments.options.contains(kName) &&
        CheckName(name, NameKind::Sprite) != NameVerdict::Accept)
        return QStringLiteral("--name \"%1\": %2").arg(name, kNameErrorText);
    return {};
}

void Report(QTextStream& errors, const QString& what, const QString& path, const QString& reason) {
    errors << QStringLiteral("vellicor: %1 \"%2\": %3")
                  .arg(what, QDir::toNativeSeparators(path), reason.simplified())
           << Qt::endl;
}

std::optional<Project> LoadProjectOrReport(const QString& path, QTextStream& errors) {
    ProjectRead read = LoadProjectFile(path);
    if (!read.project)
        Report(errors, QStringLiteral("could not read the project"), path, read.error);
    return std::move(read.project);
}

std::optional<Project> ProjectToExtend(const QString& output, QTextStream& errors) {
    if (QFileInfo::exists(output))
        return LoadProjectOrReport(output, errors);
    Project project;
    project.name = QFileInfo(output).completeBaseName();
    if (CheckName(project.name, NameKind::Project) != NameVerdict::Accept) {
        Report(errors, QStringLiteral("could not create the project"), output,
               QStringLiteral("Its file name gives no project name: a project name must start "
                              "with a letter."));
        return std::nullopt;
    }
    return project;
}

int AddSpritesToProjectFile(const QString& output, std::vector<SpriteRecord> sprites,
                            QTextStream& errors) {
    std::optional<Project> project = ProjectToExtend(output, errors);
    if (!project)
        return kExitFailed;
    return AddSpritesAndSave(std::move(*project), output, std::move(sprites), errors);
}

int AddSpritesAndSave(Project project, const QString& output, std::vector<SpriteRecord> sprites,
                      QTextStream& errors) {
    const auto total = static_cast<std::size_t>(project.table.SpriteCount()) + sprites.size();
    if (total > static_cast<std::size_t>(SpriteTable::kMaxSprites)) {
        Report(errors, QStringLiteral("could not add to the project"), output,
               QStringLiteral("It would hold %1 sprites; at most %2 fit.")
                   .arg(total)
                   .arg(SpriteTable::kMaxSprites));
        return kExitFailed;
    }
    for (SpriteRecord& sprite : sprites)
        project.table.AppendRecord(std::move(sprite));
    sprites = {}; // the table holds them now: no second copy while the file is made
    if (const auto reason =
            SaveProjectFile(output, project.name, project.table, project.headerStyle)) {
        Report(errors, QStringLiteral("could not write the project"), output, *reason);
        return kExitFailed;
    }
    return kExitOk;
}

std::span<const HeadlessCommand> HeadlessCommands() {
    return kCommands;
}

std::span<const HeadlessOption> HeadlessOptions() {
    return kOptions;
}

int ExportHeader(const HeadlessArguments& arguments, QTextStream& errors) {
    const std::optional<Project> project = LoadProjectOrReport(arguments.input, errors);
    if (!project)
        return kExitFailed;
    // Without the option the key is empty and names no style; a wrong one never gets here.
    const HeaderStyle style =
        HeaderStyleFromKey(arguments.options.value(kHeaderStyle)).value_or(project->headerStyle);
    if (const auto reason =
            WriteHeaderFile(arguments.output, project->table, style, project->name)) {
        Report(errors, QStringLiteral("could not write the header"), arguments.output, *reason);
        return kExitFailed;
    }
    return kExitOk;
}

int ExportPng(const HeadlessArguments& arguments, QTextStream& errors) {
    const std::optional<Project> project = LoadProjectOrReport(arguments.input, errors);
    if (!project)
        return kExitFailed;
    const SpriteTable& table = project->table;
    const auto found = FindSprite(table, arguments.options.value(kSprite));
    if (const auto* reason = std::get_if<QString>(&found)) {
        Report(errors, QStringLiteral("could not find the sprite in the project"), arguments.input,
               *reason);
        return kExitFailed;
    }
    const SpriteRecord& sprite = table.Record(std::get<int>(found));
    if (const auto refusal = PngExportRefusal(sprite)) {
        Report(errors, QStringLiteral("could not export from the project"), arguments.input,
               *refusal);
        return kExitFailed;
    }
    const int scale = ScaleValue(arguments.options.value(kScale, QStringLiteral("1"))).value_or(1);
    if (const auto reason = SaveSpritePng(arguments.output, sprite, scale)) {
        Report(errors, QStringLiteral("could not write the image"), arguments.output, *reason);
        return kExitFailed;
    }
    return kExitOk;
}

int ImportPng(const HeadlessArguments& arguments, QTextStream& errors) {
    const ImageImport import = LoadPngSprite(arguments.input);
    if (!import.sprite) {
        Report(errors, QStringLiteral("could not import the image"), arguments.input, import.error);
        return kExitFailed;
    }
    SpriteRecord sprite = *import.sprite;
    if (arguments.options.contains(kName))
        sprite.Name = arguments.options.value(kName).toStdString();
    if (sprite.Name.empty()) {
        Report(errors, QStringLiteral("could not import the image"), arguments.input,
               QStringLiteral("Its file name is no sprite name, which must start with a letter "
                              "and have no spaces; give one with --name."));
        return kExitFailed;
    }

    return AddSpritesToProjectFile(arguments.output, {std::move(sprite)}, errors);
}

} // namespace vellicor
