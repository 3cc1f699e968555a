#include "plane_line.h"

#include "header_code.h"
#include "hex_digits.h"

#include <QString>
#include <array>

namespace vellicor {
namespace {

constexpr std::array kKinds = {PlaneKind::Dark, PlaneKind::Light, PlaneKind::Mask};

PlaneEntry Entry(std::string_view value, bool complemented, std::size_t offset) {
    return {value, complemented, offset, HexNumber(value)};
}

// Where the word of an exported entry, which starts at `word`, ends (at `last` at the latest),
// and its number.
std::size_t ExportedEntryEnd(std::string_view rest, std::size_t word, std::size_t last,
                             std::uint64_t& number) {
    // Nearly every entry is "0x" and 2 to 8 digits, read here in one go.
    if (word + 11 <= rest.size() && rest[word] == '0' &&
        (rest[word + 1] == 'x' || rest[word + 1] == 'X')) {
        const auto [count, value] = LeadingHexDigits(rest.data() + word + 2);
        const std::size_t end = word + 2 + static_cast<std::size_t>(count);
        if (count > 0 && !IsWordChar(rest[end])) {
            number = value;
            return end;
        }
    }
    std::size_t end = word;
    while (end < last && IsWordChar(rest[end]))
        ++end;
    number = HexNumber(rest.substr(word, end - word));
    return end;
}

// Blanks and array bounds such as "[8][1]" between a name and its "=". A bound holds no
// brackets, so no stretch of a statement is searched twice however many "_Plane" it holds.
std::size_t SkipBounds(std::string_view text, std::size_t at, std::size_t end) {
    for (;;) {
        while (at < end && IsBlank(text[at]))
            ++at;
        if (at >= end || text[at] != '[')
            return at;
        const std::size_t close = text.find_first_of("[]", at + 1);
        if (close >= end || text[close] != ']')
            return end;
        at = close + 1;
    }
}

struct Token {
    char kind; // '{', '}', ',', '~', 'w' for a word, '?' for anything else, 0 at the end
    std::string_view text;
    std::size_t offset;
};

// The tokens of an initialiser, from just after its "=" to the end of its statement.
class Tokens {
  public:
    Tokens(std::string_view text, std::size_t at, std::size_t end, bool terminated)
        : text_(text), at_(at), end_(end), terminated_(terminated) {}

    Token Next() {
        while (at_ < end_ && IsBlank(text_[at_]))
            ++at_;
        const std::size_t start = at_;
        if (at_ >= end_)
            return {0, {}, end_};
        const char c = text_[at_++];
        if (IsWordChar(c)) {
            while (at_ < end_ && IsWordChar(text_[at_]))
                ++at_;
            return {'w', text_.substr(start, at_ - start), start};
        }
        const bool punctuation = c == '{' || c == '}' || c == ',' || c == '~';
        return {punctuation ? c : '?', text_.substr(start, 1), start};
    }
    Token Peek() {
        const std::size_t at = at_;
        const Token token = Next();
        at_ = at;
        return token;
    }
    // Takes the next token if it is of the given kind; says whether it did.
    bool Skip(char kind) {
        if (Peek().kind != kind)
            return false;
        Next();
        return true;
    }
    // Takes a token of the given kind, or refuses the line saying what was expected.
    Token Expect(char kind, const char* expected) {
        const Token token = Next();
        if (token.kind != kind)
            Refuse(token, expected);
        return token;
    }
    [[noreturn]] void Refuse(const Token& token, const char* expected) const {
        const QString found = token.kind != 0
                                  ? QLatin1Char('"') + ShownBytes(token.text, false) + '"'
                              : terminated_ ? QStringLiteral("\";\"")
                                            : QStringLiteral("the end of the file");
        throw HeaderFault{
            token.offset,
            QStringLiteral("Expected %1 but found %2.").arg(QLatin1String(expected), found)};
    }

