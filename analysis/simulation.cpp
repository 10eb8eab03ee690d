// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/simulation.h"

#include <algorithm>
#include <cstdint>

#include "analysis/checked.h"
#include "analysis/euler_grid.h"
#include "analysis/memory_guard.h"
#include "analysis/numbers.h"
#include "analysis/platform_memory.h"

namespace analysis {

namespace {

// Reproduces the checks of one step statement on the values it used, to
// throw the fault of the first operation that left the finite numbers.
[[noreturn]] void FailCapacitorCurrent(double is, double il, double g, double v) {
  constexpr FaultCause kRun{FaultStep::kRun, std::nullopt};
  Checked(Checked(Checked(is - il, kRun) - Checked(g * v, kRun), kRun), kRun);
  throw Fault(FaultKind::Overflow);  // not reached: the statement did fail
}

[[noreturn]] void FailIntegration(double dt, double x, double scale, double old) {
  constexpr FaultCause kRun{FaultStep::kRun, std::nullopt};
  Checked(CheckedDiv(Checked(dt * x, kRun), scale, kRun) + old, kRun);
  throw Fault(FaultKind::Overflow);  // not reached: the statement did fail
}

// The four arrays of a run, unchecked: only for indices already tested.
struct Samples {
  double* is;
  double* v;
  double* ic;
  double* il;
};

// Stores the results of the step at k that did not all come out finite, in
// statement order up to the first one that failed, and throws its fault.
// `v` and `il` are the state of sample k the step started from.
[[noreturn]] void FailStep(CircuitState& state, const Samples& s, int32_t k, double source,
                           double v, double il, double ic_k, double il_next, double v_next) {
  state.k = k;
  s.ic[k] = ic_k;
  if (!std::isfinite(ic_k)) FailCapacitorCurrent(source, il, state.G, v);
  s.il[k + 1] = il_next;
  if (!std::isfinite(il_next)) FailIntegration(state.dt, v, state.L, il);
  s.v[k + 1] = v_next;
  FailIntegration(state.dt, ic_k, state.C, v);
}

// Runs the Euler steps k = first..last with the source at `source` and
// leaves state.k one past `last` (or at `first` when no step ran).
// REQUIRES: indices first..last+1 exist in the four arrays, and last <
// INT32_MAX (the arrays end at N + 1, itself an int32).
//
// The state of sample k is carried from one step to the next in locals: a
// double stored and read back is unchanged, so the results are those of the
// four statements on the arrays, without a store and a reload on the chain
// of dependent operations that sets the pace. The three results of a step
// are tested together, off that chain: x - x is 0 for a finite x and NaN
// for an infinity or a NaN. A failing step is stored statement by statement.
// v is computed before iL (the two do not depend on each other): that order
// lets the division on the chain start first and keeps the checks free.
void RunSteps(CircuitState& state, const Samples& s, int32_t first, int32_t last, double source) {
  const double G = state.G;
  const double dt = state.dt;
  const double L = state.L;
  const double C = state.C;
  state.k = first;
  if (first > last) return;
  double v = s.v[first];
  double il = s.il[first];
  for (int32_t k = first; k <= last; ++k) {
    s.is[k] = source;
    const double ic_k = (source - il) - (G * v);
    const double v_next = ((dt * ic_k) / C) + v;
    const double il_next = ((dt * v) / L) + il;
    const double zero = (ic_k - ic_k) + (il_next - il_next) + (v_next - v_next);
    if (zero != zero) [[unlikely]]
      FailStep(state, s, k, source, v, il, ic_k, il_next, v_next);
    s.ic[k] = ic_k;
    s.il[k + 1] = il_next;
    s.v[k + 1] = v_next;
    v = v_next;
    il = il_next;
  }
  state.k = last + 1;
}

// Steps between two calls of the monitor: about a quarter of a millisecond,
// so that a window can repaint and cancel promptly whatever N is.
constexpr int64_t kMonitorSteps = int64_t{1} << 15;

// Counts the steps of a run and asks the monitor to go on every
// kMonitorSteps steps.
struct Pacer {
  RunMonitor& monitor;
  int32_t periods;                    // 100 * NP, the periods of the run
  int64_t until_due = kMonitorSteps;  // steps left before the monitor is asked

