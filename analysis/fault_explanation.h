// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Why a command ended in a fault, in Italian, for the lines that follow the
// fault's own text in the message box and on the command line.
#pragma once

#include <string>
#include <string_view>

#include "analysis/fault.h"
#include "analysis/parameters.h"
#include "analysis/run_monitor.h"

namespace analysis {

// Which command met the fault: the plot also works out the time span of
// its captions before it simulates.
enum class Command { kCompute, kPlot };

// Returns the cause of a fault of `kind` that a command met with `texts`,
// in Italian, naming the field by its label on the start window and the
// limit it passed: it traces the reading, the derivations and the
// simulation of the command again, in their order and without throwing,
// and explains the first step that fails. Amounts of memory are written
// with `decimal_separator`. Empty when it finds no cause to name. An
// unstable run's overflow ends with the advice of AdviceFor, which asks
// `monitor` when given; cancelled, the explanation goes without it.
//   N = "2147483647" -> "N è troppo grande (al massimo N = 2147483646)."
//   R = "0"          -> "R è 0: la conduttanza G = 1/R sarebbe infinita; ..."
std::string ExplainFault(FaultKind kind, const ParameterTexts& texts, Command command,
                         std::string_view decimal_separator, RunMonitor* monitor = nullptr);

}  // namespace analysis
