// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Faults of the circuit analysis: the arithmetic, range and memory errors that
// end a command. Every check of the analysis, the plot and the readout throws
// a Fault; nothing in the analysis library catches one. The windows show
// what() in the application's message box and go on.
#pragma once

#include <exception>
#include <optional>

#include "analysis/fields.h"

namespace analysis {

enum class FaultKind {
  DivisionByZero,    // a finite non-zero number divided by zero
  Overflow,          // any other infinite result, an int32 overflow, a number beyond double
  InvalidOperation,  // a NaN result (0 / 0, inf - inf, ...)
  InvalidArgument,   // square root of a negative number
  IndexOutOfRange,   // an array index outside the allocated range, or no array at all
  OutOfMemory,       // the sample arrays do not fit in the machine's memory
};

// The step of a command that failed, for the explanation that follows the
// fault's text. Each names the quantity it computes.
enum class FaultStep {
  kUnnamed,      // a check with no cause to name (the plot's points, the readout)
  kReadValue,    // a field's number beyond the double range
  kConductance,  // G = 1 / R
  kRoundCount,   // N or NP rounded to an int32
  kPeriod,       // 1 / f
  kStep,         // dt = (1 / f) / N
  kProduct,      // L * C
  kRoot,         // sqrt(L * C)
  kFris,         // fris = 1 / (sqrt(L C) 2 pi)
  kQris,         // Qris = R / ((fris 2 pi) L)
  kTimeSpan,     // the plot's time span, NP 1000000 / f us
  kArraySize,    // N + 1, the arrays' last index
  kSampleIndex,  // an index of the sample arrays
  kMemory,       // the four sample arrays in memory
  kPeriodCount,  // 100 NP, the periods simulated
  kRun,          // a step of the simulation
};

// Where a fault arose: the step, and the field whose value it read last
// (none for the run, whose cause lies in all of them).
struct FaultCause {
  FaultStep step = FaultStep::kUnnamed;
  std::optional<Field> field;
};

// Returns the Italian text shown to the user for `kind`, e.g.
// DivisionByZero -> "Divisione per zero". The text is UTF-8 and static.
const char* FaultText(FaultKind kind);

class Fault : public std::exception {
 public:
  explicit Fault(FaultKind kind) : kind_(kind) {}
  Fault(FaultKind kind, FaultCause cause) : kind_(kind), cause_(cause) {}

  FaultKind kind() const { return kind_; }
  // Returns FaultText(kind()).
  const char* what() const noexcept override;
  // The step that failed; kUnnamed where the thrower named none.
  const FaultCause& cause() const { return cause_; }

 private:
  FaultKind kind_;
  FaultCause cause_;
};

}  // namespace analysis
