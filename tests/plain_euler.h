// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A second, plain rendering of the Euler scheme of the simulation, for the
// tests to hold the program against: one vector per waveform, the seam and
// wrap copies written out, no range checks; the period's affine map it
// steps; and what the tests of the analysis share to run it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis.h"

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

// One period from (v, il) at sample 1: the state at sample 1 of the next,
// and the largest |v| over samples 1..N.
struct Vec {
  long double v, il;
};
struct Period {
  Vec next;
  double peak;
};
inline Period OnePeriod(const CircuitState& s, Vec from) {
  const Reference r =
      Simulate(s, false, -1, 1, static_cast<double>(from.v), static_cast<double>(from.il));
  double peak = 0;
  for (int32_t k = 1; k <= s.N; ++k) peak = std::max(peak, std::fabs(r.v[k]));
  return {{r.v[1], r.il[1]}, peak};
}

// The affine map of one period, stepped with the plain scheme.
struct Map {
  long double a, b, c, d;  // the linear part
  Vec shift;               // the source's part

  Vec operator()(const Vec& x) const {
    return {a * x.v + b * x.il + shift.v, c * x.v + d * x.il + shift.il};
  }
  Map Then(const Map& next) const {  // this, then `next`, both linear
    return {next.a * a + next.b * c,
            next.a * b + next.b * d,
            next.c * a + next.d * c,
            next.c * b + next.d * d,
            {0, 0}};
  }
};
inline Map PlainPeriod(const CircuitState& s) {
  CircuitState off = s;
  off.Is = 0;
  const Vec e1 = OnePeriod(off, {1, 0}).next, e2 = OnePeriod(off, {0, 1}).next;
  return {e1.v, e2.v, e1.il, e2.il, OnePeriod(s, {0, 0}).next};
}

const ParameterTexts kDefaults = {"1", "400", "1e-5", "0.1", "159", "1000", "10"};

// The text of field i of `texts`: 0 Is, 1 R, 2 C, 3 L, 4 f, 5 N, 6 NP.
inline std::string& FieldText(ParameterTexts& texts, int i) {
  std::string* fields[] = {&texts.Is, &texts.R, &texts.C, &texts.L, &texts.f, &texts.N, &texts.NP};
  return *fields[i];
}

// The state `texts` give, and that state run (without the wrap) and its peak found.
inline CircuitState StateOf(const ParameterTexts& texts) {
  CircuitState state;
  ReadParameters(state, texts);
  return state;
}
inline CircuitState RunOf(const ParameterTexts& texts, bool wrap = false) {
  CircuitState state = StateOf(texts);
  RunSimulation(state, wrap);
  FindPeakV(state);
  return state;
}

// Records the messages shown.
struct RecordingSink : MessageSink {
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// Records the shares a piece of work tells; stops it at call `stop_after`.
struct Recorder : RunMonitor {
  std::vector<double> shares;
  size_t stop_after = 0;
  bool Continue(double x) override { return shares.push_back(x), shares.size() != stop_after; }
};

}  // namespace analysis
