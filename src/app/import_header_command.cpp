#include "header_import/header_import.h"
#include "headless_commands.h"
#include "model/sprite_table.h"

namespace vellicor {

// An existing project gains the header's sprites after its own, so several headers can be
// gathered into one project. The header is read before the project, and the room left is
// checked as the sprites are added, in the words every addition to a project file uses.
int ImportHeader(const HeadlessArguments& arguments, QTextStream& errors) {
    HeaderFileImport header = ImportHeaderFile(arguments.input, SpriteTable::kMaxSprites);
    if (header.fault != HeaderFileFault::None) {
        Report(errors, QStringLiteral("could not read the header"), arguments.input,
               header.fault == HeaderFileFault::NoSprites ? QStringLiteral("It holds no sprites.")
                                                          : header.error);
        return kExitFailed;
    }
    return AddSpritesToProjectFile(arguments.output, std::move(header.sprites), errors);
}

} // namespace vellicor
