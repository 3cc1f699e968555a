// Opening .vellicor files from disk. A regular file is read straight into the one buffer that
// simdjson reads it from, watched as it comes in; whatever the plain reader leaves, and whatever
// the watch stops, goes through JsonBounds in the very chunks it always saw, so every refusal
// is the one it always was.
#include "index_guard.h"
#include "json_bounds.h"
#include "plain_project_read.h"
#include "project_file.h"
#include "project_keys.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstdint>
#include <sys/mman.h>

namespace vellicor {
namespace {

// Where JsonBounds' checks fall depends on the chunks it is fed, so they stay the size they were.
constexpr qsizetype kChunk = 64 * 1024;

// A large project is read into fresh memory: in 2 MB pages the kernel clears and maps it with a
// hundredth of the faults. Only a hint: where large pages are off, nothing changes.
void AskForLargePages(QByteArray& bytes) {
    constexpr auto kLarge = std::uintptr_t{2} * 1024 * 1024;
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t first = (start + kLarge - 1) & ~(kLarge - 1);
    const std::uintptr_t end =
        (start + static_cast<std::uintptr_t>(bytes.capacity())) & ~(kLarge - 1);
    if (end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

ProjectRead Refused(QString reason) {
    return {std::nullopt, std::move(reason)};
}

// JsonBounds over a regular file's bytes, a chunk at a time, from where it stopped last.
class ChunkedBounds {
  public:
    std::optional<QString> FeedTo(const QByteArray& bytes, qsizetype end) {
        while (fed_ < end) {
            const qsizetype size = std::min(kChunk, end - fed_);
            if (auto refusal = bounds_.Feed(QByteArrayView(bytes).sliced(fed_, size)))
                return refusal;
            fed_ += size;
        }
        return std::nullopt;
    }

  private:
    JsonBounds bounds_{project_keys::kAllKeys};
    qsizetype fed_ = 0;
};

// A pipe or a device: read in chunks with a ceiling, so one that never ends is refused too, and
// bounded as it comes in, so one that asks too much is refused before it is all read.
ProjectRead LoadStream(QFile& file) {
    QByteArray bytes;
    JsonBounds bounds(project_keys::kAllKeys);
    std::array<char, kChunk> chunk;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return Refused(file.errorString());
        if (got == 0)
            break;
        if (auto refusal = bounds.Feed(QByteArrayView(chunk.data(), got)))
            return Refused(*refusal);
        bytes.append(chunk.data(), got);
        if (bytes.size() > kMaxProjectFileBytes)
            return Refused(ProjectTooLarge());
    }
    return ReadBoundedProject(bytes);
}

} // namespace

ProjectRead LoadProjectFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(file.errorString());
    if (file.isSequential())
        return LoadStream(file);
    if (file.size() > kMaxProjectFileBytes)
        return Refused(ProjectTooLarge());
    QByteArray bytes;
    // Room for the last read, which finds the end, and for simdjson's padding after it.
    bytes.reserve(file.size() + kChunk + kJsonPadding);
    AskForLargePages(bytes);
    IndexGuard guard;
    std::optional<ChunkedBounds> bounds; // once the guard has sent the file the full way
    for (;;) {
        const qsizetype length = bytes.size();
        bytes.resize(length + kChunk);
        const qint64 got = file.read(bytes.data() + length, kChunk);
        bytes.resize(length + std::max<qint64>(got, 0));
        if (got < 0) {
            // JsonBounds' refusal of the chunks before still comes first.
            if (!bounds)
                bounds.emplace();
            if (auto refusal = bounds->FeedTo(bytes, length))
                return Refused(*refusal);
            return Refused(file.errorString());
        }
        if (got == 0)
            break;
        if (!bounds && !guard.Feed(QByteArrayView(bytes).sliced(length)))
            bounds.emplace();
        if (bounds)
            if (auto refusal = bounds->FeedTo(bytes, bytes.size()))
                return Refused(*refusal);
        if (bytes.size() > kMaxProjectFileBytes) // it grew while it was read
            return Refused(ProjectTooLarge());
    }
    if (!bounds) {
        // Reserved above and only grown at its end, so its whole capacity follows its data.
        if (auto project = ReadPlainProject(bytes, bytes.capacity()))
            return {std::move(project), QString()};
        if (auto refusal = ChunkedBounds().FeedTo(bytes, bytes.size()))
            return Refused(*refusal);
    }
    return ReadBoundedProject(bytes);
}

} // namespace vellicor
