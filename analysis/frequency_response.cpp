// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/frequency_response.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/euler_grid.h"
#include "analysis/exact_steady_state.h"
#include "analysis/method_steady_state.h"

namespace analysis {

namespace {

struct Point {
  double f;
  int32_t order;
  bool current;
};

// Adds fris / k for every odd k with from <= fris / k <= to, tested on the
// very double that is added; false when there are more than kMaxCurvePoints.
bool AddResonances(double fris, const CurveRange& range, std::vector<Point>& points) {
  const double highest = fris / range.from, lowest = fris / range.to;  // k, roughly
  if (!(highest < INT32_MAX && (highest - lowest) / 2 < kMaxCurvePoints)) return false;
  // Two below the first odd k that can be in range, for the rounding of f / k.
  int64_t k = std::max<int64_t>(1, static_cast<int64_t>(lowest) - 2) | 1;
  for (; fris / static_cast<double>(k) >= range.from; k += 2)
    if (fris / static_cast<double>(k) <= range.to)
      points.push_back({fris / static_cast<double>(k), static_cast<int32_t>(k), false});
  return true;
}

// A compute at f: the grid a command derives from the same texts but f.
EulerGrid ComputeAt(const CircuitState& state, double f) {
  return EulerGrid::At(state.Is, state.R, state.C, state.L, f, state.N);
}

}  // namespace

CurveRange DefaultCurveRange(const CircuitState& state) {
  return {state.fris / 30, 10 * state.fris, kDefaultCurvePoints};
}

std::optional<CurveFrequencies> CurveFrequenciesOf(const CircuitState& state,
                                                   const CurveRange& range) {
  const bool valid = range.from > 0 && range.from < range.to && std::isfinite(range.to) &&
                     range.points >= 2 && range.points <= kMaxCurvePoints && state.fris > 0 &&
                     std::isfinite(state.fris);
  if (!valid) return std::nullopt;
  std::vector<Point> points;
  // exp(log from + i step) in place of from (to / from)^x: to / from may overflow.
  const double log_from = std::log(range.from), log_to = std::log(range.to);
  const int32_t last = range.points - 1;
  for (int32_t i = 0; i <= last; ++i) {
    const double f = i == 0      ? range.from
                     : i == last ? range.to
                                 : std::exp(log_from + (log_to - log_from) * i / last);
    points.push_back({f, 0, false});
  }
  if (!AddResonances(state.fris, range, points)) return std::nullopt;
  if (state.f >= range.from && state.f <= range.to) points.push_back({state.f, 0, true});
  std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.f < b.f; });
  CurveFrequencies out;
  for (const Point& p : points) {
    if (out.f.empty() || out.f.back() != p.f) {
      out.f.push_back(p.f);
      out.order.push_back(0);
    }
    out.order.back() = std::max(out.order.back(), p.order);
    if (p.current) out.current = out.f.size() - 1;
  }
  return out;
}

PeakCurve ExactCurve(const CircuitState& state, const std::vector<double>& f) {
  PeakCurve curve;
  curve.reserve(f.size());
  for (const double x : f) {
    const std::optional<ExactSteadyState> exact =
        ExactSteadyState::Of(state.Is, state.R, state.C, state.L, x);
    curve.push_back(exact ? std::optional(exact->peak_v()) : std::nullopt);
  }
  return curve;
}

std::optional<PeakCurve> EulerCurve(const CircuitState& state, const std::vector<double>& f,
                                    RunMonitor* monitor) {
  // The monitor learns the share of the whole curve from that of a point.
  struct : RunMonitor {
    RunMonitor* whole;
    double done, share;
    bool stopped = false;  // told to stop within a point
    bool Continue(double within) override {
      stopped = !whole->Continue(done + share * within);
      return !stopped;
    }
  } point;
  const double points = static_cast<double>(f.size());
  point.whole = monitor;
  point.share = 1 / points;
  PeakCurve curve;
  curve.reserve(f.size());
  for (size_t i = 0; i < f.size(); ++i) {
    const EulerGrid probe = ComputeAt(state, f[i]);
    point.done = static_cast<double>(i) / points;
    std::optional<MethodSteadyState> steady;
    if (StabilityOf(probe).stable) {
      steady = MethodSteadyStateOf(probe, monitor != nullptr ? &point : nullptr);
      if (point.stopped) return std::nullopt;
    }
    curve.push_back(steady ? std::optional(steady->peak) : std::nullopt);
    // (i + 1) / points, not (i + 1) share: the last share is exactly 1.
    if (monitor != nullptr && !monitor->Continue(static_cast<double>(i + 1) / points))
      return std::nullopt;
  }
  return curve;
}

std::optional<FrequencyResponse> FrequencyResponseOf(const CircuitState& state,
                                                     const CurveRange& range, RunMonitor* monitor) {
  std::optional<CurveFrequencies> frequencies = CurveFrequenciesOf(state, range);
  if (!frequencies) return std::nullopt;
  std::optional<PeakCurve> euler = EulerCurve(state, frequencies->f, monitor);
  if (!euler) return std::nullopt;
  FrequencyResponse response{
      range, std::move(*frequencies), {}, std::move(*euler), HarmonicTableOf(state)};
  response.exact = ExactCurve(state, response.frequencies.f);
  return response;
}

}  // namespace analysis
