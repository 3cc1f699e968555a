#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>

namespace vellicor {

// What is wrong with a header, and where: ReadHeader turns the offset into a line number.
struct HeaderFault {
    std::size_t offset;
    QString what; // a sentence, ending with a full stop
};

// The statements of a header with everything else blanked out: comments, preprocessor lines
// and a byte order mark become blanks, line ends stay. Every byte keeps its offset, so any
// place in the text still names its line in the file.
struct HeaderCode {
    std::string text;
    bool utf8 = false; // the file starts with a UTF-8 byte order mark; otherwise it is Latin-1
};

// Throws HeaderFault for a comment that is never closed, or a NUL byte (not a text file).
HeaderCode CodeOf(const QByteArray& bytes);

// White space between tokens, line ends included.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace vellicor
