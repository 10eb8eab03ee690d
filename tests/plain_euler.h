// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A second, plain rendering of the Euler scheme of the simulation, for the
// tests to hold the program against: one vector per waveform, the seam and
// wrap copies written out, no range checks.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/circuit_state.h"

namespace analysis {

struct Reference {
  std::vector<double> is, v, ic, il;
  int32_t cycle = 0;
  bool stopped = false;
};

// Runs `periods` periods (100 NP when negative) from (v1, il1) at sample 1,
// the source at Is in the first half of each. It stops after `max_steps`
// steps, or right after storing the first value that is not finite.
inline Reference Simulate(const CircuitState& s, bool wrap_source, int64_t max_steps = -1,
                          int64_t periods = -1, double v1 = 0, double il1 = 0) {
  const std::vector<double> zeros(static_cast<size_t>(s.N) + 2);
  Reference r{zeros, zeros, zeros, zeros};
  r.v[1] = v1;
  r.il[1] = il1;
  const int m1 = static_cast<int>(std::nearbyint(s.N / 2.0));
  const int m2 = static_cast<int>(std::nearbyint(s.N / 2.0 + 1));
  int64_t steps = 0;
  auto step = [&](int k, double source) {
    r.is[k] = source;
    r.ic[k] = (r.is[k] - r.il[k]) - (s.G * r.v[k]);
    if (std::isfinite(r.ic[k])) {
      r.il[k + 1] = ((s.dt * r.v[k]) / s.L) + r.il[k];
      if (std::isfinite(r.il[k + 1])) r.v[k + 1] = ((s.dt * r.ic[k]) / s.C) + r.v[k];
    }
    r.stopped =
        !(std::isfinite(r.ic[k]) && std::isfinite(r.il[k + 1]) && std::isfinite(r.v[k + 1])) ||
        ++steps == max_steps;
    return !r.stopped;
  };
  if (periods < 0) periods = int64_t{100} * s.NP;
  for (r.cycle = 1; r.cycle <= periods; ++r.cycle) {
    for (int k = 1; k <= m1; ++k)
      if (!step(k, s.Is)) return r;
    r.v[m2] = r.v[m1];
    r.ic[m2] = r.ic[m1];
    r.il[m2] = r.il[m1];
    for (int k = m2; k <= s.N; ++k)
      if (!step(k, 0)) return r;
    if (wrap_source) r.is[1] = r.is[s.N];
    r.v[1] = r.v[s.N];
    r.il[1] = r.il[s.N];
    r.ic[1] = r.ic[s.N];
  }
  return r;
}

}  // namespace analysis
