// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency response as the command line prints it: one JSON object for
// another program, or an Italian text for a person.
#pragma once

#include <string>
#include <string_view>

#include "analysis/circuit_state.h"
#include "analysis/frequency_response.h"

namespace analysis {

// Returns the JSON object of `response` for the compute in `state`, one
// line per member and per row:
//   {"input": {"Is": 1, "R": 400, "C": 1e-05, "L": 0.1, "f": 159, "N": 1000, "NP": 10,
//              "from": ..., "to": ..., "points": 400},
//    "resonance": {"f0": ..., "Q": ...},          fris and Qris of the compute
//    "curve": [{"f": ..., "exact_v_peak": ..., "euler_v_peak": ...}, ...],
//    "harmonics": [{"k": 0, "f": 0, "I": 0.5, "Z_abs": 0, "Z_phase_deg": 0, "V": 0,
//                   "power_share": 0}, ...],
//    "power": {"mean_square_v": ..., "listed_share": ...}}
// A peak that does not exist (the method unstable, no steady state) is
// null; so are "harmonics" and "power" without a table. Every number in
// the shortest form that reads back the same double, null when not finite.
// REQUIRES: `response` holds one peak of each curve per frequency, as
// FrequencyResponseOf makes it.
std::string FrequencyJsonReport(const CircuitState& state, const FrequencyResponse& response);

// Returns the Italian text of `response`: the resonance, the curve (one row
// per frequency, fris / k and the current f named), the harmonics of the
// current f and the share of <v^2> they hold, with `decimal_separator` in
// every number. A peak that does not exist is written "—". REQUIRES: as
// FrequencyJsonReport.
std::string FrequencyTextReport(const CircuitState& state, const FrequencyResponse& response,
                                std::string_view decimal_separator);

}  // namespace analysis