  // Counts `steps` more; returns false when the monitor, asked, says stop.
  bool Count(const CircuitState& state, int64_t steps) {
    until_due -= steps;
    if (until_due > 0) return true;
    until_due = kMonitorSteps;
    const double within = static_cast<double>(state.k - 1) / std::max(state.N, 1);
    const double done = (static_cast<double>(state.cycle) - 1 + within) / periods;
    return monitor.Continue(std::clamp(done, 0.0, 1.0));
  }
};

// Runs the steps k = first..last of one half period, in groups that end
// where the monitor is due. Returns false when the monitor stopped the run.
bool RunHalfPeriod(CircuitState& state, int32_t first, int32_t last, double source, Pacer& pacer) {
  // The four arrays are allocated together, with equal bounds. The bounds
  // hold for every N the run accepts; the test guards the unchecked access.
  if (first <= last && !(state.v_t.ContainsRange(first, last) && last < state.v_t.upper()))
    throw Fault(FaultKind::IndexOutOfRange, {FaultStep::kSampleIndex, Field::kN});
  const Samples s{state.is_t.data(), state.v_t.data(), state.iC_t.data(), state.iL_t.data()};
  int32_t from = first;
  do {
    const int32_t to = static_cast<int32_t>(std::min<int64_t>(last, from + pacer.until_due - 1));
    RunSteps(state, s, from, to, source);
    if (!pacer.Count(state, std::max(0, to - from + 1))) return false;
    from = to + 1;
  } while (from <= last);
  return true;
}

// Bytes held by an allocated array, 0 for an unallocated one.
uint64_t HeldBytes(const SampleArray& array) {
  return array.allocated() ? (static_cast<uint64_t>(array.upper()) + 1) * sizeof(double) : 0;
}

// Allocates the four arrays with indices 0..upper, zero-filled, after holding
// their size against the machine's memory. Returns false when the monitor
// stopped it.
bool AllocateSampleArrays(CircuitState& state, int32_t upper, RunMonitor& monitor) {
  if (upper < 0) throw Fault(FaultKind::IndexOutOfRange, {FaultStep::kSampleIndex, Field::kN});
  const uint64_t bytes = 4 * (static_cast<uint64_t>(upper) + 1) * sizeof(double);
  const uint64_t released =
      HeldBytes(state.is_t) + HeldBytes(state.v_t) + HeldBytes(state.iC_t) + HeldBytes(state.iL_t);
  EnsureMemoryFor(bytes, released);
  return state.is_t.Allocate(upper, monitor) && state.v_t.Allocate(upper, monitor) &&
         state.iC_t.Allocate(upper, monitor) && state.iL_t.Allocate(upper, monitor);
}

// Runs the simulation; returns false when the monitor stopped it.
bool RunOrStop(CircuitState& state, bool wrap_source, RunMonitor& monitor) {
  if (!AllocateSampleArrays(state, CheckedAdd(state.N, 1, {FaultStep::kArraySize, Field::kN}),
                            monitor))
    return false;
  const int32_t limit = CheckedMul(100, state.NP, {FaultStep::kPeriodCount, Field::kNP});
  Pacer pacer{monitor, limit};
  const int32_t N = state.N;
  // The seam indices: the last of the first half, the first of the second.
  const auto [m1, m2] = SeamOf(N);
  for (state.cycle = 1; state.cycle <= limit; state.cycle = CheckedAdd(state.cycle, 1)) {
    if (!RunHalfPeriod(state, 1, m1, state.Is, pacer)) return false;
    state.v_t.at(m2) = state.v_t.at(m1);
    state.iC_t.at(m2) = state.iC_t.at(m1);
    state.iL_t.at(m2) = state.iL_t.at(m1);
    if (!RunHalfPeriod(state, m2, N, 0.0, pacer)) return false;
    if (wrap_source) state.is_t.at(1) = state.is_t.at(N);
    state.v_t.at(1) = state.v_t.at(N);
    state.iL_t.at(1) = state.iL_t.at(N);
    state.iC_t.at(1) = state.iC_t.at(N);
  }
  return true;
}

}  // namespace

void DeriveConductance(CircuitState& state) {
  state.G = 1.0 / state.R;
  if (!std::isfinite(state.G))
    ThrowNonFiniteQuotient(1.0, state.R, state.G, {FaultStep::kConductance, Field::kR});
}

void DeriveCircuitValues(CircuitState& state) {
  // dt: one check after both divisions.
  state.dt = StepOf(state.f, state.N);
  if (!std::isfinite(state.dt)) {
    const double period = CheckedDiv(1.0, state.f, {FaultStep::kPeriod, Field::kF});
    ThrowNonFiniteQuotient(period, static_cast<double>(state.N), state.dt,
                           {FaultStep::kStep, Field::kN});
  }
  const double p = Checked(state.L * state.C, {FaultStep::kProduct, std::nullopt});
  const double s = CheckedSqrt(p, {FaultStep::kRoot, std::nullopt});
  const double x = s * kTwoPi;  // at most sqrt(DBL_MAX) * 2 pi: always finite
  state.fris = 1.0 / x;
  if (!std::isfinite(state.fris))
    ThrowNonFiniteQuotient(1.0, x, state.fris, {FaultStep::kFris, std::nullopt});
  // The divisor can overflow while the quotient stays finite (a huge L over
  // a tiny C gives Qris = 0): the check covers the whole statement.
  const double y = (state.fris * kTwoPi) * state.L;
  state.Qris = state.R / y;
  if (!std::isfinite(y) || !std::isfinite(state.Qris)) {
    constexpr FaultCause kQris{FaultStep::kQris, Field::kR};
    Checked(Checked(state.fris * kTwoPi, kQris) * state.L, kQris);
    ThrowNonFiniteQuotient(state.R, y, state.Qris, kQris);
  }
}

void RunSimulation(CircuitState& state, bool wrap_source) {
  struct : RunMonitor {
    bool Continue(double) override { return true; }
  } never_stop;
  RunOrStop(state, wrap_source, never_stop);
}

void ReleaseSampleArrays(CircuitState& state) {
  for (SampleArray* array : {&state.is_t, &state.v_t, &state.iC_t, &state.iL_t}) array->Release();
  ReturnFreedMemory();
}

bool RunMonitoredSimulation(CircuitState& state, bool wrap_source, RunMonitor& monitor) {
  // A run cut short or failed is of no use to a command: its memory goes at
  // once, also when a Fault leaves here.
  struct Release {
    CircuitState& state;
    bool completed = false;
    ~Release() {
      if (!completed) ReleaseSampleArrays(state);
    }
  } release{state};
  release.completed = RunOrStop(state, wrap_source, monitor);
  return release.completed;
}

}  // namespace analysis
