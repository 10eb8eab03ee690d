// Runs a piece of analysis code and tells which Fault it threw, if any.
#pragma once

#include <optional>

#include "analysis/fault.h"

namespace test {

// Returns the kind of the Fault that `action()` throws, or nullopt when it
// returns normally.
template <class Action>
std::optional<analysis::FaultKind> FaultOf(Action&& action) {
  try {
    action();
  } catch (const analysis::Fault& fault) {
    return fault.kind();
  }
  return std::nullopt;
}

}  // namespace test
