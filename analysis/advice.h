// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The N and NP that bring the peak the program shows within 1 % of the
// exact steady-state peak. The shown peak tends, as NP grows, to the peak of
// the method's own steady state at that N, whose error shrinks about as 1/N
// on three branches: even N, and odd N whose half period rounds down or up
// (the half-period seam moves by half a sample). The advice is worked out
// from the method's fixed
// point at each N tried, as a command derives it: G = 1 / R and
// dt = (1 / f) / N.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/run_monitor.h"

namespace analysis {

// The relative error of the peak that the advice reaches: 1 %.
inline constexpr double kAdviceError = 0.01;
// A stable, settled run whose shown peak is further than 5 % from the exact
// one is told so; the defaults (2.5 % off) are not.
inline constexpr double kWarnedPeakError = 0.05;
// Up to this N the advice steps the method's period (about a tenth of a
// second each at the top); beyond it, N1 is extrapolated from the 1/N
// branches there and NP1 from the decay per period, and says "circa".
inline constexpr int32_t kLargestSteppedN = 10'000'000;

struct Advice {
  // N1: the smallest N from which on (that N and every larger one) the
  // method's steady-state peak lies within kAdviceError of the exact one.
  // None when no N up to 2147483646 gets there.
  std::optional<int32_t> n;
  // NP1: the smallest NP whose 100 NP periods from rest leave a transient
  // of at most kSettledResidual at N1. None without N1, or when it passes
  // the largest NP a field takes.
  std::optional<int32_t> np;
  bool estimated = false;  // N1 beyond kLargestSteppedN: both are "circa"
};

// Returns the advice for the circuit Is (A), R (ohm), C (F), L (H), f (Hz),
// or nullopt when `monitor` says stop. REQUIRES: the circuit has an exact
// steady state whose peak is not 0 (R, C, L, f > 0 and Is != 0). Asks
// `monitor`, when given, with a rising share of the work; the search takes
// about 20 periods of N1 samples, 1 s or so when N1 nears kLargestSteppedN.
std::optional<Advice> AdviceFor(double Is, double R, double C, double L, double f,
                                RunMonitor* monitor = nullptr);

// "Per restare entro l'1 %: N = 331234, NP = 6." and its other forms ("circa
// N = ...", no N, no NP), a sentence of its own.
std::string AdviceSentence(const Advice& advice);

}  // namespace analysis
