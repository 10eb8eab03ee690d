// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the program's own Euler loops tend to, and how fast: one period of
// RunSimulation, on its grid of N samples with its seam and wrap copies, is
// an affine map of the state (v, iL) at sample 1. Its fixed point is the
// method's periodic steady state, which the simulation approaches as NP
// grows; its linear part shrinks a deviation from that state by rho per
// period. Only the steps that the copies keep count: m1 - 1 with the source
// on (samples 1 to m1) and N - m2 with it off (m2 to N), N - 2 in all for
// an even N. Nothing here runs inside the simulation; every function reads
// the numbers a command has derived (EulerGrid: Is, G, C, L, f, dt, N) and
// does not throw.
#pragma once

#include <cstdint>
#include <optional>

#include "analysis/circuit_state.h"
#include "analysis/euler_grid.h"
#include "analysis/simulation.h"

namespace analysis {

// How a deviation from the method's steady state evolves.
struct Stability {
  double rho = 1;                // per period: a deviation shrinks by rho (or grows when rho >= 1)
  bool stable = false;           // rho < 1; false also when a period makes no step (N < 3)
  bool steps = false;            // whether a period makes any step: N >= 3
  std::optional<int32_t> n_min;  // the smallest N from which on the method is stable
  bool circuit_settles = false;  // RC > 0 and LC > 0: the circuit has a periodic steady state
  const char* negative = "";     // else what is negative: "R", "C", "L" or "" (several)
};

// Returns the stability of one period for G, C, L, dt and N of `grid`,
// and the smallest stable N for its G, C, L and f (none unless RC > 0 and
// LC > 0 and some N up to 2147483646 is stable). Each step multiplies a
// deviation by I + dt A, whose eigenvalues are worked with as dt lambda
// (lambda - 1 of the step's own), so that a step close to 1 (N ~ 1e9)
// keeps its digits: rho = exp(n log|1 + dt lambda|) with log1p.
// The edge of N_min is the one the floating-point dt = (1 / f) / N gives:
// N_min - 1 is unstable and N_min stable.
Stability StabilityOf(const EulerGrid& grid);

// The method's periodic steady state of the circuit of a grid.
struct MethodSteadyState {
  double v1 = 0, iL1 = 0;  // V, A: the state at sample 1 of its period
  double peak = 0;         // V: the largest |v| over the samples 1 to N of that period
};

// Returns the fixed point of one period, composed in O(log N) matrix
// products, and the peak of its period, stepped in O(N) through the same
// four statements, seam and wrap as the simulation; nullopt when a period
// makes no step (N < 3) or has no single fixed point, or when the numbers
// leave the double range. Asks `monitor`, when given, every 32768 samples
// of the period with the share of the period done; nullopt also when it
// says stop.
std::optional<MethodSteadyState> MethodSteadyStateOf(const EulerGrid& grid,
                                                     RunMonitor* monitor = nullptr);

// Returns the largest |v_t(k) - v_steady(k)| over k = 1..N, divided by the
// peak of the steady state (0 when both are 0). REQUIRES: the arrays of a
// completed run of `state`.
double TransientResidual(const CircuitState& state, const MethodSteadyState& steady);

// Returns the residual that a run of `periods` >= 1 periods from rest will
// have, without running it: the deviation -x1 at its start, carried through
// the periods by the period's matrix raised in O(log periods) products, and
// through the last one sample by sample. REQUIRES: steady.peak > 0.
double PredictedResidual(const EulerGrid& grid, const MethodSteadyState& steady, int64_t periods);

// The residual below which a run counts as settled.
inline constexpr double kSettledResidual = 0.001;
// The largest NP whose 100 NP periods an int32 counts.
inline constexpr int32_t kMaxPeriodsShown = INT32_MAX / 100;

// Returns an NP whose 100 NP periods from rest bring the residual under
// kSettledResidual, when `residual` (that of the run of `NP`) is above
// it and the method is stable: estimated from rho, checked against the
// residual that NP gives, then lowered by bisection towards the smallest
// NP that does, so that it is at most about that NP. nullopt when the run is
// settled, the method is not stable, or no NP up to kMaxPeriodsShown does.
// Asks `monitor`, when given, every 32768 samples of each period scanned;
// nullopt also when it says stop.
std::optional<int32_t> SettlingNP(const EulerGrid& grid, int32_t NP,
                                  const MethodSteadyState& steady, const Stability& stability,
                                  double residual, RunMonitor* monitor = nullptr);

}  // namespace analysis
