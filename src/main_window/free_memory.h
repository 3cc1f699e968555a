#pragma once

namespace vellicor {

// Hands the heap's free pages back to the system. Reading a large project frees far more than
// the project keeps, and the allocator would otherwise hold on to it for good.
void ReturnFreedMemory();

} // namespace vellicor
