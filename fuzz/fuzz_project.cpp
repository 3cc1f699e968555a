#include "fuzz_checks.h"
#include "project/project_file.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace vellicor;

// Any bytes as a .vellicor file: a project within the format's limits, or one line saying why
// not.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ProjectRead read = ReadProject(bytes);
    fuzz::ExpectVerdict(read.project.has_value(), read.error);
    if (!read.project)
        return 0;
    for (const SpriteRecord& sprite : read.project->table.Sprites())
        fuzz::Expect(sprite.Size == 0 || sprite.Size == 8 || sprite.Size == 16 ||
                     sprite.Size == 32);
    return 0;
}
