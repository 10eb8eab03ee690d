// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The steady-state simulation of the parallel RLC circuit fed by a 50 %
// square-wave current source, with explicit Euler steps:
//   iC = is - iL - G v,   d(iL)/dt = v / L,   dv/dt = iC / C.
// Every arithmetic statement is checked (analysis/checked.h); the faulty
// value is stored before the Fault is thrown.
#pragma once

#include "analysis/circuit_state.h"
#include "analysis/run_monitor.h"

namespace analysis {

// The value used for 2 pi everywhere. It lies 7 units in the last place
// below the double nearest to 2 pi; the results depend on that difference.
inline constexpr double kTwoPi = 6.28318530717958;

// G = 1 / R. REQUIRES: R read.
void DeriveConductance(CircuitState& state);

// In this order, each stored and then checked: dt = (1 / f) / N;
// p = L * C; s = sqrt(p) (Fault(InvalidArgument) for p < 0);
// fris = 1 / (s * kTwoPi); Qris = R / ((fris * kTwoPi) * L).
void DeriveCircuitValues(CircuitState& state);

// Allocates is_t, v_t, iC_t, iL_t (in that order) with indices 0..N+1, all
// zero, and simulates 100 * NP periods of N samples from rest. Each period:
// steps k = 1..m1 with the source at Is, where m1 = NearestInt32(N / 2.0);
// the seam copy of v, iC, iL from m1 to m2 = NearestInt32(N / 2.0 + 1);
// steps k = m2..N with the source at 0; the wrap copy of sample N to
// sample 1 (is_t first, only when `wrap_source`; then v, iL, iC).
// Leaves cycle = 100 * NP + 1 (1 when NP < 1) and k as the last loop left it.
// One step at k with source S: is(k) = S; iC(k) = (is(k) - iL(k)) - G v(k);
// iL(k+1) = ((dt v(k)) / L) + iL(k); v(k+1) = ((dt iC(k)) / C) + v(k).
// REQUIRES: DeriveConductance and DeriveCircuitValues have run.
// Throws Fault(Overflow) for N + 1 or 100 * NP beyond int32 and for an
// unstable run, Fault(IndexOutOfRange) for a negative N, and
// Fault(OutOfMemory) when the four arrays do not fit in memory.
void RunSimulation(CircuitState& state, bool wrap_source);

// As RunSimulation(state, wrap_source), and asks `monitor` on the way: while
// the arrays are allocated and their zeros written (with the share 0), then
// with the share of the run's 100 * NP periods done. Returns true when the
// run completed, with the same results bit for bit; false when the monitor
// stopped it. A run stopped or ended by a Fault releases its four arrays
// (ReleaseSampleArrays): a command has no use for them.
bool RunMonitoredSimulation(CircuitState& state, bool wrap_source, RunMonitor& monitor);

// Discards the four arrays of `state`, which are then unallocated, and gives
// their memory back to the system at once (ReturnFreedMemory).
void ReleaseSampleArrays(CircuitState& state);

}  // namespace analysis
