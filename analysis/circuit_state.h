// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// CircuitState: the one record through which the windows and the analysis
// exchange data. The windows own exactly one instance for the whole run;
// the analysis keeps no state of its own. Physical quantities are IEEE 754
// doubles in SI units; every number starts at 0, every text empty and the
// four sample arrays unallocated.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/sample_array.h"

namespace analysis {

struct CircuitState {
  SampleArray v_t;            // V: voltage across the circuit, one period, indices 0..N+1
  SampleArray iC_t;           // A: capacitor current
  SampleArray iL_t;           // A: inductor current
  SampleArray is_t;           // A: source current
  double Is = 0;              // A: amplitude of the square-wave source current
  double is_peak = 0;         // A: largest |is_t(k)|, k = 1..N
  double iC_peak = 0;         // A: largest |iC_t(k)|
  double iL_peak = 0;         // A: largest |iL_t(k)|
  double R = 0;               // ohm: resistance
  double G = 0;               // S: conductance, 1 / R
  double C = 0;               // F: capacitance
  double L = 0;               // H: inductance
  double f = 0;               // Hz: frequency of the square wave
  double fris = 0;            // Hz: resonant frequency
  double Qris = 0;            // quality factor at resonance
  double dt = 0;              // s: time step, one sample apart
  int32_t N = 0;              // samples per period
  int32_t NP = 0;             // periods shown by the plot; the simulation runs 100 * NP
  int32_t k = 0;              // loop index shared by the simulation, the peak search and the plot
  int32_t cycle = 0;          // period in progress; the plot's period counter
  std::string field_text;     // text of the input field under check
  std::string missing_msg;    // message for that field when empty
  std::string invalid_msg;    // message for that field when it holds a foreign character
  int16_t input_error = 0;    // 1 after a failed field check, 0 after a passed one
  std::string n_warning_msg;  // warning shown when fewer than 1000 samples are asked for
  double v_peak = 0;          // V: largest |v_t(k)|, k = 1..N
  double span_usec = 0;       // us: time span of the plot, NP * 1000000 / f
};

// Returns the numbers of `s` without its arrays and texts: the circuit, the
// run's N, NP and dt and its results. Cheap, whatever the arrays hold.
inline CircuitState NumbersOf(const CircuitState& s) {
  CircuitState numbers;
  numbers.Is = s.Is;
  numbers.is_peak = s.is_peak;
  numbers.iC_peak = s.iC_peak;
  numbers.iL_peak = s.iL_peak;
  numbers.R = s.R;
  numbers.G = s.G;
  numbers.C = s.C;
  numbers.L = s.L;
  numbers.f = s.f;
  numbers.fris = s.fris;
  numbers.Qris = s.Qris;
  numbers.dt = s.dt;
  numbers.N = s.N;
  numbers.NP = s.NP;
  numbers.v_peak = s.v_peak;
  numbers.span_usec = s.span_usec;
  return numbers;
}

}  // namespace analysis
