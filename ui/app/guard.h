// The one place where faults are caught. Every event handler of the windows
// runs inside Guarded: a fault ends the handler, what it stored or drew
// before stays, and the program goes on. No exception reaches Qt.
#pragma once

#include <new>

#include "analysis/fault.h"

namespace ui {

enum class OnFault {
  kShowMessage,  // show the fault's text in the message box
  kIgnore,       // change nothing more (the cursor readout)
};

// Shows the Italian text of `kind` when `on_fault` asks for it.
void ReportFault(OnFault on_fault, analysis::FaultKind kind);

// Runs `handler()`; a Fault or an exhausted memory ends it and is reported.
template <class Handler>
void Guarded(OnFault on_fault, Handler&& handler) noexcept {
  try {
    handler();
  } catch (const analysis::Fault& fault) {
    ReportFault(on_fault, fault.kind());
  } catch (const std::bad_alloc&) {
    ReportFault(on_fault, analysis::FaultKind::OutOfMemory);
  }
}

}  // namespace ui
