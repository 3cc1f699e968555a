#pragma once

#include <QLatin1String>
#include <QStringView>
#include <cstdint>
#include <string_view>

namespace vellicor {

// The two layouts of Qt's JSON writer: indented (four blanks a level, one value a line, a blank
// after each colon, a newline at the end) and compact (no white space at all).
enum class JsonLayout { Indented, Compact };

// Writes JSON into a buffer its caller has sized, laid out byte for byte as QJsonDocument lays
// it out, without building a document first: that building was most of what saving cost.
// Members and elements go in the order they are written; QJsonObject's sorted keys are the
// caller's to keep.
class JsonCursor {
  public:
    JsonCursor(char* at, JsonLayout layout) : at_(at), layout_(layout) {}

    char* At() const { return at_; }
    // The most bytes one line takes at `level` beyond its value: indent, key, punctuation.
    static constexpr std::int64_t MaxLineBytes(int level) { return 4 * std::int64_t{level} + 24; }

    void OpenObject() { Open('{'); }
    void OpenArray() { Open('['); }
    void Close(char bracket);
    // What follows the last bracket of the document.
    void EndDocument();

    // Before a member's value, and before an element of an array.
    void Key(QLatin1String key);
    void Element() { Indent(); }
    // After a member or an element: a comma unless it was the last.
    void Next(bool last);

    void String(QStringView text);
    void String(std::string_view utf8);
    void String(QLatin1String text) { String(std::string_view(text.data(), text.size())); }
    void Number(std::int64_t number);
    void Bool(bool value) { Raw(value ? std::string_view("true") : std::string_view("false")); }
    // A plane row as a string of eight upper-case hex digits.
    void Row(std::uint32_t row);

  private:
    void Open(char bracket);
    void Indent();
    void Raw(std::string_view text);
    void Newline();

    char* at_;
    JsonLayout layout_;
    int level_ = 0;
};

} // namespace vellicor
