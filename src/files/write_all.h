#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace vellicor {

// The system's own words for an error number, as a file's failure is reported to the user.
QString SystemReason(int error);

// Writes all of `bytes` to the open file `fd` at `offset`, or returns the system's reason. One
// pwrite() does it on a local disk; the loop only covers an interrupted or partial write.
std::optional<QString> WriteAllAt(int fd, QByteArrayView bytes, qint64 offset);

} // namespace vellicor
