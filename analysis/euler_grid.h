// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The grid the Euler loops run on, written once: the step dt of N samples
// per period, the half-period seam, and the numbers of one circuit at one
// N as a command derives them. The simulation, the method's steady state,
// its stability, the advice and the fault explanations all take them from
// here, so that their results agree bit for bit.
#pragma once

#include <cmath>
#include <cstdint>

#include "analysis/circuit_state.h"

namespace analysis {

// Returns dt = (1 / f) / N in s, the step of N samples per period of f Hz,
// in this grouping (one rounding per division). Unchecked: the commands
// check it where they derive it.
inline double StepOf(double f, int32_t N) { return (1.0 / f) / static_cast<double>(N); }

// The half-period seam of N samples: m1 = nearest(N / 2), the last sample
// with the source on, and m2 = nearest(N / 2 + 1), the first with it off,
// both computed in double with ties to even. For an even N, m1 = N / 2 and
// m2 = m1 + 1; N = 1001 gives 500 and 502, N = 1003 gives 502 and 502.
struct Seam {
  int32_t m1, m2;
};
inline Seam SeamOf(int32_t N) {
  return {static_cast<int32_t>(std::nearbyint(N / 2.0)),
          static_cast<int32_t>(std::nearbyint(N / 2.0 + 1.0))};
}

// The numbers one period of the Euler loops runs with.
struct EulerGrid {
  double Is = 0;  // A: the source in the first half period
  double G = 0;   // S: 1 / R
  double C = 0;   // F
  double L = 0;   // H
  double f = 0;   // Hz
  double dt = 0;  // s: StepOf(f, N)
  int32_t N = 0;  // samples per period

  // Returns the grid of a state a command has derived (G and dt included).
  static EulerGrid Of(const CircuitState& s) { return {s.Is, s.G, s.C, s.L, s.f, s.dt, s.N}; }
  // Returns the grid of the circuit Is, R, C, L, f at N samples per period,
  // with G = 1 / R and dt as a command derives them.
  static EulerGrid At(double Is, double R, double C, double L, double f, int32_t N) {
    return {Is, 1 / R, C, L, f, StepOf(f, N), N};
  }
  // Returns the same circuit at another N.
  EulerGrid WithN(int32_t n) const {
    EulerGrid grid = *this;
    grid.N = n;
    grid.dt = StepOf(f, n);
    return grid;
  }
};

}  // namespace analysis
