#include "headless_commands.h"

#include "export/header_file.h"
#include "export/header_text.h"
#include "project/project_file.h"

#include <QDir>

namespace vellicor {
namespace {

constexpr HeadlessCommand kCommands[] = {
    {QLatin1String("export"), QLatin1String("project"),
     QLatin1String("Writes the C header of <project> to the file given by --output, without "
                   "opening a window."),
     &ExportHeader},
    {QLatin1String("import-header"), QLatin1String("header"),
     QLatin1String("Reads the sprites of the C header <header> into the project given by --output: "
                   "added to it when it exists, or to a new project named after the file."),
     &ImportHeader},
};

// One line whatever the reason says, so scripts can read one fault per line.
void Report(QTextStream& errors, const QString& what, const QString& path, const QString& reason) {
    errors << QStringLiteral("vellicor: %1 \"%2\": %3")
                  .arg(what, QDir::toNativeSeparators(path), reason.simplified())
           << Qt::endl;
}

} // namespace

std::span<const HeadlessCommand> HeadlessCommands() {
    return kCommands;
}

int ExportHeader(const HeadlessArguments& arguments, QTextStream& errors) {
    const ProjectRead read = LoadProjectFile(arguments.input);
    if (!read.project) {
        Report(errors, QStringLiteral("could not read the project"), arguments.input, read.error);
        return kExitFailed;
    }
    if (const auto reason =
            WriteFileAtomically(arguments.output, HeaderText(read.project->table))) {
        Report(errors, QStringLiteral("could not write the header"), arguments.output, *reason);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace vellicor
