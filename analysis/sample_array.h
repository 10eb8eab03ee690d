// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// SampleArray: one period of a waveform, indexed 0..upper() like the arrays
// of the simulation. Every access is range-checked; an unallocated array has
// no valid index at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "analysis/fault.h"
#include "analysis/run_monitor.h"

namespace analysis {

class SampleArray {
 public:
  SampleArray() = default;
  SampleArray(SampleArray&&) noexcept = default;
  SampleArray& operator=(SampleArray&&) noexcept = default;
  // Copies the contents. Throws Fault(OutOfMemory) when they do not fit in
  // the memory the machine can give.
  SampleArray(const SampleArray& other);
  SampleArray& operator=(const SampleArray& other);

  bool allocated() const { return allocated_; }
  // The index range of an allocated array: always 0..upper().
  // REQUIRES: allocated(); an unallocated array reports 0 and -1.
  int32_t lower() const { return 0; }
  int32_t upper() const { return upper_; }

  // Discards the old contents and makes indices 0..upper, every element 0.0.
  // Throws Fault(IndexOutOfRange) for upper < 0 (the old contents then stay)
  // and Fault(OutOfMemory) when the memory cannot be had (the array is then
  // unallocated).
  void Allocate(int32_t upper);
  // As Allocate(upper), writing the zeros 32768 at a time and asking
  // `monitor` (with the share 0) between them, so that the first touch of a
  // large array's pages can be watched and stopped. Returns false, the
  // array unallocated, when the monitor stopped it.
  bool Allocate(int32_t upper, RunMonitor& monitor);
  // Discards the contents: the array is unallocated.
  void Release();

  // Returns element k. Throws Fault(IndexOutOfRange) unless
  // allocated() and 0 <= k <= upper().
  double& at(int32_t k) {
    if (!Contains(k)) [[unlikely]]
      throw Fault(FaultKind::IndexOutOfRange, {FaultStep::kSampleIndex, Field::kN});
    return values_[static_cast<size_t>(k)];
  }
  double at(int32_t k) const {
    if (!Contains(k)) [[unlikely]]
      throw Fault(FaultKind::IndexOutOfRange, {FaultStep::kSampleIndex, Field::kN});
    return values_[static_cast<size_t>(k)];
  }

  // True when every index of first..last is valid (an empty range is).
  bool ContainsRange(int32_t first, int32_t last) const {
    return first > last || (Contains(first) && Contains(last));
  }

  // Unchecked access for loops whose whole index range was tested with
  // ContainsRange. REQUIRES: allocated().
  double* data() { return values_.get(); }

 private:
  bool Contains(int32_t k) const { return k >= 0 && k <= upper_; }

  std::unique_ptr<double[]> values_;
  int32_t upper_ = -1;
  bool allocated_ = false;
};

}  // namespace analysis
