// The one place where faults are caught. Every event handler of the windows
// runs inside Guarded: a fault ends the handler, what it stored or drew
// before stays, and the program goes on. No exception reaches Qt. While a
// command runs, the events its progress dialog lets through may repaint but
// start no handler: the command owns the windows' data until it ends.
#pragma once

#include <new>

#include "analysis/fault.h"
#include "ui/widgets/progress_gate.h"

namespace ui {

enum class OnFault {
  kShowMessage,  // show the fault's text in the message box
  kIgnore,       // change nothing more (the cursor readout)
};

// Shows the Italian text of `kind` when `on_fault` asks for it.
void ReportFault(OnFault on_fault, analysis::FaultKind kind);

// Runs `handler()` unless a command is running; a Fault or an exhausted
// memory ends it and is reported.
template <class Handler>
void Guarded(OnFault on_fault, Handler&& handler) noexcept {
  if (ProgressGate::Running()) return;
  try {
    handler();
  } catch (const analysis::Fault& fault) {
    ReportFault(on_fault, fault.kind());
  } catch (const std::bad_alloc&) {
    ReportFault(on_fault, analysis::FaultKind::OutOfMemory);
  }
}

}  // namespace ui
