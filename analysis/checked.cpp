// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/checked.h"

namespace analysis {

void ThrowNonFinite(double r, FaultCause cause) {
  throw Fault(std::isnan(r) ? FaultKind::InvalidOperation : FaultKind::Overflow, cause);
}

void ThrowNonFiniteQuotient(double a, double b, double r, FaultCause cause) {
  if (std::isinf(r) && b == 0.0 && std::isfinite(a) && a != 0.0)
    throw Fault(FaultKind::DivisionByZero, cause);
  ThrowNonFinite(r, cause);
}

}  // namespace analysis
