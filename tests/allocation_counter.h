// Counts heap allocations: linking allocation_counter.cpp into a test
// binary replaces the global operator new of the whole binary.
#pragma once

namespace test {

// Returns how many times operator new (any form) has run so far.
long AllocationCount();

}  // namespace test
