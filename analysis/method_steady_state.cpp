// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/method_steady_state.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

// A 2 x 2 matrix [[a, b], [c, d]] acting on (v, iL).
struct Mat {
  double a, b, c, d;
};

constexpr Mat kIdentity{1, 0, 0, 1};

Mat operator+(const Mat& x, const Mat& y) { return {x.a + y.a, x.b + y.b, x.c + y.c, x.d + y.d}; }
Mat operator*(const Mat& x, const Mat& y) {
  return {x.a * y.a + x.b * y.c, x.a * y.b + x.b * y.d, x.c * y.a + x.d * y.c,
          x.c * y.b + x.d * y.d};
}

// K^m - I and the sum of K^j for j < m, of K = I + D: close to I when the
// steps are short, so K^m is carried as its difference from I.
struct Power {
  Mat excess;
  Mat sum;
};

Power PowerOf(const Mat& D, int64_t m) {
  Power p{{0, 0, 0, 0}, {0, 0, 0, 0}};
  for (int bit = 62; bit >= 0; --bit) {
    // K^2m = (I + E)^2 = I + (2E + E^2); the sum of K^j, j < 2m, is S + K^m S.
    p = {p.excess + p.excess + p.excess * p.excess, p.sum + p.sum + p.excess * p.sum};
    // K^(m+1) = (I + E)(I + D); the sum gains K^m = I + E.
    if ((m >> bit) & 1) p = {p.excess + D + p.excess * D, p.sum + kIdentity + p.excess};
  }
  return p;
}

// The numbers one period of the simulation runs with, and its seam.
struct Grid {
  double G, C, L, dt, Is;
  int32_t N, m1, m2;  // the seam: last sample of the first half, first of the second

  explicit Grid(const EulerGrid& g)
      : G(g.G),
        C(g.C),
        L(g.L),
        dt(g.dt),
        Is(g.Is),
        N(g.N),
        m1(SeamOf(g.N).m1),
        m2(SeamOf(g.N).m2) {}

  bool steps() const { return N >= 3; }
  int64_t first_half() const { return m1 - 1; }   // steps kept with the source on
  int64_t second_half() const { return N - m2; }  // and off
  // One step's matrix minus I, the statements' coefficients: iC = (S - iL) - G v,
  // v' = ((dt iC) / C) + v, iL' = ((dt v) / L) + iL.
  Mat StepExcess() const { return {-(dt * G) / C, -dt / C, dt / L, 0}; }
};

// Steps one period from (v, iL) at sample 1 with the four statements of the
// simulation, the source at `source` in the first half and 0 in the second,
// and calls visit(k, v) with the v that sample k holds at the end of the
// period, for k = 2..N and then k = 1 (the wrap copies sample N there).
// Sample m1 + 1 of an odd N keeps the step that the seam copy then skips.
// Asks `monitor`, when given, every 32768 samples; returns false when it
// says stop.
template <class Visit>
bool ScanPeriod(const Grid& g, double v, double il, double source, Visit&& visit,
                RunMonitor* monitor = nullptr) {
  auto step = [&](double S) {
    const double ic = (S - il) - (g.G * v);
    const double v_next = ((g.dt * ic) / g.C) + v;
    il = ((g.dt * v) / g.L) + il;
    v = v_next;
  };
  auto go_on = [&](int32_t k) {
    return monitor == nullptr || (k & 0x7fff) != 0 || monitor->Continue(double(k) / g.N);
  };
  for (int32_t k = 1; k < g.m1; ++k) {
    step(source);
    visit(k + 1, v);
    if (!go_on(k)) return false;
  }
  if (g.m1 + 1 < g.m2) {
    const double kept_v = v, kept_il = il;
    step(source);
    visit(g.m1 + 1, v);
    v = kept_v;
    il = kept_il;
  }
  if (g.m2 != g.m1) visit(g.m2, v);  // the seam copy of sample m1
  for (int32_t k = g.m2; k < g.N; ++k) {
    step(0.0);
    visit(k + 1, v);
    if (!go_on(k)) return false;
  }
  visit(1, v);
  return true;
}

// log |1 + x| for a real x, without losing the digits of a small x.
double LogAbsOnePlus(double x) { return x > -1 ? std::log1p(x) : std::log1p(-2 - x); }

