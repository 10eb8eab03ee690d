// Holds a large allocation against the memory the machine can give, so that
// a request far beyond it ends in Fault(OutOfMemory) instead of the process
// being killed by the system.
#pragma once

#include <cstdint>

namespace analysis {

// Returns the bytes the machine can give without swapping, MemAvailable of
// /proc/meminfo; UINT64_MAX, for no limit, when that cannot be read.
uint64_t AvailableMemoryBytes();

// Requests up to this size are left to the allocator: any machine that runs
// the program has them, and reading /proc/meminfo costs more than they do.
inline constexpr uint64_t kAlwaysAvailableBytes = uint64_t{64} << 20;

// Throws Fault(OutOfMemory) when `bytes`, above kAlwaysAvailableBytes,
// exceed AvailableMemoryBytes() plus `released_bytes`, the memory the
// caller frees before allocating.
void EnsureMemoryFor(uint64_t bytes, uint64_t released_bytes);

}  // namespace analysis
