// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit analysis: number services, field check, peak search and
// simulation, as tables of cases, one case per line, and independent checks.
#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "analysis/memory_guard.h"
#include "analysis/platform_memory.h"
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

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

TEST(Val, ReadsTheLongestLeadingNumber) {
  const std::pair<std::string, double> rows[] = {
      {"1e-5", 0.00001},  // the header's examples
      {"1.2.3", 1.2},
      {"5-3", 5},
      {".5", 0.5},
      {"--", 0},
      {"+3E+2", 300},
      {".e5", 0},  // the edges of the form: no blank skipped, no word read
      {"2E+", 2},
      {" 1", 0},
      {"inf", 0},
      {"-0", -0.0},
      {"1.7976931348623157e308", kMax},  // correctly rounded at the edges of the range
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"-1e-400", -0.0},
      {"1e-99999999999999999999", 0},
      {"0e99999999999999999999", 0},
      {"0." + std::string(40000, '0') + "1e40001", 1},
      {"." + std::string(400, '0') + "1e-10", 0},
  };
  for (const auto& [text, value] : rows)
    EXPECT_EQ(Bits(Val(text)), Bits(value)) << text.substr(0, 30);
  for (const std::string& text :
       {std::string("1e400"), std::string("1.7976931348623159e308"),
        std::string("-1e99999999999999999999"), std::string("99999999999999999999e300"),
        "0." + std::string(400, '0') + "1e800", "1" + std::string(419, '0') + "e-100"})
    EXPECT_EQ(FaultOf([&] { Val(text); }), FaultKind::Overflow) << text.substr(0, 30);
}

TEST(NearestInt32, RoundsTiesToEvenAndOverflowsOutsideInt32) {
  const std::pair<double, int32_t> rows[] = {
      {2.5, 2},
      {3.5, 4},
      {-0.5, 0},
      {2.4999999999999996, 2},
      {-2147483648.5, INT32_MIN},
      {2147483647.0, INT32_MAX},
  };
  for (const auto& [x, value] : rows) EXPECT_EQ(NearestInt32(x), value) << x;
  for (double x : {2147483647.5, -2147483648.5000005, kInf, kNaN})
    EXPECT_EQ(FaultOf([&] { NearestInt32(x); }), FaultKind::Overflow) << x;
}

TEST(Format, WritesByPattern) {
  const std::tuple<double, const char*, const char*, const char*> rows[] = {
      // The value, the pattern, the separator and the text.
      {4, "0.00E+00", ".", "4.00E+00"},  // the header's examples
      {159.1549431, "0.0000E+00", ".", "1.5915E+02"},
      {0.000123, "0.00E+00", ",", "1,23E-04"},
      {-0.001, "0.00", ".", "0.00"},
      {-31446.54088, "0.00E+00", ".", "-3.14E+04"},
      {0.125, "0.00", ".", "0.12"},  // rounding on the exact binary value
      {2.675, "0.00", ".", "2.67"},
      {9.996, "0.00E+00", ".", "1.00E+01"},
      {1e300, "0.00E+00", ".", "1.00E+300"},
      {-0.0, "0.00E+00", ".", "0.00E+00"},
      {1234, "0.0E-00", ".", "1.2E03"},  // the rest of the pattern language
      {0.0012, "0.0E-00", ".", "1.2E-03"},
      {260.99, "0.00E+0", ".", "2.61E+2"},
      {2.5, "0", ".", "2"},
      {1.5, "0.00", "<>", "1<>50"},
  };
  for (const auto& [value, pattern, separator, text] : rows)
    EXPECT_EQ(Format(value, pattern, separator), text) << value << " " << pattern;
  const std::tuple<double, const char*, FaultKind> faults[] = {
      {kNaN, "0.00", FaultKind::InvalidOperation}, {-kInf, "0.00E+00", FaultKind::Overflow},
      {1, "#.##", FaultKind::InvalidArgument},     {1, "0.00E+", FaultKind::InvalidArgument},
      {1, "0.00x", FaultKind::InvalidArgument},
  };
  for (const auto& [value, pattern, kind] : faults)
    EXPECT_EQ(FaultOf([&, v = value, p = pattern] { Format(v, p, "."); }), kind) << pattern;
  // The window tests see the texts of the other five kinds.
  EXPECT_STREQ(Fault(FaultKind::InvalidOperation).what(), "Operazione non valida");
}

