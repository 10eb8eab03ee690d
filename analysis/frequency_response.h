// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency response of the circuit of a compute: the peak of v in the
// periodic steady state against the frequency of the square wave, exact
// and as the program's Euler loops give it at the compute's N, with the
// harmonics of the current frequency. Frequencies in Hz, peaks in V. The
// circuit (Is, R, C, L), its fris, f and N are read from a CircuitState
// that ReadParameters has filled; its arrays are not used. Nothing here
// throws for such a state.
//
// A square wave at f drives the circuit with its odd harmonics k f, so the
// peak of v rises at every fris / k (k odd), not only at fris: with a high
// Q these peaks are narrower than the spacing of a log scale, and the
// frequencies of a curve include them exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/circuit_state.h"
#include "analysis/harmonics.h"
#include "analysis/run_monitor.h"

namespace analysis {

// The most log-spaced points of a curve, and the most fris / k points added
// to it. Each point of the Euler curve steps a whole period of N samples,
// and a window draws a few thousand points at most: 1e5 fill any screen
// many times over while a curve stays below a few megabytes.
inline constexpr int32_t kMaxCurvePoints = 100000;
inline constexpr int32_t kDefaultCurvePoints = 400;

struct CurveRange {
  double from = 0, to = 0;  // Hz: 0 < from < to, both finite
  int32_t points = 0;       // log-spaced points, both ends included: 2 to kMaxCurvePoints
};

// Returns fris / 30 to 10 fris of `state` on kDefaultCurvePoints points.
CurveRange DefaultCurveRange(const CircuitState& state);

struct CurveFrequencies {
  std::vector<double> f;          // Hz: ascending, no two equal
  std::vector<int32_t> order;     // per point: k where the point is fris / k (k odd), else 0
  std::optional<size_t> current;  // the index of the point that is state.f, if in range
};

// Returns range.points frequencies spread evenly on a log scale from
// range.from to range.to, both ends exact, with every fris / k (k odd)
// and state.f that lie in [from, to] added exactly, sorted and without
// repeats. nullopt when the range breaks the bounds of CurveRange, fris is
// not positive, more than about kMaxCurvePoints values of k fall in range,
// or fris / from reaches 2^31 (the orders are int32).
std::optional<CurveFrequencies> CurveFrequenciesOf(const CircuitState& state,
                                                   const CurveRange& range);

// One peak per frequency of a curve, V; empty where there is none.
using PeakCurve = std::vector<std::optional<double>>;

// Returns ExactSteadyState::Of(Is, R, C, L, f')->peak_v() of `state` for
// each f' of `f`, empty where the circuit has no steady state. O(1) a point.
PeakCurve ExactCurve(const CircuitState& state, const std::vector<double>& f);

// Returns, for each f' of `f`, the peak of the method's periodic steady
// state at state.N samples per period in the CircuitState that a compute at
// f' derives (G = 1 / R, dt = (1 / f') / N): bit for bit the method's peak
// that AssessAccuracy reports there. Empty where the method is unstable or
// has no fixed point. O(N) a point. Asks `monitor`, when given, after each
// point and within long ones, with the share of the whole curve done;
// nullopt when it says stop.
std::optional<PeakCurve> EulerCurve(const CircuitState& state, const std::vector<double>& f,
                                    RunMonitor* monitor = nullptr);

// Everything a window or a report shows of the response.
struct FrequencyResponse {
  CurveRange range;
  CurveFrequencies frequencies;
  PeakCurve exact;                         // one per frequency
  PeakCurve euler;                         // one per frequency
  std::optional<HarmonicTable> harmonics;  // of state.f; none as HarmonicTableOf says
};

// Returns the frequencies of `range`, both curves and the harmonic table of
// `state`. nullopt when CurveFrequenciesOf refuses the range or when
// `monitor` stops the Euler curve.
std::optional<FrequencyResponse> FrequencyResponseOf(const CircuitState& state,
                                                     const CurveRange& range,
                                                     RunMonitor* monitor = nullptr);

}  // namespace analysis
