#include <bit>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "analysis/memory_guard.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

using test::FaultOf;

const ParameterTexts kDefaults = {"1", "400", "1e-5", "0.1", "159", "1000", "10"};

// A second, plain rendering of the Euler scheme: one vector per waveform,
// the seam and wrap copies written out, no range checks. It stops after
// `max_steps` steps, or right after storing the first value that is not finite.
struct Reference {
  std::vector<double> is, v, ic, il;
  int32_t k = 0, cycle = 0;
  bool stopped = false;
};

Reference Simulate(const CircuitState& s, bool wrap_source, int64_t max_steps = -1) {
  const size_t size = static_cast<size_t>(s.N) + 2;
  Reference r{std::vector<double>(size), std::vector<double>(size), std::vector<double>(size),
              std::vector<double>(size)};
  const int m1 = static_cast<int>(std::nearbyint(s.N / 2.0));
  const int m2 = static_cast<int>(std::nearbyint(s.N / 2.0 + 1));
  int64_t steps = 0;
  auto step = [&](int k, double source) {
    r.k = k;
    r.is[k] = source;
    r.ic[k] = (r.is[k] - r.il[k]) - (s.G * r.v[k]);
    if (std::isfinite(r.ic[k])) {
      r.il[k + 1] = ((s.dt * r.v[k]) / s.L) + r.il[k];
      if (std::isfinite(r.il[k + 1])) r.v[k + 1] = ((s.dt * r.ic[k]) / s.C) + r.v[k];
    }
    r.stopped =
        !(std::isfinite(r.ic[k]) && std::isfinite(r.il[k + 1]) && std::isfinite(r.v[k + 1])) ||
        ++steps == max_steps;
    return !r.stopped;
  };
  for (r.cycle = 1; r.cycle <= 100 * s.NP; ++r.cycle) {
    for (int k = 1; k <= m1; ++k)
      if (!step(k, s.Is)) return r;
    r.v[m2] = r.v[m1];
    r.ic[m2] = r.ic[m1];
    r.il[m2] = r.il[m1];
    for (int k = m2; k <= s.N; ++k)
      if (!step(k, 0)) return r;
    if (wrap_source) r.is[1] = r.is[s.N];
    r.v[1] = r.v[s.N];
    r.il[1] = r.il[s.N];
    r.ic[1] = r.ic[s.N];
  }
  return r;
}

void ExpectSameBits(const CircuitState& state, const Reference& r) {
  const SampleArray* arrays[] = {&state.is_t, &state.v_t, &state.iC_t, &state.iL_t};
  const std::vector<double>* expected[] = {&r.is, &r.v, &r.ic, &r.il};
  for (int a = 0; a < 4; ++a) {
    ASSERT_EQ(arrays[a]->upper() + 1, static_cast<int32_t>(expected[a]->size()));
    for (int32_t k = 0; k <= arrays[a]->upper(); ++k) {
      ASSERT_EQ(std::bit_cast<uint64_t>(arrays[a]->at(k)),
                std::bit_cast<uint64_t>((*expected[a])[k]))
          << "array " << a << " (is, v, iC, iL), element " << k;
    }
  }
}

TEST(CircuitState, StartsWithEveryNumberZeroAndNoArray) {
  const CircuitState state;
  for (double x :
       {state.Is, state.is_peak, state.iC_peak, state.iL_peak, state.R, state.G, state.C, state.L,
        state.f, state.fris, state.Qris, state.dt, state.v_peak, state.span_usec})
    EXPECT_EQ(std::bit_cast<uint64_t>(x), 0u);
  EXPECT_EQ(state.N | state.NP | state.k | state.cycle | state.input_error, 0);
  EXPECT_FALSE(state.v_t.allocated() || state.iC_t.allocated() || state.iL_t.allocated() ||
               state.is_t.allocated());
}