using Shown = std::vector<std::string>;

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  Shown shown;
};

const std::string kWarning = "Il numero di campioni deve essere abbastanza elevato, es. : N = 1000";

// The subject of each field's messages in check order (Is, R, C, L, f, N,
// NP); the messages for a foreign character in N and NP drop its "il ".
// The blanks before the full stops, the trailing blanks and the repeated
// words are the texts'.
const std::string kSubjects[7] = {"la corrente Is",
                                  "il valore di R in ohm",
                                  "il valore della capacità C in F ",
                                  "il valore della induttanza L in H  ",
                                  "il valore della frequenza in Hz",
                                  "il numero dei campioni N",
                                  "il numero dei periodi visualizzati NP"};
const std::string kTail =
    "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
    "1.23 , 1E-5 , 5E3";

TEST(CheckNumericField, AcceptsOnlyNumberCharacters) {
  const std::pair<std::string, bool> rows[] = {
      // text, passes
      {"0123456789eE.-+", true},
      {std::string(70000, '7'), true},
      {std::string(70000, '7') + "x", false},  // each field checks the other characters
  };
  CircuitState state;
  state.missing_msg = "missing";
  state.invalid_msg = "invalid";
  for (const auto& [text, passes] : rows) {
    RecordingSink sink;
    state.input_error = 1;  // the previous check's flag must not survive
    CheckNumericField(text, state, sink);
    EXPECT_EQ(state.input_error, passes ? 0 : 1) << text.substr(0, 9);
    EXPECT_EQ(sink.shown, passes ? Shown{} : Shown{text.empty() ? "missing" : "invalid"})
        << text.substr(0, 9);
  }
}

