#pragma once

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

} // namespace vellicor::fuzz
