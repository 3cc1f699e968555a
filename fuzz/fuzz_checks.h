#pragma once

#include "model/sprite_table.h"

#include <QString>

namespace vellicor::fuzz {

// A broken promise stops the run like a crash, so libFuzzer keeps the input that broke it.
inline void Expect(bool holds) {
    if (!holds)
        __builtin_trap();
}

// Readers promise exactly one line of reason when they refuse, and none when they accept.
inline void ExpectVerdict(bool accepted, const QString& error) {
    Expect(accepted == error.isEmpty());
    Expect(!error.contains(QLatin1Char('\n')) && !error.contains(QLatin1Char('\r')));
}

// Every sprite a reader hands out has a size the editor can show: 0 (none chosen), 8, 16 or 32.
inline void ExpectSprites(const SpriteTable& table) {
    for (const SpriteRecord& sprite : table.Sprites())
        Expect(sprite.Size == 0 || sprite.Size == 8 || sprite.Size == 16 || sprite.Size == 32);
}

} // namespace vellicor::fuzz
