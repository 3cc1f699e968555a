#include "header_import/header_import.h"
#include "headless_commands.h"
#include "project/project_file.h"

#include <QDir>
#include <QFileInfo>

namespace vellicor {

// An existing project gains the header's sprites after its own, so several headers can be
// gathered into one project.
int ImportHeader(const HeadlessArguments& arguments, QTextStream& errors) {
    const HeaderImport header = LoadHeaderFile(arguments.input);
    if (!header.error.isEmpty()) {
        Report(errors, QStringLiteral("could not read the header"), arguments.input, header.error);
        return kExitFailed;
    }
    // An empty project from a file that was meant to hold sprites would hide the mistake.
    if (header.sprites.empty()) {
        Report(errors, QStringLiteral("could not read the header"), arguments.input,
               QStringLiteral("It holds no sprites."));
        return kExitFailed;
    }
    std::vector<SpriteRecord> sprites;
    sprites.reserve(header.sprites.size());
    for (const ImportedSprite& sprite : header.sprites)
        sprites.push_back(ToRecord(sprite));
    return AddSpritesToProjectFile(arguments.output, sprites, errors);
}

} // namespace vellicor
