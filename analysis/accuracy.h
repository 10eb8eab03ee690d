// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// How true the numbers of a completed compute or plot are: the Euler peak
// beside the method's own steady state and the exact one, the stability of
// the method, and how far the run is from settling. Assessed once per
// command, after its run; the run itself is not touched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/advice.h"
#include "analysis/circuit_state.h"
#include "analysis/exact_steady_state.h"
#include "analysis/method_steady_state.h"
#include "analysis/simulation.h"

namespace analysis {

struct Accuracy {
  double Is = 0, R = 0, C = 0, L = 0, f = 0;  // A, ohm, F, H, Hz: the circuit of the run
  int32_t N = 0, NP = 0;                      // the samples and periods of the run
  bool source_off = false;  // Is = 0: every waveform stays 0, as in the steady state
  double euler_peak = 0;    // V: v_peak of the run, the start window's number
  std::optional<MethodSteadyState> method;  // none when N < 3
  std::optional<ExactSteadyState> exact;    // none unless R, C, L, f > 0
  Stability stability;
  double residual = 0;                  // of the last period, share of the method's peak
  std::optional<int32_t> np_suggested;  // only when residual > kSettledResidual
  // The N and NP that reach 1 %, worked out by Advise only where they are
  // shown; none where AdviceApplies is false.
  std::optional<Advice> advice;

  // Whether a run reaches the method's steady state as NP grows: the method
  // is stable and the circuit has a steady state. Else it is never reached.
  bool MethodReached() const { return stability.stable && stability.circuit_settles; }

  // |a / exact peak - 1| of the Euler peak and of the method's steady
  // peak; nullopt without an exact peak other than 0, and for the method
  // where its steady state is never reached.
  std::optional<double> EulerError() const;
  std::optional<double> MethodError() const;
};

// Returns the accuracy of the run in `state`. REQUIRES: a completed
// RunSimulation and FindPeakV on `state`. Never throws for a completed run.
Accuracy AssessAccuracy(const CircuitState& state);

// Whether the advice exists for the circuit of `a`: it has an exact steady
// state whose peak is not 0.
bool AdviceApplies(const Accuracy& a);

// Whether AccuracyWarnings shows a box for `a`, which then ends with the
// advice: the method unstable or making no step, the run unsettled, or a
// settled run whose shown peak is more than kWarnedPeakError off.
bool WarnsOf(const Accuracy& a);

// Works out a.advice where it applies and is not known yet. Returns false
// when `monitor` said stop (a.advice then stays unknown).
bool Advise(Accuracy& a, RunMonitor* monitor = nullptr);

// The relative error of the method's steady-state peak at one N.
struct ErrorPoint {
  int32_t N;
  double error;  // |method peak / exact peak - 1|
};

// The error of the method's steady state against N for the circuit of
// `accuracy`: N from 2 N_min (10 without an N_min) to max(100 N, 1e5), at
// most 2147483646, on 24 points spread evenly on a log scale, each the
// method's fixed point for that N with dt and G as a command derives them.
// Points without an error above 0 (no exact peak, a source at 0, no fixed
// point) are left out. Asks `monitor` on the way; nullopt when it stopped.
std::optional<std::vector<ErrorPoint>> ErrorSeries(const Accuracy& accuracy, RunMonitor& monitor);

// The Italian texts of the boxes that a compute or plot shows after its own
// messages when its result is not what it claims to be: the method unstable
// for this N (or making no step), the run not settled, or its peak more
// than kWarnedPeakError from the exact one; at most one box, which ends
// with AdviceSentence when a.advice is known. Empty for a settled, stable
// run near the exact peak, and for a source at 0, whose waveforms are all 0
// from the start. Integers carry no grouping; the shares in per cent and
// the peaks are written with `decimal_separator`.
std::vector<std::string> AccuracyWarnings(const Accuracy& accuracy,
                                          std::string_view decimal_separator);

// The explanation that follows the fault text of a run that overflowed:
// why an unstable method ends there and which N would do, then
// AdviceSentence of `advice` when given. Empty when the method is stable
// for `stability`'s N.
std::string UnstableRunExplanation(const Stability& stability, int32_t N,
                                   const std::optional<Advice>& advice = std::nullopt);

}  // namespace analysis
