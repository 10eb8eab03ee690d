// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The outcome of a compute as the command line prints it: one JSON object
// for another program, or an Italian summary for a person.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/accuracy.h"
#include "analysis/circuit_state.h"

namespace analysis {

// Returns the JSON object of a completed compute, on one line per member:
//   {"input": {"Is": 1, "R": 400, "C": 1e-05, "L": 0.1, "f": 159, "N": 1000, "NP": 10},
//    "euler": {"fris": ..., "Qris": ..., "v_peak": ...},
//    "euler_steady": {"v_peak": ...},   null where the method never reaches it
//    "exact": {"v_peak": ..., "t_peak_us": ...},   null when there is no steady state
//    "stability": {"stable": true, "rho_period": ..., "n_min": 26},   n_min null when none
//    "transient": {"residual": ..., "np_suggested": null},
//    "advice": {"error_target": 0.01, "n": 2533, "np": 1, "estimated": false},
//                  null where it does not apply or was not worked out
//    "warnings": ["..."]}
// Every number in the shortest form that reads back the same double
// (std::to_chars), with a point whatever the locale.
std::string JsonReport(const CircuitState& state, const Accuracy& accuracy,
                       const std::vector<std::string>& warnings);

// Returns the Italian summary of a completed compute: the start window's
// three results in its formats, the exact peak and its instant, the
// method's error on the peak, the advice where it is known and the
// warnings, one per line, with
// `decimal_separator` in every number.
std::string TextReport(const CircuitState& state, const Accuracy& accuracy,
                       const std::vector<std::string>& warnings,
                       std::string_view decimal_separator);

}  // namespace analysis
