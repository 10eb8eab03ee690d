// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The exact periodic steady state of the parallel RLC circuit fed by the
// 50 % square wave: is = Is on [0, T/2) and 0 on [T/2, T), T = 1 / f.
// Times are in seconds from an instant where the source switches on.
//
// With x = (v, iL), C dv/dt = is - v/R - iL and L diL/dt = v read
// dx/dt = A x + (is/C, 0), A = [[-1/(RC), -1/C], [1/L, 0]]. While the source
// is constant at S the solution is x(t) = (0, S) + exp(A t) (x(0) - (0, S));
// periodicity then fixes x(0). Closed forms throughout: no time stepping,
// no sampling. exp(A t) takes the underdamped, critical or overdamped form
// that the damping calls for; the three meet continuously at the critical
// damping 4 R^2 C = L. It neither overflows nor loses digits to
// cancellation: the decays as exp(-rate t) <= 1, the slow rate of an
// overdamped circuit as w0^2 / (alpha + s), the difference of its two
// decays with expm1. Computed in IEEE 754 doubles, to a few units in the
// last place of the values involved.
#pragma once

#include <optional>

namespace analysis {

// The four waveforms at one instant: A, V, A, A.
struct SteadyPoint {
  double is, v, iL, iC;
};

class ExactSteadyState {
 public:
  // Returns the steady state of the circuit, or nullopt when it has none
  // (unless R, C, L and f are all positive) or when one of its numbers
  // leaves the double range. Is may be any finite number.
  static std::optional<ExactSteadyState> Of(double Is, double R, double C, double L, double f);

  // Returns the waveforms at time t (any t: the state is periodic in T).
  SteadyPoint At(double t) const;

  // The largest |v(t)| over a period, V, and the first instant in [0, T)
  // where it is reached, s. Found from the zeros of dv/dt = iC / C, each
  // refined to full precision by TOMS 748, not by sampling. The second half
  // period repeats the first with the opposite sign.
  double peak_v() const { return peak_v_; }
  double peak_time() const { return peak_time_; }

  double period() const { return 2 * half_; }

 private:
  ExactSteadyState() = default;
  // The waveforms of a source of 1 A, which every one is Is times: v, iL -
  // 1 and iC at t in [0, T/2]. In the second half they are -v, -(iL - 1)
  // and -iC of the same t.
  struct UnitPoint {
    double v, iL_minus_1, iC;
  };
  UnitPoint FirstHalf(double t) const;
  // Finds the peak of |v| for a source of 1 A.
  void FindPeak();

  double Is_ = 0, R_ = 0, C_ = 0, L_ = 0;
  double half_ = 0;  // s: T / 2
  double v0_ = 0;    // V / A: v at the switching on, for a source of 1 A
  double u0_ = 0;    // 1: iL - 1 there
  double iC0_ = 0;   // 1: iC there
  double peak_v_ = 0, peak_time_ = 0;
};

}  // namespace analysis
