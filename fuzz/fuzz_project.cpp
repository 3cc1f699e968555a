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
    if (read.project)
        fuzz::ExpectSprites(read.project->table);
    return 0;
}
