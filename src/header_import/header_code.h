#pragma once

#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vellicor {

// What is wrong with a header, and where: ReadHeader turns the offset into a line number.
struct HeaderFault {
    std::size_t offset;
    QString what; // a sentence, ending with a full stop
};

// White space between tokens, line ends included.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The file starts with a UTF-8 byte order mark, so its names are UTF-8; otherwise Latin-1.
bool HasByteOrderMark(std::string_view text);

// A stretch of the file as a message shows it: its first 64 bytes and "..." for the rest, so a
// token a whole file long cannot swamp the message.
QString ShownBytes(std::string_view bytes, bool utf8);

// What the walk through a header hands on, in file order.
struct HeaderWalkSteps {
    // The line [begin, end), its line end left out, which starts where no statement, comment or
    // preprocessor line is open. Returns true when it takes the line whole, as the export wrote
    // it, so that nothing in it is read as C.
    std::function<bool(std::size_t begin, std::size_t end)> line;
    // A statement that holds more than blanks: [begin, end) up to its ";" when `terminated`,
    // or to the end of the file.
    std::function<void(std::size_t begin, std::size_t end, bool terminated)> statement;
};

// Walks the header once, past a byte order mark, blanking comments and preprocessor lines in
// place as it meets them: every byte keeps its offset and line ends stay, so any place in the
// text still names its line. Throws HeaderFault for a comment that is never closed, or for a
// NUL byte (not a text file), the latter before anything is handed on.
void WalkHeader(std::string& text, const HeaderWalkSteps& steps);

} // namespace vellicor
