#include "header_code.h"

#include <string_view>

namespace vellicor {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

HeaderCode CodeOf(const QByteArray& bytes) {
    HeaderCode code{bytes.toStdString(), false};
    std::string& text = code.text;
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        throw HeaderFault{nul, QStringLiteral("The file holds a NUL byte: it is not a text file.")};
    if (text.starts_with(kByteOrderMark)) {
        code.utf8 = true;
        Blank(text, 0, kByteOrderMark.size());
    }
    bool lineStart = true; // only blanks and comments so far on this line
    for (std::size_t i = 0; i < text.size();) {
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
            lineStart = true;
        } else if (!IsBlank(c)) {
            lineStart = false;
        }
        i = end;
    }
    return code;
}

} // namespace vellicor
