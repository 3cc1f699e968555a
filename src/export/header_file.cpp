#include "header_file.h"

#include "c_header_text.h"
#include "files/write_all.h"
#include "header_text.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vellicor {
namespace {

// QSaveFile falls back to writing the file itself when its folder refuses a new file; the
// handle then is the target's own.
bool WritesInPlace(int handle, const QString& path) {
    struct stat opened {};
    struct stat target {};
    return ::fstat(handle, &opened) == 0 &&
           ::stat(QFile::encodeName(path).constData(), &target) == 0 &&
           opened.st_dev == target.st_dev && opened.st_ino == target.st_ino;
}

// QSaveFile may lose a failed write in its buffer or the reason for it, ignores a failed sync
// and closes its handle without looking. So the handle is written, synced and checked here,
// before the commit may replace the old file. Returns the system's reason for the first failure.
std::optional<QString> WriteDurably(int handle, const std::function<void(FileSink&)>& produce) {
    FileSink sink(handle);
    produce(sink);
    if (sink.Failure())
        return sink.Failure();
    if (::fsync(handle) != 0)
        return SystemReason(errno);
    // Some file systems (network ones above all) report a failed write-back only when the file
    // is closed. Linux runs that flush on every close, so closing a duplicate shows it while
    // the old file still stands.
    const int duplicate = ::dup(handle);
    if (duplicate < 0 || ::close(duplicate) != 0)
        return SystemReason(errno);
    return std::nullopt;
}

// Big enough that writing costs few system calls, small beside any header worth streaming.
constexpr std::size_t kHeaderChunkBytes = 256 * 1024;

// A header of either style: `opening`, each sprite's part as `append` makes it, `closing`,
// written through a buffer of modest size.
std::optional<QString> WriteSpriteChunks(const QString& path, const SpriteTable& table,
                                         std::string_view opening,
                                         void (*append)(std::string&, const SpriteRecord&),
                                         std::string_view closing) {
    return WriteFileAtomically(path, [&](FileSink& sink) {
        std::string chunk(opening);
        chunk.reserve(kHeaderChunkBytes + kHeaderChunkBytes / 4);
        for (const SpriteRecord& sprite : table.Sprites()) {
            append(chunk, sprite);
            if (chunk.size() < kHeaderChunkBytes)
                continue;
            if (!sink.Write(chunk))
                return;
            chunk.clear();
        }
        chunk += closing;
        sink.Write(chunk);
    });
}

} // namespace

bool FileSink::Write(QByteArrayView chunk) {
    if (!failure_) {
        failure_ = WriteAllAt(handle_, chunk, offset_);
        offset_ += chunk.size();
    }
    return !failure_;
}

std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<void(FileSink&)>& produce) {
    // A pipe, a socket or a device would be swapped for a plain file by the rename, or fed
    // the bytes; neither is what the user asked for. Links to a file are followed.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QStringLiteral("It is not a regular file.");

    QSaveFile file(path);
    // A writable file in a folder that refuses new files is still the user's to write.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const bool inPlace = WritesInPlace(file.handle(), path);
    auto reason = WriteDurably(file.handle(), produce);
    if (reason)
        file.cancelWriting(); // the commit below then drops the new file, unless in place
    // Commit even after a failure: it closes the file, and QSaveFile's destructor would remove
    // an uncommitted file even when it is the user's own, written in place.
    const bool committed = file.commit();
    if (!reason && !committed)
        reason = file.errorString();
    if (reason && inPlace)
        *reason += QStringLiteral(
            "\nIts folder allows no new files, so it was written in place and may now be "
            "incomplete.");
    return reason;
}

std::optional<QString> WriteFileAtomically(const QString& path, QByteArrayView bytes) {
    return WriteFileAtomically(path, [bytes](FileSink& sink) { sink.Write(bytes); });
}

std::optional<QString> WriteHeaderFile(const QString& path, const SpriteTable& table) {
    return WriteSpriteChunks(path, table, {}, &AppendSpriteHeader, {});
}

std::optional<QString> WriteHeaderFile(const QString& path, const SpriteTable& table,
                                       HeaderStyle style, const QString& projectName) {
    if (style == HeaderStyle::Plain)
        return WriteHeaderFile(path, table);
    if (auto refusal = CHeaderRefusal(table))
        return refusal;
    const CHeaderFrame frame = CHeaderFrameOf(table, projectName, path);
    return WriteSpriteChunks(path, table, frame.opening, &AppendCSprite, frame.closing);
}

} // namespace vellicor
