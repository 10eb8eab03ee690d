// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/memory_guard.h"

#include "analysis/fault.h"
#include "analysis/platform_memory.h"

namespace analysis {

void EnsureMemoryFor(uint64_t bytes, uint64_t released_bytes) {
  if (bytes <= kAlwaysAvailableBytes || bytes <= released_bytes) return;
  const AvailableMemory available = ReadAvailableMemory();
  if (available.bytes && bytes - released_bytes > *available.bytes)
    throw Fault(FaultKind::OutOfMemory, {FaultStep::kMemory, Field::kN});
}

}  // namespace analysis
