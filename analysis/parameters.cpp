// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/parameters.h"

#include <optional>

#include "analysis/fault.h"
#include "analysis/numbers.h"
#include "analysis/simulation.h"

namespace analysis {

double ValOf(const std::string& text, Field field) {
  const std::optional<double> value = ValInRange(text);
  if (!value) throw Fault(FaultKind::Overflow, {FaultStep::kReadValue, field});
  return *value;
}

namespace {

// NearestInt32 of the field's value, the fault naming the field.
int32_t CountOf(const std::string& text, Field field) {
  const std::optional<int32_t> count = NearestInt32InRange(ValOf(text, field));
  if (!count) throw Fault(FaultKind::Overflow, {FaultStep::kRoundCount, field});
  return *count;
}

}  // namespace

void ReadParameters(CircuitState& state, const ParameterTexts& texts) {
  state.Is = ValOf(texts.Is, Field::kIs);
  state.R = ValOf(texts.R, Field::kR);
  state.C = ValOf(texts.C, Field::kC);
  state.L = ValOf(texts.L, Field::kL);
  state.f = ValOf(texts.f, Field::kF);
  DeriveConductance(state);
  state.N = CountOf(texts.N, Field::kN);
  state.NP = CountOf(texts.NP, Field::kNP);
  DeriveCircuitValues(state);
}

}  // namespace analysis
