// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit analysis: number services, field check, peak search and
// simulation, as tables of cases, one case per line, and independent checks.
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "analysis/memory_guard.h"
#include "analysis/platform_memory.h"
#include "tests/cases.h"
#include "tests/plain_euler.h"

namespace analysis {
namespace {

// Returns the kind of the Fault that `action()` throws, or nullopt.
template <class Action>
std::optional<FaultKind> FaultOf(Action&& action) {
  try {
    action();
  } catch (const Fault& fault) {
    return fault.kind();
  }
  return std::nullopt;
}

// The text of the Fault that `action()` throws, or an empty text.
template <class Action>
std::string FaultTextOf(Action&& action) {
  const std::optional<FaultKind> kind = FaultOf(action);
  return kind ? Fault(*kind).what() : "";
}

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

TEST(Val, ReadsTheLongestLeadingNumber) {
  for (const test::Case& row : test::Cases("val")) {
    double value = 0;
    const std::string fault = FaultTextOf([&] { value = Val(row.at(0)); });
    EXPECT_EQ(fault, row.at(1) == "Overflow" ? row[1] : "") << row[0];
    // A fault leaves the value as it was.
    EXPECT_EQ(Bits(value), Bits(fault.empty() ? test::Number(row[1]) : 0.0)) << row[0];
  }
  // Texts too long for a table: digits far beyond where they count.
  EXPECT_EQ(Val("0." + std::string(40000, '0') + "1e40001"), 1);
  EXPECT_EQ(Val("." + std::string(400, '0') + "1e-10"), 0);
  for (const std::string& text :
       {"0." + std::string(400, '0') + "1e800", "1" + std::string(419, '0') + "e-100"})
    EXPECT_EQ(FaultOf([&] { Val(text); }), FaultKind::Overflow) << text.substr(0, 30);
}

TEST(NearestInt32, RoundsTiesToEvenAndOverflowsOutsideInt32) {
  for (const test::Case& row : test::Cases("nearest_int32")) {
    int32_t value = 0;
    const std::string fault = FaultTextOf([&] { value = NearestInt32(test::Number(row.at(0))); });
    EXPECT_EQ(fault.empty() ? std::to_string(value) : fault, row.at(1)) << row[0];
  }
}

TEST(Format, WritesByPattern) {
  for (const test::Case& row : test::Cases("format")) {
    std::string text;
    const std::string reported_from = test::Field(row, 4);  // FormatReported's bound
    const std::string fault = FaultTextOf([&] {
      const double value = test::Number(row.at(0));
      text = reported_from.empty()
                 ? Format(value, row.at(1), row.at(2))
                 : FormatReported(value, row.at(1), row.at(2), test::Number(reported_from));
    });
    EXPECT_EQ(fault.empty() ? text : fault, row.at(3)) << row[0] << " " << row[1];
  }
}

using Shown = std::vector<std::string>;

const std::string kWarning = "Il numero di campioni deve essere abbastanza elevato, es. : N = 1000";

TEST(CheckNumericField, AcceptsOnlyNumberCharacters) {
  // The text, whether it passes: each field checks the other characters.
  const std::pair<std::string, bool> rows[] = {{"0123456789eE.-+", true},
                                               {std::string(70000, '7'), true},
                                               {std::string(70000, '7') + "x", false}};
  CircuitState state;
  state.missing_msg = "missing";
  state.invalid_msg = "invalid";
  for (const auto& [text, passes] : rows) {
    RecordingSink sink;
    state.input_error = 1;  // the previous check's flag must not survive
    CheckNumericField(text, state, sink);
    EXPECT_EQ(state.input_error, passes ? 0 : 1) << text.substr(0, 9);
    EXPECT_EQ(sink.shown, passes ? Shown{} : Shown{"invalid"}) << text.substr(0, 9);
  }
}

TEST(CheckParameterFields, EachFieldHasItsMessagesAndTheCheckStopsThere) {
  for (const test::Case& row : test::Cases("field_checks")) {
    const int i = std::stoi(row.at(0));
    // A blank, the neighbours of the digits and of e and E, a letter beyond ASCII.
    for (const char* bad : {"", "1,5", " 1", "/", ":", "d", "F", "½"}) {
      ParameterTexts texts = kDefaults;
      FieldText(texts, i) = bad;
      for (int later = i + 1; later < 7; ++later) FieldText(texts, later) = "x";  // never reached
      CircuitState state;
      RecordingSink sink;
      EXPECT_FALSE(CheckParameterFields(state, texts, sink));
      Shown expected;
      if (i == 5) expected.push_back(kWarning);  // each reads as 0 or 1: below 1000
      expected.push_back(row.at(*bad == 0 ? 1 : 2));
      EXPECT_EQ(sink.shown, expected) << "field " << i << " '" << bad << "'";
      EXPECT_EQ(state.input_error, 1);
    }
  }
  for (const char* n : {"999.6", "1e3"}) {  // 999.6 becomes 1000: the warning reads the text
    CircuitState state;
    RecordingSink sink;
    EXPECT_TRUE(CheckParameterFields(state, {"1", "400", "1e-5", "0.1", "159", n, "10"}, sink));
    const std::string warning = *n == '9' ? kWarning : "";
    EXPECT_EQ(sink.shown, warning.empty() ? Shown{} : Shown{warning}) << n;
    EXPECT_EQ(state.n_warning_msg, warning) << n;
  }
}

// The four searches differ only in their array and peak (a plot uses all
// four: the reference images hold them); this one is tried on every case.
TEST(FindPeakV, LargestMagnitudeOfSamplesOneToN) {
  for (const test::Case& row : test::Cases("peak_search")) {
    std::vector<double> values;
    std::istringstream elements(row.at(0));
    for (std::string element; elements >> element;) values.push_back(test::Number(element));
    CircuitState state;
    state.v_peak = 7;
    state.v_t.Allocate(static_cast<int32_t>(values.size()) - 1);
    for (size_t i = 0; i < values.size(); ++i) state.v_t.at(static_cast<int32_t>(i)) = values[i];
    state.N = std::stoi(row.at(1));
    EXPECT_EQ(FaultTextOf([&] { FindPeakV(state); }), test::Field(row, 3)) << row[0];
    EXPECT_EQ(Bits(state.v_peak), Bits(test::Number(row.at(2)))) << row[0];
  }
}

void ExpectSameBits(const CircuitState& state, const Reference& r) {
  const std::pair<const SampleArray*, const std::vector<double>*> arrays[] = {
      {&state.is_t, &r.is}, {&state.v_t, &r.v}, {&state.iC_t, &r.ic}, {&state.iL_t, &r.il}};
  for (const auto& [actual, expected] : arrays) {
    ASSERT_EQ(actual->upper() + 1, static_cast<int32_t>(expected->size()));
    for (int32_t k = 0; k <= actual->upper(); ++k)
      ASSERT_EQ(Bits(actual->at(k)), Bits((*expected)[k])) << "element " << k;
  }
}

// Where the system tells its free memory: the branch of the platform this
// test was built for must be the one that answers.
TEST(ReadAvailableMemory, AsksThisPlatform) {
#if defined(_WIN32)
  const char* expected = "GlobalMemoryStatusEx";  // also under wine, which maps /proc
#elif defined(__APPLE__)
  const char* expected = "host_statistics64";
#elif defined(__linux__)
  const char* expected = "MemAvailable";
#else
  GTEST_SKIP() << "this platform cannot tell its free memory";
#endif
  const AvailableMemory memory = ReadAvailableMemory();
  EXPECT_STREQ(memory.source, expected);
  ASSERT_TRUE(memory.bytes.has_value());
  EXPECT_GT(*memory.bytes, kAlwaysAvailableBytes);
}

// The least of what limits the memory, from the system files of
// tests/cases/systems: the
// kernel's estimate, a cgroup (version 2, also one above the process's own,
// or version 1) and the address space left under RLIMIT_AS.
TEST(ReadAvailableMemory, TakesTheLeastOfTheLimits) {
#if !defined(__linux__) || defined(_WIN32)
  GTEST_SKIP() << "the system files read are Linux's";
#endif
  for (const test::Case& row : test::Cases("memory")) {
    const std::string root = RLC_TEST_CASES "/systems/" + row.at(0);
    const AvailableMemory memory = ReadAvailableMemory(root.c_str());
    EXPECT_EQ(memory.bytes, std::stoull(row.at(1))) << row[0];
    EXPECT_STREQ(memory.source, row.at(2).c_str());
    EXPECT_EQ(ResidentBytes(root.c_str()), 5000u * 1024);
  }
}

TEST(EnsureMemoryFor, HoldsTheRequestAgainstWhatTheSystemTells) {
  const AvailableMemory memory = ReadAvailableMemory();
  if (!memory.bytes) GTEST_SKIP() << memory.source << " cannot tell the free memory here";
  const uint64_t bytes = *memory.bytes;
  EXPECT_EQ(FaultOf([&] { EnsureMemoryFor(2 * bytes, bytes / 2); }), FaultKind::OutOfMemory);
  EXPECT_EQ(FaultOf([&] { EnsureMemoryFor(2 * bytes, bytes + bytes / 2); }), std::nullopt);
  EXPECT_EQ(FaultOf([&] { EnsureMemoryFor(kAlwaysAvailableBytes, 0); }), std::nullopt);
}

TEST(RunSimulation, WorkedExample) {
  CircuitState state = StateOf(kDefaults);
  EXPECT_EQ(state.G, 0.0025);
  EXPECT_EQ(state.dt, (1.0 / 159) / 1000);
  // The constant for 2 pi is 6.28318530717958, not the full-precision value.
  const double s = std::sqrt(0.1 * 1e-5);
  EXPECT_EQ(state.fris, 1 / (s * 6.28318530717958));
  EXPECT_EQ(state.Qris, 400 / ((state.fris * 6.28318530717958) * 0.1));
  EXPECT_NEAR(state.Qris, 4, 1e-12);
  const Reference two = Simulate(state, false, 2);
  EXPECT_NEAR(two.v[2], 0.62893082, 5e-9);
  EXPECT_NEAR(two.ic[2], 0.99842767, 5e-9);
  EXPECT_NEAR(two.il[3], 3.9555397e-5, 5e-13);
  EXPECT_NEAR(two.v[3], 1.25687275, 5e-9);
  RunSimulation(state, false);
  FindPeakV(state);
  EXPECT_NEAR(state.v_peak, 260.99, 0.005);
}

// The result bits, from a reference kept apart from this program: they hold
// whatever compiler and flags built it, a fused multiply-add among them.
TEST(RunSimulation, GivesTheBitsOfAnIndependentReference) {
  const std::pair<ParameterTexts, double> rows[] = {
      {{"1", "400", "1e-5", "0.1", "159", "1000", "10"}, 0x1.04fe60f49bc2ap+8},
      {{"1", "400", "1e-5", "0.1", "159", "777", "3"}, 0x1.06aa6753cd091p+8},
  };
  for (const auto& [texts, peak] : rows) {
    for (bool wrap : {false, true}) {
      const CircuitState state = RunOf(texts, wrap);
      EXPECT_EQ(Bits(state.v_peak), Bits(peak)) << "N = " << texts.N << " wrap " << wrap;
      EXPECT_EQ(Bits(state.fris), Bits(0x1.3e4f54b370dd5p+7));
      EXPECT_EQ(Bits(state.Qris), Bits(0x1p+2));
    }
  }
}

TEST(RunSimulation, MatchesThePlainSchemeBitForBit) {
  CircuitState state;  // one for every row: each run starts from rest
  for (const test::Case& row : test::Cases("plain_scheme")) {
    for (bool wrap : {true, false}) {
      SCOPED_TRACE(testing::Message() << row.at(7) << ", wrap " << wrap);
      ReadParameters(state, {row[0], row[1], row[2], row[3], row[4], row[5], row[6]});
      RunSimulation(state, wrap);
      ExpectSameBits(state, Simulate(state, wrap));
    }
  }
}

TEST(RunSimulation, AFailingStepStopsRightAfterStoringItsValue) {
  for (const test::Case& row : test::Cases("failing_steps")) {
    for (bool wrap : {false, true}) {
      SCOPED_TRACE(testing::Message() << row.at(6) << ", wrap " << wrap);
      CircuitState state;
      std::tie(state.Is, state.G, state.L, state.C, state.dt, state.N, state.NP) =
          std::tuple(test::Number(row[0]), test::Number(row[1]), test::Number(row[2]),
                     test::Number(row[3]), test::Number(row[4]), 8, 10);
      EXPECT_EQ(FaultTextOf([&] { RunSimulation(state, wrap); }), row[5]);
      const Reference r = Simulate(state, wrap);
      ASSERT_TRUE(r.stopped);
      ExpectSameBits(state, r);
    }
  }
}

TEST(Derivations, FaultWhereTheArithmeticFails) {
  for (const test::Case& row : test::Cases("derivations")) {
    CircuitState state;
    const ParameterTexts texts{"1", row.at(0), row.at(1), row.at(2), row.at(3), "1000", "1"};
    EXPECT_EQ(FaultTextOf([&] { ReadParameters(state, texts); }), row.at(4)) << row.at(5);
  }
}

}  // namespace
}  // namespace analysis
