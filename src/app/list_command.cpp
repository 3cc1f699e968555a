#include "files/write_all.h"
#include "headless_commands.h"

#include <cerrno>
#include <cstdio>

namespace vellicor {

// The list is made whole before it is printed, so a script never reads half of a project that
// was refused; names go as the project holds them, in UTF-8, whatever the locale.
int ListSprites(const HeadlessArguments& arguments, QTextStream& errors) {
    const std::optional<Project> project = LoadProjectOrReport(arguments.input, errors);
    if (!project)
        return kExitFailed;
    QByteArray list;
    const auto sprites = project->table.Sprites();
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        list += QByteArray::number(static_cast<qulonglong>(i)) + '\t';
        list += QByteArray::fromStdString(sprites[i].Name) + '\t';
        list += QByteArray::number(sprites[i].Size) + '\n';
    }
    // A name holds no tab or line break: the name rules refuse control characters.
    errno = 0;
    const bool printed = std::fwrite(list.constData(), 1, static_cast<std::size_t>(list.size()),
                                     stdout) == static_cast<std::size_t>(list.size()) &&
                         std::fflush(stdout) == 0;
    if (!printed) {
        Report(errors, QStringLiteral("could not print the sprites of the project"),
               arguments.input, SystemReason(errno != 0 ? errno : EIO));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace vellicor
