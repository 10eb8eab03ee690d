// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/peak_search.h"

#include <cmath>

#include "analysis/checked.h"

namespace analysis {

namespace {

// The peak starts as element 1, sign included; a tie also replaces it, so
// the first pass always turns it into a magnitude.
void FindPeak(CircuitState& state, const SampleArray& samples, double& peak) {
  peak = samples.at(1);
  const int32_t last = state.N;
  for (state.k = 1; state.k <= last; state.k = CheckedAdd(state.k, 1)) {
    const double magnitude = Checked(std::fabs(samples.at(state.k)));
    if (magnitude >= peak) peak = magnitude;
  }
}

}  // namespace

double PeakOf(const SampleArray& samples, int32_t N) {
  double peak = samples.at(1);
  for (int32_t k = 1; k <= N; k = CheckedAdd(k, 1)) {
    const double magnitude = Checked(std::fabs(samples.at(k)));
    if (magnitude >= peak) peak = magnitude;
  }
  return peak;
}

void FindPeakV(CircuitState& state) { FindPeak(state, state.v_t, state.v_peak); }
void FindPeakIs(CircuitState& state) { FindPeak(state, state.is_t, state.is_peak); }
void FindPeakIC(CircuitState& state) { FindPeak(state, state.iC_t, state.iC_peak); }
void FindPeakIL(CircuitState& state) { FindPeak(state, state.iL_t, state.iL_peak); }

}  // namespace analysis