TEST(CheckParameterFields, EachFieldHasItsMessagesAndTheCheckStopsThere) {
  for (int i = 0; i < 7; ++i) {
    // A blank, the neighbours of the digits and of e and E, a letter beyond ASCII.
    for (const char* bad : {"", "1,5", " 1", "/", ":", "d", "F", "½"}) {
      ParameterTexts texts{"1", "400", "1e-5", "0.1", "159", "1000", "10"};
      std::string* fields[7] = {&texts.Is, &texts.R, &texts.C, &texts.L,
                                &texts.f,  &texts.N, &texts.NP};
      *fields[i] = bad;
      for (int later = i + 1; later < 7; ++later) *fields[later] = "x";  // never reached
      CircuitState state;
      RecordingSink sink;
      EXPECT_FALSE(CheckParameterFields(state, texts, sink));
      Shown expected;
      if (i == 5) expected.push_back(kWarning);  // each reads as 0 or 1: below 1000
      const std::string repeated = i == 6 ? "Puoi scrivere soltanto " : "";
      expected.push_back(*bad == 0 ? "Hai dimenticato di scrivere " + kSubjects[i]
                                   : "Errore di inserimento dati per " +
                                         kSubjects[i].substr(i < 5 ? 0 : 3) +
                                         ". Puoi scrivere soltanto " + repeated + kTail);
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
  const std::tuple<std::vector<double>, int32_t, double, std::optional<FaultKind>> rows[] = {
      // Elements 0..upper of v_t, N, the peak, the fault.
      {{100, -5, 1, 3, -100}, 3, 5, std::nullopt},  // by magnitude; 0 and N + 1 ignored
      {{0, -4, 4, -4, 0}, 3, 4, std::nullopt},      // ties
      {{0, -0.0, -0.0, 0}, 2, 0, std::nullopt},     // a zero peak has no sign
      {{0, -3, 8}, 0, -3, std::nullopt},            // N < 1: element 1 as stored
      {{0, 1, 2}, 3, 2, FaultKind::IndexOutOfRange},
      {{5}, 0, 7, FaultKind::IndexOutOfRange},  // no element 1
      {{0, 1, NAN, 0}, 2, 1, FaultKind::InvalidOperation},
      {{0, 1, -INFINITY, 0}, 2, 1, FaultKind::Overflow},
  };
  for (const auto& [values, N, peak, fault] : rows) {
    CircuitState state;
    state.v_peak = 7;
    state.v_t.Allocate(static_cast<int32_t>(values.size()) - 1);
    for (size_t i = 0; i < values.size(); ++i) state.v_t.at(static_cast<int32_t>(i)) = values[i];
    state.N = N;
    EXPECT_EQ(FaultOf([&] { FindPeakV(state); }), fault) << values.size();
    EXPECT_EQ(Bits(state.v_peak), Bits(peak)) << values.size();
  }
}

const ParameterTexts kDefaults = {"1", "400", "1e-5", "0.1", "159", "1000", "10"};

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

// The least of what limits the memory, from system files handed in: the
// kernel's estimate, a cgroup (version 2, also one above the process's own,
// or version 1) and the address space left under RLIMIT_AS.
TEST(ReadAvailableMemory, TakesTheLeastOfTheLimits) {
#if !defined(__linux__) || defined(_WIN32)
  GTEST_SKIP() << "the system files read are Linux's";
#endif
  const std::string root = testing::TempDir() + "fake-system";
  const std::vector<std::pair<std::string, std::string>> common = {
      {"/proc/meminfo", "MemTotal: 16000000 kB\nMemAvailable:    8000000 kB\n"},
      {"/proc/self/status", "VmRSS:\t 5000 kB\nVmSize:\t 300000 kB\n"},
      {"/proc/self/limits", "Max address space         unlimited            unlimited   bytes\n"}};
  const struct {
    std::vector<std::pair<std::string, std::string>> files;
    uint64_t bytes;
    const char* source;
  } rows[] = {
      {{{"/proc/self/cgroup", "0::/\n"}}, 8000000ull * 1024, "MemAvailable"},
      {{{"/proc/self/cgroup", "0::/app/run\n"},
        {"/sys/fs/cgroup/app/run/memory.max", "max\n"},
        {"/sys/fs/cgroup/app/memory.max", "1610612736\n"},  // 1.5 GiB above the own cgroup
        {"/sys/fs/cgroup/app/memory.current", "610612736\n"}},
       1000000000,
       "cgroup"},
      {{{"/proc/self/cgroup", "4:memory:/job\n0::/\n"},
        {"/sys/fs/cgroup/memory/job/memory.limit_in_bytes", "2000000000\n"},
        {"/sys/fs/cgroup/memory/job/memory.usage_in_bytes", "500000000\n"},
        {"/sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n"}},
       1500000000,
       "cgroup"},
      {{{"/proc/self/cgroup", "0::/\n"},
        {"/proc/self/limits",
         "Max address space         1331200000           unlimited   bytes\n"}},
       1331200000 - 300000ull * 1024,
       "RLIMIT_AS"},
  };
  for (const auto& row : rows) {
    std::filesystem::remove_all(root);
    for (const auto& files : {common, row.files}) {
      for (const auto& [path, text] : files) {
        std::filesystem::create_directories(std::filesystem::path(root + path).parent_path());
        std::ofstream(root + path) << text;
      }
    }
    const AvailableMemory memory = ReadAvailableMemory(root.c_str());
    EXPECT_EQ(memory.bytes, row.bytes) << row.source;
    EXPECT_STREQ(memory.source, row.source);
    EXPECT_EQ(ResidentBytes(root.c_str()), 5000u * 1024);
  }
  std::filesystem::remove_all(root);
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
  CircuitState state;
  ReadParameters(state, kDefaults);
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
      CircuitState state;
      ReadParameters(state, texts);
      RunSimulation(state, wrap);
      FindPeakV(state);
      EXPECT_EQ(Bits(state.v_peak), Bits(peak)) << "N = " << texts.N << " wrap " << wrap;
      EXPECT_EQ(Bits(state.fris), Bits(0x1.3e4f54b370dd5p+7));
      EXPECT_EQ(Bits(state.Qris), Bits(0x1p+2));
    }
  }
}

TEST(RunSimulation, MatchesThePlainSchemeBitForBit) {
  const ParameterTexts rows[] = {
      {"1", "400", "1e-5", "0.1", "159", "1001", "2"},        // seam 500 -> 502, 501 keeps its step
      {"1", "400", "1e-5", "0.1", "159", "1003", "2"},        // seam 502 -> 502
      {"-3", "40", "1e-6", "1e-3", "5000", "7", "1"},         // negative source, tiny odd N
      {"1", "400", "1e-5", "0.1", "159", "2", "1"},           // seam and wrap cancel every step
      {"1", "400", "1e-5", "0.1", "159", "1", "1"},           // no step at all
      {"1", "400", "1e-5", "0.1", "159", "10", "0"},          // no period
      {"1e-3", "1e6", "1e-12", "1e-6", "1.59e8", "64", "3"},  // high-Q circuit, even N
  };
  CircuitState state;  // one for every row: each run starts from rest
  for (const ParameterTexts& row : rows) {
    for (bool wrap : {true, false}) {
      SCOPED_TRACE(testing::Message() << "N=" << row.N << " NP=" << row.NP << " wrap=" << wrap);
      ReadParameters(state, row);
      RunSimulation(state, wrap);
      ExpectSameBits(state, Simulate(state, wrap));
    }
  }
}

