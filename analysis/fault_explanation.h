// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Why a command ended in a fault, in Italian, for the lines that follow the
// fault's own text in the message box and on the command line.
#pragma once

#include <string>
#include <string_view>

#include "analysis/fault.h"
#include "analysis/fields.h"
#include "analysis/run_monitor.h"

namespace analysis {

// Which command met the fault: the plot also works out the time span of
// its captions before it simulates.
enum class Command { kCompute, kPlot };

// Returns the cause of `fault`, which a command met reading `texts`, in
// Italian, from the step and the field the fault names: the field by its
// label on the start window and the limit it passed. Amounts of memory are
// written with `decimal_separator`. An unstable run's overflow ends with the
// advice of AdviceFor, which asks `monitor` when given; cancelled, the
// explanation goes without it. Empty for a fault that names no step.
//   N = "2147483647" -> "N è troppo grande (al massimo N = 2147483646)."
//   R = "0"          -> "R è 0: la conduttanza G = 1/R sarebbe infinita; ..."
std::string ExplainFault(const Fault& fault, const ParameterTexts& texts, Command command,
                         std::string_view decimal_separator, RunMonitor* monitor = nullptr);

}  // namespace analysis
