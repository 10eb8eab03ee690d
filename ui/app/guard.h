// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where faults are caught. Every event handler of the windows
// runs inside Guarded: a fault ends the handler, what it stored or drew
// before stays, and the program goes on. No exception reaches Qt. While a
// command runs, the events its progress dialog lets through may repaint but
// start no handler: the command owns the windows' data until it ends.
#pragma once

#include <new>
#include <optional>
#include <string>

#include "analysis/fault.h"
#include "ui/widgets/progress_gate.h"

namespace ui {

enum class OnFault {
  kShowMessage,  // show the fault's text in the message box
  kIgnore,       // change nothing more (the cursor readout)
};

// Shows the Italian text of `kind` when `on_fault` asks for it, followed
// on the next line by `explanation` when there is one.
void ReportFault(OnFault on_fault, analysis::FaultKind kind, const std::string& explanation = {});

// Runs `handler()`; returns the Fault that ended it (exhausted memory as
// the fault of the sample arrays' memory), or nullopt when it ended
// normally.
template <class Handler>
std::optional<analysis::Fault> CatchFault(Handler&& handler) noexcept {
  try {
    handler();
  } catch (const analysis::Fault& fault) {
    return fault;
  } catch (const std::bad_alloc&) {
    return analysis::Fault(analysis::FaultKind::OutOfMemory,
                           {analysis::FaultStep::kMemory, analysis::Field::kN});
  }
  return std::nullopt;
}

// Runs `handler()` unless a command is running; a fault that ends it is
// reported with the explanation that `explain(fault)` gives.
template <class Handler, class Explain>
void Guarded(OnFault on_fault, Handler&& handler, Explain&& explain) noexcept {
  if (ProgressGate::Running()) return;
  if (const auto fault = CatchFault(handler)) ReportFault(on_fault, fault->kind(), explain(*fault));
}

// As above, for a handler whose faults need no explanation.
template <class Handler>
void Guarded(OnFault on_fault, Handler&& handler) noexcept {
  Guarded(on_fault, handler, [](const analysis::Fault&) { return std::string(); });
}

}  // namespace ui
