#pragma once

#include <QString>
#include <optional>
#include <string>

namespace vellicor {

// Writes bytes to path through a temporary file and a rename, so the old file stays whole
// when anything fails. Returns the reason on failure.
std::optional<QString> WriteFileAtomically(const QString& path, const std::string& bytes);

} // namespace vellicor
