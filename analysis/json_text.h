// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of JSON text that the reports write: numbers that read back to
// the same double whatever the locale, and quoted UTF-8 strings.
#pragma once

#include <string>
#include <string_view>

namespace analysis::json {

// Returns the shortest text that reads back to `x` (std::to_chars, with a
// point whatever the locale); "null" for an infinity or a NaN, which JSON
// cannot write.
//   Number(0.1) -> "0.1"   Number(1e-5) -> "1e-05"   Number(INFINITY) -> "null"
std::string Number(double x);

// Returns `text` between double quotes, with '"' and '\' escaped by '\' and
// the control characters below 0x20 written as \u00XX; other bytes, UTF-8
// included, are copied as they are.
std::string Quoted(std::string_view text);

}  // namespace analysis::json
