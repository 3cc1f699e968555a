#include "checksum_repair.h"
#include "fuzz_checks.h"
#include "journal/recovery_journal.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace vellicor;

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    return fuzz::MutateAndRepair(data, size, maxSize, seed, fuzz::RepairJournalLines);
}

// Any bytes as a recovery journal: a project and the steps replayed, or garbage with a reason;
// damage after a sound base only stops the replay.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const JournalRead read = ReadJournal(bytes);
    fuzz::ExpectVerdict(read.project.has_value(), read.error);
    fuzz::Expect(read.steps >= 0);
    fuzz::Expect(read.project || (read.steps == 0 && read.damage.isEmpty()));
    fuzz::Expect(!read.damage.contains(QLatin1Char('\n')));
    if (read.project)
        fuzz::ExpectSprites(read.project->table);
    return 0;
}
