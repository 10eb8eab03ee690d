// The circuit analysis of the parallel RLC teaching tool: the shared record,
// the number services, the field check, the simulation and the peak search.
// Plain C++20 and the standard library only; no global state: every
// procedure works on the CircuitState it is given. Not thread-safe: one
// state is used by one thread at a time. Every failure is a thrown Fault.
#pragma once

#include "analysis/checked.h"
#include "analysis/circuit_state.h"
#include "analysis/fault.h"
#include "analysis/field_check.h"
#include "analysis/numbers.h"
#include "analysis/parameters.h"
#include "analysis/peak_search.h"
#include "analysis/sample_array.h"
#include "analysis/simulation.h"
