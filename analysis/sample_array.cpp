// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/sample_array.h"

#include <algorithm>
#include <new>

#include "analysis/memory_guard.h"

namespace analysis {

void SampleArray::Allocate(int32_t upper) {
  if (upper < 0) throw Fault(FaultKind::IndexOutOfRange);
  // Release the old contents first, so that the old and the new array are
  // never held at the same time.
  values_.reset();
  allocated_ = false;
  upper_ = -1;
  values_.reset(new (std::nothrow) double[static_cast<size_t>(upper) + 1]());
  if (values_ == nullptr) throw Fault(FaultKind::OutOfMemory);
  upper_ = upper;
  allocated_ = true;
}

SampleArray::SampleArray(const SampleArray& other) { *this = other; }

SampleArray& SampleArray::operator=(const SampleArray& other) {
  if (this == &other) return *this;
  if (!other.allocated_) {
    values_.reset();
    allocated_ = false;
    upper_ = -1;
    return *this;
  }
  const uint64_t held = allocated_ ? (static_cast<uint64_t>(upper_) + 1) * sizeof(double) : 0;
  EnsureMemoryFor((static_cast<uint64_t>(other.upper_) + 1) * sizeof(double), held);
  Allocate(other.upper_);
  std::copy_n(other.values_.get(), static_cast<size_t>(upper_) + 1, values_.get());
  return *this;
}

}  // namespace analysis
