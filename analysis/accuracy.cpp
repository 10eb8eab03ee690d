// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/accuracy.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/numbers.h"

namespace analysis {

namespace {

std::optional<double> ErrorAgainst(const Accuracy& accuracy, double peak) {
  if (!accuracy.exact || accuracy.exact->peak_v() == 0) return std::nullopt;
  return std::fabs(peak / accuracy.exact->peak_v() - 1);
}

// "servono almeno N = 26 campioni per periodo.", or why no N will do; to
// follow a semicolon, or with a capital after a full stop.
std::string WhatWouldDo(const Stability& stability, bool capital) {
  std::string text;
  if (stability.n_min)
    text = "servono almeno N = " + std::to_string(*stability.n_min) + " campioni per periodo.";
  else if (!stability.circuit_settles && *stability.negative != 0)
    text = std::string("con ") + stability.negative +
           " negativa il circuito non ha un regime periodico: nessun N lo può mostrare.";
  else if (!stability.circuit_settles)
    text =
        "con questi valori di R, L e C il circuito non ha un regime periodico: nessun N lo "
        "può mostrare.";
  else
    text = "nessun N fino a 2147483646 rende stabile il metodo per questi valori.";
  if (capital) text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

std::string WithN(int32_t N) {
  return "Con N = " + std::to_string(N) + " campioni per periodo il metodo di Eulero ";
}

const char kUnstable[] =
    "è instabile per questi valori di R, L e C: l'ampiezza cresce a ogni periodo";

// The share of the transient left, in per cent: whole above 10 %, else with
// one or two decimals.
std::string Percent(double share, std::string_view separator) {
  const double percent = 100 * share;
  const char* pattern = percent >= 10 ? "0" : percent >= 1 ? "0.0" : "0.00";
  return Format(percent, pattern, separator) + " %";
}

}  // namespace

std::optional<double> Accuracy::EulerError() const { return ErrorAgainst(*this, euler_peak); }

std::optional<double> Accuracy::MethodError() const {
  if (!method || !MethodReached()) return std::nullopt;
  return ErrorAgainst(*this, method->peak);
}

Accuracy AssessAccuracy(const CircuitState& state) {
  Accuracy a;
  a.Is = state.Is;
  a.R = state.R;
  a.C = state.C;
  a.L = state.L;
  a.f = state.f;
  a.N = state.N;
  a.NP = state.NP;
  a.source_off = state.Is == 0;
  a.euler_peak = state.v_peak;
  a.exact = ExactSteadyState::Of(state.Is, state.R, state.C, state.L, state.f);
  const EulerGrid grid = EulerGrid::Of(state);
  a.stability = StabilityOf(grid);
  a.method = MethodSteadyStateOf(grid);
  if (a.method) {
    a.residual = TransientResidual(state, *a.method);
    a.np_suggested = SettlingNP(grid, state.NP, *a.method, a.stability, a.residual);
  }
  return a;
}

bool AdviceApplies(const Accuracy& a) { return a.exact && a.exact->peak_v() != 0; }

bool WarnsOf(const Accuracy& a) {
  if (a.source_off) return false;
  if (!a.stability.stable || a.residual > kSettledResidual) return true;
  const std::optional<double> error = a.EulerError();
  return error && *error > kWarnedPeakError;
}

bool Advise(Accuracy& a, RunMonitor* monitor) {
  if (a.advice || !AdviceApplies(a)) return true;
  a.advice = AdviceFor(a.Is, a.R, a.C, a.L, a.f, monitor);
  return a.advice.has_value();
}

std::optional<std::vector<ErrorPoint>> ErrorSeries(const Accuracy& a, RunMonitor& monitor) {
  std::vector<ErrorPoint> series;
  if (!a.exact || a.exact->peak_v() == 0) return series;
  constexpr int kPoints = 24;
  constexpr double kLargest = INT32_MAX - 1;
  const double first = a.stability.n_min ? std::min(2.0 * *a.stability.n_min, kLargest) : 10;
  const double last = std::clamp(std::max(100.0 * a.N, 1e5), first, kLargest);
  const EulerGrid circuit = EulerGrid::At(a.Is, a.R, a.C, a.L, a.f, 0);
  // The monitor learns the share of the whole series from that of a point.
  struct : RunMonitor {
    RunMonitor* whole;
    double done, share;
    bool Continue(double within) override { return whole->Continue(done + share * within); }
  } point;
  point.whole = &monitor;
  for (int i = 0; i < kPoints; ++i) {
    const double n = std::round(first * std::pow(last / first, i / (kPoints - 1.0)));
    const EulerGrid probe = circuit.WithN(static_cast<int32_t>(n));
    if (!series.empty() && series.back().N == probe.N) continue;
    point.done = i / double{kPoints};
    point.share = 1.0 / kPoints;
    const std::optional<MethodSteadyState> steady = MethodSteadyStateOf(probe, &point);
    if (!monitor.Continue((i + 1) / double{kPoints})) return std::nullopt;
    const double error = steady ? std::fabs(steady->peak / a.exact->peak_v() - 1) : 0;
    if (error > 0 && std::isfinite(error)) series.push_back({probe.N, error});
  }
  return series;
}

std::vector<std::string> AccuracyWarnings(const Accuracy& a, std::string_view decimal_separator) {
  const Stability& s = a.stability;
  if (a.source_off) return {};
  const std::string advice = a.advice ? " " + AdviceSentence(*a.advice) : std::string();
  if (!s.steps)
    return {WithN(a.N) + "non fa alcun passo: i valori mostrati restano quelli di partenza. " +
            WhatWouldDo(s, true) + advice};
  if (!s.stable)
    return {WithN(a.N) + kUnstable + " e i valori mostrati non sono quelli del regime. " +
            WhatWouldDo(s, true) + advice};
  if (a.residual > kSettledResidual) {
    const int64_t periods = 100 * int64_t{std::max(a.NP, 0)};
    std::string text = "Dopo " + std::to_string(periods) +
                       " periodi simulati il transitorio non si è ancora esaurito (scarto del " +
                       Percent(a.residual, decimal_separator) + " dal regime del metodo): ";
    if (a.np_suggested)
      text += "per arrivare a regime servono almeno NP = " + std::to_string(*a.np_suggested) + ".";
    else
      text +=
          "con questo N non ci arriva neppure con NP = " + std::to_string(kMaxPeriodsShown) + ".";
    return {text + advice};
  }
  const std::optional<double> error = a.EulerError();
  if (!error || !(*error > kWarnedPeakError)) return {};
  auto volts = [&](double v) { return FormatReported(v, "0.00E+00", decimal_separator) + " V"; };
  return {"Il picco mostrato, " + volts(a.euler_peak) + ", si scosta del " +
          FormatReported(100 * *error, "0.0", decimal_separator) +
          " % dal picco esatto del regime, " + volts(a.exact->peak_v()) + "." + advice};
}

std::string UnstableRunExplanation(const Stability& stability, int32_t N,
                                   const std::optional<Advice>& advice) {
  if (stability.stable || !stability.steps) return {};
  return WithN(N) + kUnstable + " finché supera il più grande numero rappresentabile; " +
         WhatWouldDo(stability, false) + (advice ? " " + AdviceSentence(*advice) : "");
}

}  // namespace analysis
