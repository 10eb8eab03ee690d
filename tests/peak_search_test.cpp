#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

TEST(FindPeak, LargestMagnitudeOfSamplesOneToN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::vector<double> values;  // indices 0..upper of the searched array
    int32_t N;
    double peak;
    std::optional<FaultKind> fault;
  } rows[] = {
      {{100, 1, -5, 3, -100}, 3, 5, std::nullopt},  // by magnitude; 0 and N + 1 ignored
      {{0, -4, 4, -4, 0}, 3, 4, std::nullopt},      // ties
      {{0, -0.0, -0.0, 0}, 2, 0, std::nullopt},     // a zero peak has no sign
      {{0, -3, 8}, 0, -3, std::nullopt},            // N < 1: element 1 as stored
      {{0, 1, 2}, 3, 2, FaultKind::IndexOutOfRange},
      {{5}, 0, 1000, FaultKind::IndexOutOfRange},  // no element 1
      {{0, 1, nan, 0}, 2, 1, FaultKind::InvalidOperation},
      {{0, 1, -INFINITY, 0}, 2, 1, FaultKind::Overflow},
  };
  const struct {
    void (*find)(CircuitState&);
    SampleArray CircuitState::*samples;
    double CircuitState::*peak;
  } searches[] = {{FindPeakV, &CircuitState::v_t, &CircuitState::v_peak},
                  {FindPeakIs, &CircuitState::is_t, &CircuitState::is_peak},
                  {FindPeakIC, &CircuitState::iC_t, &CircuitState::iC_peak},
                  {FindPeakIL, &CircuitState::iL_t, &CircuitState::iL_peak}};
  for (const auto& search : searches) {
    for (const auto& row : rows) {
      CircuitState state;
      for (const auto& other : searches) {  // the other arrays and peaks do not count
        (state.*other.samples).Allocate(8);
        (state.*other.samples).at(1) = 77;
        state.*other.peak = 1000;
      }
      SampleArray& samples = state.*search.samples;
      samples.Allocate(static_cast<int32_t>(row.values.size()) - 1);
      for (size_t i = 0; i < row.values.size(); ++i)
        samples.at(static_cast<int32_t>(i)) = row.values[i];
      state.N = row.N;
      const auto label = testing::Message()
                         << "row " << (&row - rows) << ", search " << (&search - searches);
      EXPECT_EQ(test::FaultOf([&] { search.find(state); }), row.fault) << label;
      EXPECT_EQ(std::signbit(state.*search.peak), std::signbit(row.peak)) << label;
      EXPECT_EQ(state.*search.peak, row.peak) << label;
      EXPECT_EQ(state.k, row.fault ? state.k : row.N < 1 ? 1 : row.N + 1) << label;
      for (const auto& other : searches)
        EXPECT_EQ(state.*other.peak, &other == &search ? state.*other.peak : 1000) << label;
    }
    CircuitState unallocated;
    EXPECT_EQ(test::FaultOf([&] { search.find(unallocated); }), FaultKind::IndexOutOfRange);
  }
}

}  // namespace
}  // namespace analysis
