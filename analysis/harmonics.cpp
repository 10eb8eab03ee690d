// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/harmonics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <queue>

#include <boost/math/quadrature/gauss_kronrod.hpp>

namespace analysis {

namespace {

constexpr double kPi = std::numbers::pi;

// The integral of v^2 is refined piece by piece, the piece of largest
// error estimate first, until the estimates add up to kTolerance of the
// integral or there are kMaxPieces pieces. v^2 >= 0: the integral is its
// own L1 norm, so the rounding floor of the estimates (2 eps each, 61-point
// Kronrod against its embedded 30-point Gauss) stays far below kTolerance.
constexpr double kTolerance = 1e-14;
constexpr size_t kMaxPieces = 10000;

using Rule = boost::math::quadrature::gauss_kronrod<double, 61>;

struct Piece {
  double from, to;
  double value, error;  // V^2 s
  bool operator<(const Piece& other) const { return error < other.error; }
};

// Returns the integral of v^2 over [from, from + length], V^2 s. A fast
// transient after the switching (the capacitor charging through a small R,
// time 1 / rate) is narrower than any node of a rule over the whole half
// period: the first pieces grow from the switching on as rate^-1 times 1,
// 2, 4, ..., so that every one holds about one scale of its decay.
double IntegralOfSquare(const ExactSteadyState& exact, double from, double length, double rate) {
  auto v_squared = [&](double t) {
    const double v = exact.At(t).v;
    return v * v;
  };
  auto piece = [&](double a, double b) {
    double error = 0;  // Boost's estimate of the rule on [-1, 1]
    const double value = Rule::integrate(v_squared, a, b, 0, 0, &error);
    return Piece{a, b, value, error * ((b - a) / 2)};
  };
  std::priority_queue<Piece> pieces;
  double a = 0, b = std::min(length, 1 / rate);
  if (!(b > 0)) b = length;  // a rate beyond the double range: no room for a finer first piece
  for (; a < length; a = b, b = std::min(length, 2 * b)) pieces.push(piece(from + a, from + b));
  auto sum = [&](double Piece::*field) {
    std::priority_queue<Piece> copy = pieces;
    double total = 0;
    for (; !copy.empty(); copy.pop()) total += copy.top().*field;
    return total;
  };
  double value = sum(&Piece::value), error = sum(&Piece::error);
  while (error > kTolerance * value && pieces.size() < kMaxPieces) {
    const Piece worst = pieces.top();
    pieces.pop();
    const double middle = worst.from + (worst.to - worst.from) / 2;
    if (!(middle > worst.from && middle < worst.to)) break;  // no double between its ends
    const Piece left = piece(worst.from, middle), right = piece(middle, worst.to);
    pieces.push(left);
    pieces.push(right);
    value += (left.value + right.value) - worst.value;
    error += (left.error + right.error) - worst.error;
  }
  return sum(&Piece::value);
}

}  // namespace

Harmonic HarmonicOf(double Is, double R, double C, double L, double f, int32_t k,
                    double unit_mean_square) {
  Harmonic h;
  h.k = k;
  h.f = k * f;
  if (k == 0) {
    h.I = Is / 2;
    return h;
  }
  const double w = (2 * kPi) * h.f;
  // Y = G + jB; Z = 1 / Y: |Z| = 1 / |Y|, arg Z = -arg Y.
  const double B = w * C - 1 / (w * L);
  h.I = 2 * Is / (kPi * k);
  h.Z_abs = 1 / std::hypot(1 / R, B);
  h.Z_phase_deg = -std::atan2(B, 1 / R) * (180 / kPi);
  h.V = h.I * h.Z_abs;
  const double unit_V = (2 / (kPi * k)) * h.Z_abs;  // V_k of a source of 1 A
  h.power_share = unit_V * unit_V / 2 / unit_mean_square;
  return h;
}

std::optional<double> MeanSquareV(double Is, double R, double C, double L, double f) {
  const std::optional<ExactSteadyState> exact = ExactSteadyState::Of(Is, R, C, L, f);
  if (!exact) return std::nullopt;
  // The fastest decay or turn of v: 1 / (RC) of an overdamped charging, the
  // natural 1 / sqrt(LC) of a ringing one.
  const double rate = std::max(1 / R / C, 1 / std::sqrt(L * C));
  const double half = exact->period() / 2;
  const double mean =
      (IntegralOfSquare(*exact, 0, half, rate) + IntegralOfSquare(*exact, half, half, rate)) /
      exact->period();
  if (!std::isfinite(mean)) return std::nullopt;
  return mean;
}

std::optional<HarmonicTable> HarmonicTableOf(const CircuitState& s) {
  if (s.Is == 0) return std::nullopt;
  const std::optional<double> unit = MeanSquareV(1, s.R, s.C, s.L, s.f);
  if (!unit || !(*unit > 0)) return std::nullopt;
  const double unit_mean_square = *unit;
  HarmonicTable table;
  table.mean_square_v = s.Is * s.Is * unit_mean_square;
  for (int32_t k = 0; k <= kMaxHarmonicOrder; k += k == 0 ? 1 : 2) {
    if (k > kListedHarmonicOrder && table.listed_share >= kListedPowerShare) break;
    table.rows.push_back(HarmonicOf(s.Is, s.R, s.C, s.L, s.f, k, unit_mean_square));
    table.listed_share += table.rows.back().power_share;
  }
  return table;
}

}  // namespace analysis
