#include "header_code.h"

namespace vellicor {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kShownBytes = 64;

void Blank(std::string& text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] != '\n')
            text[i] = ' ';
    }
}

std::size_t EndOfLine(const std::string& text, std::size_t from) {
    const std::size_t end = text.find('\n', from);
    return end == std::string::npos ? text.size() : end;
}

// A preprocessor line goes on past line ends escaped with a backslash.
std::size_t EndOfDirective(const std::string& text, std::size_t from) {
    std::size_t end = EndOfLine(text, from);
    for (;;) {
        std::size_t last = end;
        while (last > from && (text[last - 1] == '\r' || text[last - 1] == ' '))
            --last;
        if (end == text.size() || last == from || text[last - 1] != '\\')
            return end;
        end = EndOfLine(text, end + 1);
    }
}

} // namespace

bool HasByteOrderMark(std::string_view text) {
    return text.starts_with(kByteOrderMark);
}

QString ShownBytes(std::string_view bytes, bool utf8) {
    const std::string_view part = bytes.substr(0, kShownBytes);
    const auto size = static_cast<qsizetype>(part.size());
    QString shown =
        utf8 ? QString::fromUtf8(part.data(), size) : QString::fromLatin1(part.data(), size);
    return bytes.size() > kShownBytes ? shown + QStringLiteral("...") : shown;
}

void WalkHeader(std::string& text, const HeaderWalkSteps& steps) {
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        throw HeaderFault{nul, QStringLiteral("The file holds a NUL byte: it is not a text file.")};
    std::size_t i = HasByteOrderMark(text) ? kByteOrderMark.size() : 0;
    std::size_t begin = i;    // where the statement being read starts
    bool inStatement = false; // it holds more than blanks so far
    bool lineBegins = true;   // text[i] is the first byte of a line
    bool lineStart = true;    // only blanks and comments so far on this line
    while (i < text.size()) {
        // Compile's own lines come first, so a name holding ";" or "/*" is never read as C.
        if (lineBegins && !inStatement) {
            const std::size_t end = EndOfLine(text, i);
            if (steps.line(i, end)) {
                i = begin = end;
                lineBegins = false;
                continue;
            }
        }
        lineBegins = false;
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        std::size_t end = i + 1;
        if (c == '/' && next == '/') {
            end = EndOfLine(text, i);
            Blank(text, i, end);
        } else if (c == '/' && next == '*') {
            const std::size_t close = text.find("*/", i + 2);
            if (close == std::string::npos)
                throw HeaderFault{i, QStringLiteral("The comment is not closed with \"*/\".")};
            end = close + 2;
            Blank(text, i, end);
        } else if (c == '#' && lineStart) {
            end = EndOfDirective(text, i);
            Blank(text, i, end);
        } else if (c == '\n') {
            lineBegins = lineStart = true;
        } else if (c == ';') {
            if (inStatement)
                steps.statement(begin, i, true);
            begin = end;
            inStatement = lineStart = false;
        } else if (!IsBlank(c)) {
            inStatement = true;
            lineStart = false;
        }
        i = end;
    }
    if (inStatement)
        steps.statement(begin, text.size(), false);
}

} // namespace vellicor
