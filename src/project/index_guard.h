#pragma once

#include <QByteArrayView>
#include <cstdint>

namespace vellicor {

// Watches a file's bytes come in on their way to simdjson, which indexes every structural
// character and every scalar of a document before it reads any of it, and whose reader checks
// JsonBounds' byte budget only once the file is in whole. A file that could make that index
// larger than the largest project needs, or that holds more bytes than its braces account for,
// goes the way of JsonBounds instead, which refuses a hostile file within its first megabytes.
class IndexGuard {
  public:
    // The index may count four bytes for each of these, and each sprite has about 330.
    static constexpr std::int64_t kPerSprite = 400;
    static constexpr std::int64_t kSlack = 1024 * 1024;

    // Whether everything so far, `bytes` included, stays within what a project needs. Counted
    // with vectors a block at a time: this sees every byte of every file opened.
    bool Feed(QByteArrayView bytes);

  private:
    std::int64_t total_ = 0;
    // Structural characters and quotes, and bytes after white space that end it: at least what
    // simdjson indexes, with a scalar after a comma or colon counted by its comma or colon.
    std::int64_t marks_ = 0;
    std::int64_t braces_ = 0;
    bool afterSpace_ = false;
};

} // namespace vellicor