TEST(RunSimulation, WorkedExample) {
  CircuitState state;
  ReadParameters(state, kDefaults);
  EXPECT_EQ(state.G, 0.0025);
  EXPECT_EQ(state.dt, (1.0 / 159) / 1000);
  // The constant for 2 pi is 6.28318530717958, not the full-precision value.
  const double s = std::sqrt(0.1 * 1e-5);
  EXPECT_EQ(state.fris, 1 / (s * 6.28318530717958));
  EXPECT_NE(state.fris, 1 / (s * (2 * M_PI)));
  EXPECT_EQ(state.Qris, 400 / ((state.fris * 6.28318530717958) * 0.1));
  EXPECT_NEAR(state.Qris, 4, 1e-12);
  const Reference two = Simulate(state, false, 2);
  EXPECT_NEAR(two.v[2], 0.62893082, 5e-9);
  EXPECT_NEAR(two.ic[2], 0.99842767, 5e-9);
  EXPECT_NEAR(two.il[3], 3.9555397e-5, 5e-13);
  EXPECT_NEAR(two.v[3], 1.25687275, 5e-9);
  RunSimulation(state, false);
  ExpectSameBits(state, Simulate(state, false));
  FindPeakV(state);
  EXPECT_NEAR(state.v_peak, 260.99, 0.005);
}

TEST(RunSimulation, MatchesThePlainSchemeBitForBit) {
  const ParameterTexts rows[] = {
      {"1", "400", "1e-5", "0.1", "159", "1001", "2"},        // seam 500 -> 502, 501 keeps its step
      {"1", "400", "1e-5", "0.1", "159", "1003", "2"},        // seam 502 -> 502
      {"-3", "40", "1e-6", "1e-3", "5000", "7", "1"},         // negative source, tiny odd N
      {"1", "400", "1e-5", "0.1", "159", "2", "1"},           // seam and wrap cancel every step
      {"1", "400", "1e-5", "0.1", "159", "1", "1"},           // no step at all
      {"1", "400", "1e-5", "0.1", "159", "10", "0"},          // no period
      {"1", "400", "1e-5", "0.1", "159", "10", "-4"},         // no period
      {"1e-3", "1e6", "1e-12", "1e-6", "1.59e8", "64", "3"},  // high-Q circuit, even N
  };
  CircuitState state;  // one for every row: each run starts from rest
  for (const ParameterTexts& row : rows) {
    for (bool wrap : {true, false}) {
      SCOPED_TRACE(testing::Message() << "N=" << row.N << " NP=" << row.NP << " wrap=" << wrap);
      ReadParameters(state, row);
      state.k = -7;
      RunSimulation(state, wrap);
      ExpectSameBits(state, Simulate(state, wrap));
      EXPECT_EQ(state.cycle, state.NP < 1 ? 1 : 100 * state.NP + 1);
      EXPECT_EQ(state.k, state.NP < 1 ? -7 : state.N < 2 ? 2 : state.N + 1);
    }
  }
}

