// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Faults of the circuit analysis: the arithmetic, range and memory errors that
// end a command. Every check of the analysis, the plot and the readout throws
// a Fault; nothing in the analysis library catches one. The windows show
// what() in the application's message box and go on.
#pragma once

#include <exception>

namespace analysis {

enum class FaultKind {
  DivisionByZero,    // a finite non-zero number divided by zero
  Overflow,          // any other infinite result, an int32 overflow, a number beyond double
  InvalidOperation,  // a NaN result (0 / 0, inf - inf, ...)
  InvalidArgument,   // square root of a negative number
  IndexOutOfRange,   // an array index outside the allocated range, or no array at all
  OutOfMemory,       // the sample arrays do not fit in the machine's memory
};

// Returns the Italian text shown to the user for `kind`, e.g.
// DivisionByZero -> "Divisione per zero". The text is UTF-8 and static.
const char* FaultText(FaultKind kind);

class Fault : public std::exception {
 public:
  explicit Fault(FaultKind kind) : kind_(kind) {}

  FaultKind kind() const { return kind_; }
  // Returns FaultText(kind()).
  const char* what() const noexcept override;

 private:
  FaultKind kind_;
};

}  // namespace analysis
