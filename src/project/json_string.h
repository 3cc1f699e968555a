#pragma once

#include <QStringView>
#include <string_view>

namespace vellicor {

// The most bytes WriteJsonString writes for text of `units` UTF-16 code units or UTF-8 bytes,
// quotes included: an escape takes six.
constexpr qsizetype MaxJsonStringBytes(qsizetype units) {
    return 6 * units + 2;
}

// `text` in quotes exactly as Qt's JSON writer puts it, so that files stay byte for byte what
// they were: \" \\ \b \f \n \r \t, other control characters and unpaired surrogates as \u with
// lower-case hex, everything else as UTF-8. Returns the end of what it wrote.
char* WriteJsonString(char* out, QStringView text);
// The same for UTF-8 text, read as QString::fromStdString reads it.
char* WriteJsonString(char* out, std::string_view utf8);

} // namespace vellicor
