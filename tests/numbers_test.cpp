#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

struct ValCase {
  const char* label;
  const char* text;
  double value;
};

TEST(Val, ReadsTheLongestLeadingNumber) {
  const ValCase cases[] = {
      // The examples of the header and of the compute command.
      {"exponent", "1e-5", 0.00001},
      {"second point ends the number", "1.2.3", 1.2},
      {"minus after digits ends the number", "5-3", 5},
      {"exponent without mantissa", "e5", 0},
      {"no digit before the point", ".5", 0.5},
      {"exponent without digits", "1e", 1},
      {"two signs", "--", 0},
      {"plus signs everywhere", "+3E+2", 300},
      // Texts that pass the field check and their readings.
      {"lone e", "e", 0},
      {"lone point", ".", 0},
      {"lone plus", "+", 0},
      {"point then exponent", ".e5", 0},
      {"signed point", "-.", 0},
      {"no digit after the point", "5.", 5},
      {"no digit after the point, exponent", "5.e2", 500},
      {"default R", "400", 400},
      {"default C", "1e-5", 1e-5},
      {"default L", "0.1", 0.1},
      {"negative", "-0.5", -0.5},
      {"exponent sign without digits", "2E+", 2},
      {"second exponent ignored", "5E3E", 5000},
      {"leading zeros", "000.000123e5", 12.3},
      {"upper case exponent", "1E-5", 1e-5},
      // What the check rejects still reads as far as it is a number.
      {"leading blank", " 1", 0},
      {"comma", "0,5", 0},
      {"letters after", "12abc", 12},
      {"hex prefix", "0x10", 0},
      {"infinity is no number", "inf", 0},
      {"nan is no number", "nan", 0},
      {"empty", "", 0},
      // Correctly rounded at the edges of the double range.
      {"largest double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
      {"smallest subnormal", "4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"below half the smallest subnormal", "1e-400", 0},
      {"huge negative exponent", "1e-99999999999999999999", 0},
      {"zero with huge exponent", "0e99999999999999999999", 0},
  };
  for (const ValCase& c : cases) {
    EXPECT_EQ(Bits(Val(c.text)), Bits(c.value)) << c.label << ": '" << c.text << "'";
  }
}

TEST(Val, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(Val("-0")));
  EXPECT_TRUE(std::signbit(Val("-1e-400")));
  EXPECT_FALSE(std::signbit(Val("0")));
}

TEST(Val, ReadsAPointWhateverTheLocale) {
  // A comma locale must not change the reading: the point is always the
  // decimal point of a typed number.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old != nullptr ? old : "C";
  if (std::setlocale(LC_NUMERIC, "it_IT.UTF-8") == nullptr &&
      std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
    GTEST_SKIP() << "no comma locale installed";
  EXPECT_EQ(Val("0.5"), 0.5);
  EXPECT_EQ(Val("1,5"), 1.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Val, NumbersBeyondTheDoubleRangeOverflow) {
  for (const char* text : {"1e400", "-1e400", "1.7976931348623159e308", "1e99999999999999999999",
                           "99999999999999999999e300"}) {
    EXPECT_EQ(test::FaultOf([&] { Val(text); }), FaultKind::Overflow) << text;
  }
}

TEST(Val, ReadsAFieldOfAnyLength) {
  std::string text(100000, '0');
  text += "7";
  EXPECT_EQ(Val(text), 7);
  EXPECT_EQ(Val("0." + std::string(40000, '0') + "1e40001"), 1);
}

TEST(NearestInt32, RoundsTiesToEven) {
  const struct {
    double x;
    int32_t expected;
  } cases[] = {
      {2.5, 2},
      {3.5, 4},
      {1000.5, 1000},
      {1001.5, 1002},
      {500, 500},
      {500.5, 500},
      {501.5, 502},
      {0.5, 0},
      {-0.5, 0},
      {-1.5, -2},
      {999.6, 1000},
      {2.4999999999999996, 2},
      {-2147483648.0, INT32_MIN},
      {-2147483648.5, INT32_MIN},
      {2147483647.0, INT32_MAX},
      {2147483646.5, 2147483646},
  };
  for (const auto& c : cases) EXPECT_EQ(NearestInt32(c.x), c.expected) << c.x;
}

TEST(NearestInt32, OutsideInt32Overflows) {
  const double cases[] = {2147483647.5,
                          2147483648.0,
                          -2147483649.0,
                          -2147483648.5000005,
                          1e300,
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
  for (double x : cases)
    EXPECT_EQ(test::FaultOf([&] { NearestInt32(x); }), FaultKind::Overflow) << x;
}

struct FormatCase {
  const char* label;
  double value;
  const char* pattern;
  const char* separator;
  const char* text;
};

TEST(Format, WritesByPattern) {
  const FormatCase cases[] = {
      // The examples of the header and the results of the windows.
      {"Qris", 4, "0.00E+00", ".", "4.00E+00"},
      {"fris", 159.1549431, "0.0000E+00", ".", "1.5915E+02"},
      {"peak voltage", 260.99, "0.00E+00", ".", "2.61E+02"},
      {"zero", 0, "0.00E+00", ".", "0.00E+00"},
      {"negative exponent", 0.000123, "0.00E+00", ".", "1.23E-04"},
      {"Italian separator", 0.000123, "0.00E+00", ",", "1,23E-04"},
      {"time caption 1/2", 31446.54088, "0.00E+00", ".", "3.14E+04"},
      {"time caption 1/4", 15723.27044, "0.00E+00", ".", "1.57E+04"},
      {"time caption 3/4", 47169.81132, "0.00E+00", ".", "4.72E+04"},
      {"negative time caption", -31446.54088, "0.00E+00", ".", "-3.14E+04"},
      {"readout time", 31446.540880503144, "0.00", ".", "31446.54"},
      {"readout value", 5 / 9.5, "0.00", ".", "0.53"},
      {"readout, Italian", 31446.540880503144, "0.00", ",", "31446,54"},
      {"readout span", 62893.08176100629, "0.00", ".", "62893.08"},
      {"negative readout", -260.987, "0.00", ".", "-260.99"},
      {"leading zero kept", 0.05, "0.00", ".", "0.05"},
      // Rounding is on the exact binary value.
      {"exact tie goes to even", 0.125, "0.00", ".", "0.12"},
      {"binary value below the tie", 2.675, "0.00", ".", "2.67"},
      {"binary value above the tie", 2.675000000000001, "0.00", ".", "2.68"},
      {"carry into the exponent", 9.996, "0.00E+00", ".", "1.00E+01"},
      {"three exponent digits", 1e300, "0.00E+00", ".", "1.00E+300"},
      {"subnormal", 5e-324, "0.00E+00", ".", "4.94E-324"},
      // No minus sign on a shown zero.
      {"negative zero", -0.0, "0.00E+00", ".", "0.00E+00"},
      {"tiny negative, fixed", -0.001, "0.00", ".", "0.00"},
      {"negative zero, fixed", -0.0, "0.00", ",", "0,00"},
      // Other forms of the same pattern language.
      {"minus-only exponent, positive", 1234, "0.0E-00", ".", "1.2E03"},
      {"minus-only exponent, negative", 0.0012, "0.0E-00", ".", "1.2E-03"},
      {"one exponent digit", 260.99, "0.00E+0", ".", "2.61E+2"},
      {"integer pattern", 2.5, "0", ".", "2"},
      {"lower case exponent", 4, "0.00e+00", ".", "4.00e+00"},
      {"long separator", 1.5, "0.00", "<>", "1<>50"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(Format(c.value, c.pattern, c.separator), c.text) << c.label;
  }
}

TEST(Format, RejectsWhatItCannotWrite) {
  const struct {
    double value;
    const char* pattern;
    FaultKind kind;
  } cases[] = {
      {std::numeric_limits<double>::quiet_NaN(), "0.00", FaultKind::InvalidOperation},
      {std::numeric_limits<double>::infinity(), "0.00E+00", FaultKind::Overflow},
      {1, "#.##", FaultKind::InvalidArgument},
      {1, "0.00E", FaultKind::InvalidArgument},
      {1, "0.00E+", FaultKind::InvalidArgument},
      {1, "", FaultKind::InvalidArgument},
  };
  for (const auto& c : cases)
    EXPECT_EQ(test::FaultOf([&] { Format(c.value, c.pattern, "."); }), c.kind) << c.pattern;
}

TEST(Fault, CarriesTheItalianText) {
  const struct {
    FaultKind kind;
    const char* text;
  } cases[] = {
      {FaultKind::DivisionByZero, "Divisione per zero"},
      {FaultKind::Overflow, "Overflow"},
      {FaultKind::InvalidOperation, "Operazione non valida"},
      {FaultKind::InvalidArgument, "Argomento non valido"},
      {FaultKind::IndexOutOfRange, "Indice non compreso nell'intervallo"},
      {FaultKind::OutOfMemory, "Memoria insufficiente"},
  };
  for (const auto& c : cases) {
    const Fault fault(c.kind);
    EXPECT_EQ(fault.kind(), c.kind);
    EXPECT_STREQ(fault.what(), c.text);
  }
}

}  // namespace
}  // namespace analysis
