// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/platform_memory.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#elif defined(__APPLE__)
#include <mach/mach.h>
#else
#include <cstdio>
#include <string>
#endif

namespace analysis {

#if defined(_WIN32)

AvailableMemory ReadAvailableMemory(const char*) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return {std::nullopt, "GlobalMemoryStatusEx"};
  return {status.ullAvailPhys, "GlobalMemoryStatusEx"};
}

#elif defined(__APPLE__)

AvailableMemory ReadAvailableMemory(const char*) {
  vm_statistics64_data_t vm{};
  mach_msg_type_number_t count = HOST_VM_INFO64_COUNT;
  if (host_statistics64(mach_host_self(), HOST_VM_INFO64, reinterpret_cast<host_info64_t>(&vm),
                        &count) != KERN_SUCCESS)
    return {std::nullopt, "host_statistics64"};
  // Free pages and those the system drops at once when asked.
  const uint64_t pages = uint64_t{vm.free_count} + vm.inactive_count + vm.purgeable_count;
  return {pages * vm_page_size, "host_statistics64"};
}

#elif defined(__linux__)

AvailableMemory ReadAvailableMemory(const char* root) {
  AvailableMemory memory{std::nullopt, "MemAvailable"};
  const std::string path = std::string(root) + "/proc/meminfo";
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return memory;
  char line[256];
  unsigned long long kib = 0;
  while (!memory.bytes && std::fgets(line, sizeof line, file) != nullptr) {
    if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) memory.bytes = uint64_t{kib} * 1024;
  }
  std::fclose(file);
  return memory;
}

#else

AvailableMemory ReadAvailableMemory(const char*) { return {std::nullopt, "none"}; }

#endif

}  // namespace analysis
