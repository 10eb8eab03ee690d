// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The reading of the seven texts typed in the parameter window (ParameterTexts,
// analysis/fields.h) into the circuit state.
#pragma once

#include <string>

#include "analysis/circuit_state.h"
#include "analysis/fields.h"

namespace analysis {

// Returns Val(text); throws Fault(Overflow) naming `field` and the reading
// when the number lies beyond the double range.
double ValOf(const std::string& text, Field field);

// Reads the parameters into `state` in this order: Is, R, C, L, f with Val;
// DeriveConductance; N and NP with NearestInt32(Val(...));
// DeriveCircuitValues. What was read before a fault stays stored.
// Throws the Fault of Val, NearestInt32 or the derivations, each naming its
// step and field.
void ReadParameters(CircuitState& state, const ParameterTexts& texts);

}  // namespace analysis