// log |mu| of the eigenvalue of largest modulus of one step, mu = 1 + d
// with d an eigenvalue of the step's excess dt A. D is scaled by its
// largest entry first, so that a huge step gives an infinite log, not a NaN.
double StepLogRadius(const Mat& D) {
  const double m = std::max({std::fabs(D.a), std::fabs(D.b), std::fabs(D.c), std::fabs(D.d)});
  if (m == 0) return 0;
  if (!std::isfinite(m)) return INFINITY;
  const Mat S{D.a / m, D.b / m, D.c / m, D.d / m};
  const double half_trace = (S.a + S.d) / 2;
  const double det = S.a * S.d - S.b * S.c;
  const double disc = half_trace * half_trace - det;
  // |1 + d|^2 - 1 = 2 Re d + |d|^2 for a complex pair.
  if (disc < 0) return 0.5 * std::log1p(std::max(-1.0, m * (2 * half_trace + m * det)));
  const double big = half_trace + std::copysign(std::sqrt(disc), half_trace);
  const double small = big != 0 ? det / big : 0;
  return std::max(LogAbsOnePlus(m * big), LogAbsOnePlus(m * small));
}

// rho of one period: a deviation shrinks by |1 + dt lambda| at each of the
// steps that the seam and wrap copies keep.
double RhoOf(const Grid& g) {
  return std::exp(static_cast<double>(g.first_half() + g.second_half()) *
                  StepLogRadius(g.StepExcess()));
}

// Whether N samples per period make the method stable for the circuit of
// `grid`, with dt as a command derives it.
bool StableWith(const EulerGrid& grid, int32_t N) {
  const Grid g(grid.WithN(N));
  return g.steps() && RhoOf(g) < 1;
}

// Whether x y > 0, also where the product would leave the double range.
bool SameSign(double x, double y) { return (x > 0 && y > 0) || (x < 0 && y < 0); }

// G has the sign of R: 1 / R of a command is finite and not 0.
std::optional<int32_t> SmallestStableN(const EulerGrid& grid) {
  constexpr int32_t kLargest = INT32_MAX - 1;  // N + 1 must fit an int32
  if (!SameSign(grid.G, grid.C) || !SameSign(grid.L, grid.C) || !(grid.f > 0) ||
      !StableWith(grid, kLargest))
    return std::nullopt;
  // The step shrinks as N grows: stable from some N on.
  int32_t unstable = 2, stable = kLargest;
  while (stable - unstable > 1) {
    const int32_t mid = unstable + (stable - unstable) / 2;
    (StableWith(grid, mid) ? stable : unstable) = mid;
  }
  return stable;
}

// The matrix of one whole period, minus I.
Mat PeriodExcess(const Grid& g) {
  const Mat D = g.StepExcess();
  const Mat first = PowerOf(D, g.first_half()).excess;
  const Mat second = PowerOf(D, g.second_half()).excess;
  return first + second + second * first;
}

// The residual of a run of `periods` >= 1 periods from rest: the deviation
// at the start of its last period is -(I + P)^(periods - 1) x1.
// NaN when `monitor` said stop.
double ResidualAfter(const Grid& g, const Mat& period_excess, const MethodSteadyState& steady,
                     int64_t periods, RunMonitor* monitor = nullptr) {
  const Mat M = kIdentity + PowerOf(period_excess, periods - 1).excess;
  const double v = -(M.a * steady.v1 + M.b * steady.iL1);
  const double il = -(M.c * steady.v1 + M.d * steady.iL1);
  double largest = 0;
  if (!ScanPeriod(
          g, v, il, 0.0, [&](int32_t, double x) { largest = std::max(largest, std::fabs(x)); },
          monitor))
    return NAN;
  return largest / steady.peak;
}

}  // namespace

Stability StabilityOf(const EulerGrid& grid) {
  const Grid g(grid);
  Stability s;
  s.steps = g.steps();
  s.n_min = SmallestStableN(grid);
  s.circuit_settles = SameSign(grid.G, grid.C) && SameSign(grid.L, grid.C);
  if (!s.circuit_settles) {
    // The one of the three whose sign differs from the other two.
    const bool r = grid.G < 0, c = grid.C < 0, l = grid.L < 0;
    s.negative = (r && !c && !l) ? "R" : (c && !r && !l) ? "C" : (l && !r && !c) ? "L" : "";
  }
  if (!s.steps) return s;  // the state stays where it is: rho = 1
  s.rho = RhoOf(g);
  s.stable = s.rho < 1;
  return s;
}

