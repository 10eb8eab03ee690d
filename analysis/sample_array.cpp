// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/sample_array.h"

#include <algorithm>
#include <new>

#include "analysis/memory_guard.h"

namespace analysis {

void SampleArray::Allocate(int32_t upper) {
  struct : RunMonitor {
    bool Continue(double) override { return true; }
  } never_stop;
  Allocate(upper, never_stop);
}

bool SampleArray::Allocate(int32_t upper, RunMonitor& monitor) {
  if (upper < 0) throw Fault(FaultKind::IndexOutOfRange, {FaultStep::kSampleIndex, Field::kN});
  // Release the old contents first, so that the old and the new array are
  // never held at the same time.
  Release();
  const size_t size = static_cast<size_t>(upper) + 1;
  values_.reset(new (std::nothrow) double[size]);
  if (values_ == nullptr) throw Fault(FaultKind::OutOfMemory, {FaultStep::kMemory, Field::kN});
  // Writing the zeros touches every page: on a large array that is slow.
  constexpr size_t kPiece = size_t{1} << 15;
  for (size_t done = 0; done < size; done += kPiece) {
    std::fill_n(values_.get() + done, std::min(kPiece, size - done), 0.0);
    if (size - done > kPiece && !monitor.Continue(0)) {
      values_.reset();
      return false;
    }
  }
  upper_ = upper;
  allocated_ = true;
  return true;
}

void SampleArray::Release() {
  values_.reset();
  allocated_ = false;
  upper_ = -1;
}

SampleArray::SampleArray(const SampleArray& other) { *this = other; }

SampleArray& SampleArray::operator=(const SampleArray& other) {
  if (this == &other) return *this;
  if (!other.allocated_) {
    Release();
    return *this;
  }
  const uint64_t held = allocated_ ? (static_cast<uint64_t>(upper_) + 1) * sizeof(double) : 0;
  const size_t size = static_cast<size_t>(other.upper_) + 1;
  EnsureMemoryFor(size * sizeof(double), held);
  Release();
  values_.reset(new (std::nothrow) double[size]);  // every element is written below
  if (values_ == nullptr) throw Fault(FaultKind::OutOfMemory, {FaultStep::kMemory, Field::kN});
  std::copy_n(other.values_.get(), size, values_.get());
  upper_ = other.upper_;
  allocated_ = true;
  return *this;
}

}  // namespace analysis
