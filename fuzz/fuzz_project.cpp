#include "fuzz_checks.h"
#include "project/json_bounds.h"
#include "project/plain_project_read.h"
#include "project/project_file.h"
#include "project/project_keys.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace vellicor;

namespace {

bool SamePlanes(const SpriteRecord& a, const SpriteRecord& b) {
    for (int y = 0; y < kPlaneSide; ++y)
        if (a.PlaneDark.FullRow(y) != b.PlaneDark.FullRow(y) ||
            a.PlaneLight.FullRow(y) != b.PlaneLight.FullRow(y) ||
            a.PlaneMask.FullRow(y) != b.PlaneMask.FullRow(y))
            return false;
    return true;
}

bool SameProjects(const Project& a, const Project& b) {
    if (a.name != b.name || a.table.SpriteCount() != b.table.SpriteCount())
        return false;
    for (int i = 0; i < a.table.SpriteCount(); ++i) {
        const SpriteRecord& x = a.table.Record(i);
        const SpriteRecord& y = b.table.Record(i);
        if (x.Name != y.Name || x.Size != y.Size || x.IsOpen != y.IsOpen || !SamePlanes(x, y))
            return false;
    }
    return true;
}

} // namespace

// Any bytes as a .vellicor file: a project within the format's limits, or one line saying why
// not. Whatever the plain reader takes, JsonBounds and Qt's parser take too, to the same project.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ProjectRead read = ReadProject(bytes);
    fuzz::ExpectVerdict(read.project.has_value(), read.error);
    if (read.project)
        fuzz::ExpectSprites(read.project->table);
    if (const auto plain = ReadPlainProject(bytes, 0)) {
        fuzz::Expect(!JsonBounds(project_keys::kAllKeys).Feed(bytes));
        const ProjectRead full = ReadBoundedProject(bytes);
        fuzz::Expect(full.project && SameProjects(*plain, *full.project));
    }
    return 0;
}
