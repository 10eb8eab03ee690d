#include "analysis/memory_guard.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "analysis/fault.h"

namespace analysis {

namespace {

// Returns MemAvailable in bytes, or 0 when /proc/meminfo lacks it.
uint64_t MemAvailableFromProc() {
  std::FILE* file = std::fopen("/proc/meminfo", "r");
  if (file == nullptr) return 0;
  char line[256];
  unsigned long long kib = 0;
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) break;
  }
  std::fclose(file);
  return static_cast<uint64_t>(kib) * 1024;
}

}  // namespace

uint64_t AvailableMemoryBytes() {
  const uint64_t from_proc = MemAvailableFromProc();
  if (from_proc > 0) return from_proc;
  const long pages = sysconf(_SC_AVPHYS_PAGES);
  const long page_size = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || page_size <= 0) return UINT64_MAX;  // unknown: let the allocator decide
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(page_size);
}

void EnsureMemoryFor(uint64_t bytes, uint64_t released_bytes) {
  if (bytes <= kAlwaysAvailableBytes) return;
  const uint64_t available = AvailableMemoryBytes();
  if (available != UINT64_MAX && bytes > available + released_bytes)
    throw Fault(FaultKind::OutOfMemory);
}

}  // namespace analysis
