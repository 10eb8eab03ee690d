#include <bit>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "analysis/memory_guard.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

struct Circuit {
  double Is, R, C, L, f;
  int32_t N, NP;
};

const Circuit kDefaults = {1, 400, 1e-5, 0.1, 159, 1000, 10};

void Load(CircuitState& state, const Circuit& c) {
  state.Is = c.Is;
  state.R = c.R;
  state.C = c.C;
  state.L = c.L;
  state.f = c.f;
  DeriveConductance(state);
  state.N = c.N;
  state.NP = c.NP;
  DeriveCircuitValues(state);
}

// A second, plain rendering of the Euler scheme: one vector per waveform,
// the seam and wrap copies written out, no range or result checks. It stops
// after `max_steps` steps when that is not negative.
struct Reference {
  std::vector<double> is, v, ic, il;
};

Reference Simulate(const Circuit& c, bool wrap_source, int64_t max_steps = -1) {
  const double G = 1.0 / c.R;
  const double dt = (1.0 / c.f) / c.N;
  const size_t size = static_cast<size_t>(c.N) + 2;
  Reference r{std::vector<double>(size), std::vector<double>(size), std::vector<double>(size),
              std::vector<double>(size)};
  const int m1 = static_cast<int>(std::nearbyint(c.N / 2.0));
  const int m2 = static_cast<int>(std::nearbyint(c.N / 2.0 + 1));
  int64_t steps = 0;
  auto step = [&](int k, double source) {
    r.is[k] = source;
    r.ic[k] = (r.is[k] - r.il[k]) - (G * r.v[k]);
    r.il[k + 1] = ((dt * r.v[k]) / c.L) + r.il[k];
    r.v[k + 1] = ((dt * r.ic[k]) / c.C) + r.v[k];
    return ++steps != max_steps;
  };
  for (int cycle = 1; cycle <= 100 * c.NP; ++cycle) {
    for (int k = 1; k <= m1; ++k)
      if (!step(k, c.Is)) return r;
    r.v[m2] = r.v[m1];
    r.ic[m2] = r.ic[m1];
    r.il[m2] = r.il[m1];
    for (int k = m2; k <= c.N; ++k)
      if (!step(k, 0)) return r;
    if (wrap_source) r.is[1] = r.is[c.N];
    r.v[1] = r.v[c.N];
    r.il[1] = r.il[c.N];
    r.ic[1] = r.ic[c.N];
  }
  return r;
}

void ExpectSameBits(const SampleArray& actual, const std::vector<double>& expected,
                    const char* name) {
  ASSERT_TRUE(actual.allocated()) << name;
  ASSERT_EQ(actual.upper() + 1, static_cast<int32_t>(expected.size())) << name;
  int mismatches = 0;
  for (int32_t k = 0; k <= actual.upper(); ++k) {
    if (Bits(actual.at(k)) != Bits(expected[k]) && ++mismatches <= 3)
      ADD_FAILURE() << name << "(" << k << ") = " << actual.at(k) << ", expected " << expected[k];
  }
}

using test::FaultOf;

TEST(CircuitState, StartsAtZeroWithoutArrays) {
  const CircuitState state;
  for (const SampleArray* a : {&state.v_t, &state.iC_t, &state.iL_t, &state.is_t}) {
    EXPECT_FALSE(a->allocated());
    EXPECT_EQ(FaultOf([&] { a->at(0); }), FaultKind::IndexOutOfRange);
  }
  for (double x :
       {state.Is, state.is_peak, state.iC_peak, state.iL_peak, state.R, state.G, state.C, state.L,
        state.f, state.fris, state.Qris, state.dt, state.v_peak, state.span_usec})
    EXPECT_EQ(Bits(x), 0u);
  EXPECT_EQ(state.N | state.NP | state.k | state.cycle | state.input_error, 0);
  EXPECT_TRUE(state.field_text.empty() && state.missing_msg.empty() && state.invalid_msg.empty() &&
              state.n_warning_msg.empty());
}

