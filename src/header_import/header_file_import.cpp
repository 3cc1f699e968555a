#include "header_import.h"

#include <algorithm>

namespace vellicor {

HeaderFileImport ImportHeaderFile(const QString& path, int roomLeft) {
    HeaderImport header = LoadHeaderFile(path);
    if (!header.error.isEmpty())
        return {{}, HeaderFileFault::Unreadable, std::move(header.error), 0};
    if (header.sprites.empty())
        return {{}, HeaderFileFault::NoSprites, {}, 0};
    if (header.sprites.size() > static_cast<std::size_t>(std::max(roomLeft, 0)))
        return {{}, HeaderFileFault::NoRoom, {}, header.sprites.size()};
    HeaderFileImport import;
    import.sprites.reserve(header.sprites.size());
    for (const ImportedSprite& sprite : header.sprites)
        import.sprites.push_back(ToRecord(sprite));
    return import;
}

} // namespace vellicor
