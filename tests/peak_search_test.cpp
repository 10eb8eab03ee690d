#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

struct Search {
  const char* name;
  void (*find)(CircuitState&);
  SampleArray CircuitState::*samples;
  double CircuitState::*peak;
};

const Search kSearches[] = {
    {"FindPeakV", FindPeakV, &CircuitState::v_t, &CircuitState::v_peak},
    {"FindPeakIs", FindPeakIs, &CircuitState::is_t, &CircuitState::is_peak},
    {"FindPeakIC", FindPeakIC, &CircuitState::iC_t, &CircuitState::iC_peak},
    {"FindPeakIL", FindPeakIL, &CircuitState::iL_t, &CircuitState::iL_peak},
};

// Fills elements 0..N+1 of the searched array of a state with N samples.
void Fill(CircuitState& state, const Search& search, const std::vector<double>& values) {
  state.N = static_cast<int32_t>(values.size()) - 2;
  SampleArray& a = state.*search.samples;
  a.Allocate(state.N + 1);
  for (size_t i = 0; i < values.size(); ++i) a.at(static_cast<int32_t>(i)) = values[i];
}

TEST(FindPeak, LargestMagnitudeOfSamplesOneToN) {
  const struct {
    const char* label;
    std::vector<double> values;  // indices 0..N+1
    double peak;
  } cases[] = {
      {"negative extreme counts by magnitude", {0, 1, -5, 3, 2, 0}, 5},
      {"opposite signs tie, positive result", {0, -4, 4, -4, 0}, 4},
      {"all zero", {0, 0, 0, 0, 0}, 0},
      {"negative zeros give zero", {0, -0.0, -0.0, 0}, 0},
      {"first sample is the peak", {0, -9, 1, 2, 0}, 9},
      {"last sample is the peak", {0, 1, 2, -9, 0}, 9},
      {"indices 0 and N+1 ignored", {100, 1, 2, 3, -100}, 3},
      {"one sample", {7, -2, 7}, 2},
  };
  for (const Search& search : kSearches) {
    for (const auto& c : cases) {
      CircuitState state;
      state.*search.peak = 1000;  // an old peak must not survive
      Fill(state, search, c.values);
      search.find(state);
      EXPECT_EQ(state.*search.peak, c.peak) << search.name << ": " << c.label;
      EXPECT_FALSE(std::signbit(state.*search.peak)) << search.name << ": " << c.label;
      EXPECT_EQ(state.k, state.N + 1) << search.name << ": " << c.label;
    }
  }
}

TEST(FindPeak, TouchesOnlyItsOwnPeak) {
  CircuitState state;
  Fill(state, kSearches[0], {0, 1, 2, 0});
  for (const Search& search : kSearches) (state.*search.samples).Allocate(3);
  state.v_t.at(1) = 3;
  state.is_t.at(2) = 4;
  state.iC_t.at(1) = -5;
  state.iL_t.at(2) = 6;
  const double expected[] = {3, 4, 5, 6};
  for (int i = 0; i < 4; ++i) {
    kSearches[i].find(state);
    for (int j = 0; j < 4; ++j)
      EXPECT_EQ(state.*kSearches[j].peak, j <= i ? expected[j] : 0) << kSearches[i].name;
  }
}

TEST(FindPeak, WithoutSamplesToScan) {
  for (const Search& search : kSearches) {
    // N < 1: the loop never runs; the peak is element 1 as stored, sign
    // included, and k stays 1.
    CircuitState state;
    state.N = 0;
    SampleArray& a = state.*search.samples;
    a.Allocate(1);
    a.at(1) = -3;
    search.find(state);
    EXPECT_EQ(state.*search.peak, -3) << search.name;
    EXPECT_EQ(state.k, 1) << search.name;
  }
}

TEST(FindPeak, FaultsWithoutAValidArray) {
  for (const Search& search : kSearches) {
    const struct {
      const char* label;
      std::function<void(CircuitState&)> prepare;
      FaultKind kind;
    } cases[] = {
        {"unallocated, N < 1", [](CircuitState& s) { s.N = 0; }, FaultKind::IndexOutOfRange},
        {"unallocated", [](CircuitState& s) { s.N = 1000; }, FaultKind::IndexOutOfRange},
        {"N beyond the array",
         [&](CircuitState& s) {
           (s.*search.samples).Allocate(5);
           s.N = 6;
         },
         FaultKind::IndexOutOfRange},
        {"NaN left by a failed run",
         [&](CircuitState& s) {
           Fill(s, search, {0, 1, std::numeric_limits<double>::quiet_NaN(), 0});
         },
         FaultKind::InvalidOperation},
        {"infinity left by a failed run",
         [&](CircuitState& s) {
           Fill(s, search, {0, 1, -std::numeric_limits<double>::infinity(), 0});
         },
         FaultKind::Overflow},
    };
    for (const auto& c : cases) {
      CircuitState state;
      c.prepare(state);
      EXPECT_EQ(test::FaultOf([&] { search.find(state); }), c.kind)
          << search.name << ": " << c.label;
    }
  }
}

TEST(FindPeak, AfterTheDefaultPlotRun) {
  CircuitState state;
  ReadParameters(state, {"1", "400", "1e-5", "0.1", "159", "1000", "10"});
  RunSimulation(state, true);
  FindPeakIs(state);
  FindPeakV(state);
  FindPeakIC(state);
  FindPeakIL(state);
  EXPECT_EQ(state.is_peak, 1);
  EXPECT_NEAR(state.v_peak, 260.99, 0.005);
  EXPECT_GT(state.iC_peak, 0);
  EXPECT_GT(state.iL_peak, 0);
  EXPECT_EQ(state.k, 1001);
  const double plot_v_peak = state.v_peak;
  RunSimulation(state, false);
  FindPeakV(state);
  EXPECT_EQ(state.v_peak, plot_v_peak);  // the source wrap does not change v
}

}  // namespace
}  // namespace analysis
