#pragma once

#include <cstddef>
#include <cstdint>

namespace vellicor::fuzz {

// Mutations almost never keep a checksum right, so without repair the fuzzer would only ever
// meet the readers' checksum tests. These set every checksum they can find to match its data.

// Each chunk's CRC in a PNG file, as far as the chunk lengths hold.
void RepairPngChunks(std::uint8_t* data, std::size_t size);

// Each journal line's leading CRC-32, for lines that start "XXXXXXXX ".
void RepairJournalLines(std::uint8_t* data, std::size_t size);

// libFuzzer's own mutation followed, most of the time, by `repair`: the body of a target's
// LLVMFuzzerCustomMutator.
std::size_t MutateAndRepair(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                            unsigned int seed, void (*repair)(std::uint8_t*, std::size_t));

} // namespace vellicor::fuzz
