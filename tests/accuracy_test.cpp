// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// How true the numbers are: the exact steady state against a 40-digit
// reference computed another way, the method's steady state and stability
// against the simulation, the settling NP, the warnings and the fault
// explanations of unstable runs.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/cases.h"
#include "tests/plain_euler.h"

namespace analysis {
namespace {

TEST(ExactSteadyState, MatchesTheFortyDigitReferenceInEveryDamping) {
  // From mpmath's matrix exponential at 40 digits, not the program's closed form.
  for (const test::Case& row : test::Cases("exact_steady_state")) {
    SCOPED_TRACE(row.back());
    double r[13];
    for (int i = 0; i < 13; ++i) r[i] = test::Number(row.at(i));
    const double Is = r[0], f = r[4], peak = r[5];
    const auto exact = ExactSteadyState::Of(Is, r[1], r[2], r[3], f);
    ASSERT_TRUE(exact.has_value());
    EXPECT_NEAR(exact->peak_v(), peak, 1e-12 * peak);
    EXPECT_NEAR(exact->peak_time(), r[6], 1e-12 / f);
    // Currents on the scale of the largest of the row, the voltage on the peak.
    const double amperes = std::max(
        {std::fabs(Is), std::fabs(r[8]), std::fabs(r[9]), std::fabs(r[11]), std::fabs(r[12])});
    for (int i = 0; i < 4; ++i) {
      // Half a period later v and iC change sign and iL becomes Is - iL.
      const double* at = &r[7 + 3 * (i % 2)];
      const double sign = i < 2 ? 1 : -1, share = (i < 2 ? 0 : 0.5) + (i % 2 ? 0.35 : 0.1);
      const SteadyPoint p = exact->At(share / f);
      EXPECT_NEAR(p.v, sign * at[0], 1e-12 * peak) << share;
      EXPECT_NEAR(p.iL, i < 2 ? at[1] : Is - at[1], 1e-12 * amperes) << share;
      EXPECT_NEAR(p.iC, sign * at[2], 1e-12 * amperes) << share;
      EXPECT_EQ(p.is, i < 2 ? Is : 0) << share;
      // A period later, and before, it is the same.
      EXPECT_NEAR(exact->At(share / f - 3 / f).v, p.v, 1e-12 * peak) << share;
    }
  }
}

TEST(ExactSteadyState, NoneUnlessRCLAndFArePositive) {
  for (const test::Case& row : test::Cases("no_steady_state")) {
    auto x = [&](int i) { return test::Number(row.at(i)); };
    EXPECT_FALSE(ExactSteadyState::Of(x(0), x(1), x(2), x(3), x(4)).has_value()) << row.back();
    // Nor does any N make the method stable there.
    const Stability s = StabilityOf(EulerGrid::At(x(0), x(1), x(2), x(3), x(4), 1000));
    EXPECT_FALSE(s.stable || s.n_min.has_value()) << row.back();
  }
  EXPECT_EQ(ExactSteadyState::Of(0, 400, 1e-5, 0.1, 159)->peak_v(), 0);
}

ParameterTexts TextsOf(const test::Case& row) {
  return {row.at(0), row.at(1), row.at(2), row.at(3), row.at(4), row.at(5), row.at(6)};
}

TEST(MethodSteadyState, IsWhatALongRunSettlesToSampleForSample) {
  for (const test::Case& row : test::Cases("method_steady_state")) {
    SCOPED_TRACE(row.at(7));
    const CircuitState state = RunOf(TextsOf(row));
    const std::optional<MethodSteadyState> steady = MethodSteadyStateOf(EulerGrid::Of(state));
    ASSERT_TRUE(steady.has_value());
    EXPECT_NEAR(steady->peak, state.v_peak, 1e-12 * state.v_peak);
    EXPECT_NEAR(steady->v1, state.v_t.at(1), 1e-12 * state.v_peak);
    EXPECT_NEAR(steady->iL1, state.iL_t.at(1), 1e-12 * std::fabs(state.iL_t.at(1)));
    EXPECT_LT(TransientResidual(state, *steady), 1e-12);
  }
  CircuitState none = RunOf({"1", "400", "1e-5", "0.1", "159", "2", "1"});  // no step is kept
  EXPECT_FALSE(MethodSteadyStateOf(EulerGrid::Of(none)).has_value());
  const CircuitState off = RunOf({"0", "400", "1e-5", "0.1", "159", "1000", "1"});
  EXPECT_EQ(TransientResidual(off, *MethodSteadyStateOf(EulerGrid::Of(off))),
            0);  // settled from the start
}

// The spectral radius of one period, from the period's matrix stepped with
// the plain scheme (source off) and the roots of its characteristic
// polynomial in long double.
long double PlainRho(const CircuitState& s) {
  const Map m = PlainPeriod(s);
  const long double trace = m.a + m.d, det = m.a * m.d - m.b * m.c, disc = trace * trace - 4 * det;
  if (disc < 0) return std::sqrt(det);
  return std::max(std::fabs(trace + std::sqrt(disc)), std::fabs(trace - std::sqrt(disc))) / 2;
}

TEST(Stability, NMinIsTheEdgeOfTheFloatingPointStep) {
  for (const test::Case& row : test::Cases("stability")) {
    ParameterTexts texts{"0", row.at(0), row.at(1), row.at(2), row.at(3), "1000", "1"};
    const int32_t known = std::stoi(row.at(4));
    const double digits = test::Number(row.at(5));
    CircuitState state = StateOf(texts);
    const std::optional<int32_t> n_min = StabilityOf(EulerGrid::Of(state)).n_min;
    ASSERT_TRUE(n_min.has_value()) << texts.R;
    EXPECT_TRUE(known == 0 || *n_min == known) << *n_min;
    for (const int32_t n : {*n_min - 1, *n_min}) {
      texts.N = std::to_string(n);
      ReadParameters(state, texts);
      const Stability s = StabilityOf(EulerGrid::Of(state));
      const long double plain = PlainRho(state);
      EXPECT_EQ(s.stable, n == *n_min) << texts.R << " N = " << n;
      EXPECT_EQ(plain < 1, n == *n_min) << texts.R << " N = " << n;
      EXPECT_NEAR(s.rho, plain, digits * plain) << texts.R << " N = " << n;
    }
  }
  // Steps close to 1: no false instability, rho near its limit exp(-T / (2RC)).
  const CircuitState fine = StateOf({"1", "400", "1e-5", "0.1", "159", "1000000000", "1"});
  const Stability s = StabilityOf(EulerGrid::Of(fine));
  EXPECT_TRUE(s.stable);
  EXPECT_NEAR(s.rho, std::exp(-1 / (159 * 2 * 400 * 1e-5)), 1e-6);
}

// The largest |v| difference of two runs over samples 1..N, over the peak of the second.
double Apart(const CircuitState& a, const CircuitState& b) {
  double largest = 0;
  for (int32_t k = 1; k <= a.N; ++k)
    largest = std::max(largest, std::fabs(a.v_t.at(k) - b.v_t.at(k)));
  return largest / b.v_peak;
}

TEST(PredictedResidual, IsTheResidualOfTheRun) {
  for (const char* np : {"1", "3", "8"}) {
    const CircuitState run = RunOf({"1", "1e4", "1e-5", "0.1", "159", "1000", np});
    const MethodSteadyState steady = *MethodSteadyStateOf(EulerGrid::Of(run));
    const double measured = TransientResidual(run, steady);
    EXPECT_NEAR(PredictedResidual(EulerGrid::Of(run), steady, 100 * run.NP), measured,
                1e-9 * measured)
        << np;
  }
}

TEST(SettlingNP, IsTheSmallestNPThatSettles) {
  ParameterTexts texts{"1", "1e4", "1e-5", "0.1", "159", "1000", "1"};
  const std::optional<int32_t> np = AssessAccuracy(RunOf(texts)).np_suggested;
  ASSERT_TRUE(np.has_value() && *np > 2);
  texts.NP = std::to_string(*np + 30);
  const CircuitState settled = RunOf(texts);  // rho^3000 away from its steady state
  for (const int32_t n : {*np - 1, *np}) {
    texts.NP = std::to_string(n);
    EXPECT_EQ(Apart(RunOf(texts), settled) <= kSettledResidual, n == *np) << "NP = " << n;
  }
}

// The chart's series tells its progress in rising shares up to 1, also from
// within the long search of one point, and stops where it is told to; a
// run tells it evenly from its start.
TEST(ErrorSeries, ReportsRisingSharesAndStopsWhenTold) {
  Recorder all, stopped, run;
  CircuitState state = RunOf(kDefaults);
  const Accuracy a = AssessAccuracy(state);
  ASSERT_TRUE(ErrorSeries(a, all).has_value());
  EXPECT_TRUE(std::is_sorted(all.shares.begin(), all.shares.end()) && all.shares[0] >= 0 &&
              all.shares.back() == 1 && all.shares.size() > 24);  // more than once a point
  stopped.stop_after = 3;
  EXPECT_FALSE(ErrorSeries(a, stopped).has_value() || stopped.shares.size() != 3);
  ASSERT_TRUE(RunMonitoredSimulation(state, false, run));
  EXPECT_NEAR(run.shares[0], run.shares[1] - run.shares[0], 1e-12);
}

TEST(AccuracyWarnings, SayWhereTheResultIsNotWhatItClaims) {
  for (const test::Case& row : test::Cases("accuracy_warnings")) {
    const std::string warning = test::Field(row, 7);
    Accuracy a = AssessAccuracy(RunOf(TextsOf(row)));
    if (WarnsOf(a)) Advise(a);  // as the commands do: only for a box
    EXPECT_EQ(AccuracyWarnings(a, ","),
              warning.empty() ? std::vector<std::string>{} : std::vector{warning})
        << "R = " << row[1] << ", N = " << row[5] << ", NP = " << row[6];
  }
}

// The fault each row meets as the compute meets it, and the words of the
// line after the fault's text.
TEST(ExplainFault, NamesTheFieldAndTheLimit) {
  for (const test::Case& row : test::Cases("fault_explanations")) {
    ParameterTexts texts = kDefaults;
    FieldText(texts, std::stoi(row.at(0))) = row.at(1);
    CircuitState state;
    std::optional<Fault> met;
    try {
      RecordingSink sink;
      CheckParameterFields(state, texts, sink);
      ReadParameters(state, texts);
      RunSimulation(state, false);
    } catch (const Fault& fault) {
      met = fault;
    }
    ASSERT_TRUE(met.has_value()) << row[1];
    const std::string why = ExplainFault(*met, texts, Command::kCompute, ",");
    std::string rest = row.at(2);
    for (size_t bar = 0; bar != std::string::npos; rest.erase(0, bar + 1)) {
      bar = rest.find('|');
      EXPECT_NE(why.find(rest.substr(0, bar)), std::string::npos) << why;
    }
  }
  // The plot also works out the time it shows.
  ParameterTexts texts = kDefaults;
  texts.f = "1e-303";
  EXPECT_NE(ExplainFault(Fault(FaultKind::Overflow, {FaultStep::kTimeSpan, Field::kF}), texts,
                         Command::kPlot, ".")
                .find("Il tempo mostrato dal grafico, NP·1000000/f microsecondi, supera"),
            std::string::npos);
}

}  // namespace
}  // namespace analysis
