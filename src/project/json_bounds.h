#pragma once

#include "model/name_rules.h"

#include <QByteArrayView>
#include <QLatin1String>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace vellicor {

// Watches the bytes of a project file or a journal record go past and refuses, before the
// JSON parser builds anything, a document that asks for more than any project needs: nesting
// deeper than the formats go, more than a little content under keys Vellicor does not read,
// a name longer than the name rules allow, or more bytes than its sprites account for. Fed
// chunk by chunk while a file is read, it stops a hostile file before it is in memory whole.
class JsonBounds {
  public:
    static constexpr std::int64_t kMaxUnknownBytes = 1024 * 1024;
    // Everything Vellicor writes beside the sprites fits in a megabyte, with room to spare,
    // and unknown content has a megabyte of its own.
    static constexpr std::int64_t kBaseBytes = 1024 * 1024 + kMaxUnknownBytes;
    // A sprite is about 3 KB as the project file indents it; a name can add 6 KB escaped.
    static constexpr std::int64_t kBytesPerSprite = 16 * 1024;
    static constexpr int kMaxDepth = 8;
    // A name of kMaxNameLength characters, each written as a "\uXXXX" escape.
    static constexpr std::int64_t kMaxNameBytes = std::int64_t{kMaxNameLength} * 6;

    // `knownKeys` are the keys of the format being read; content under any other is counted.
    explicit JsonBounds(std::span<const QLatin1String> knownKeys) : knownKeys_(knownKeys) {}

    // The reason to refuse, once there is one; after that the bounds stay refused.
    std::optional<QString> Feed(QByteArrayView bytes);

  private:
    struct Frame {
        bool object = false;
        bool expectKey = false; // an object's next string is a key
    };
    void Refuse(QString reason);
    void OpenContainer(bool object);
    void CloseContainer();
    void EndValue();
    void EndString();

    std::span<const QLatin1String> knownKeys_;
    std::optional<QString> refusal_;
    std::array<Frame, kMaxDepth + 1> frames_{};
    int depth_ = 0;
    bool inString_ = false;
    bool escape_ = false;
    bool stringIsKey_ = false;
    bool stringIsName_ = false;
    std::int64_t stringBytes_ = 0;
    std::array<char, 8> key_{}; // the start of the key being read
    bool keyKnown_ = false;     // the value that follows belongs to a key Vellicor reads
    bool keyIsName_ = false;
    int unknownFrom_ = -1; // the depth whose current value is unknown content, or -1
    std::int64_t unknownBytes_ = 0;
    std::int64_t total_ = 0;
    std::int64_t sprites_ = 0; // objects inside the top level: the sprites
};

} // namespace vellicor
