// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/fault_explanation.h"

#include <cmath>
#include <optional>

#include "analysis/accuracy.h"
#include "analysis/numbers.h"
#include "analysis/simulation.h"

namespace analysis {

namespace {

// Reads and derives as ReadParameters does; false where it would throw.
bool Retrace(const ParameterTexts& texts, CircuitState& s) {
  double* values[] = {&s.Is, &s.R, &s.C, &s.L, &s.f};
  const std::string* fields[] = {&texts.Is, &texts.R, &texts.C, &texts.L, &texts.f};
  for (int i = 0; i < 5; ++i) {
    const std::optional<double> value = ValInRange(*fields[i]);
    if (!value) return false;
    *values[i] = *value;
  }
  s.G = 1 / s.R;
  const std::optional<double> n = ValInRange(texts.N), np = ValInRange(texts.NP);
  if (!std::isfinite(s.G) || !n || !np) return false;
  const std::optional<int32_t> N = NearestInt32InRange(*n), NP = NearestInt32InRange(*np);
  if (!N || !NP) return false;
  s.N = *N;
  s.NP = *NP;
  s.dt = (1 / s.f) / s.N;
  const double p = s.L * s.C;
  if (!std::isfinite(1 / s.f) || !std::isfinite(s.dt) || !std::isfinite(p) || p < 0) return false;
  s.fris = 1 / (std::sqrt(p) * kTwoPi);
  const double divisor = (s.fris * kTwoPi) * s.L;
  s.Qris = s.R / divisor;
  return std::isfinite(s.fris) && std::isfinite(divisor) && std::isfinite(s.Qris);
}

}  // namespace

std::string ExplainFault(FaultKind kind, const ParameterTexts& texts, Command command) {
  CircuitState s;
  if (!Retrace(texts, s)) return {};
  if (command == Command::kPlot && !std::isfinite((static_cast<double>(s.NP) * 1000000) / s.f))
    return {};
  if (s.N == INT32_MAX || s.NP > kMaxPeriodsShown || s.NP < INT32_MIN / 100 || s.N < 0) return {};
  if (kind != FaultKind::Overflow && kind != FaultKind::InvalidOperation) return {};
  // The run itself: a growing oscillation leaves the double range.
  return UnstableRunExplanation(StabilityOf(s), s.N);
}

}  // namespace analysis
