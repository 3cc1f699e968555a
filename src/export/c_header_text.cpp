#include "c_header_text.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace vellicor {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Enough to show which names to change; a project of thousands of them is told how many more.
constexpr int kNamesShown = 10;

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCIdentifier(std::string_view name) {
    return !name.empty() && !IsAsciiDigit(name.front()) &&
           std::all_of(name.begin(), name.end(),
                       [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; });
}

// A macro name made of a file name: upper case, one "_" for each run of anything but ASCII
// letters and digits (two in a row are reserved in C++), and "H" in front when it would not
// start with a letter, as names starting with "_" are the compiler's own.
std::string MacroName(const QString& text) {
    std::string name;
    for (const QChar c : text) {
        const char latin = c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '_';
        if (IsAsciiLetter(latin) || IsAsciiDigit(latin))
            name += static_cast<char>(latin >= 'a' ? latin - ('a' - 'A') : latin);
        else if (!name.ends_with('_'))
            name += '_';
    }
    if (name.empty() || !IsAsciiLetter(name.front()))
        name.insert(0, name.starts_with('_') ? "H" : "H_");
    return name;
}

// A project name in the comment: it may hold "*/", which would end the comment early.
std::string CommentText(const QString& text) {
    std::string out = text.toStdString();
    for (std::size_t at = out.find("*/"); at != std::string::npos; at = out.find("*/", at + 3))
        out.insert(at + 1, 1, ' ');
    return out;
}

void AppendPlane(std::string& out, const SpriteRecord& sprite, std::string_view type, int bits,
                 std::string_view suffix, const Plane& plane, bool complemented) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const int size = sprite.Size;
    const std::uint32_t widthMask = size >= 32 ? ~std::uint32_t{0} : (1U << size) - 1U;
    const int digits = bits / 4;
    // Made in one buffer and appended once, as the plain header's lines are.
    std::array<char, kPlaneSide * 12> entries;
    char* at = entries.data();
    for (int y = 0; y < size; ++y) {
        if (y > 0)
            *at++ = ',', *at++ = ' ';
        *at++ = '0', *at++ = 'x';
        std::uint32_t row = plane.Row(y, size);
        // The mask plane keeps 1 for transparent; the array keeps 1 for opaque, as programs
        // draw with it.
        if (complemented)
            row = ~row & widthMask;
        for (int i = digits - 1; i >= 0; --i, row >>= 4)
            at[i] = kDigits[row & 0xFU];
        at += digits;
    }
    out += "static const ";
    out += type;
    out += ' ';
    out += sprite.Name;
    out += suffix;
    out += '[';
    out += std::to_string(size);
    out += "] = {";
    out.append(entries.data(), static_cast<std::size_t>(at - entries.data()));
    out += "};";
    out += kLineEnd;
}

} // namespace

std::optional<QString> CHeaderRefusal(const SpriteTable& table) {
    std::unordered_map<std::string_view, int> uses;
    for (const SpriteRecord& sprite : table.Sprites())
        ++uses[sprite.Name];
    QStringList shown;
    int faulty = 0;
    for (const SpriteRecord& sprite : table.Sprites()) {
        int& count = uses[sprite.Name];
        // Counted once, where the name is first met; 0 marks a name already told.
        if (count == 0 || (count == 1 && IsCIdentifier(sprite.Name)))
            continue;
        count = 0;
        if (++faulty <= kNamesShown)
            shown << QLatin1Char('"') + QString::fromStdString(sprite.Name) + QLatin1Char('"');
    }
    if (faulty == 0)
        return std::nullopt;
    QString list = shown.join(QStringLiteral(", "));
    if (faulty > kNamesShown)
        list += QStringLiteral(" and %1 more").arg(faulty - kNamesShown);
    return QStringLiteral("The C declarations style needs sprite names that are C identifiers "
                          "(ASCII letters, digits and \"_\", not starting with a digit) and "
                          "distinct, which these are not: %1.")
        .arg(list);
}

CHeaderFrame CHeaderFrameOf(const SpriteTable& table, const QString& projectName,
                            const QString& headerPath) {
    const QFileInfo file(headerPath);
    std::string guard = MacroName(file.fileName());
    // The guard must not be one of the header's own macros, which end so.
    if (guard.ends_with("_SIZE") || guard.ends_with("_SPRITE_COUNT"))
        guard += "_H";
    const std::string prefix = MacroName(file.completeBaseName() + QLatin1Char('_'));
    const std::string end(kLineEnd);
    CHeaderFrame frame;
    frame.opening = "/* Sprites of the Vellicor project \"" + CommentText(projectName) + "\". */" +
                    end + "#ifndef " + guard + end + "#define " + guard + end + end +
                    "#include <stdint.h>" + end + end + "#define " + prefix + "SPRITE_COUNT " +
                    std::to_string(table.SpriteCount()) + end + end;
    frame.closing = "#endif /* " + guard + " */" + end;
    return frame;
}

void AppendCSprite(std::string& out, const SpriteRecord& sprite) {
    const int size = sprite.Size;
    if (size <= 0) {
        out += "/* " + sprite.Name + " has no size yet: no planes. */";
        out += kLineEnd;
    }
    out += "#define " + sprite.Name + "_SIZE " + std::to_string(std::max(size, 0));
    out += kLineEnd;
    if (size > 0) {
        const int bits = size <= 8 ? 8 : size <= 16 ? 16 : 32;
        const std::string type = "uint" + std::to_string(bits) + "_t";
        AppendPlane(out, sprite, type, bits, "_PlaneDark", sprite.PlaneDark, false);
        AppendPlane(out, sprite, type, bits, "_PlaneLight", sprite.PlaneLight, false);
        AppendPlane(out, sprite, type, bits, "_PlaneMask", sprite.PlaneMask, true);
    }
    out += kLineEnd;
}

std::string CHeaderText(const SpriteTable& table, const QString& projectName,
                        const QString& headerPath) {
    CHeaderFrame frame = CHeaderFrameOf(table, projectName, headerPath);
    std::string out = std::move(frame.opening);
    for (const SpriteRecord& sprite : table.Sprites())
        AppendCSprite(out, sprite);
    return out + frame.closing;
}

} // namespace vellicor
