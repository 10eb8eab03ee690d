// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Checked arithmetic. Each helper returns the IEEE 754 result of the plain
// operation (default rounding, no contraction) and throws a Fault when that
// result is not a finite number, or when an int32 operation overflows.
//
// Results are checked, not the floating-point status flags: a NaN result is
// InvalidOperation, an infinite quotient of a finite non-zero number by zero
// is DivisionByZero, any other infinite result is Overflow. Underflow and
// inexact results are not faults. A caller that knows its step passes it as
// the fault's cause.
#pragma once

#include <cmath>
#include <cstdint>
#include <utility>

#include "analysis/fault.h"

namespace analysis {

// Throws the fault for the non-finite result `r` of an operation other than
// a division by zero: InvalidOperation for NaN, Overflow for an infinity.
[[noreturn]] void ThrowNonFinite(double r, FaultCause cause = {});

// Throws the fault for the non-finite quotient `r` = `a` / `b`.
[[noreturn]] void ThrowNonFiniteQuotient(double a, double b, double r, FaultCause cause = {});

// Returns r; throws as ThrowNonFinite when r is NaN or infinite.
inline double Checked(double r, FaultCause cause = {}) {
  if (!std::isfinite(r)) [[unlikely]]
    ThrowNonFinite(r, cause);
  return r;
}

// Returns a / b; throws as ThrowNonFiniteQuotient when the quotient is not finite.
inline double CheckedDiv(double a, double b, FaultCause cause = {}) {
  const double r = a / b;
  if (!std::isfinite(r)) [[unlikely]]
    ThrowNonFiniteQuotient(a, b, r, cause);
  return r;
}

// Returns a + b, a - b, a * b; throws Fault(Overflow) when the int32 result
// overflows. Computed exactly in int64, which holds every such result.
inline int32_t InRange(int64_t r, FaultCause cause = {}) {
  if (!std::in_range<int32_t>(r)) [[unlikely]]
    throw Fault(FaultKind::Overflow, cause);
  return static_cast<int32_t>(r);
}
inline int32_t CheckedAdd(int32_t a, int32_t b, FaultCause cause = {}) {
  return InRange(int64_t{a} + b, cause);
}
inline int32_t CheckedSub(int32_t a, int32_t b) { return InRange(int64_t{a} - b); }
inline int32_t CheckedMul(int32_t a, int32_t b, FaultCause cause = {}) {
  return InRange(int64_t{a} * b, cause);
}

// Returns sqrt(x); throws Fault(InvalidArgument) for a negative x.
// The square root of -0.0 is -0.0, as in IEEE 754.
inline double CheckedSqrt(double x, FaultCause cause = {}) {
  if (x < 0.0) throw Fault(FaultKind::InvalidArgument, cause);
  return std::sqrt(x);
}

}  // namespace analysis