TEST(RunSimulation, AFailingStepStopsRightAfterStoringItsValue) {
  const std::tuple<double, double, double, double, double, FaultKind> rows[] = {
      // Is, G, L, C, dt and the fault.
      {1e10, 1e300, 1, 1, 1, FaultKind::Overflow},           // iC: G v overflows at k = 2
      {1, INFINITY, 1, 1, 1, FaultKind::InvalidOperation},   // iC: infinite G times 0 V
      {1e10, 0, 1e-300, 1, 1, FaultKind::Overflow},          // iL: the division at k = 2
      {1, 0, 1, 1, 1e200, FaultKind::Overflow},              // iL: dt v at k = 2
      {1, 0, 0, 1, 1, FaultKind::InvalidOperation},          // iL: 0 / 0
      {1e10, 0, 1, 1, 1e300, FaultKind::Overflow},           // v: dt iC at k = 1
      {1e10, 0, 1, 1e-300, 1, FaultKind::Overflow},          // v: the division
      {1, 0, 1, 0, 1, FaultKind::DivisionByZero},            // v: C = 0
      {1, 0.0025, 0.1, 1e-9, 1.25e-1, FaultKind::Overflow},  // an unstable run
  };
  for (const auto& [Is, G, L, C, dt, kind] : rows) {
    for (bool wrap : {false, true}) {
      SCOPED_TRACE(testing::Message() << "Is " << Is << " G " << G << " L " << L << " C " << C
                                      << " dt " << dt << " wrap " << wrap);
      CircuitState state;
      std::tie(state.Is, state.G, state.L, state.C, state.dt, state.N, state.NP) =
          std::tuple(Is, G, L, C, dt, 8, 10);
      EXPECT_EQ(FaultOf([&] { RunSimulation(state, wrap); }), kind);
      const Reference r = Simulate(state, wrap);
      ASSERT_TRUE(r.stopped);
      ExpectSameBits(state, r);
    }
  }
}

TEST(Derivations, FaultWhereTheArithmeticFails) {
  const std::tuple<const char*, const char*, const char*, const char*, FaultKind> rows[] = {
      // R, C, L, f and the fault; N = 1000.
      {"1e-310", "1e-5", "0.1", "159", FaultKind::Overflow},          // G
      {"400", "1e-5", "0.1", "1e-310", FaultKind::Overflow},          // dt
      {"400", "1e-200", "1e-200", "159", FaultKind::DivisionByZero},  // fris: L C underflows
      {"400", "1e200", "1e200", "159", FaultKind::Overflow},          // L C
      {"400", "1e-320", "1e308", "159", FaultKind::Overflow},         // the divisor of Qris
  };
  for (const auto& [R, C, L, f, kind] : rows) {
    CircuitState state;
    const ParameterTexts texts{"1", R, C, L, f, "1000", "1"};
    EXPECT_EQ(FaultOf([&] { ReadParameters(state, texts); }), kind) << R;
  }
}

// The exact periodic steady state of the worked example, summed from the
// Fourier series of the square wave: is(t) = Is/2 + sum over odd n of
// (2 Is / (n pi)) sin(n w t), the inductor shorting the mean. The Euler
// peak comes nearer to it as the step shrinks.
TEST(RunSimulation, EulerPeakApproachesTheExactSteadyState) {
  const double w = 2 * std::numbers::pi * 159;
  double exact = 0;
  for (int i = 0; i < 2000; ++i) {
    double v = 0;
    for (int n = 1; n < 400; n += 2) {
      const auto Z = 1.0 / std::complex<double>(1 / 400.0, n * w * 1e-5 - 1 / (n * w * 0.1));
      v += std::imag(2 / (n * std::numbers::pi) * Z * std::polar(1.0, n * w * i / (2000 * 159.0)));
    }
    exact = std::max(exact, std::abs(v));
  }
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
