// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The seven texts typed in the parameter window, and their reading into the
// circuit state. Texts are UTF-8, exactly as typed (never trimmed).
#pragma once

#include <string>

#include "analysis/circuit_state.h"

namespace analysis {

struct ParameterTexts {
  std::string Is;  // A, text box Text1
  std::string R;   // ohm, Text2
  std::string C;   // F, Text3
  std::string L;   // H, Text6
  std::string f;   // Hz, Text7
  std::string N;   // samples per period, Text4
  std::string NP;  // periods shown, Text8
};

// Reads the parameters into `state` in this order: Is, R, C, L, f with Val;
// DeriveConductance; N and NP with NearestInt32(Val(...));
// DeriveCircuitValues. What was read before a fault stays stored.
// Throws the Fault of Val, NearestInt32 or the derivations.
void ReadParameters(CircuitState& state, const ParameterTexts& texts);

}  // namespace analysis
