#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vellicor {

enum class NameKind { Project, Sprite };

// What a typed name leads to: taken, silently ignored, or refused with the error message.
enum class NameVerdict { Accept, Ignore, Refuse };

// Far longer than any name a person types, and short enough for the tree to lay out at once.
constexpr int kMaxNameLength = 1024;

// Why a name cannot be kept in a project, a journal or a header, or nullopt when it can:
// it is empty, too long, not whole Unicode (an unpaired surrogate or a non-character that
// pasted text may bring), or holds a control character or a line or paragraph separator,
// which would split the header's lines. The one rule for every name that is stored, typed
// or read back, so that whatever is saved opens again.
std::optional<QString> NameFault(const QString& name);

// The rules for a typed name. A name that could not be stored is refused.
NameVerdict CheckName(const QString& name, NameKind kind);

// The name of a copy of the sprite named `name`: its name without the digits that end it,
// followed by the smallest number from 2 on that gives a name no sprite in `names` has
// ("Ball" gives "Ball2", then "Ball3"; a copy of "Ball2" is "Ball3").
QString DuplicateName(const QString& name, const QStringList& names);

inline const QString kNameErrorText =
    QStringLiteral("Sprite name must start with a letter and have no spaces.");

} // namespace vellicor