TEST(SampleArray, AllocatesZerosAndChecksEveryIndex) {
  SampleArray a;
  a.Allocate(3);
  a.at(2) = 5;
  a.Allocate(4);  // discards the old contents
  EXPECT_EQ(a.lower(), 0);
  EXPECT_EQ(a.upper(), 4);
  for (int32_t k = 0; k <= 4; ++k) EXPECT_EQ(Bits(a.at(k)), 0u);
  for (int32_t k : {-1, 5, INT32_MIN, INT32_MAX})
    EXPECT_EQ(FaultOf([&] { a.at(k); }), FaultKind::IndexOutOfRange) << k;
  EXPECT_EQ(FaultOf([&] { a.Allocate(-1); }), FaultKind::IndexOutOfRange);
  EXPECT_EQ(a.upper(), 4);  // a refused size keeps the array
  a.at(4) = 9;
  SampleArray copy = a;  // a deep copy: the record can be copied whole
  a.at(4) = 1;
  EXPECT_EQ(copy.at(4), 9);
  EXPECT_EQ(copy.upper(), 4);
  copy = SampleArray();
  EXPECT_FALSE(copy.allocated());
  a.Allocate(0);
  EXPECT_EQ(a.upper(), 0);
}

TEST(DeriveCircuitValues, WorkedExample) {
  CircuitState state;
  Load(state, kDefaults);
  EXPECT_EQ(state.G, 0.0025);
  EXPECT_EQ(Bits(state.dt), Bits((1.0 / 159) / 1000));
  EXPECT_NEAR(state.dt, 6.2893082e-6, 1e-13);
  // The constant for 2 pi is 6.28318530717958, not the full-precision value.
  const double s = std::sqrt(0.1 * 1e-5);
  EXPECT_EQ(Bits(state.fris), Bits(1 / (s * 6.28318530717958)));
  EXPECT_NE(Bits(state.fris), Bits(1 / (s * (2 * M_PI))));
  EXPECT_NEAR(state.fris, 159.15494, 5e-6);
  EXPECT_EQ(Bits(state.Qris), Bits(400 / ((state.fris * 6.28318530717958) * 0.1)));
  EXPECT_NEAR(state.Qris, 4, 1e-12);
}

TEST(RunSimulation, WorkedExampleFirstStepsAndPeak) {
  // The reference's first two steps are those of the worked example ...
  Reference two = Simulate(kDefaults, false, 2);
  EXPECT_EQ(two.is[1], 1);
  EXPECT_EQ(two.ic[1], 1);
  EXPECT_EQ(two.il[2], 0);
  EXPECT_NEAR(two.v[2], 0.62893082, 5e-9);
  EXPECT_EQ(two.is[2], 1);
  EXPECT_NEAR(two.ic[2], 0.99842767, 5e-9);
  EXPECT_NEAR(two.il[3], 3.9555397e-5, 5e-13);
  EXPECT_NEAR(two.v[3], 1.25687275, 5e-9);
  // ... and its whole run is the simulation's, bit for bit.
  CircuitState state;
  Load(state, kDefaults);
  RunSimulation(state, false);
  const Reference full = Simulate(kDefaults, false);
  ExpectSameBits(state.is_t, full.is, "is_t");
  ExpectSameBits(state.v_t, full.v, "v_t");
  ExpectSameBits(state.iC_t, full.ic, "iC_t");
  ExpectSameBits(state.iL_t, full.il, "iL_t");
  EXPECT_EQ(state.cycle, 1001);
  FindPeakV(state);
  EXPECT_NEAR(state.v_peak, 260.99, 0.005);
}

