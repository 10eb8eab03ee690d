// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Holds a large allocation against the memory the machine can give, so that
// a request far beyond it ends in Fault(OutOfMemory) instead of the process
// being killed by the system.
#pragma once

#include <cstdint>

namespace analysis {

// Requests up to this size are left to the allocator: any machine that runs
// the program has them, and asking the system costs more than they do.
inline constexpr uint64_t kAlwaysAvailableBytes = uint64_t{64} << 20;

// Throws Fault(OutOfMemory) when `bytes`, above kAlwaysAvailableBytes,
// exceed the memory the system says is available (ReadAvailableMemory)
// plus `released_bytes`, the memory the caller frees before allocating.
// Where the system cannot tell, the allocator decides.
void EnsureMemoryFor(uint64_t bytes, uint64_t released_bytes);

}  // namespace analysis
