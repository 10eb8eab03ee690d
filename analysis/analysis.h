// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit analysis of the parallel RLC teaching tool: the shared record,
// the number services, the field check, the simulation and the peak search,
// and how true its results are (the exact and the method's steady state,
// stability, settling), and the frequency response with its harmonics.
// Plain C++20, the standard library and Boost.Math's header-only root
// finder and quadrature; no global state: every
// procedure works on the CircuitState it is given. Not thread-safe: one
// state is used by one thread at a time. Every failure is a thrown Fault.
#pragma once

#include "analysis/accuracy.h"
#include "analysis/advice.h"
#include "analysis/checked.h"
#include "analysis/circuit_state.h"
#include "analysis/euler_grid.h"
#include "analysis/exact_steady_state.h"
#include "analysis/fault.h"
#include "analysis/fault_explanation.h"
#include "analysis/field_check.h"
#include "analysis/frequency_report.h"
#include "analysis/frequency_response.h"
#include "analysis/harmonics.h"
#include "analysis/method_steady_state.h"
#include "analysis/numbers.h"
#include "analysis/parameters.h"
#include "analysis/peak_search.h"
#include "analysis/report.h"
#include "analysis/sample_array.h"
#include "analysis/simulation.h"