TEST(RunSimulation, MatchesThePlainSchemeBitForBit) {
  const Circuit circuits[] = {
      {1, 400, 1e-5, 0.1, 159, 1001, 2},         // odd N: seam 500 -> 502
      {1, 400, 1e-5, 0.1, 159, 1003, 2},         // odd N: seam 502 -> 502
      {2.5, 50, 2e-6, 0.02, 800, 64, 3},         // other circuit, small even N
      {-3, 40, 1e-6, 1e-3, 5000, 7, 1},          // negative source, tiny odd N
      {1, 400, 1e-5, 0.1, 159, 3, 1},            // N = 3: m1 = 2, m2 = 2
      {1, 400, 1e-5, 0.1, 159, 2, 1},            // seam and wrap cancel every step
      {1, 400, 1e-5, 0.1, 159, 1, 1},            // no step at all
      {1, 400, 1e-5, 0.1, 159, 1000, 0},         // no period
      {1, 400, 1e-5, 0.1, 159, 1000, -4},        // no period
      {1e-3, 1e6, 1e-12, 1e-6, 1.59e8, 999, 1},  // high-Q circuit
  };
  for (const Circuit& c : circuits) {
    for (bool wrap : {false, true}) {
      SCOPED_TRACE(testing::Message()
                   << "N=" << c.N << " NP=" << c.NP << " Is=" << c.Is << " wrap=" << wrap);
      CircuitState state;
      Load(state, c);
      RunSimulation(state, wrap);
      const Reference r = Simulate(c, wrap);
      ExpectSameBits(state.is_t, r.is, "is_t");
      ExpectSameBits(state.v_t, r.v, "v_t");
      ExpectSameBits(state.iC_t, r.ic, "iC_t");
      ExpectSameBits(state.iL_t, r.il, "iL_t");
      EXPECT_EQ(state.cycle, c.NP < 1 ? 1 : 100 * c.NP + 1);
    }
  }
}

TEST(RunSimulation, SeamAndWrapShapeTheSourceWave) {
  CircuitState state;
  Load(state, kDefaults);
  RunSimulation(state, false);
  EXPECT_EQ(state.is_t.at(1), 1);  // never carried over without the wrap
  for (int32_t k = 2; k <= 500; ++k) ASSERT_EQ(state.is_t.at(k), 1) << k;
  for (int32_t k = 501; k <= 1000; ++k) ASSERT_EQ(state.is_t.at(k), 0) << k;
  // Samples 500 and 501 stand for one instant: same v and iL, iC one Is apart.
  EXPECT_EQ(Bits(state.v_t.at(501)), Bits(state.v_t.at(500)));
  EXPECT_EQ(Bits(state.iL_t.at(501)), Bits(state.iL_t.at(500)));
  EXPECT_NEAR(state.iC_t.at(500) - state.iC_t.at(501), 1, 1e-9);
  EXPECT_EQ(state.k, 1001);

  RunSimulation(state, true);
  EXPECT_EQ(state.is_t.at(1), 0);  // is(N) carried over the seam

  Circuit odd = kDefaults;
  odd.N = 1001;
  Load(state, odd);
  RunSimulation(state, false);
  EXPECT_EQ(state.is_t.at(500), 1);
  EXPECT_EQ(state.is_t.at(501), 0);
  EXPECT_EQ(state.iC_t.at(501), 0);
  EXPECT_NE(state.v_t.at(501), 0);  // the last first-half step's state stays
  odd.N = 1003;
  Load(state, odd);
  RunSimulation(state, false);
  EXPECT_EQ(state.is_t.at(502), 0);
  EXPECT_EQ(state.is_t.at(501), 1);
}

TEST(RunSimulation, DegenerateSampleCounts) {
  for (bool wrap : {false, true}) {
    CircuitState state;
    Circuit c = kDefaults;
    c.N = 2;
    Load(state, c);
    RunSimulation(state, wrap);
    for (int32_t k = 0; k <= 3; ++k) {
      EXPECT_EQ(state.v_t.at(k), 0) << k;
      EXPECT_EQ(state.iL_t.at(k), 0) << k;
      EXPECT_EQ(state.iC_t.at(k), 0) << k;
    }
    EXPECT_EQ(state.is_t.at(2), 0);
    EXPECT_EQ(state.is_t.at(1), wrap ? 0 : 1);

    c.N = 1;
    Load(state, c);
    RunSimulation(state, wrap);
    for (const SampleArray* a : {&state.v_t, &state.iC_t, &state.iL_t, &state.is_t}) {
      EXPECT_EQ(a->upper(), 2);
      for (int32_t k = 0; k <= 2; ++k) EXPECT_EQ(a->at(k), 0);
    }
  }
}

TEST(RunSimulation, NoPeriodLeavesZeroedArraysOfTheNewSize) {
  CircuitState state;
  Load(state, kDefaults);
  RunSimulation(state, false);
  for (int32_t np : {0, -1, INT32_MIN / 100}) {
    Circuit c = kDefaults;
    c.N = 10;
    c.NP = np;
    Load(state, c);
    RunSimulation(state, true);
    EXPECT_EQ(state.cycle, 1);
    for (const SampleArray* a : {&state.v_t, &state.iC_t, &state.iL_t, &state.is_t}) {
      ASSERT_EQ(a->upper(), 11);
      for (int32_t k = 0; k <= 11; ++k) EXPECT_EQ(Bits(a->at(k)), 0u);
    }
    FindPeakV(state);
    EXPECT_EQ(state.v_peak, 0);
  }
}

