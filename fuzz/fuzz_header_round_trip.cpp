#include "export/header_text.h"
#include "fuzz_checks.h"
#include "header_import/header_import.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

using namespace vellicor;

namespace {

// The header Compile would write for these sprites; nullopt past what a project holds.
std::optional<std::string> Compiled(const std::vector<ImportedSprite>& sprites) {
    SpriteTable table;
    for (const ImportedSprite& sprite : sprites) {
        if (table.IsFull())
            return std::nullopt;
        table.AppendRecord(ToRecord(sprite));
    }
    return HeaderText(table);
}

bool SamePlane(const Plane& a, const Plane& b) {
    for (int y = 0; y < kPlaneSide; ++y)
        if (a.FullRow(y) != b.FullRow(y))
            return false;
    return true;
}

// The header holds names as Latin-1, so two names are the same when they are written alike.
bool SameSprite(const ImportedSprite& a, const ImportedSprite& b) {
    return ToLatin1(a.name) == ToLatin1(b.name) && a.size == b.size && SamePlane(a.dark, b.dark) &&
           SamePlane(a.light, b.light) && SamePlane(a.mask, b.mask);
}

} // namespace

// Whatever sprites the reader takes, Compile writes a header the reader takes again as the same
// sprites, and compiling those gives the very same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const HeaderImport first = ReadHeader(bytes);
    if (!first.error.isEmpty())
        return 0;
    const auto text = Compiled(first.sprites);
    if (!text)
        return 0;
    const HeaderImport second = ReadHeader(QByteArray::fromStdString(*text));
    fuzz::Expect(second.error.isEmpty());
    fuzz::Expect(second.sprites.size() == first.sprites.size());
    for (std::size_t i = 0; i < first.sprites.size(); ++i)
        fuzz::Expect(SameSprite(first.sprites[i], second.sprites[i]));
    fuzz::Expect(Compiled(second.sprites) == text);
    return 0;
}
