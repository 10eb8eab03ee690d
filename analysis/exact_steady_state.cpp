// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/exact_steady_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include <boost/math/policies/policy.hpp>
#include <boost/math/tools/toms748_solve.hpp>

namespace analysis {

namespace {

enum class Damping { kUnder, kCritical, kOver };

// The natural modes of the circuit: v and iL decay as exp(-alpha t) times
// cos and sin of s t (underdamped), as exp(-alpha t) and t exp(-alpha t)
// (critical), or as exp(-slow t) and exp(-(alpha + s) t) (overdamped).
struct Modes {
  Damping damping;
  double alpha;  // 1/s: 1 / (2 R C)
  double w0_sq;  // 1/s^2: 1 / (L C)
  double s;      // 1/s: sqrt(|alpha^2 - w0^2|)
  double slow;   // 1/s: overdamped only, alpha - s written as w0^2 / (alpha + s)
};

Modes ModesOf(double R, double C, double L) {
  Modes m{};
  m.alpha = (0.5 / R) / C;
  m.w0_sq = (1 / L) / C;
  const double w0 = std::sqrt(m.w0_sq);
  // sqrt(|alpha^2 - w0^2|) without cancellation, and without overflow
  m.s = std::sqrt(std::fabs(m.alpha - w0)) * std::sqrt(m.alpha + w0);
  m.damping = m.alpha < w0 ? Damping::kUnder : m.alpha == w0 ? Damping::kCritical : Damping::kOver;
  if (m.damping == Damping::kOver) m.slow = m.w0_sq / (m.alpha + m.s);
  return m;
}

// exp(A t) = [[e11, -sigma / C], [sigma / L, e22]].
struct Decay {
  double e11, e22, sigma;  // 1, 1, s
};

Decay DecayAt(const Modes& m, double t) {
  switch (m.damping) {
    case Damping::kUnder: {
      const double e = std::exp(-m.alpha * t);
      const double cosine = e * std::cos(m.s * t);
      const double sigma = e * std::sin(m.s * t) / m.s;
      return {cosine - m.alpha * sigma, cosine + m.alpha * sigma, sigma};
    }
    case Damping::kCritical: {
      const double e = std::exp(-m.alpha * t);
      const double sigma = t * e;
      return {e - m.alpha * sigma, e + m.alpha * sigma, sigma};
    }
    case Damping::kOver:
      break;
  }
  // The two decays differ by exp(-2 s t): their difference over 2 s tends
  // to t as s shrinks, which expm1 keeps exact.
  const double slow = std::exp(-m.slow * t);
  const double fast = std::exp(-(m.alpha * t) - (m.s * t));
  const double spread = -(m.s * t) - (m.s * t);  // -2 s t, 0 at t = 0 whatever s is
  const double sigma = slow * (-std::expm1(spread)) / (m.s + m.s);
  return {fast - m.slow * sigma, slow + m.slow * sigma, sigma};
}

// det(I + exp(A h)) = (1 + mu1)(1 + mu2) for the eigenvalues mu of exp(A h),
// and 1 + e11(h), each as a sum of terms that are not negative.
struct HalfPeriod {
  double det;
  double one_plus_e11;
};

HalfPeriod HalfPeriodOf(const Modes& m, double h, const Decay& d) {
  switch (m.damping) {
    case Damping::kUnder: {
      // 1 + e cos(s h) = (1 - e) + 2 e cos^2(s h / 2)
      const double one_minus_e = -std::expm1(-m.alpha * h);
      const double half_cos = std::cos(m.s * h / 2);
      const double e_cos_sq = 2 * std::exp(-m.alpha * h) * half_cos * half_cos;
      return {one_minus_e * one_minus_e + 2 * e_cos_sq,
              (one_minus_e + e_cos_sq) - m.alpha * d.sigma};
    }
    case Damping::kCritical: {
      const double e = std::exp(-m.alpha * h);
      return {(1 + e) * (1 + e), 1 + d.e11};
    }
    case Damping::kOver:
      break;
  }
  return {(1 + std::exp(-m.slow * h)) * (1 + std::exp(-(m.alpha * h) - (m.s * h))), 1 + d.e11};
}

// iC(t) over [0, T/2] is exp(-rate t) g(t) for the free response of the
// modes with iC(0) = a and v(0) = L b; g has the sign of iC and no decay
// that could underflow before its zeros.
double SignOfCapacitorCurrent(const Modes& m, double a, double b, double t) {
  switch (m.damping) {
    case Damping::kUnder:
      return a * std::cos(m.s * t) - (m.alpha * a + b) * std::sin(m.s * t) / m.s;
    case Damping::kCritical:
      return a - (m.alpha * a + b) * t;
    case Damping::kOver:
      break;
  }
  const double spread = -(m.s * t) - (m.s * t);
  return a * std::exp(spread) + (m.slow * a + b) * std::expm1(spread) / (m.s + m.s);
}

bool AllFinite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double x) { return std::isfinite(x); });
}

}  // namespace