TEST(RunSimulation, RerunsAreBitIdenticalWhateverRanBefore) {
  CircuitState first;
  Load(first, kDefaults);
  RunSimulation(first, true);
  CircuitState second;
  Circuit other = kDefaults;
  other.N = 1500;
  other.Is = 7;
  Load(second, other);
  RunSimulation(second, false);
  Load(second, kDefaults);
  RunSimulation(second, true);
  for (int32_t k = 0; k <= 1001; ++k) {
    ASSERT_EQ(Bits(first.v_t.at(k)), Bits(second.v_t.at(k))) << k;
    ASSERT_EQ(Bits(first.iC_t.at(k)), Bits(second.iC_t.at(k))) << k;
    ASSERT_EQ(Bits(first.iL_t.at(k)), Bits(second.iL_t.at(k))) << k;
    ASSERT_EQ(Bits(first.is_t.at(k)), Bits(second.is_t.at(k))) << k;
  }
}

TEST(Derivations, FaultWhereTheArithmeticFails) {
  const struct {
    const char* label;
    Circuit circuit;
    FaultKind kind;
  } cases[] = {
      {"R = 0", {1, 0, 1e-5, 0.1, 159, 1000, 10}, FaultKind::DivisionByZero},
      {"R = -0", {1, -0.0, 1e-5, 0.1, 159, 1000, 10}, FaultKind::DivisionByZero},
      {"f = 0", {1, 400, 1e-5, 0.1, 0, 1000, 10}, FaultKind::DivisionByZero},
      {"N = 0", {1, 400, 1e-5, 0.1, 159, 0, 10}, FaultKind::DivisionByZero},
      {"L = 0", {1, 400, 1e-5, 0, 159, 1000, 10}, FaultKind::DivisionByZero},
      {"C = 0", {1, 400, 0, 0.1, 159, 1000, 10}, FaultKind::DivisionByZero},
      {"L C < 0", {1, 400, 1e-5, -0.1, 159, 1000, 10}, FaultKind::InvalidArgument},
      {"1 / f overflows", {1, 400, 1e-5, 0.1, 1e-310, 1000, 10}, FaultKind::Overflow},
      {"1 / R overflows", {1, 1e-310, 1e-5, 0.1, 159, 1000, 10}, FaultKind::Overflow},
      {"L C overflows", {1, 400, 1e200, 1e200, 159, 1000, 10}, FaultKind::Overflow},
      {"L C underflows to 0", {1, 400, 1e-200, 1e-200, 159, 1000, 10}, FaultKind::DivisionByZero},
      {"divisor of Qris overflows", {1, 400, 1e-320, 1e308, 159, 1000, 10}, FaultKind::Overflow},
  };
  for (const auto& c : cases) {
    CircuitState state;
    EXPECT_EQ(FaultOf([&] { Load(state, c.circuit); }), c.kind) << c.label;
  }
}

TEST(Derivations, TheFaultyValueIsStoredFirst) {
  CircuitState state;
  state.R = 0;
  EXPECT_EQ(FaultOf([&] { DeriveConductance(state); }), FaultKind::DivisionByZero);
  EXPECT_TRUE(std::isinf(state.G));
  state.f = 159;
  state.N = 0;
  EXPECT_EQ(FaultOf([&] { DeriveCircuitValues(state); }), FaultKind::DivisionByZero);
  EXPECT_TRUE(std::isinf(state.dt));
  state.N = 1000;
  state.L = 0;
  state.C = 1e-5;
  EXPECT_EQ(FaultOf([&] { DeriveCircuitValues(state); }), FaultKind::DivisionByZero);
  EXPECT_TRUE(std::isinf(state.fris));
}

