// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/platform_memory.h"

#include <algorithm>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <psapi.h>  // after windows.h, whose types it uses
#elif defined(__APPLE__)
#include <mach/mach.h>
#else
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace analysis {

namespace {

// Keeps the smaller of two limits, with its source.
void KeepSmaller(AvailableMemory& memory, std::optional<uint64_t> bytes, const char* source) {
  if (bytes && (!memory.bytes || *bytes < *memory.bytes)) {
    memory.bytes = bytes;
    memory.source = source;
  }
}

}  // namespace

#if defined(_WIN32)

AvailableMemory ReadAvailableMemory(const char*) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  AvailableMemory memory{std::nullopt, "GlobalMemoryStatusEx"};
  // The physical memory free, and the address space left to the process.
  if (GlobalMemoryStatusEx(&status)) {
    KeepSmaller(memory, status.ullAvailPhys, "GlobalMemoryStatusEx");
    KeepSmaller(memory, status.ullAvailVirtual, "GlobalMemoryStatusEx");
  }
  return memory;
}

std::optional<uint64_t> ResidentBytes(const char*) {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
    return std::nullopt;
  return counters.WorkingSetSize;
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

std::optional<uint64_t> ResidentBytes(const char*) {
  mach_task_basic_info_data_t info{};
  mach_msg_type_number_t count = MACH_TASK_BASIC_INFO_COUNT;
  if (task_info(mach_task_self(), MACH_TASK_BASIC_INFO, reinterpret_cast<task_info_t>(&info),
                &count) != KERN_SUCCESS)
    return std::nullopt;
  return info.resident_size;
}

#elif defined(__linux__)

namespace {

// The value of the line of `file` that begins with `key`, as a number of
// kB (times 1024) or of bytes; nullopt when there is none or it reads
// "unlimited" or "max".
std::optional<uint64_t> ValueOf(const std::string& file, const std::string& key, bool kib) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, key.size(), key) != 0) continue;
    std::istringstream value(line.substr(key.size()));
    uint64_t number = 0;
    if (!(value >> number)) return std::nullopt;
    return kib ? number * 1024 : number;
  }
  return std::nullopt;
}

// A cgroup's limit less what it uses, where it has a limit. Version 1 says
// "no limit" with a number near 2^63.
std::optional<uint64_t> Headroom(const std::string& folder, const char* limit, const char* use) {
  const std::optional<uint64_t> max = ValueOf(folder + "/" + limit, "", false);
  if (!max || *max >= (uint64_t{1} << 62)) return std::nullopt;
  const uint64_t used = ValueOf(folder + "/" + use, "", false).value_or(0);
  return *max > used ? *max - used : 0;
}

// The least headroom of the process's cgroup and of those above it, under
// version 2 (also where it is mounted beside version 1) and version 1.
std::optional<uint64_t> CgroupHeadroom(const std::string& root) {
  AvailableMemory least{std::nullopt, "cgroup"};
  std::ifstream cgroups(root + "/proc/self/cgroup");
  std::string line;
  while (std::getline(cgroups, line)) {
    // "0::/path" for version 2, "4:memory:/path" for the memory controller of version 1.
    const size_t first = line.find(':'), second = line.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    const std::string controllers = line.substr(first + 1, second - first - 1);
    std::string path = line.substr(second + 1);
    std::vector<std::pair<std::string, std::pair<const char*, const char*> > > places;
    if (controllers.empty()) {
      places = {{root + "/sys/fs/cgroup", {"memory.max", "memory.current"}},
                {root + "/sys/fs/cgroup/unified", {"memory.max", "memory.current"}}};
    } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
      places = {
          {root + "/sys/fs/cgroup/memory", {"memory.limit_in_bytes", "memory.usage_in_bytes"}}};
    }
    for (const auto& [mount, files] : places) {
      for (std::string p = path;; p = p.substr(0, p.rfind('/'))) {
        KeepSmaller(least, Headroom(mount + p, files.first, files.second), "cgroup");
        if (p.empty() || p == "/") break;
      }
    }
  }
  return least.bytes;
}

}  // namespace

AvailableMemory ReadAvailableMemory(const char* root) {
  const std::string r = root;
  AvailableMemory memory{std::nullopt, "MemAvailable"};
  KeepSmaller(memory, ValueOf(r + "/proc/meminfo", "MemAvailable:", true), "MemAvailable");
  KeepSmaller(memory, CgroupHeadroom(r), "cgroup");
  // The address space the process may still map: RLIMIT_AS less VmSize.
  const std::optional<uint64_t> limit =
      ValueOf(r + "/proc/self/limits", "Max address space", false);
  const std::optional<uint64_t> mapped = ValueOf(r + "/proc/self/status", "VmSize:", true);
  if (limit && mapped) KeepSmaller(memory, *limit > *mapped ? *limit - *mapped : 0, "RLIMIT_AS");
  return memory;
}

std::optional<uint64_t> ResidentBytes(const char* root) {
  return ValueOf(std::string(root) + "/proc/self/status", "VmRSS:", true);
}

#else

AvailableMemory ReadAvailableMemory(const char*) { return {std::nullopt, "none"}; }
std::optional<uint64_t> ResidentBytes(const char*) { return std::nullopt; }

#endif

void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace analysis