std::optional<ExactSteadyState> ExactSteadyState::Of(double Is, double R, double C, double L,
                                                     double f) {
  if (!(R > 0 && C > 0 && L > 0 && f > 0) || !AllFinite({Is, R, C, L, f})) return std::nullopt;
  ExactSteadyState s;
  s.Is_ = Is;
  s.R_ = R;
  s.C_ = C;
  s.L_ = L;
  s.half_ = 0.5 / f;
  // Periodicity: x(0) = (I + E)^-1 E (0, Is) with E = exp(A T/2), and the
  // second half is the first mirrored: x(t + T/2) = (0, Is) - x(t).
  const Modes m = ModesOf(R, C, L);
  const Decay d = DecayAt(m, s.half_);
  const HalfPeriod hp = HalfPeriodOf(m, s.half_, d);
  // For a source of 1 A; every waveform is Is times these.
  s.v0_ = -d.sigma / C / hp.det;
  s.u0_ = -hp.one_plus_e11 / hp.det;
  s.iC0_ = -s.v0_ / R - s.u0_;
  if (!AllFinite({m.alpha, m.w0_sq, m.s, s.half_, hp.det, s.v0_, s.u0_, s.iC0_}))
    return std::nullopt;
  s.FindPeak();
  s.peak_v_ *= std::fabs(Is);
  if (Is == 0) s.peak_time_ = 0;
  if (!AllFinite({s.peak_v_, s.peak_time_})) return std::nullopt;
  return s;
}

ExactSteadyState::UnitPoint ExactSteadyState::FirstHalf(double t) const {
  const Decay d = DecayAt(ModesOf(R_, C_, L_), t);
  return {d.e11 * v0_ - d.sigma * u0_ / C_, d.sigma * v0_ / L_ + d.e22 * u0_,
          d.e11 * iC0_ - d.sigma * v0_ / L_};
}

SteadyPoint ExactSteadyState::At(double t) const {
  double within = std::fmod(t, 2 * half_);
  if (within < 0) within += 2 * half_;
  if (within < half_) {
    const UnitPoint p = FirstHalf(within);
    return {Is_, Is_ * p.v, Is_ * (1 + p.iL_minus_1), Is_ * p.iC};
  }
  const UnitPoint p = FirstHalf(within - half_);
  return {0, -Is_ * p.v, -Is_ * p.iL_minus_1, -Is_ * p.iC};
}

void ExactSteadyState::FindPeak() {
  // |v| is largest at t = 0 (and T/2) or at the first zero of iC inside the
  // half period: further zeros of an underdamped circuit come pi / s apart,
  // each extremum of |v| smaller than the one before by exp(-alpha pi / s),
  // and an overdamped or critical circuit has at most one.
  peak_v_ = std::fabs(v0_);
  peak_time_ = 0;
  if (iC0_ == 0) return;
  const Modes m = ModesOf(R_, C_, L_);
  const double a = iC0_, b = v0_ / L_;
  auto g = [&](double t) { return SignOfCapacitorCurrent(m, a, b, t); };
  const double end = m.damping == Damping::kUnder ? std::min(half_, std::numbers::pi / m.s) : half_;
  const double g_end = g(end);
  if (std::signbit(g_end) == std::signbit(a) && g_end != 0) return;
  double t = end;
  if (g_end != 0) {
    using namespace boost::math::policies;
    std::uintmax_t iterations = 200;
    const auto bracket = boost::math::tools::toms748_solve(
        g, 0.0, end, a, g_end, boost::math::tools::eps_tolerance<double>(), iterations,
        policy<evaluation_error<ignore_error>>());
    t = std::fabs(g(bracket.first)) <= std::fabs(g(bracket.second)) ? bracket.first
                                                                    : bracket.second;
  }
  const double v = std::fabs(FirstHalf(t).v);
  if (v > peak_v_) {
    peak_v_ = v;
    peak_time_ = t;
  }
}

}  // namespace analysis
