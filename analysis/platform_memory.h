// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the operating system tells of its memory: the one file of the
// analysis that differs by platform. Where it cannot tell, it says so.
#pragma once

#include <cstdint>
#include <optional>

namespace analysis {

struct AvailableMemory {
  std::optional<uint64_t> bytes;  // what can still be had; nullopt: cannot tell
  const char* source;             // what set it: "MemAvailable", "cgroup", "RLIMIT_AS", ...
};

// Returns the memory that the program can still take, the least of what
// limits it. Linux: MemAvailable of /proc/meminfo; the limit less the use
// of the process's memory cgroup and of those above it (version 2,
// memory.max and memory.current, or version 1, memory.limit_in_bytes and
// memory.usage_in_bytes); RLIMIT_AS (/proc/self/limits) less what the
// process maps (VmSize). Windows: GlobalMemoryStatusEx, physical and
// virtual. macOS: host_statistics64, free and reclaimable pages. `root` is
// prefixed to the Linux files, so that a test can hand in its own.
AvailableMemory ReadAvailableMemory(const char* root = "");

// Returns the memory the process holds in RAM (Linux VmRSS), or nullopt.
std::optional<uint64_t> ResidentBytes(const char* root = "");

// Gives the memory the program has freed back to the system at once
// (malloc_trim with glibc; elsewhere the allocator decides).
void ReturnFreedMemory();

}  // namespace analysis
