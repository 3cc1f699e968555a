#include "header_import/header_import.h"
#include "headless_commands.h"
#include "project/project_file.h"

#include <QDir>
#include <QFileInfo>

namespace vellicor {
namespace {

// One line whatever the reason says, as every headless command reports.
void Report(QTextStream& errors, const QString& what, const QString& path, const QString& reason) {
    errors << QStringLiteral("vellicor: %1 \"%2\": %3")
                  .arg(what, QDir::toNativeSeparators(path), reason.simplified())
           << Qt::endl;
}

} // namespace

// An existing project gains the header's sprites after its own, so several headers can be
// gathered into one project; a missing one is created, named after its file. Anything else at
// the output's path is refused rather than overwritten.
int ImportHeader(const HeadlessArguments& arguments, QTextStream& errors) {
    const HeaderImport header = LoadHeaderFile(arguments.input);
    if (!header.error.isEmpty()) {
        Report(errors, QStringLiteral("could not read the header"), arguments.input, header.error);
        return kExitFailed;
    }
    const QString& output = arguments.output;
    Project project;
    if (QFileInfo::exists(output)) {
        ProjectRead read = LoadProjectFile(output);
        if (!read.project) {
            Report(errors, QStringLiteral("could not read the project"), output, read.error);
            return kExitFailed;
        }
        project = std::move(*read.project);
    } else {
        project.name = QFileInfo(output).completeBaseName();
        if (!IsStorableName(project.name)) {
            Report(errors, QStringLiteral("could not write the project"), output,
                   QStringLiteral("Its file name gives no project name."));
            return kExitFailed;
        }
    }
    const auto total =
        static_cast<std::size_t>(project.table.SpriteCount()) + header.sprites.size();
    if (total > static_cast<std::size_t>(SpriteTable::kMaxSprites)) {
        Report(errors, QStringLiteral("could not add the sprites to the project"), output,
               QStringLiteral("It would hold %1 sprites; at most %2 fit.")
                   .arg(total)
                   .arg(SpriteTable::kMaxSprites));
        return kExitFailed;
    }
    for (const ImportedSprite& sprite : header.sprites)
        project.table.Record(project.table.Append(sprite.name)) = ToRecord(sprite);
    if (const auto reason = SaveProjectFile(output, project.name, project.table)) {
        Report(errors, QStringLiteral("could not write the project"), output, *reason);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace vellicor
