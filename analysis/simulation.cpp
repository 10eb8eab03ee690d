#include "analysis/simulation.h"

#include <cstdint>

#include "analysis/checked.h"
#include "analysis/memory_guard.h"
#include "analysis/numbers.h"

namespace analysis {

namespace {

// Reproduces the checks of one step statement on the values it used, to
// throw the fault of the first operation that left the finite numbers.
[[noreturn, gnu::cold]] void FailCapacitorCurrent(double is, double il, double g, double v) {
  Checked(Checked(is - il) - Checked(g * v));
  throw Fault(FaultKind::Overflow);  // not reached: the statement did fail
}

[[noreturn, gnu::cold]] void FailIntegration(double dt, double x, double scale, double old) {
  Checked(CheckedDiv(Checked(dt * x), scale) + old);
  throw Fault(FaultKind::Overflow);  // not reached: the statement did fail
}

// Array access of the step loop: checked on every access, or unchecked when
// the loop's whole index range was tested before the loop.
struct CheckedAccess {
  SampleArray& array;
  double& operator[](int32_t k) { return array.at(k); }
};
struct RangeTestedAccess {
  double* values;
  double& operator[](int32_t k) { return values[k]; }
};

// Runs the Euler steps k = first..last with the source at `source`, with
// state.k as the loop index: it is one past `last` afterwards (or `first`
// when no step ran) and names the failing step when a check throws.
template <class Access>
void RunSteps(CircuitState& state, int32_t first, int32_t last, double source, Access is, Access v,
              Access ic, Access il) {
  const double G = state.G;
  const double dt = state.dt;
  const double L = state.L;
  const double C = state.C;
  for (state.k = first; state.k <= last; state.k = CheckedAdd(state.k, 1)) {
    const int32_t k = state.k;
    is[k] = source;
    const double ic_k = (is[k] - il[k]) - (G * v[k]);
    ic[k] = ic_k;
    if (!std::isfinite(ic_k)) [[unlikely]]
      FailCapacitorCurrent(is[k], il[k], G, v[k]);
    const double il_next = ((dt * v[k]) / L) + il[k];
    il[k + 1] = il_next;
    if (!std::isfinite(il_next)) [[unlikely]]
      FailIntegration(dt, v[k], L, il[k]);
    const double v_next = ((dt * ic[k]) / C) + v[k];
    v[k + 1] = v_next;
    if (!std::isfinite(v_next)) [[unlikely]]
      FailIntegration(dt, ic[k], C, v[k]);
  }
}

// Runs the steps k = first..last, unchecked inside when the indices
// first..last+1 that the steps touch all exist in the four arrays.
void RunHalfPeriod(CircuitState& state, int32_t first, int32_t last, double source) {
  // Equal bounds for all four arrays: they are allocated together.
  const bool in_range =
      first > last || (state.v_t.ContainsRange(first, last) && last < state.v_t.upper());
  if (in_range) {
    RunSteps(state, first, last, source, RangeTestedAccess{state.is_t.data()},
             RangeTestedAccess{state.v_t.data()}, RangeTestedAccess{state.iC_t.data()},
             RangeTestedAccess{state.iL_t.data()});
  } else {
    RunSteps(state, first, last, source, CheckedAccess{state.is_t}, CheckedAccess{state.v_t},
             CheckedAccess{state.iC_t}, CheckedAccess{state.iL_t});
  }
}

// Bytes held by an allocated array, 0 for an unallocated one.
uint64_t HeldBytes(const SampleArray& array) {
  return array.allocated() ? (static_cast<uint64_t>(array.upper()) + 1) * sizeof(double) : 0;
}

// Allocates the four arrays with indices 0..upper, zero-filled, after holding
// their size against the machine's memory.
void AllocateSampleArrays(CircuitState& state, int32_t upper) {
  if (upper < 0) throw Fault(FaultKind::IndexOutOfRange);
  const uint64_t bytes = 4 * (static_cast<uint64_t>(upper) + 1) * sizeof(double);
  const uint64_t released =
      HeldBytes(state.is_t) + HeldBytes(state.v_t) + HeldBytes(state.iC_t) + HeldBytes(state.iL_t);
  EnsureMemoryFor(bytes, released);
  state.is_t.Allocate(upper);
  state.v_t.Allocate(upper);
  state.iC_t.Allocate(upper);
  state.iL_t.Allocate(upper);
}

}  // namespace

void DeriveConductance(CircuitState& state) {
  state.G = 1.0 / state.R;
  if (!std::isfinite(state.G)) ThrowNonFiniteQuotient(1.0, state.R, state.G);
}

void DeriveCircuitValues(CircuitState& state) {
  // dt: one check after both divisions.
  const double period = 1.0 / state.f;
  state.dt = period / static_cast<double>(state.N);
  if (!std::isfinite(state.dt)) {
    CheckedDiv(1.0, state.f);
    ThrowNonFiniteQuotient(period, static_cast<double>(state.N), state.dt);
  }
  const double p = Checked(state.L * state.C);
  const double s = CheckedSqrt(p);
  const double x = s * kTwoPi;  // at most sqrt(DBL_MAX) * 2 pi: always finite
  state.fris = 1.0 / x;
  if (!std::isfinite(state.fris)) ThrowNonFiniteQuotient(1.0, x, state.fris);
  // The divisor can overflow while the quotient stays finite (a huge L over
  // a tiny C gives Qris = 0): the check covers the whole statement.
  const double y = (state.fris * kTwoPi) * state.L;
  state.Qris = state.R / y;
  if (!std::isfinite(y) || !std::isfinite(state.Qris)) {
    Checked(Checked(state.fris * kTwoPi) * state.L);
    ThrowNonFiniteQuotient(state.R, y, state.Qris);
  }
}

void RunSimulation(CircuitState& state, bool wrap_source) {
  AllocateSampleArrays(state, CheckedAdd(state.N, 1));
  const int32_t limit = CheckedMul(100, state.NP);
  const int32_t N = state.N;
  // The seam indices: the last of the first half, the first of the second.
  const int32_t m1 = NearestInt32(N / 2.0);
  const int32_t m2 = NearestInt32(N / 2.0 + 1.0);
  for (state.cycle = 1; state.cycle <= limit; state.cycle = CheckedAdd(state.cycle, 1)) {
    RunHalfPeriod(state, 1, m1, state.Is);
    state.v_t.at(m2) = state.v_t.at(m1);
    state.iC_t.at(m2) = state.iC_t.at(m1);
    state.iL_t.at(m2) = state.iL_t.at(m1);
    RunHalfPeriod(state, m2, N, 0.0);
    if (wrap_source) state.is_t.at(1) = state.is_t.at(N);
    state.v_t.at(1) = state.v_t.at(N);
    state.iL_t.at(1) = state.iL_t.at(N);
    state.iC_t.at(1) = state.iC_t.at(N);
  }
}

}  // namespace analysis
