#pragma once

#include "header_style.h"
#include "model/sprite_table.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

namespace vellicor {

// Where a file's bytes go as they are made, a chunk at a time and in order, so a large file
// never has to be held whole. Each chunk is written at once, at the end of those before it.
class FileSink {
  public:
    explicit FileSink(int handle) : handle_(handle) {}
    // Returns false once a write has failed: the rest is not wanted, and the maker may stop.
    bool Write(QByteArrayView chunk);
    // The system's reason for the write that failed, if one did.
    const std::optional<QString>& Failure() const { return failure_; }

  private:
    int handle_;
    qint64 offset_ = 0;
    std::optional<QString> failure_;
};

// The one way Vellicor writes a file. The bytes go to a new file that is made durable before it
// replaces the old one, so on any failure the old file stays as it was. Only a writable file in a
// folder that allows no new files is written in place. `produce` hands all of the file's bytes
// to the sink it is given. Returns the reason on failure, in the system's words where the
// system refused.
std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<void(FileSink&)>& produce);

// The same for bytes already made.
std::optional<QString> WriteFileAtomically(const QString& path, QByteArrayView bytes);

// The header that HeaderText makes, written sprite by sprite through a buffer of modest size,
// so even the largest project's header is never held whole.
std::optional<QString> WriteHeaderFile(const QString& path, const SpriteTable& table);

// The header in the style asked for. Plain is the header above. CDeclarations is refused, with
// nothing written, when CHeaderRefusal gives a reason; its comment names `projectName`.
std::optional<QString> WriteHeaderFile(const QString& path, const SpriteTable& table,
                                       HeaderStyle style, const QString& projectName);

} // namespace vellicor
