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
#include "tests/plain_euler.h"

namespace analysis {
namespace {

// From tests/reference/exact_steady_state.py: mpmath's matrix exponential
// at 40 digits, not the closed form of the program.
struct SteadyRow {
  double Is, R, C, L, f;
  double peak, t_peak;  // V, s
  double at[4][3];      // v, iL, iC at the shares kShares of the period
};
constexpr double kShares[] = {0.1, 0.35, 0.6, 0.85};
const SteadyRow kSteady[] = {
    {1,
     400,
     1e-5,
     0.1,
     159,
     254.62026201717054,
     1.5020564411944338e-3,  // the defaults, underdamped
     {{156.66597347768127, -1.5725014562956354, 2.1808365226014322},
      {198.18180070481932, 2.0081297240543699, -1.5035842258164182},
      {-156.66597347768127, 2.5725014562956354, -2.1808365226014322},
      {-198.18180070481932, -1.0081297240543699, 1.5035842258164182}}},
    {1,
     1e5,
     1e-5,
     0.1,
     159,
     2.9075174985775487e+4,
     4.7554404295974119e-4,  // high Q
     {{2.8733829376779767e+4, 45.132055825660248, -44.419394119428045},
      {-4.4680315835492738e+3, 288.06674401073285, -287.02206369489735},
      {-2.8733829376779767e+4, -44.132055825660248, 44.419394119428045},
      {4.4680315835492738e+3, -287.06674401073285, 287.02206369489735}}},
    {1,
     50,
     1e-5,
     0.1,
     159,
     30.972777608719225,
     1.1298818853967663e-3,  // at the critical damping
     {{25.508420601864632, 0.23377512309094532, 0.25605646487176203},
      {21.975887071662448, 0.67414794618307767, -0.11366568761632663},
      {-25.508420601864632, 0.76622487690905468, -0.25605646487176203},
      {-21.975887071662448, 0.32585205381692233, 0.11366568761632663}}},
    {1,
     49.99999999,
     1e-5,
     0.1,
     159,
     30.972777602257023,
     1.1298818853270948e-3,  // just below it
     {{25.508420597898120, 0.23377512314517944, 0.25605646479482449},
      {21.975887067155249, 0.67414794614541748, -0.11366568757642600},
      {-25.508420597898120, 0.76622487685482056, -0.25605646479482449},
      {-21.975887067155249, 0.32585205385458252, 0.11366568757642600}}},
    {1,
     50.00000001,
     1e-5,
     0.1,
     159,
     30.972777615181427,
     1.1298818854664379e-3,  // just above it
     {{25.508420605831145, 0.23377512303671121, 0.25605646494869958},
      {21.975887076169648, 0.67414794622073786, -0.11366568765622727},
      {-25.508420605831145, 0.76622487696328879, -0.25605646494869958},
      {-21.975887076169648, 0.32585205377926214, 0.11366568765622727}}},
    {1,
     1,
     1e-5,
     0.1,
     159,
     0.50741045951523666,
     9.8896644404186384e-5,  // strongly overdamped
     {{0.50477834596035787, 0.49527213692303143, -5.0482883389304543e-5},
      {0.49690286828490561, 0.50314682697194562, -4.9695256851227668e-5},
      {-0.50477834596035787, 0.50472786307696857, 5.0482883389304543e-5},
      {-0.49690286828490561, 0.49685317302805438, 4.9695256851227668e-5}}},
    {1,
     400,
     1e-5,
     0.1,
     1,
     83.350805503093983,
     1.4568953018694286e-3,  // f far below fris
     {{-3.6341735334540239e-4, 0.99999951241747601, 1.3961259073487621e-6},
      {1.0010532687540790e-17, 1.0000000000000000, -2.3369214015292339e-20},
      {3.6341735334540239e-4, 4.8758252398525617e-7, -1.3961259073487621e-6},
      {-1.0010532687540790e-17, 1.6571177035596348e-21, 2.3369214015292339e-20}}},
    {1,
     400,
     1e-5,
     0.1,
     1e5,
     0.12500024414115652,
     0.0,  // f far above fris
     {{-0.074975193242746414, 0.49999899948210682, 0.50018843850100004},
      {0.050032951332446863, 0.49999868786669170, 0.49987622975497718},
      {0.074975193242746414, 0.50000100051789318, -0.50018843850100004},
      {-0.050032951332446863, 0.50000131213330830, -0.49987622975497718}}},
    {-2.5,
     1e3,
     1e-9,
     1e-3,
     5e3,
     1.3657325396840034e+3,
     1.2091995761561452e-6,  // a negative source, microhenries
     {{0.13094411183602182, -2.5000607349870091, -7.0209124826898009e-5},
      {1.4607027892068418e-12, -2.5000000000000017, 2.1008287005595372e-16},
      {-0.13094411183602182, 6.0734987009123807e-5, 7.0209124826898009e-5},
      {-1.4607027892068418e-12, 1.6707856592627956e-15, -2.1008287005595372e-16}}},
};

TEST(ExactSteadyState, MatchesTheFortyDigitReferenceInEveryDamping) {
  for (const SteadyRow& row : kSteady) {
    SCOPED_TRACE(testing::Message() << "R = " << row.R << ", f = " << row.f);
    const auto exact = ExactSteadyState::Of(row.Is, row.R, row.C, row.L, row.f);
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(exact->At(0).is, row.Is);
    EXPECT_EQ(exact->At(exact->period() / 2).is, 0);
    EXPECT_NEAR(exact->peak_v(), row.peak, 1e-12 * row.peak);
    EXPECT_NEAR(exact->peak_time(), row.t_peak, 1e-12 * exact->period());
    // Currents on the scale of the largest of the row, the voltage on the peak.
    double amperes = std::fabs(row.Is);
    for (const auto& point : row.at)
      amperes = std::max({amperes, std::fabs(point[1]), std::fabs(point[2])});
    for (int i = 0; i < 4; ++i) {
      const SteadyPoint p = exact->At(kShares[i] / row.f);
      EXPECT_NEAR(p.v, row.at[i][0], 1e-12 * row.peak) << kShares[i];
      EXPECT_NEAR(p.iL, row.at[i][1], 1e-12 * amperes) << kShares[i];
      EXPECT_NEAR(p.iC, row.at[i][2], 1e-12 * amperes) << kShares[i];
      EXPECT_EQ(p.is, kShares[i] < 0.5 ? row.Is : 0) << kShares[i];
      // A period later, and before, it is the same; the source is off from T/2.
      EXPECT_NEAR(exact->At(kShares[i] / row.f - 3 / row.f).v, p.v, 1e-12 * row.peak);
    }
  }
}

TEST(FreeResponse, MatchesTheFortyDigitMatrixExponential) {
  const double rows[][8] = {
      // R, C, L, t; then exp(A t): vv, vi, iv, ii. Around the critical
      // damping at R = 50, and far on either side.
      {400, 1e-5, 0.1, 3e-3, -0.69217405142952864, -11.386493847015605, 1.1386493847015605e-3,
       -0.66370781681198963},
      {50, 1e-5, 0.1, 3e-3, -0.099574136735727886, -14.936120510359183, 1.4936120510359183e-3,
       0.19914827347145577},
      {49.99999999, 1e-5, 0.1, 3e-3, -0.099574136705855645, -14.936120510359183,
       1.4936120510359183e-3, 0.19914827356107249},
      {50.00000001, 1e-5, 0.1, 3e-3, -0.099574136765600127, -14.936120510359183,
       1.4936120510359183e-3, 0.19914827338183905},
      {1, 1e-5, 0.1, 3e-3, -9.7073385149859340e-5, -0.97063676840416307, 9.7063676840416307e-5,
       0.97053969501901321},
      {1e-3, 1e-5, 0.1, 0.5, -9.9501247949068855e-11, -9.9501247939118730e-4, 9.9501247939118730e-8,
       0.99501247929168606},
      {1e5, 1e-5, 0.1, 0.02, 0.40357190690816402, -90.386039663070561, 9.0386039663070561e-3,
       0.40447576730479473},
  };
  for (const auto& r : rows) {
    const Propagator e = FreeResponse(r[0], r[1], r[2], r[3]);
    const double got[] = {e.vv, e.vi, e.iv, e.ii};
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR(got[i], r[4 + i], 1e-12 * std::fabs(r[4 + i]))
          << "R = " << r[0] << " entry " << i;
  }
}

TEST(ExactSteadyState, NoneUnlessRCLAndFArePositive) {
  const double rows[][5] = {
      // Is, R, C, L, f
      {1, 0, 1e-5, 0.1, 159},        {1, -400, 1e-5, 0.1, 159},     {1, 400, 0, 0.1, 159},
      {1, 400, 1e-5, -0.1, 159},     {1, 400, 1e-5, 0.1, 0},        {1, 400, 1e-5, 0.1, -159},
      {1, INFINITY, 1e-5, 0.1, 159}, {1, 400, 1e-300, 1e-300, 159},  // 1 / (LC) overflows
  };
  for (const auto& r : rows)
    EXPECT_FALSE(ExactSteadyState::Of(r[0], r[1], r[2], r[3], r[4]).has_value()) << r[1];
  EXPECT_EQ(ExactSteadyState::Of(0, 400, 1e-5, 0.1, 159)->peak_v(), 0);
}

const ParameterTexts kDefaults = {"1", "400", "1e-5", "0.1", "159", "1000", "10"};

CircuitState RunOf(const ParameterTexts& texts) {
  CircuitState state;
  ReadParameters(state, texts);
  RunSimulation(state, false);
  FindPeakV(state);
  return state;
}

TEST(MethodSteadyState, IsWhatALongRunSettlesToSampleForSample) {
  const ParameterTexts rows[] = {
      {"1", "400", "1e-5", "0.1", "159", "1000", "10"},  // the defaults
      {"1", "10", "1e-5", "0.1", "159", "32", "10"},     // overdamped, few samples
      {"1", "50", "1e-5", "0.1", "159", "1000", "10"},   // critical
      {"2", "400", "1e-5", "0.1", "159", "1001", "10"},  // the seam skips sample 501
      {"2", "400", "1e-5", "0.1", "159", "1003", "10"},  // the seam copies nothing
  };
  for (const ParameterTexts& row : rows) {
    SCOPED_TRACE(testing::Message() << "R = " << row.R << ", N = " << row.N);
    const CircuitState state = RunOf(row);
    const std::optional<MethodSteadyState> steady = MethodSteadyStateOf(state);
    ASSERT_TRUE(steady.has_value());
    EXPECT_NEAR(steady->peak, state.v_peak, 1e-12 * state.v_peak);
    EXPECT_NEAR(steady->v1, state.v_t.at(1), 1e-12 * state.v_peak);
    EXPECT_NEAR(steady->iL1, state.iL_t.at(1), 1e-12 * std::fabs(state.iL_t.at(1)));
    EXPECT_LT(TransientResidual(state, *steady), 1e-12);
  }
  CircuitState none = RunOf({"1", "400", "1e-5", "0.1", "159", "2", "1"});  // no step is kept
  EXPECT_FALSE(MethodSteadyStateOf(none).has_value());
  const CircuitState off = RunOf({"0", "400", "1e-5", "0.1", "159", "1000", "1"});
  EXPECT_EQ(TransientResidual(off, *MethodSteadyStateOf(off)), 0);  // settled from the start
}

// The spectral radius of one period, from the period's matrix stepped with
// the plain scheme (source off) and the roots of its characteristic
// polynomial in long double.
long double PlainRho(const CircuitState& s) {
  const Reference e1 = Simulate(s, false, -1, 1, 1, 0);
  const Reference e2 = Simulate(s, false, -1, 1, 0, 1);
  const long double a = e1.v[1], c = e1.il[1], b = e2.v[1], d = e2.il[1];
  const long double trace = a + d, det = a * d - b * c, disc = trace * trace - 4 * det;
  if (disc < 0) return std::sqrt(det);
  return std::max(std::fabs(trace + std::sqrt(disc)), std::fabs(trace - std::sqrt(disc))) / 2;
}

TEST(Stability, NMinIsTheEdgeOfTheFloatingPointStep) {
  const struct {
    ParameterTexts texts;  // the circuit, with Is = 0
    int32_t n_min;         // where known from elsewhere; 0 where not
    double digits;         // how close both roots agree: near the critical damping
                           // a double root keeps only half the digits
  } rows[] = {
      {{"0", "400", "1e-5", "0.1", "159", "", "1"}, 26, 1e-9},
      {{"0", "1e5", "1e-5", "0.1", "159", "", "1"}, 6290, 1e-9},
      {{"0", "10", "1e-5", "0.1", "159", "", "1"}, 0, 1e-9},      // overdamped
      {{"0", "50", "1e-5", "0.1", "159", "", "1"}, 0, 1e-6},      // critical
      {{"0", "400", "1e-9", "1e-3", "4.7e3", "", "1"}, 0, 1e-9},  // another scale
  };
  for (auto [texts, known, digits] : rows) {
    texts.N = "1000";
    CircuitState state;
    ReadParameters(state, texts);
    const std::optional<int32_t> n_min = StabilityOf(state).n_min;
    ASSERT_TRUE(n_min.has_value()) << texts.R;
    EXPECT_TRUE(known == 0 || *n_min == known) << *n_min;
    for (const int32_t n : {*n_min - 1, *n_min}) {
      texts.N = std::to_string(n);
      ReadParameters(state, texts);
      const Stability s = StabilityOf(state);
      const long double plain = PlainRho(state);
      EXPECT_EQ(s.stable, n == *n_min) << texts.R << " N = " << n;
      EXPECT_EQ(plain < 1, n == *n_min) << texts.R << " N = " << n;
      EXPECT_NEAR(s.rho, plain, digits * plain) << texts.R << " N = " << n;
    }
  }
  // Steps close to 1: no false instability, rho near its limit exp(-T / (2RC)).
  CircuitState fine;
  ReadParameters(fine, {"1", "400", "1e-5", "0.1", "159", "1000000000", "1"});
  const Stability s = StabilityOf(fine);
  EXPECT_TRUE(s.stable);
  EXPECT_NEAR(s.rho, std::exp(-1 / (159 * 2 * 400 * 1e-5)), 1e-6);
  // No N makes a circuit without a steady state stable.
  for (const ParameterTexts& texts :
       {ParameterTexts{"1", "-400", "1e-5", "0.1", "159", "1000", "1"},
        ParameterTexts{"1", "400", "-1e-5", "-0.1", "159", "1000", "1"}}) {
    ReadParameters(fine, texts);
    EXPECT_FALSE(StabilityOf(fine).stable);
    EXPECT_FALSE(StabilityOf(fine).n_min.has_value());
  }
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
    const MethodSteadyState steady = *MethodSteadyStateOf(run);
    const double measured = TransientResidual(run, steady);
    EXPECT_NEAR(PredictedResidual(run, steady, 100 * run.NP), measured, 1e-9 * measured) << np;
  }
}

TEST(SettlingNP, IsTheSmallestNPThatSettles) {
  const ParameterTexts texts{"1", "1e4", "1e-5", "0.1", "159", "1000", "1"};
  const CircuitState state = RunOf(texts);
  const Accuracy accuracy = AssessAccuracy(state);
  ASSERT_TRUE(accuracy.np_suggested.has_value());
  const int32_t np = *accuracy.np_suggested;
  ParameterTexts longer = texts;
  longer.NP = std::to_string(np + 30);
  const CircuitState settled = RunOf(longer);  // rho^3000 away from its steady state
  for (const int32_t n : {np - 1, np}) {
    ParameterTexts run = texts;
    run.NP = std::to_string(n);
    EXPECT_EQ(Apart(RunOf(run), settled) <= kSettledResidual, n == np) << "NP = " << n;
  }
  EXPECT_GT(np, 2);
}

TEST(AccuracyWarnings, SayWhereTheResultIsNotWhatItClaims) {
  const std::pair<ParameterTexts, std::vector<std::string>> rows[] = {
      {{"1", "400", "1e-5", "0.1", "159", "1000", "10"}, {}},
      {{"0", "1e5", "1e-5", "0.1", "159", "1000", "1"}, {}},  // a zero source is settled
      {{"1", "1e5", "1e-5", "0.1", "159", "1000", "10"},
       {"Con N = 1000 campioni per periodo il metodo di Eulero è instabile per questi valori di "
        "R, L e C: l'ampiezza cresce a ogni periodo e i valori mostrati non sono quelli del "
        "regime. Servono almeno N = 6290 campioni per periodo."}},
      {{"1", "1e5", "1e-5", "0.1", "159", "20000", "10"},
       {"Dopo 1000 periodi simulati il transitorio non si è ancora esaurito (scarto del 12 % "
        "dal regime del metodo): per arrivare a regime servono almeno NP = 33."}},
      {{"1", "1e4", "1e-5", "0.1", "159", "2000", "1"},
       {"Dopo 100 periodi simulati il transitorio non si è ancora esaurito (scarto del 12 % dal "
        "regime del metodo): per arrivare a regime servono almeno NP = 4."}},
      {{"1", "400", "1e-5", "0.1", "159", "1000", "0"},
       {"Dopo 0 periodi simulati il transitorio non si è ancora esaurito (scarto del 100 % dal "
        "regime del metodo): per arrivare a regime servono almeno NP = 1."}},
      {{"1", "2e3", "1e-5", "0.1", "159", "200", "1"},
       {"Dopo 100 periodi simulati il transitorio non si è ancora esaurito (scarto del 0,32 % "
        "dal regime del metodo): per arrivare a regime servono almeno NP = 2."}},
      {{"1", "400", "1e-5", "0.1", "159", "2", "1"},
       {"Con N = 2 campioni per periodo il metodo di Eulero non fa alcun passo: i valori "
        "mostrati restano quelli di partenza. Servono almeno N = 26 campioni per periodo."}},
      {{"1", "-400", "1e-5", "0.1", "159", "1000", "1"},
       {"Con N = 1000 campioni per periodo il metodo di Eulero è instabile per questi valori di "
        "R, L e C: l'ampiezza cresce a ogni periodo e i valori mostrati non sono quelli del "
        "regime. Con R negativa il circuito non ha un regime periodico: nessun N lo può "
        "mostrare."}},
  };
  for (const auto& [texts, warnings] : rows)
    EXPECT_EQ(AccuracyWarnings(AssessAccuracy(RunOf(texts)), ","), warnings)
        << "R = " << texts.R << ", N = " << texts.N << ", NP = " << texts.NP;
}

// The fault each row meets as the compute meets it, and the words of the
// line after the fault's text.
TEST(ExplainFault, NamesTheFieldAndTheLimit) {
  const struct {
    std::string ParameterTexts::*field;
    const char* value;
    std::vector<const char*> words;
  } rows[] = {
      {&ParameterTexts::f,
       "1.5",
       {"Con N = 1000 campioni per periodo il metodo di Eulero è "
        "instabile",
        "; servono almeno N = 2667 campioni per periodo."}},
      {&ParameterTexts::N,
       "4",
       {"Con N = 4 campioni per periodo il metodo di Eulero è instabile "
        "per questi valori di R, L e C: l'ampiezza cresce a ogni periodo "
        "finché supera il più grande numero rappresentabile; servono "
        "almeno N = 26 campioni per periodo."}},
      {&ParameterTexts::L, "1e-4", {"è instabile", "servono almeno N = 25"}},
      {&ParameterTexts::f, "-1", {"f è negativa"}},
      {&ParameterTexts::R, "-1", {"con R negativa il circuito non ha un regime periodico"}},
      {&ParameterTexts::NP,
       "30000000",
       {"NP è troppo grande: 100·NP periodi non si possono "
        "contare (al massimo NP = 21474836)."}},
      {&ParameterTexts::N, "2147483647", {"N è troppo grande (al massimo N = 2147483646)."}},
      {&ParameterTexts::N, "1e12", {"N è troppo grande (al massimo N = 2147483646)."}},
      {&ParameterTexts::N, "-5", {"N = -5 è negativo"}},
      {&ParameterTexts::N, "0", {"N è 0"}},
      {&ParameterTexts::R, "0", {"R è 0", "G = 1/R"}},
      {&ParameterTexts::R, "1e-310", {"R = 1e-310 è troppo piccola"}},
      {&ParameterTexts::f, "0", {"f è 0"}},
      {&ParameterTexts::f, "1e-310", {"f = 1e-310 è troppo piccola"}},
      {&ParameterTexts::L, "0", {"L·C è 0"}},
      {&ParameterTexts::L, "-0.1", {"L e C hanno segno opposto (L = -0.1, C = 1e-5)"}},
      {&ParameterTexts::Is,
       "1e400",
       {"Is = 1e400 supera il più grande numero rappresentabile "
        "(circa 1,8E+308)."}},
      {&ParameterTexts::Is, "1e306", {"Is = 1e306 è troppo grande"}},
      {&ParameterTexts::N,
       "2147483646",
       {"Servono 68,72 GB di memoria per N = 2147483646 "
        "campioni",
        " se ne possono avere "}},
  };
  for (const auto& row : rows) {
    ParameterTexts texts = kDefaults;
    texts.*row.field = row.value;
    CircuitState state;
    std::optional<FaultKind> kind;
    try {
      struct : MessageSink {
        void ShowMessage(const std::string&) override {}
      } sink;
      CheckParameterFields(state, texts, sink);
      ReadParameters(state, texts);
      RunSimulation(state, false);
    } catch (const Fault& fault) {
      kind = fault.kind();
    }
    ASSERT_TRUE(kind.has_value()) << row.value;
    const std::string why = ExplainFault(*kind, texts, Command::kCompute, ",");
    for (const char* words : row.words) EXPECT_NE(why.find(words), std::string::npos) << why;
  }
  // The plot also works out the time it shows.
  ParameterTexts texts = kDefaults;
  texts.f = "1e-303";
  EXPECT_NE(ExplainFault(FaultKind::Overflow, texts, Command::kPlot, ".")
                .find("Il tempo mostrato dal grafico, NP·1000000/f microsecondi, supera"),
            std::string::npos);
}

}  // namespace
}  // namespace analysis
