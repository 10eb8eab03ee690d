// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/fault.h"

namespace analysis {

const char* FaultText(FaultKind kind) {
  switch (kind) {
    case FaultKind::DivisionByZero:
      return "Divisione per zero";
    case FaultKind::Overflow:
      return "Overflow";
    case FaultKind::InvalidOperation:
      return "Operazione non valida";
    case FaultKind::InvalidArgument:
      return "Argomento non valido";
    case FaultKind::IndexOutOfRange:
      return "Indice non compreso nell'intervallo";
    case FaultKind::OutOfMemory:
      return "Memoria insufficiente";
  }
  return "Overflow";  // not reached: every kind is listed above
}

const char* Fault::what() const noexcept { return FaultText(kind_); }

}  // namespace analysis
