#pragma once

#include "model/sprite_record.h"
#include "project/project_file.h"

#include <QHash>
#include <QLatin1String>
#include <QString>
#include <QTextStream>
#include <span>
#include <vector>

namespace vellicor {

// Exit codes of the command line.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // a file was refused or could not be written
constexpr int kExitUsage = 2;  // the command line itself was wrong

// One line on the error stream, whatever the reason says: "vellicor: WHAT "PATH": REASON".
void Report(QTextStream& errors, const QString& what, const QString& path, const QString& reason);

// The project at `path`, or nothing once the reason it was refused has been reported.
std::optional<Project> LoadProjectOrReport(const QString& path, QTextStream& errors);

// Adds the sprites after those of the project at `output`, or makes it (named after its file)
// when there is none; anything else at that path is refused rather than overwritten.
int AddSpritesToProjectFile(const QString& output, std::vector<SpriteRecord> sprites,
                            QTextStream& errors);
// The same in two steps, for a command that needs the project's room before it makes its
// sprites: the project there or a new one (nothing once the refusal is reported), then the
// sprites added to it, within the limit, and the whole written to `output`.
std::optional<Project> ProjectToExtend(const QString& output, QTextStream& errors);
int AddSpritesAndSave(Project project, const QString& output, std::vector<SpriteRecord> sprites,
                      QTextStream& errors);

struct HeadlessArguments {
    QString input;  // the value of the command's own option
    QString output; // the value of --output
    // Further options given, by name without the dashes; a flag's value is empty.
    QHash<QString, QString> options;
};

// An option that only some commands take, besides --output.
struct HeadlessOption {
    QLatin1String name;
    QLatin1String valueName; // empty for a flag, which takes no value
    QLatin1String description;
};

// A command that runs to the end without a display, for build pipelines. It reports a fault
// as one line on `errors`, leaves its output as it was, and returns the exit code.
struct HeadlessCommand {
    QLatin1String option;    // the option that selects it, e.g. "export"
    QLatin1String valueName; // what the option's value is, e.g. "project"
    QLatin1String description;
    QLatin1String takes; // the further options it may be given, separated by spaces
    // What is wrong with the arguments as a matter of usage; empty when nothing. May be null.
    QString (*usageProblem)(const HeadlessArguments& arguments);
    int (*run)(const HeadlessArguments& arguments, QTextStream& errors);
    // Whether it writes a file named by --output; the others print to standard output.
    bool writesOutput = true;
};

std::span<const HeadlessCommand> HeadlessCommands();
std::span<const HeadlessOption> HeadlessOptions();

// An option's value, when it is a whole number from `low` to `high`.
std::optional<int> WholeNumber(const QString& text, int low, int high);
// The value of --scale, when it is a whole number from kMinPngScale to kMaxPngScale.
std::optional<int> ScaleValue(const QString& text);
// The usage problems of --scale and --name, for the commands that take them; empty when none.
QString ScaleUsage(const HeadlessArguments& arguments);
QString NameUsage(const HeadlessArguments& arguments);

// --export PROJECT --output HEADER [--header-style plain|c]: the header that Compile writes
// for the project, in the style given or else the project's own.
int ExportHeader(const HeadlessArguments& arguments, QTextStream& errors);

// --export-png PROJECT --sprite NAME_OR_INDEX --output IMAGE [--scale N]: one sprite as a PNG.
// An index counts from 0; a name must belong to one sprite only.
int ExportPng(const HeadlessArguments& arguments, QTextStream& errors);

// --import-png IMAGE --output PROJECT [--name NAME]: the image as a new, last sprite of the
// project, which is made (named after its file) when it does not exist yet.
int ImportPng(const HeadlessArguments& arguments, QTextStream& errors);

// --import-sheet IMAGE --tile N --output PROJECT [--name NAME] [--skip-empty]: the image cut
// into tiles of N pixels, each a new sprite after the project's own, named NAME0, NAME1, ...
QString ImportSheetUsage(const HeadlessArguments& arguments);
int ImportSheet(const HeadlessArguments& arguments, QTextStream& errors);

// --export-sheet PROJECT --output IMAGE [--columns N] [--scale S]: every sprite with a size in
// one PNG image.
QString ExportSheetUsage(const HeadlessArguments& arguments);
int ExportSheet(const HeadlessArguments& arguments, QTextStream& errors);

// --list PROJECT: one line per sprite on standard output, "index<TAB>name<TAB>size", the name
// as UTF-8 and the index from 0, for scripts.
int ListSprites(const HeadlessArguments& arguments, QTextStream& errors);

// --import-header HEADER --output PROJECT: the header's sprites added to the project, which is
// created when it does not exist.
int ImportHeader(const HeadlessArguments& arguments, QTextStream& errors);

} // namespace vellicor
