// Counts the heap allocations of a simulation run: the run allocates its
// four arrays and nothing inside its loops, whatever the number of periods.
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "analysis/analysis.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace analysis {
namespace {

long AllocationsOfRun(int32_t np, bool wrap) {
  CircuitState state;
  ReadParameters(state, {"1", "400", "1e-5", "0.1", "159", "500", "1"});
  state.NP = np;
  const long before = g_allocations.load();
  RunSimulation(state, wrap);
  FindPeakIs(state);
  FindPeakV(state);
  FindPeakIC(state);
  FindPeakIL(state);
  return g_allocations.load() - before;
}

TEST(RunSimulation, AllocatesOnlyItsFourArrays) {
  for (bool wrap : {false, true}) {
    EXPECT_EQ(AllocationsOfRun(1, wrap), 4);
    EXPECT_EQ(AllocationsOfRun(20, wrap), 4);
  }
}

}  // namespace
}  // namespace analysis
