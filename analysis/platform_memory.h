// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the operating system tells of its memory: the one file of the
// analysis that differs by platform. Linux reads MemAvailable of
// /proc/meminfo, Windows asks GlobalMemoryStatusEx, macOS
// host_statistics64. Elsewhere it cannot tell, and says so.
#pragma once

#include <cstdint>
#include <optional>

namespace analysis {

struct AvailableMemory {
  std::optional<uint64_t> bytes;  // what can be had without swapping; nullopt: cannot tell
  const char* source;             // where the number comes from, e.g. "MemAvailable"
};

// Returns the memory that the program can still take. `root` is prefixed
// to the system files read (Linux: "/proc/meminfo"), so that a test can
// hand in its own; empty for the system's.
AvailableMemory ReadAvailableMemory(const char* root = "");

}  // namespace analysis
