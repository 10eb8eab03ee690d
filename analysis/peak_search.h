// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Peak search over one period of a simulated waveform. Each procedure sets
// its peak field to the largest |x(k)| for k = 1..N of its array and leaves
// state.k = N + 1 (1 when N < 1). Indices 0 and N + 1 are never looked at.
//
// Element 1 is fetched before N is tested, so an unallocated array throws
// Fault(IndexOutOfRange) even for N < 1. A non-finite element (left by a
// failed run) throws the fault of its value.
#pragma once

#include "analysis/circuit_state.h"

namespace analysis {

void FindPeakV(CircuitState& state);   // v_t  -> v_peak
void FindPeakIs(CircuitState& state);  // is_t -> is_peak
void FindPeakIC(CircuitState& state);  // iC_t -> iC_peak
void FindPeakIL(CircuitState& state);  // iL_t -> iL_peak

// Returns the peak that the procedures above store for `samples` over
// k = 1..N, with the same checks and faults, and changes nothing: for a
// reader of a state it does not own (the cursor readout of a plot).
double PeakOf(const SampleArray& samples, int32_t N);

}  // namespace analysis