TEST(RunSimulation, FaultsOnSizesAndCounts) {
  const struct {
    const char* label;
    int32_t N, NP;
    FaultKind kind;
  } cases[] = {
      {"N + 1 beyond int32", INT32_MAX, 1, FaultKind::Overflow},
      {"100 NP beyond int32", 1000, 21474837, FaultKind::Overflow},
      {"100 NP below int32", 1000, -21474837, FaultKind::Overflow},
      {"negative N at the allocation", -5, 1, FaultKind::IndexOutOfRange},
      {"N = -1 at the wrap", -1, 1, FaultKind::IndexOutOfRange},
  };
  for (const auto& c : cases) {
    for (bool wrap : {false, true}) {
      CircuitState state;
      state.N = c.N;
      state.NP = c.NP;
      state.G = 0.0025;
      state.dt = 1e-6;
      state.L = 0.1;
      state.C = 1e-5;
      EXPECT_EQ(FaultOf([&] { RunSimulation(state, wrap); }), c.kind) << c.label;
    }
  }
  // With no period, a negative N ends at the peak search.
  CircuitState state;
  state.N = -1;
  RunSimulation(state, false);
  EXPECT_EQ(FaultOf([&] { FindPeakV(state); }), FaultKind::IndexOutOfRange);
}

TEST(RunSimulation, AnUnstableRunOverflowsWithTheValueStored) {
  // Far too few samples per period for this circuit: the Euler steps grow
  // without bound.
  CircuitState state;
  Load(state, {1, 400, 1e-9, 0.1, 1, 8, 10});
  EXPECT_EQ(FaultOf([&] { RunSimulation(state, false); }), FaultKind::Overflow);
  EXPECT_GT(state.cycle, 1);
  EXPECT_LE(state.cycle, 1000);
  const int32_t k = state.k;
  ASSERT_GE(k, 1);
  ASSERT_LE(k, 8);
  const bool stored = !std::isfinite(state.iC_t.at(k)) || !std::isfinite(state.iL_t.at(k + 1)) ||
                      !std::isfinite(state.v_t.at(k + 1));
  EXPECT_TRUE(stored) << "the overflowing value is in the arrays at step " << k;
}

TEST(RunSimulation, ArraysBeyondMemoryFaultAtOnce) {
  // Four arrays of 2^31 doubles: 64 GiB.
  if (AvailableMemoryBytes() > (uint64_t{64} << 30)) GTEST_SKIP() << "machine has 64 GiB free";
  CircuitState state;
  Load(state, kDefaults);
  RunSimulation(state, false);
  state.N = 2147483646;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FaultOf([&] { RunSimulation(state, false); }), FaultKind::OutOfMemory);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_STREQ(Fault(FaultKind::OutOfMemory).what(), "Memoria insufficiente");
}

// The exact periodic steady state of the circuit, summed from the Fourier
// series of the square wave: is(t) = Is/2 + sum over odd n of
// (2 Is / (n pi)) sin(n w t); the inductor shorts the mean.
double SteadyStatePeak(const Circuit& c) {
  const double w = 2 * M_PI * c.f;
  double peak = 0;
  const int points = 2000;
  for (int i = 0; i < points; ++i) {
    const double t = i / (points * c.f);
    double v = 0;
    for (int n = 1; n < 400; n += 2) {
      const std::complex<double> Z =
          1.0 / std::complex<double>(1 / c.R, n * w * c.C - 1 / (n * w * c.L));
      v += std::imag(2 * c.Is / (n * M_PI) * Z * std::polar(1.0, n * w * t));
    }
    peak = std::max(peak, std::abs(v));
  }
  return peak;
}

TEST(RunSimulation, EulerPeakApproachesTheExactSteadyState) {
  const Circuit base = {1, 400, 1e-5, 0.1, 159, 1000, 1};
  const double exact = SteadyStatePeak(base);
  EXPECT_NEAR(exact, 254.62, 0.01);
  double last_error = INFINITY;
  for (int32_t n : {1000, 4000, 16000}) {
    Circuit c = base;
    c.N = n;
    CircuitState state;
    Load(state, c);
    RunSimulation(state, false);
    FindPeakV(state);
    const double error = std::abs(state.v_peak - exact);
    EXPECT_LT(error, last_error) << "N = " << n;
    last_error = error;
  }
  EXPECT_LT(last_error, 0.5);
}

}  // namespace
}  // namespace analysis
