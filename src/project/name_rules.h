#pragma once

#include <QString>

namespace vellicor {

enum class NameKind { Project, Sprite };

// What a typed name leads to: taken, silently ignored, or refused with the error message.
enum class NameVerdict { Accept, Ignore, Refuse };

NameVerdict CheckName(const QString& name, NameKind kind);

inline const QString kNameErrorText =
    QStringLiteral("Sprite name must start with a letter and have no spaces.");

} // namespace vellicor
