#include "json_string.h"

#include <QString>
#include <algorithm>
#include <cstring>

namespace vellicor {
namespace {

char* Escape(char* out, char32_t unit) {
    static constexpr char kHex[] = "0123456789abcdef";
    *out++ = '\\';
    switch (unit) {
    case u'"':
    case u'\\':
        *out++ = static_cast<char>(unit);
        return out;
    case u'\b':
        *out++ = 'b';
        return out;
    case u'\f':
        *out++ = 'f';
        return out;
    case u'\n':
        *out++ = 'n';
        return out;
    case u'\r':
        *out++ = 'r';
        return out;
    case u'\t':
        *out++ = 't';
        return out;
    default:
        *out++ = 'u';
        for (int shift = 12; shift >= 0; shift -= 4)
            *out++ = kHex[(unit >> shift) & 0xFU];
        return out;
    }
}

// Bytes that go out as they are: printable ASCII but the quote and the backslash.
bool IsPlain(char32_t c) {
    return c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\';
}

char* Utf8(char* out, char32_t c) {
    const auto byte = [&out](char32_t bits) { *out++ = static_cast<char>(bits); };
    if (c < 0x800) {
        byte(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
    }
    byte(0x80 | (c & 0x3F));
    return out;
}

} // namespace

char* WriteJsonString(char* out, QStringView text) {
    *out++ = '"';
    const char16_t* at = text.utf16();
    const char16_t* const end = at + text.size();
    while (at < end) {
        const char16_t unit = *at++;
        if (IsPlain(unit))
            *out++ = static_cast<char>(unit);
        else if (unit < 0x80)
            out = Escape(out, unit);
        else if (!QChar::isSurrogate(unit))
            out = Utf8(out, unit);
        else if (QChar::isHighSurrogate(unit) && at < end && QChar::isLowSurrogate(*at))
            out = Utf8(out, QChar::surrogateToUcs4(unit, *at++));
        else
            out = Escape(out, unit); // a surrogate without its pair has no UTF-8
    }
    *out++ = '"';
    return out;
}

char* WriteJsonString(char* out, std::string_view utf8) {
    // Sprite names are nearly always plain ASCII, which needs no decoding.
    if (!std::all_of(utf8.begin(), utf8.end(),
                     [](char c) { return IsPlain(static_cast<unsigned char>(c)); }))
        return WriteJsonString(out,
                               QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    *out++ = '"';
    std::memcpy(out, utf8.data(), utf8.size());
    out += utf8.size();
    *out++ = '"';
    return out;
}

} // namespace vellicor
