// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Why a command ended in a fault, in Italian, for the lines that follow the
// fault's own text in the message box and on the command line.
#pragma once

#include <string>

#include "analysis/fault.h"
#include "analysis/parameters.h"

namespace analysis {

// Which command met the fault: the plot also works out the time span of
// its captions before it simulates.
enum class Command { kCompute, kPlot };

// Returns the cause of a fault of `kind` that a command met with `texts`:
// it traces the reading, the derivations and the simulation of the command
// again, in their order and without throwing, and explains the first step
// that fails. Empty when it finds no cause to name.
std::string ExplainFault(FaultKind kind, const ParameterTexts& texts, Command command);

}  // namespace analysis