TEST(RunSimulation, AFailingStepStopsRightAfterStoringItsValue) {
  const struct {
    const char* label;
    double Is, G, L, C, dt;
    FaultKind kind;
  } rows[] = {
      {"iC overflows in G v at k = 2", 1e10, 1e300, 1, 1, 1, FaultKind::Overflow},
      {"iC is inf G times 0 V at k = 1", 1, INFINITY, 1, 1, 1, FaultKind::InvalidOperation},
      {"iL overflows in the division at k = 2", 1e10, 0, 1e-300, 1, 1, FaultKind::Overflow},
      {"iL overflows in dt v at k = 2", 1, 0, 1, 1, 1e200, FaultKind::Overflow},
      {"iL is 0 / 0 at k = 1", 1, 0, 0, 1, 1, FaultKind::InvalidOperation},
      {"v overflows in dt iC at k = 1", 1e10, 0, 1, 1, 1e300, FaultKind::Overflow},
      {"v overflows in the division at k = 1", 1e10, 0, 1, 1e-300, 1, FaultKind::Overflow},
      {"v divides by C = 0", 1, 0, 1, 0, 1, FaultKind::DivisionByZero},
      {"unstable run", 1, 0.0025, 0.1, 1e-9, 1.25e-1, FaultKind::Overflow},
  };
  for (const auto& row : rows) {
    for (bool wrap : {false, true}) {
      SCOPED_TRACE(testing::Message() << row.label << ", wrap=" << wrap);
      CircuitState state;
      state.Is = row.Is;
      state.G = row.G;
      state.L = row.L;
      state.C = row.C;
      state.dt = row.dt;
      state.N = 8;
      state.NP = 10;
      EXPECT_EQ(FaultOf([&] { RunSimulation(state, wrap); }), row.kind);
      const Reference r = Simulate(state, wrap);
      ASSERT_TRUE(r.stopped);
      ExpectSameBits(state, r);
      EXPECT_EQ(state.k, r.k);
      EXPECT_EQ(state.cycle, r.cycle);
    }
  }
}

TEST(Derivations, FaultWhereTheArithmeticFails) {
  const struct {
    const char *R, *C, *L, *f, *N;
    FaultKind kind;
  } rows[] = {
      {"-0", "1e-5", "0.1", "159", "1000", FaultKind::DivisionByZero},        // G
      {"1e-310", "1e-5", "0.1", "159", "1000", FaultKind::Overflow},          // G
      {"400", "1e-5", "0.1", "0", "1000", FaultKind::DivisionByZero},         // dt
      {"400", "1e-5", "0.1", "1e-310", "1000", FaultKind::Overflow},          // dt
      {"400", "1e-200", "1e-200", "159", "1000", FaultKind::DivisionByZero},  // fris
      {"400", "1e200", "1e200", "159", "1000", FaultKind::Overflow},          // L C
      {"400", "1e-320", "1e308", "159", "1000", FaultKind::Overflow},         // the divisor of Qris
  };
  for (const auto& row : rows) {
    CircuitState state;
    EXPECT_EQ(FaultOf([&] {
                ReadParameters(state, {"1", row.R, row.C, row.L, row.f, row.N, "1"});
              }),
              row.kind)
        << row.R << " " << row.C << " " << row.L << " " << row.f << " " << row.N;
  }
}

// The exact periodic steady state, summed from the Fourier series of the
// square wave: is(t) = Is/2 + sum over odd n of (2 Is / (n pi)) sin(n w t);
// the inductor shorts the mean.
double SteadyStatePeak(double Is, double R, double C, double L, double f) {
  const double w = 2 * M_PI * f;
  double peak = 0;
  for (int i = 0; i < 2000; ++i) {
    double v = 0;
    for (int n = 1; n < 400; n += 2) {
      const std::complex<double> Z = 1.0 / std::complex<double>(1 / R, n * w * C - 1 / (n * w * L));
      v += std::imag(2 * Is / (n * M_PI) * Z * std::polar(1.0, n * w * i / (2000 * f)));
    }
    peak = std::max(peak, std::abs(v));
  }
  return peak;
}

TEST(RunSimulation, EulerPeakApproachesTheExactSteadyState) {
  const double exact = SteadyStatePeak(1, 400, 1e-5, 0.1, 159);
  EXPECT_NEAR(exact, 254.62, 0.01);
  double last_error = INFINITY;
  for (const char* n : {"1000", "4000", "16000"}) {
    CircuitState state;
    ReadParameters(state, {"1", "400", "1e-5", "0.1", "159", n, "1"});
    RunSimulation(state, false);
    FindPeakV(state);
    EXPECT_LT(std::abs(state.v_peak - exact), last_error) << "N = " << n;
    last_error = std::abs(state.v_peak - exact);
  }
  EXPECT_LT(last_error, 0.5);
}

}  // namespace
}  // namespace analysis
