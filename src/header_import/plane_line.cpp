#include "plane_line.h"

#include "header_code.h"

#include <QString>
#include <array>

namespace vellicor {
namespace {

constexpr std::array kKinds = {PlaneKind::Dark, PlaneKind::Light, PlaneKind::Mask};

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Blanks and array bounds such as "[8][1]" between a name and its "=".
std::size_t SkipBounds(std::string_view text, std::size_t at, std::size_t end) {
    for (;;) {
        while (at < end && IsBlank(text[at]))
            ++at;
        if (at >= end || text[at] != '[')
            return at;
        const std::size_t close = text.find(']', at);
        if (close >= end)
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
        const QString found = token.kind != 0 ? QLatin1Char('"') + Latin1(token.text) + '"'
                              : terminated_   ? QStringLiteral("\";\"")
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

void ReadEntries(Tokens& tokens, std::vector<PlaneEntry>& entries) {
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
        entries.push_back({token.text, complemented, token.offset});
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

} // namespace

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
            ReadEntries(tokens, line.entries);
            const Token after = tokens.Next();
            if (after.kind != 0)
                throw HeaderFault{
                    after.offset,
                    QStringLiteral("\";\" is missing before \"%1\".").arg(Latin1(after.text))};
            if (!terminated)
                throw HeaderFault{start, QStringLiteral("The array does not end with \";\".")};
            return line;
        }
    }
    return std::nullopt;
}

} // namespace vellicor
