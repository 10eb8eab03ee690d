// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The advice, N1 and NP1, held against the method's fixed point found
// another way: the period's affine map stepped with the plain scheme, its
// fixed point and powers in long double, not the program's matrix powers.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/cases.h"
#include "tests/plain_euler.h"

namespace analysis {
namespace {

// The circuit with N samples per period, dt and G as a command derives them.
CircuitState Grid(double Is, double R, double C, double L, double f, int32_t N) {
  CircuitState s;
  std::tie(s.Is, s.R, s.C, s.L, s.f, s.G, s.N, s.dt) =
      std::tuple(Is, R, C, L, f, 1 / R, N, (1.0 / f) / N);
  return s;
}

// The method's steady state by the plain route: its state at sample 1 (the
// fixed point, which a period leads back to) and the largest |v| of its period.
Period PlainSteady(const CircuitState& s) {
  const Map m = PlainPeriod(s);
  const long double det = (1 - m.a) * (1 - m.d) - m.b * m.c;
  const Vec x{((1 - m.d) * m.shift.v + m.b * m.shift.il) / det,
              (m.c * m.shift.v + (1 - m.a) * m.shift.il) / det};
  return {x, OnePeriod(s, x).peak};
}

double PlainError(double Is, double R, double C, double L, double f, int32_t N) {
  const ExactSteadyState exact = *ExactSteadyState::Of(Is, R, C, L, f);
  return std::fabs(PlainSteady(Grid(Is, R, C, L, f, N)).peak / exact.peak_v() - 1);
}

// The residual of a run of `periods` periods from rest: its deviation -x at
// the start, carried by the linear map to the last period, then stepped
// through it with the source off.
double PlainResidual(const CircuitState& s, const Period& steady, int64_t periods) {
  const Map m = PlainPeriod(s);
  Map power{1, 0, 0, 1, {0, 0}}, square = m;
  for (int64_t left = periods - 1; left > 0; left /= 2, square = square.Then(square))
    if (left & 1) power = power.Then(square);
  CircuitState off = s;
  off.Is = 0;
  return OnePeriod(off, power({-steady.next.v, -steady.next.il})).peak / steady.peak;
}

TEST(Advice, ReachesOnePercentFromN1OnAndNotBefore) {
  for (const test::Case& row : test::Cases("advice")) {
    SCOPED_TRACE(row.back());
    double x[5];
    for (int i = 0; i < 5; ++i) x[i] = test::Number(row.at(i));
    const auto [Is, R, C, L, f] = x;
    const std::optional<Advice> advice = AdviceFor(Is, R, C, L, f);
    ASSERT_TRUE(advice.has_value() && advice->n.has_value());
    const std::string& kind = row.at(5);
    EXPECT_EQ(advice->estimated, kind == "circa");
    if (kind != "esatto") continue;
    const int32_t n1 = *advice->n;
    // Every branch at N1 and beyond (N mod 4 places the seam), and not the
    // N below it unless the method is unstable there.
    for (const int32_t n : {n1, n1 + 1, n1 + 2, n1 + 3, n1 + 5, n1 + 6, 2 * n1 + 1, 8 * n1 + 3})
      EXPECT_LE(PlainError(Is, R, C, L, f, n), kAdviceError) << "N = " << n;
    CircuitState below = Grid(Is, R, C, L, f, n1 - 1);
    if (StabilityOf(EulerGrid::Of(below)).stable) {
      EXPECT_GT(PlainError(Is, R, C, L, f, n1 - 1), kAdviceError) << "N1 - 1 = " << n1 - 1;
    }
    // NP1 settles at N1, NP1 - 1 does not; without NP1 no NP a field takes does.
    const CircuitState at = Grid(Is, R, C, L, f, n1);
    const Period steady = PlainSteady(at);
    if (!advice->np) {
      EXPECT_GT(PlainResidual(at, steady, 100 * int64_t{kMaxPeriodsShown}), kSettledResidual);
      continue;
    }
    const int64_t np1 = *advice->np;
    EXPECT_LE(PlainResidual(at, steady, 100 * np1), kSettledResidual) << "NP1 = " << np1;
    if (np1 > 1) {
      EXPECT_GT(PlainResidual(at, steady, 100 * (np1 - 1)), kSettledResidual) << "NP1 = " << np1;
    }
  }
}

// Beyond the stepped range the 1/N branches lead to N1: the worst error
// there is ten times the target at a tenth of it.
TEST(Advice, EstimatesFromTheBranchesBeyondTheSteppedRange) {
  const double R = 1e5, C = 1e-5, L = 0.1, f = 1.5757;
  const std::optional<Advice> advice = AdviceFor(1, R, C, L, f);
  ASSERT_TRUE(advice && advice->estimated && advice->n && advice->np);
  const int32_t tenth = *advice->n / 10;
  double worst = 0;
  for (int32_t n = tenth; n < tenth + 4; ++n) worst = std::max(worst, PlainError(1, R, C, L, f, n));
  EXPECT_NEAR(worst, 10 * kAdviceError, 0.5 * kAdviceError);
  EXPECT_EQ(AdviceSentence(*advice).rfind("Per restare entro l'1 %: circa N = ", 0), 0u);
  // NP1 is the smallest NP whose periods shrink the transient from 1 to the
  // bound at rho per period, the last period scanned whole (ten times Q: a
  // slower decay).
  const std::optional<Advice> slow = AdviceFor(1, 10 * R, C, L, f);
  ASSERT_TRUE(slow && slow->estimated && slow->n && slow->np && *slow->np > 1);
  const double rho = StabilityOf(EulerGrid::At(1, 10 * R, C, L, f, *slow->n)).rho;
  const double np1 = *slow->np;
  EXPECT_LE(std::pow(rho, 100 * np1 - 1), kSettledResidual);
  EXPECT_GT(std::pow(rho, 100 * (np1 - 1) - 1), kSettledResidual);
}

// The search tells its progress in rising shares and stops when told.
TEST(Advice, ReportsRisingSharesAndStopsWhenTold) {
  Recorder all, stopped;
  ASSERT_TRUE(AdviceFor(1, 1e5, 1e-5, 0.1, 159, &all).has_value());
  EXPECT_TRUE(std::is_sorted(all.shares.begin(), all.shares.end()) && all.shares.size() > 10 &&
              all.shares.front() > 0 && all.shares.back() < 1);
  stopped.stop_after = 5;
  EXPECT_FALSE(AdviceFor(1, 1e5, 1e-5, 0.1, 159, &stopped).has_value());
  EXPECT_EQ(stopped.shares.size(), 5u);
}

TEST(Advice, SentenceForEveryOutcome) {
  for (const test::Case& row : test::Cases("advice_sentences")) {
    auto count = [&](size_t i) -> std::optional<int32_t> {
      return row.at(i).empty() ? std::nullopt : std::optional(std::stoi(row[i]));
    };
    const Advice advice{count(0), count(1), row.at(2) == "circa"};
    EXPECT_EQ(AdviceSentence(advice), row.at(3)) << row[0] << " " << row[1] << " " << row[2];
  }
}

}  // namespace
}  // namespace analysis
