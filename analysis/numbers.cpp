// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "analysis/fault.h"

namespace analysis {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view text, size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// Returns the decimal order of magnitude of the unsigned number `number`
// ("digits[.digits][e[+-]digits]" as scanned by Val), i.e. p such that the
// value lies in [10^(p-1), 10^p). REQUIRES: a non-zero digit in the mantissa.
// Saturates far beyond the double range, so that a long exponent is safe.
int64_t DecimalOrder(std::string_view number) {
  constexpr int64_t kFar = int64_t{1} << 40;
  const size_t int_end = SkipDigits(number, 0);
  int64_t order = 0;
  size_t i = 0;
  while (i < int_end && number[i] == '0') ++i;
  if (i < int_end) {
    order = static_cast<int64_t>(int_end - i);
  } else {
    i = int_end + 1;  // after the point: each leading zero lowers the order
    while (i < number.size() && number[i] == '0') {
      --order;
      ++i;
    }
  }
  const size_t e = number.find_first_of("eE");
  if (e != std::string_view::npos) {
    size_t j = e + 1;
    const bool negative = number[j] == '-';
    if (number[j] == '-' || number[j] == '+') ++j;
    int64_t exponent = 0;
    for (; j < number.size() && exponent < kFar; ++j) exponent = exponent * 10 + (number[j] - '0');
    order += negative ? -exponent : exponent;
  }
  return order;
}

// Removes a minus sign from `text` when every digit before the exponent is 0.
void DropSignOfZero(std::string& text) {
  if (text.empty() || text[0] != '-') return;
  for (char c : text) {
    if (c == 'e') break;
    if (IsDigit(c) && c != '0') return;
  }
  text.erase(0, 1);
}

}  // namespace

double Val(std::string_view text) {
  const std::optional<double> value = ValInRange(text);
  if (!value) throw Fault(FaultKind::Overflow);
  return *value;
}

std::optional<double> ValInRange(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const size_t start = i;
  i = SkipDigits(text, i);
  size_t digits = i - start;
  if (i < text.size() && text[i] == '.') {
    const size_t end = SkipDigits(text, i + 1);
    digits += end - (i + 1);
    i = end;
  }
  if (digits == 0) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const size_t end = SkipDigits(text, j);
    if (end > j) i = end;
  }
  const std::string_view number = text.substr(start, i - start);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (DecimalOrder(number) > 0) return std::nullopt;
    value = 0.0;  // below the smallest subnormal
  }
  return negative ? -value : value;
}

int32_t NearestInt32(double x) {
  const std::optional<int32_t> n = NearestInt32InRange(x);
  if (!n) throw Fault(FaultKind::Overflow);
  return *n;
}

std::optional<int32_t> NearestInt32InRange(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const double r = std::nearbyint(x);
  if (r < static_cast<double>(std::numeric_limits<int32_t>::min()) ||
      r > static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::nullopt;
  return static_cast<int32_t>(r);
}

std::string Format(double value, std::string_view pattern, std::string_view decimal_separator) {
  // Parse the pattern: "0", then ".000...", then "E+00..." or "E-00...".
  size_t i = 0;
  if (pattern.empty() || pattern[i++] != '0') throw Fault(FaultKind::InvalidArgument);
  bool has_point = false;
  int decimals = 0;
  if (i < pattern.size() && pattern[i] == '.') {
    has_point = true;
    for (++i; i < pattern.size() && pattern[i] == '0'; ++i) ++decimals;
  }
  char exponent_letter = 0;
  bool always_sign = false;
  size_t exponent_digits = 0;
  if (i < pattern.size() && (pattern[i] == 'E' || pattern[i] == 'e')) {
    exponent_letter = pattern[i++];
    if (i >= pattern.size() || (pattern[i] != '+' && pattern[i] != '-'))
      throw Fault(FaultKind::InvalidArgument);
    always_sign = pattern[i++] == '+';
    for (; i < pattern.size() && pattern[i] == '0'; ++i) ++exponent_digits;
    if (exponent_digits == 0) throw Fault(FaultKind::InvalidArgument);
  }
  if (i != pattern.size()) throw Fault(FaultKind::InvalidArgument);
  if (std::isnan(value)) throw Fault(FaultKind::InvalidOperation);
  if (std::isinf(value)) throw Fault(FaultKind::Overflow);

  // 1.8e308 in fixed notation with the largest precision a pattern may ask.
  char buffer[400 + 64];
  const auto format =
      exponent_letter != 0 ? std::chars_format::scientific : std::chars_format::fixed;
  if (decimals > 64) throw Fault(FaultKind::InvalidArgument);
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, decimals);
  std::string digits(buffer, result.ptr);
  DropSignOfZero(digits);

  std::string mantissa = digits;
  std::string exponent;
  if (exponent_letter != 0) {
    const size_t e = digits.find('e');
    mantissa = digits.substr(0, e);
    const char sign = digits[e + 1];
    std::string_view magnitude = std::string_view(digits).substr(e + 2);
    while (magnitude.size() > exponent_digits && magnitude[0] == '0') magnitude.remove_prefix(1);
    exponent.push_back(exponent_letter);
    if (sign == '-' || always_sign) exponent.push_back(sign);
    exponent.append(exponent_digits - std::min(exponent_digits, magnitude.size()), '0');
    exponent.append(magnitude);
  }
  const size_t point = mantissa.find('.');
  std::string text;
  if (point == std::string::npos) {
    text = mantissa;
    if (has_point) text.append(decimal_separator);
  } else {
    text = mantissa.substr(0, point);
    text.append(decimal_separator);
    text.append(mantissa, point + 1);
  }
  return text + exponent;
}

std::string FormatReported(double value, std::string_view pattern,
                           std::string_view decimal_separator, double fixed_below) {
  if (std::isinf(value)) return value > 0 ? "∞" : "-∞";
  if (std::fabs(value) >= fixed_below && pattern.find_first_of("Ee") == std::string_view::npos)
    return Format(value, std::string(pattern) + "E+00", decimal_separator);
  return Format(value, pattern, decimal_separator);
}

}  // namespace analysis
