#pragma once

#include <QLatin1String>
#include <QStringView>
#include <optional>

namespace vellicor {

// How Compile writes the header. Plain is the bytes every earlier version wrote, which users'
// programs wrap by hand; CDeclarations compiles by itself.
enum class HeaderStyle { Plain, CDeclarations };

// The style's name in project files and on the command line.
constexpr QLatin1String HeaderStyleKey(HeaderStyle style) {
    return style == HeaderStyle::CDeclarations ? QLatin1String("c") : QLatin1String("plain");
}

inline std::optional<HeaderStyle> HeaderStyleFromKey(QStringView key) {
    for (const HeaderStyle style : {HeaderStyle::Plain, HeaderStyle::CDeclarations})
        if (key == HeaderStyleKey(style))
            return style;
    return std::nullopt;
}

} // namespace vellicor