std::optional<MethodSteadyState> MethodSteadyStateOf(const EulerGrid& grid, RunMonitor* monitor) {
  const Grid g(grid);
  if (!g.steps()) return std::nullopt;
  // x1 = (I + E2)((I + E1) x1 + S1 b): -(E1 + E2 + E2 E1) x1 = (I + E2) S1 b,
  // b = (dt Is / C, 0) the source's share of a step.
  const Mat D = g.StepExcess();
  const Power first = PowerOf(D, g.first_half());
  const Mat second = PowerOf(D, g.second_half()).excess;
  const Mat lhs = first.excess + second + second * first.excess;
  const Mat to_end = (kIdentity + second) * first.sum;
  const double b = (g.dt * g.Is) / g.C;
  const double rhs_v = to_end.a * b, rhs_il = to_end.c * b;
  const double det = lhs.a * lhs.d - lhs.b * lhs.c;
  MethodSteadyState steady;
  steady.v1 = -(rhs_v * lhs.d - lhs.b * rhs_il) / det;
  steady.iL1 = -(lhs.a * rhs_il - rhs_v * lhs.c) / det;
  if (!std::isfinite(steady.v1) || !std::isfinite(steady.iL1)) return std::nullopt;
  bool finite = true;
  const bool done = ScanPeriod(
      g, steady.v1, steady.iL1, g.Is,
      [&](int32_t, double v) {
        finite = finite && std::isfinite(v);
        steady.peak = std::max(steady.peak, std::fabs(v));
      },
      monitor);
  if (!finite || !done) return std::nullopt;
  return steady;
}

double PredictedResidual(const EulerGrid& grid, const MethodSteadyState& steady, int64_t periods) {
  const Grid g(grid);
  return ResidualAfter(g, PeriodExcess(g), steady, periods);
}

double TransientResidual(const CircuitState& state, const MethodSteadyState& steady) {
  double largest = 0;
  ScanPeriod(Grid(EulerGrid::Of(state)), steady.v1, steady.iL1, state.Is, [&](int32_t k, double v) {
    largest = std::max(largest, std::fabs(state.v_t.at(k) - v));
  });
  if (largest == 0) return 0;
  return largest / steady.peak;
}

std::optional<int32_t> SettlingNP(const EulerGrid& grid, int32_t NP,
                                  const MethodSteadyState& steady, const Stability& stability,
                                  double residual, RunMonitor* monitor) {
  if (!(residual > kSettledResidual) || !stability.stable || steady.peak == 0) return std::nullopt;
  const Grid g(grid);
  const Mat period = PeriodExcess(g);
  // Once stopped, every NP counts as settled: the searches below end at once.
  bool stopped = false;
  auto settles = [&](int64_t np) {
    if (stopped) return true;
    const double after = ResidualAfter(g, period, steady, 100 * np, monitor);
    stopped = std::isnan(after) && monitor != nullptr;
    return stopped || after <= kSettledResidual;
  };
  const int64_t shown = std::max(NP, 0);
  // Periods more that shrink the residual under the bound at rho per period.
  const double more = std::ceil(std::log(kSettledResidual / residual) / std::log(stability.rho));
  const double estimate = std::ceil((100.0 * static_cast<double>(shown) + more) / 100);
  int64_t high = static_cast<int64_t>(std::clamp(estimate, shown + 1.0, double{kMaxPeriodsShown}));
  while (!settles(high)) {
    if (high == kMaxPeriodsShown) return std::nullopt;
    high = std::min<int64_t>(kMaxPeriodsShown, high + std::max<int64_t>(1, high / 4));
  }
  int64_t low = shown;  // not settled
  while (high - low > 1) {
    const int64_t mid = low + (high - low) / 2;
    (settles(mid) ? high : low) = mid;
  }
  if (stopped) return std::nullopt;
  return static_cast<int32_t>(high);
}

}  // namespace analysis
