// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency response and its harmonics, each against another route: Parseval, sampled
// means, std::complex, a dominant harmonic, the compute at each f, eigenvalues, read-back.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <numbers>
#include <regex>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/cases.h"
#include "tests/plain_euler.h"

namespace analysis {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(MeanSquareV, EqualsTheSeriesAndASampledMean) {
  // The mean of v^2 over 2 n samples a period: trapezoids, v^2 being periodic.
  auto sampled = [](const ExactSteadyState& exact, int n) {
    double sum = 0;
    for (int i = 0; i < 2 * n; ++i) sum += std::pow(exact.At(exact.period() * i / (2 * n)).v, 2);
    return sum / (2 * n);
  };
  for (const test::Case& row : test::Cases("mean_square")) {
    SCOPED_TRACE(row.at(6));
    double x[6];  // last: the highest k of the series
    for (int i = 0; i < 6; ++i) x[i] = test::Number(row.at(i));
    const auto [Is, R, C, L, f, last] = x;
    const double mean = *MeanSquareV(Is, R, C, L, f);
    const double unit = *MeanSquareV(1, R, C, L, f);
    double sum = 0;
    for (int k = 1; k <= last; k += 2)
      sum += std::pow(HarmonicOf(Is, R, C, L, f, k, unit).V, 2) / 2;
    // Past `last`, |Z| < R and |Z| < 2 / (k w C), while the odd k^-2 add up to
    // less than 1 / (2 last) and the odd k^-4 to less than 1 / (6 last^3).
    const double w = 2 * kPi * f, scale = std::pow(2 * Is / kPi, 2) / 2;
    const double tail =
        scale * std::min(R * R / (2.0 * last), std::pow(2 / (w * C), 2) / (6 * std::pow(last, 3)));
    EXPECT_NEAR(sum, mean, tail + 2e-12 * mean);
    // The corners of v at 0 and T/2 leave the trapezoids an error in h^2: that
    // of the finer sum is below its distance from the coarser one, once h
    // resolves the charging time RC.
    if (R * C < 10 * (0.5 / f) / 40000) continue;
    const ExactSteadyState exact = *ExactSteadyState::Of(Is, R, C, L, f);
    const double fine = sampled(exact, 40000), coarse = sampled(exact, 20000);
    EXPECT_NEAR(fine, mean, std::fabs(fine - coarse)) << (fine - coarse) / mean;
  }
}

TEST(HarmonicTable, RowsFollowTheImpedanceAndIsUpToK15ThenToTheShare) {
  // At the defaults' 159 Hz k = 1 holds 99.9 % of <v^2>; f0 / 50 rings through many rows.
  for (const double f : {159.0, 3.18}) {
    SCOPED_TRACE(f);
    CircuitState state = StateOf(kDefaults);
    state.f = f;
    const HarmonicTable table = *HarmonicTableOf(state);
    state.Is = -1;
    const HarmonicTable minus = *HarmonicTableOf(state);
    ASSERT_EQ(minus.rows.size(), table.rows.size());
    for (size_t i = 0; i < table.rows.size(); ++i) {
      const Harmonic &p = table.rows[i], &m = minus.rows[i];
      EXPECT_EQ(p.k, i == 0 ? 0 : int32_t(2 * i - 1));
      const std::complex<double> jw(0, 2 * kPi * p.k * f);
      const std::complex<double> Z =
          p.k == 0 ? 0.0 : 1.0 / (1 / 400.0 + jw * 1e-5 + 1.0 / (jw * 0.1));
      EXPECT_NEAR(p.Z_abs, std::abs(Z), 1e-13 * std::abs(Z)) << p.k;
      EXPECT_NEAR(p.Z_phase_deg, std::arg(Z) * 180 / kPi, 1e-12 * 90) << p.k;
      EXPECT_TRUE(m.I == -p.I && m.V == -p.V && m.power_share == p.power_share) << p.k;
      EXPECT_NEAR(p.power_share, p.V * p.V / 2 / table.mean_square_v, 1e-15) << p.k;
    }
    const double before_last = table.listed_share - table.rows.back().power_share;
    EXPECT_GE(table.listed_share, kListedPowerShare);
    EXPECT_EQ(table.rows.back().k > 15, f < 100);
    EXPECT_TRUE(f > 100 || before_last < kListedPowerShare);
  }
  EXPECT_FALSE(HarmonicTableOf(StateOf({"0", "400", "1e-5", "0.1", "159", "9", "1"})));   // Is = 0
  EXPECT_FALSE(HarmonicTableOf(StateOf({"1", "-400", "1e-5", "0.1", "159", "9", "1"})));  // R < 0
}

TEST(CurveFrequencies, HoldTheEndsEveryF0OverOddKAndFSortedOnce) {
  const CircuitState state = StateOf(kDefaults);
  const double f0 = state.fris;
  const struct {
    const char* label;
    CurveRange range;
    double f;
  } rows[] = {{"the defaults", DefaultCurveRange(state), 159},
              {"f outside, above f0", {200, 2000, 50}, 159},
              {"f is f0 / 3, ends f0 / 29 and f0 / 3", {f0 / 29, f0 / 3, 7}, f0 / 3},
              {"two points, a decade", {1, 10, 2}, 5}};
  for (const auto& c : rows) {
    SCOPED_TRACE(c.label);
    CircuitState s = state;
    s.f = c.f;
    const CurveFrequencies out = *CurveFrequenciesOf(s, c.range);
    const std::vector<double>& f = out.f;
    EXPECT_TRUE(std::adjacent_find(f.begin(), f.end(), std::greater_equal<>()) == f.end());
    EXPECT_TRUE(f.front() == c.range.from && f.back() == c.range.to);
    for (int i = 0; i < c.range.points; ++i) {
      const double x =
          c.range.from * std::pow(c.range.to / c.range.from, i / (c.range.points - 1.0));
      const auto near = std::lower_bound(f.begin(), f.end(), x * (1 - 1e-13));
      EXPECT_TRUE(near != f.end() && *near <= x * (1 + 1e-13)) << "log-spaced " << i;
    }
    int resonances = 0;
    for (int k = 1; f0 / k >= c.range.from; k += 2) {
      if (f0 / k > c.range.to) continue;
      ++resonances;
      const auto at = std::find(f.begin(), f.end(), f0 / k);
      EXPECT_TRUE(at != f.end() && out.order[at - f.begin()] == k) << k;
    }
    EXPECT_EQ(std::count_if(out.order.begin(), out.order.end(), [](int k) { return k > 0; }),
              resonances);
    const bool inside = c.f >= c.range.from && c.f <= c.range.to;
    EXPECT_TRUE(out.current.has_value() == inside && (!inside || f[*out.current] == c.f));
  }
  // Refused: one point, too many, from 0, from above to, to infinite, 1e6 f0 / k in range.
  const CurveRange refused[] = {{1, 10, 1},        {1, 10, kMaxCurvePoints + 1},
                                {0, 10, 10},       {10, 1, 10},
                                {1, INFINITY, 10}, {f0 * 1e-6, f0, 10}};
  for (const CurveRange& r : refused)
    EXPECT_FALSE(CurveFrequenciesOf(state, r)) << r.from << " to " << r.to << ", " << r.points;
  EXPECT_TRUE(CurveFrequenciesOf(state, {1, 10, kMaxCurvePoints}));
}

TEST(ExactCurve, PeaksOfAHighQCircuitStandAtF0OverOddKAsTheirHarmonicSays) {
  // Q = R sqrt(C / L) = 100: at f0 / k the k-th harmonic meets |Z| = R.
  const CircuitState state = StateOf({"1", "1e4", "1e-6", "1e-2", "159", "1000", "1"});
  const CurveFrequencies c = *CurveFrequenciesOf(state, DefaultCurveRange(state));
  const PeakCurve exact = ExactCurve(state, c.f);
  for (const int k : {1, 3, 5}) {
    const size_t i = std::find(c.order.begin(), c.order.end(), k) - c.order.begin();
    ASSERT_TRUE(i > 0 && i + 1 < c.f.size()) << k;
    EXPECT_TRUE(*exact[i] > *exact[i - 1] && *exact[i] > *exact[i + 1]) << k;
    // |peak - V_k| <= the other V_j; past j = 20001, V_j < 4 / (pi w C j^2), odd j^-2 < 1 / 40002.
    const double f = c.f[i], unit = *MeanSquareV(1, 1e4, 1e-6, 1e-2, f);
    double others = 4 / (kPi * 2 * kPi * f * 1e-6) / 40002;
    for (int j = 1; j <= 20001; j += 2)
      if (j != k) others += HarmonicOf(1, 1e4, 1e-6, 1e-2, f, j, unit).V;
    const double dominant = 2 / (kPi * k) * 1e4;
    EXPECT_NEAR(*exact[i], dominant, others) << k;
    EXPECT_LT(others, 0.1 * dominant) << k;
  }
}

TEST(EulerCurve, IsTheMethodPeakOfTheComputeAtEachFrequencyWhereStable) {
  // At N = 20 the step is unstable below about 200 Hz; at N = 100000 the
  // method asks the monitor within each point too.
  for (const char* n : {"1000", "20", "100000"}) {
    ParameterTexts texts{"1", "400", "1e-5", "0.1", "159", n, "1"};
    const CircuitState state = StateOf(texts);
    const CurveFrequencies c = *CurveFrequenciesOf(state, {30, 1000, 12});
    Recorder all, stopped;
    const PeakCurve euler = *EulerCurve(state, c.f, &all);
    EXPECT_TRUE(std::is_sorted(all.shares.begin(), all.shares.end()) && all.shares[0] > 0 &&
                all.shares.back() == 1 && all.shares.size() >= c.f.size());
    stopped.stop_after = 2;
    EXPECT_FALSE(EulerCurve(state, c.f, &stopped).has_value() || stopped.shares.size() != 2);
    int present = 0;
    for (size_t i = 0; i < c.f.size(); ++i) {
      char f[32];
      texts.f.assign(f, std::to_chars(f, f + sizeof f, c.f[i]).ptr);
      const CircuitState compute = StateOf(texts);
      // Stable where both roots of lambda^2 + lambda / (RC) + 1 / (LC) have |1 + dt lambda| < 1.
      const std::complex<double> root = std::sqrt(std::complex<double>(125.0 * 125.0 - 1e6));
      const double grows = std::max(std::abs(1.0 + compute.dt * (-125.0 + root)),
                                    std::abs(1.0 + compute.dt * (-125.0 - root)));
      EXPECT_EQ(euler[i].has_value(), grows < 1) << texts.f;
      present += euler[i].has_value();
      EXPECT_TRUE(!euler[i] || *euler[i] == MethodSteadyStateOf(EulerGrid::Of(compute))->peak)
          << texts.f;
    }
    EXPECT_TRUE(present > 0 && (present < int(c.f.size())) == (std::string(n) == "20")) << n;
  }
}

// The numbers after each "key": of `json`, read back; empty for null.
PeakCurve Values(const std::string& json, const std::string& key) {
  PeakCurve out;
  const std::regex pattern("\"" + key + "\": ([^,}]+)");
  for (std::sregex_iterator m(json.begin(), json.end(), pattern), end; m != end; ++m)
    out.push_back((*m)[1] == "null" ? std::nullopt : std::optional(test::Number((*m)[1])));
  return out;
}

TEST(FrequencyReport, JsonReadsBackToTheNumbersAndTextUsesTheSeparator) {
  const CircuitState state = StateOf({"1", "400", "1e-5", "0.1", "159", "20", "1"});
  const FrequencyResponse r = *FrequencyResponseOf(state, {30, 1000, 12});
  PeakCurve f = {state.f};  // the input's f first, then the curve's and the harmonics'
  f.insert(f.end(), r.frequencies.f.begin(), r.frequencies.f.end());
  for (const Harmonic& h : r.harmonics->rows) f.push_back(h.f);
  const std::string json = FrequencyJsonReport(state, r);
  EXPECT_EQ(Values(json, "f"), f);
  EXPECT_EQ(Values(json, "exact_v_peak"), r.exact);
  EXPECT_EQ(Values(json, "euler_v_peak"), r.euler);
  const std::string text = FrequencyTextReport(state, r, ",");
  EXPECT_EQ(text.find('.'), std::string::npos);  // every number with the comma
  // The current f, f0 / 3, an unstable Euler point (N = 20) and the total are named.
  for (const char* part :
       {"\n1,5900E+02 ", " f attuale\n", " f0/3\n", "    —  ", "\npotenza elencata: "})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace analysis
