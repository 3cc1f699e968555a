#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace vellicor {

// The one way Vellicor writes a file. The bytes go to a new file that is made durable before it
// replaces the old one, so on any failure the old file stays as it was. Only a writable file in a
// folder that allows no new files is written in place. Returns the reason on failure, in the
// system's words where the system refused.
std::optional<QString> WriteFileAtomically(const QString& path, QByteArrayView bytes);

} // namespace vellicor
