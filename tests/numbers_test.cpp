#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

using test::FaultOf;

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::optional<FaultKind> kNone;

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

TEST(Val, ReadsTheLongestLeadingNumber) {
  const struct {
    std::string text;
    double value;
    std::optional<FaultKind> fault;
  } rows[] = {
      // The header's examples.
      {"1e-5", 0.00001, kNone},
      {"1.2.3", 1.2, kNone},
      {"5-3", 5, kNone},
      {"e5", 0, kNone},
      {".5", 0.5, kNone},
      {"1e", 1, kNone},
      {"--", 0, kNone},
      {"+3E+2", 300, kNone},
      {"1e400", 0, FaultKind::Overflow},
      // The edges of the form: no blank is skipped, no word is a number.
      {".e5", 0, kNone},
      {"2E+", 2, kNone},
      {" 1", 0, kNone},
      {"inf", 0, kNone},
      {"-0", -0.0, kNone},
      // Correctly rounded at the edges of the double range.
      {"1.7976931348623157e308", kMax, kNone},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min(), kNone},
      {"-1e-400", -0.0, kNone},
      {"1e-99999999999999999999", 0, kNone},
      {"0e99999999999999999999", 0, kNone},
      {"1.7976931348623159e308", 0, FaultKind::Overflow},
      {"-1e99999999999999999999", 0, FaultKind::Overflow},
      {"99999999999999999999e300", 0, FaultKind::Overflow},
      {"0." + std::string(400, '0') + "1e800", 0, FaultKind::Overflow},
      {"0." + std::string(40000, '0') + "1e40001", 1, kNone},
  };
  for (const auto& row : rows) {
    double value = 0;
    EXPECT_EQ(FaultOf([&] { value = Val(row.text); }), row.fault)
        << "'" << row.text.substr(0, 40) << "'";
    EXPECT_EQ(Bits(value), Bits(row.value)) << "'" << row.text.substr(0, 40) << "'";
  }
  // A point whatever the C library's locale says.
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "it_IT.UTF-8"), nullptr) << "make deps generates it_IT";
  EXPECT_EQ(Val("0.5"), 0.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NearestInt32, RoundsTiesToEvenAndOverflowsOutsideInt32) {
  const struct {
    double x;
    int32_t value;  // 0 where the row faults
    std::optional<FaultKind> fault;
  } rows[] = {
      {2.5, 2, kNone},
      {3.5, 4, kNone},
      {-0.5, 0, kNone},
      {1000.5, 1000, kNone},
      {2.4999999999999996, 2, kNone},
      {-2147483648.5, INT32_MIN, kNone},
      {2147483647.0, INT32_MAX, kNone},
      {2147483647.5, 0, FaultKind::Overflow},
      {-2147483648.5000005, 0, FaultKind::Overflow},
      {kInf, 0, FaultKind::Overflow},
      {kNaN, 0, FaultKind::Overflow},
  };
  for (const auto& row : rows) {
    int32_t value = 0;
    EXPECT_EQ(FaultOf([&] { value = NearestInt32(row.x); }), row.fault) << row.x;
    EXPECT_EQ(value, row.value) << row.x;
  }
}

TEST(Format, WritesByPattern) {
  const struct {
    double value;
    const char* pattern;
    const char* separator;
    const char* text;  // "" where the row faults
    std::optional<FaultKind> fault;
  } rows[] = {
      // The header's examples, a result of the compute command, a time caption.
      {4, "0.00E+00", ".", "4.00E+00", kNone},
      {159.1549431, "0.0000E+00", ".", "1.5915E+02", kNone},
      {0.000123, "0.00E+00", ",", "1,23E-04", kNone},
      {31446.5408, "0.00", ".", "31446.54", kNone},
      {-0.001, "0.00", ".", "0.00", kNone},
      {260.99, "0.00E+00", ".", "2.61E+02", kNone},
      {-31446.54088, "0.00E+00", ".", "-3.14E+04", kNone},
      // Rounding on the exact binary value, carries, long exponents.
      {0.125, "0.00", ".", "0.12", kNone},
      {2.675, "0.00", ".", "2.67", kNone},
      {9.996, "0.00E+00", ".", "1.00E+01", kNone},
      {1e300, "0.00E+00", ".", "1.00E+300", kNone},
      {-0.0, "0.00E+00", ".", "0.00E+00", kNone},
      // The rest of the pattern language.
      {1234, "0.0E-00", ".", "1.2E03", kNone},
      {0.0012, "0.0E-00", ".", "1.2E-03", kNone},
      {260.99, "0.00E+0", ".", "2.61E+2", kNone},
      {2.5, "0", ".", "2", kNone},
      {1.5, "0.00", "<>", "1<>50", kNone},
      {kNaN, "0.00", ".", "", FaultKind::InvalidOperation},
      {-kInf, "0.00E+00", ".", "", FaultKind::Overflow},
      {1, "#.##", ".", "", FaultKind::InvalidArgument},
      {1, "0.00E+", ".", "", FaultKind::InvalidArgument},
      {1, "0.00x", ".", "", FaultKind::InvalidArgument},
  };
  for (const auto& row : rows) {
    std::string text;
    EXPECT_EQ(FaultOf([&] { text = Format(row.value, row.pattern, row.separator); }), row.fault)
        << row.value << " " << row.pattern;
    EXPECT_EQ(text, row.text) << row.value << " " << row.pattern;
  }
}

TEST(Fault, CarriesTheItalianText) {  // the window tests see the other five
  EXPECT_EQ(Fault(FaultKind::InvalidOperation).kind(), FaultKind::InvalidOperation);
  EXPECT_STREQ(Fault(FaultKind::InvalidOperation).what(), "Operazione non valida");
}

}  // namespace
}  // namespace analysis
