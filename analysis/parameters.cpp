// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/parameters.h"

#include "analysis/numbers.h"
#include "analysis/simulation.h"

namespace analysis {

void ReadParameters(CircuitState& state, const ParameterTexts& texts) {
  state.Is = Val(texts.Is);
  state.R = Val(texts.R);
  state.C = Val(texts.C);
  state.L = Val(texts.L);
  state.f = Val(texts.f);
  DeriveConductance(state);
  state.N = NearestInt32(Val(texts.N));
  state.NP = NearestInt32(Val(texts.NP));
  DeriveCircuitValues(state);
}

}  // namespace analysis
