#include "analysis/memory_guard.h"

#include <cstdio>

#include "analysis/fault.h"

namespace analysis {

uint64_t AvailableMemoryBytes() {
  std::FILE* file = std::fopen("/proc/meminfo", "r");
  if (file == nullptr) return UINT64_MAX;  // unknown: the allocator decides
  char line[256];
  unsigned long long kib = 0;
  bool found = false;
  while (!found && std::fgets(line, sizeof line, file) != nullptr)
    found = std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1;
  std::fclose(file);
  return found ? static_cast<uint64_t>(kib) * 1024 : UINT64_MAX;
}

void EnsureMemoryFor(uint64_t bytes, uint64_t released_bytes) {
  if (bytes <= kAlwaysAvailableBytes || bytes <= released_bytes) return;
  if (bytes - released_bytes > AvailableMemoryBytes()) throw Fault(FaultKind::OutOfMemory);
}

}  // namespace analysis