  private:
    std::string_view text_;
    std::size_t at_;
    std::size_t end_;
    bool terminated_;
};

void ReadEntries(Tokens& tokens, PlaneLine& line) {
    Token token = tokens.Next();
    // The export writes a line without rows as "Name_PlaneDark = };".
    if (token.kind == '}')
        return;
    if (token.kind != '{')
        tokens.Refuse(token, "\"{\"");
    if (tokens.Skip('}'))
        return;
    for (;;) {
        token = tokens.Next();
        const bool braced = token.kind == '{';
        if (braced)
            token = tokens.Next();
        const bool complemented = token.kind == '~';
        if (complemented)
            token = tokens.Next();
        if (token.kind != 'w')
            tokens.Refuse(token, "an entry such as 0x3C");
        line.entries.push_back(Entry(token.text, complemented, token.offset));
        if (line.entries.size() > kMostEntries)
            return;
        if (braced)
            tokens.Expect('}', "\"}\"");
        token = tokens.Next();
        if (token.kind == '}')
            return;
        if (token.kind != ',')
            tokens.Refuse(token, "\",\" or \"}\"");
        // A comma after the last entry is C, and some people write it.
        if (tokens.Skip('}'))
            return;
    }
}

// The exported entries " = {{0xC0},{0x00}};" or " = };" after a name and suffix, each with a
// "~" or not: whether `rest`, which starts at `offset`, is exactly that.
bool ReadExportedEntries(std::string_view rest, std::size_t offset, PlaneLine& line) {
    if (rest == " = };")
        return true;
    constexpr std::string_view open = " = {{", close = "}};", between = "},{";
    if (!rest.starts_with(open) || !rest.ends_with(close))
        return false;
    const std::size_t last = rest.size() - close.size();
    for (std::size_t at = open.size();;) {
        const bool complemented = rest[at] == '~';
        const std::size_t word = complemented ? at + 1 : at;
        std::uint64_t number = kNotHex;
        at = ExportedEntryEnd(rest, word, last, number);
        if (at == word)
            return false;
        line.entries.push_back({rest.substr(word, at - word), complemented, offset + word, number});
        if (at == last || line.entries.size() > kMostEntries)
            return true;
        // Byte by byte: a call to compare three bytes costs more than the entry's digits.
        if (rest[at] != between[0] || rest[at + 1] != between[1] || rest[at + 2] != between[2])
            return false;
        at += between.size();
    }
}

} // namespace

std::optional<PlaneLine> ReadExportedLine(std::string_view text, std::size_t begin,
                                          std::size_t end) {
    std::string_view line = text.substr(begin, end - begin);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    // A name holds no blanks, so the first blank ends the name and its suffix.
    std::size_t blank = 0;
    while (blank < line.size() && !IsBlank(line[blank]))
        ++blank;
    const std::string_view head = line.substr(0, blank);
    for (const PlaneKind kind : kKinds) {
        const std::string_view suffix = PlaneSuffix(kind);
        if (!head.ends_with(suffix))
            continue;
        PlaneLine plane{kind, head.substr(0, head.size() - suffix.size()), begin, {}};
        plane.entries.reserve(kMostEntries + 1);
        if (!ReadExportedEntries(line.substr(blank), begin + blank, plane))
            return std::nullopt;
        return plane;
    }
    return std::nullopt;
}

std::string_view PlaneSuffix(PlaneKind kind) {
    switch (kind) {
    case PlaneKind::Dark:
        return "_PlaneDark";
    case PlaneKind::Light:
        return "_PlaneLight";
    case PlaneKind::Mask:
        break;
    }
    return "_PlaneMask";
}

std::optional<PlaneLine> ReadPlaneLine(std::string_view text, std::size_t begin, std::size_t end,
                                       bool terminated) {
    const std::string_view statement = text.substr(0, end);
    for (std::size_t at = statement.find("_Plane", begin); at != std::string_view::npos;
         at = statement.find("_Plane", at + 1)) {
        for (const PlaneKind kind : kKinds) {
            const std::string_view suffix = PlaneSuffix(kind);
            if (statement.substr(at, suffix.size()) != suffix)
                continue;
            const std::size_t equals = SkipBounds(statement, at + suffix.size(), end);
            if (equals >= end || statement[equals] != '=')
                continue;
            // A name holds no blanks, whatever else it holds: the export writes names as typed.
            std::size_t start = at;
            while (start > begin && !IsBlank(statement[start - 1]))
                --start;
            PlaneLine line{kind, statement.substr(start, at - start), start, {}};
            Tokens tokens(statement, equals + 1, end, terminated);
            ReadEntries(tokens, line);
            if (line.entries.size() > kMostEntries)
                return line;
            const Token after = tokens.Next();
            if (after.kind != 0)
                throw HeaderFault{after.offset, QStringLiteral("\";\" is missing before \"%1\".")
                                                    .arg(ShownBytes(after.text, false))};
            if (!terminated)
                throw HeaderFault{start, QStringLiteral("The array does not end with \";\".")};
            return line;
        }
    }
    return std::nullopt;
}

} // namespace vellicor
