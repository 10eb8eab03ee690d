#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::optional<FaultKind> kNone;

const struct Search {
  const char* name;
  void (*find)(CircuitState&);
  SampleArray CircuitState::*samples;
  double CircuitState::*peak;
} kSearches[] = {
    {"FindPeakV", FindPeakV, &CircuitState::v_t, &CircuitState::v_peak},
    {"FindPeakIs", FindPeakIs, &CircuitState::is_t, &CircuitState::is_peak},
    {"FindPeakIC", FindPeakIC, &CircuitState::iC_t, &CircuitState::iC_peak},
    {"FindPeakIL", FindPeakIL, &CircuitState::iL_t, &CircuitState::iL_peak},
};

TEST(FindPeak, LargestMagnitudeOfSamplesOneToN) {
  const struct {
    const char* label;
    std::vector<double> values;  // indices 0..upper of the searched array
    int32_t N;
    double peak;
    std::optional<FaultKind> fault;
  } rows[] = {
      {"negative extreme by magnitude", {0, 1, -5, 3, 2, 0}, 4, 5, kNone},
      {"opposite signs tie", {0, -4, 4, -4, 0}, 3, 4, kNone},
      {"all zero", {0, 0, 0, 0, 0}, 3, 0, kNone},
      {"negative zeros", {0, -0.0, -0.0, 0}, 2, 0, kNone},
      {"first sample", {0, -9, 1, 2, 0}, 3, 9, kNone},
      {"last sample", {0, 1, 2, -9, 0}, 3, 9, kNone},
      {"indices 0 and N + 1 ignored", {100, 1, 2, 3, -100}, 3, 3, kNone},
      {"N < 1: element 1 as stored", {0, -3, 8}, 0, -3, kNone},
      {"N beyond the array", {0, 1, 2}, 3, 2, FaultKind::IndexOutOfRange},
      {"no element 1", {5}, 0, 1000, FaultKind::IndexOutOfRange},
      {"NaN of a failed run", {0, 1, kNaN, 0}, 2, 1, FaultKind::InvalidOperation},
      {"infinity of a failed run", {0, 1, -kInf, 0}, 2, 1, FaultKind::Overflow},
  };
  for (const Search& search : kSearches) {
    for (const auto& row : rows) {
      CircuitState state;
      for (const Search& other : kSearches) {  // the other arrays must not count
        (state.*other.samples).Allocate(8);
        (state.*other.samples).at(1) = 77;
        state.*other.peak = 1000;
      }
      SampleArray& samples = state.*search.samples;
      samples.Allocate(static_cast<int32_t>(row.values.size()) - 1);
      for (size_t i = 0; i < row.values.size(); ++i)
        samples.at(static_cast<int32_t>(i)) = row.values[i];
      state.N = row.N;
      EXPECT_EQ(test::FaultOf([&] { search.find(state); }), row.fault)
          << search.name << ": " << row.label;
      EXPECT_EQ(state.*search.peak, row.peak) << search.name << ": " << row.label;
      EXPECT_FALSE(std::signbit(state.*search.peak) && row.peak == 0) << row.label;
      if (!row.fault) {
        EXPECT_EQ(state.k, row.N < 1 ? 1 : row.N + 1) << row.label;
      }
      for (const Search& other : kSearches) {
        if (&other != &search) {
          EXPECT_EQ(state.*other.peak, 1000) << row.label;
        }
      }
    }
    CircuitState unallocated;
    EXPECT_EQ(test::FaultOf([&] { search.find(unallocated); }), FaultKind::IndexOutOfRange);
  }
}

TEST(FindPeak, AfterTheDefaultRuns) {
  CircuitState state;
  ReadParameters(state, {"1", "400", "1e-5", "0.1", "159", "1000", "10"});
  RunSimulation(state, true);
  for (const Search& search : kSearches) search.find(state);
  EXPECT_EQ(state.is_peak, 1);
  EXPECT_NEAR(state.v_peak, 260.99, 0.005);
  const double plot_v_peak = state.v_peak;
  RunSimulation(state, false);
  FindPeakV(state);
  EXPECT_EQ(state.v_peak, plot_v_peak);  // the source wrap leaves v as it is
}

}  // namespace
}  // namespace analysis
