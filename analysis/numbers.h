// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Number services: reading typed numbers, rounding to int32 and writing
// results. All three are locale-independent; the decimal point of a typed
// number is always '.', and the separator written by Format is the caller's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace analysis {

// Returns the value of the longest leading part of `text` that forms
// [+-]digits[.digits][(e|E)[+-]digits], where the digits may be absent on
// either side of the point but the mantissa needs at least one; 0 when
// there is no such part. No blank is skipped. The conversion is correctly
// rounded; a value too small for a double becomes 0 with its sign.
// Throws Fault(Overflow) for a value beyond the double range.
//   Val("1e-5") -> 0.00001   Val("1.2.3") -> 1.2   Val("5-3") -> 5
//   Val("e5") -> 0           Val(".5") -> 0.5      Val("1e") -> 1
//   Val("--") -> 0           Val("+3E+2") -> 300   Val("1e400") -> Fault
double Val(std::string_view text);

// As Val, but nullopt where Val throws: for a value beyond the double range.
std::optional<double> ValInRange(std::string_view text);

// Returns x rounded to the nearest int32, a tie going to the even neighbour.
// Throws Fault(Overflow) for NaN, an infinity or a result outside int32.
//   NearestInt32(2.5) -> 2   NearestInt32(3.5) -> 4   NearestInt32(-0.5) -> 0
//   NearestInt32(1000.5) -> 1000   NearestInt32(2147483647.5) -> Fault
int32_t NearestInt32(double x);

// As NearestInt32, but nullopt where it throws.
std::optional<int32_t> NearestInt32InRange(double x);

// Returns `value` written by `pattern`, with `decimal_separator` in place of
// the pattern's point. Patterns: "0", "0.", followed by n zeros, optionally
// followed by "E+" or "E-" (or "e+", "e-") and m zeros. The mantissa shows
// one digit before the separator in exponent form and n after it; "E+"
// always shows the exponent's sign, "E-" only a minus; the exponent has at
// least m digits. Rounding is to nearest on the exact binary value, ties to
// even. A value whose shown digits are all zero has no minus sign.
//   Format(4, "0.00E+00", ".") -> "4.00E+00"
//   Format(159.1549431, "0.0000E+00", ".") -> "1.5915E+02"
//   Format(0.000123, "0.00E+00", ",") -> "1,23E-04"
//   Format(31446.5408, "0.00", ".") -> "31446.54"
//   Format(-0.001, "0.00", ".") -> "0.00"
// Throws Fault(InvalidOperation) for NaN, Fault(Overflow) for an infinity
// and Fault(InvalidArgument) for a pattern of another form.
std::string Format(double value, std::string_view pattern, std::string_view decimal_separator);

// As Format, for a quantity shown to the reader rather than computed on: an
// infinity (a quantity beyond the double range, such as the growth of a
// wildly unstable step) is written "∞", and a fixed pattern turns to
// exponent form, with its decimals and "E+00", from `fixed_below` in
// magnitude on, so that no line grows to hundreds of digits.
//   FormatReported(2.5, "0.00", ".") -> "2.50"
//   FormatReported(2.77e210, "0.00", ".") -> "2.77E+210"
//   FormatReported(INFINITY, "0.000E+00", ",") -> "∞"
std::string FormatReported(double value, std::string_view pattern,
                           std::string_view decimal_separator, double fixed_below = 1e6);

}  // namespace analysis
