#include "checksum_repair.h"
#include "fuzz_checks.h"
#include "png/png_import.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace vellicor;

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    return fuzz::MutateAndRepair(data, size, maxSize, seed, fuzz::RepairPngChunks);
}

// Any bytes as an imported PNG: a sprite of 8, 16 or 32 pixels, or one line saying why not.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ImageImport import = SpriteFromPngBytes(bytes);
    fuzz::ExpectVerdict(import.sprite.has_value(), import.error);
    if (import.sprite)
        fuzz::Expect(import.sprite->Size == 8 || import.sprite->Size == 16 ||
                     import.sprite->Size == 32);
    return 0;
}
