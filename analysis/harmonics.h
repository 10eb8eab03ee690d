// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The periodic steady state of the circuit as a sum of sines. The square
// wave (Is on the first half period, 0 on the second) is
//   is(t) = Is / 2 + sum over odd k of I_k sin(k w t),   I_k = 2 Is / (pi k),
// and the voltage across the circuit is
//   v(t) = sum over odd k of V_k sin(k w t + arg Z(j k w)),   V_k = I_k |Z(j k w)|,
// with Z(jw) = 1 / (1/R + jwC + 1/(jwL)) and w = 2 pi f. The mean Is / 2
// sees Z(0) = 0 (the inductor shorts a constant current): V_0 = 0. I_k and
// V_k carry the sign of Is. Here 2 pi and pi are the doubles nearest to
// them (std::numbers::pi): these rows describe the circuit itself; the
// program's own 2 pi, kTwoPi, stays with fris and Qris.
//
// The mean power <v^2> = (1/T) integral over a period of v(t)^2 is taken
// from the closed form of ExactSteadyState, not from the series, so that
// the two routes check each other (Parseval: <v^2> = sum of V_k^2 / 2).
// Units: A, V, ohm, Hz, degrees; a power share is a fraction (0 to 1).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/circuit_state.h"
#include "analysis/exact_steady_state.h"

namespace analysis {

// The rows up to this order are always listed.
inline constexpr int32_t kListedHarmonicOrder = 15;
// Beyond it, rows are added until they hold this share of <v^2>.
inline constexpr double kListedPowerShare = 0.999;
// The highest order listed, whatever share is reached: V_k falls as 1/k^2
// above resonance, so the share is reached far below it unless f is more
// than about 10^4 times below fris; the 50000 rows there still fit a table.
inline constexpr int32_t kMaxHarmonicOrder = 99999;

// One row of the harmonic table.
struct Harmonic {
  int32_t k = 0;           // order: 0 for the mean, else odd
  double f = 0;            // Hz: k f
  double I = 0;            // A: the source's amplitude at k f (Is / 2 for k = 0)
  double Z_abs = 0;        // ohm: |Z(j 2 pi k f)|, 0 for k = 0
  double Z_phase_deg = 0;  // degrees: arg Z, in (-90, 90), positive below resonance
  double V = 0;            // V: I_k |Z|, the amplitude of v at k f
  double power_share = 0;  // V^2 / 2 over <v^2>; 0 for k = 0
};

// Returns row k of the table for a source of Is A at f Hz, its share taken
// against `unit_mean_square`, the <v^2> of a source of 1 A (V^2 / A^2;
// <v^2> is Is^2 times it). REQUIRES: R, C, L, f > 0; k = 0 or odd and
// positive; unit_mean_square > 0.
Harmonic HarmonicOf(double Is, double R, double C, double L, double f, int32_t k,
                    double unit_mean_square);

// Returns <v^2> of the exact steady state of a source of Is A at f Hz,
// V^2, from ExactSteadyState::At: each half period integrated on its own
// (the waveform is smooth inside them, its corners are at 0 and T/2) by
// Gauss-Kronrod rules of 61 points on pieces refined where their estimate
// is worst, to about 1e-14 of the integral. The second half mirrors the
// first, v(t + T/2) = -v(t); it is integrated too, not assumed. nullopt
// when the circuit has no steady state or <v^2> leaves the double range.
std::optional<double> MeanSquareV(double Is, double R, double C, double L, double f);

struct HarmonicTable {
  std::vector<Harmonic> rows;  // k = 0, 1, 3, ..., 15, then further odd k
  double mean_square_v = 0;    // V^2: <v^2> of the closed form; Is^2 times that of 1 A,
                               // infinite (or 0) where that leaves the double range
  double listed_share = 0;     // the sum of the rows' power shares
};

// Returns the table of the circuit and frequency of `state` (Is, R, C, L,
// f): the rows up to kListedHarmonicOrder, then each further odd k until
// the rows hold kListedPowerShare of <v^2> or k reaches kMaxHarmonicOrder.
// nullopt when Is = 0 or the circuit has no steady state (R, C, L, f not
// all positive), or when <v^2> of 1 A leaves the double range. The shares are
// worked out for a source of 1 A, so that a tiny or huge Is keeps them.
// Well under a millisecond near resonance; up to about 0.2 s far below a
// high-Q one, where <v^2> takes the most pieces and the rows the most k.
std::optional<HarmonicTable> HarmonicTableOf(const CircuitState& state);

}  // namespace analysis
