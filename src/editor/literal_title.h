#pragma once

#include <QString>

namespace vellicor {

// Qt reads "[*]" in a window title as the place of the modified mark; doubled, it shows as
// typed. Names the user typed go through here before they become part of a title.
inline QString LiteralTitle(QString text) {
    return text.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

} // namespace vellicor
