#include "fuzz_checks.h"
#include "header_import/header_import.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace vellicor;

namespace {

// Rows past the sprite's size, and bits past its width, must be clear.
bool ClearBeyond(const Plane& plane, int size) {
    for (int y = 0; y < kPlaneSide; ++y) {
        const std::uint32_t visible =
            y < size && size > 0 ? ~std::uint32_t{0} << (kPlaneSide - size) : 0;
        if ((plane.FullRow(y) & ~visible) != 0)
            return false;
    }
    return true;
}

} // namespace

// Any bytes as a header: sprites of 0, 8, 16 or 32 entries whose planes hold nothing beyond
// their size, or no sprites and one line saying why.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const HeaderImport read = ReadHeader(bytes);
    fuzz::Expect(!read.error.contains(QLatin1Char('\n')));
    if (!read.error.isEmpty()) {
        fuzz::Expect(read.sprites.empty());
        return 0;
    }
    for (const ImportedSprite& sprite : read.sprites) {
        fuzz::Expect(sprite.size == 0 || sprite.size == 8 || sprite.size == 16 ||
                     sprite.size == 32);
        fuzz::Expect(!sprite.name.empty());
        fuzz::Expect(ClearBeyond(sprite.dark, sprite.size) &&
                     ClearBeyond(sprite.light, sprite.size) &&
                     ClearBeyond(sprite.mask, sprite.size));
    }
    return 0;
}
