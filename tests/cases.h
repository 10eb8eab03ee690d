// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Tables of cases kept as tests/cases/<name>.tsv: one case per line, its
// fields split at the tabs; lines that begin with '#' are comments, and
// "\n" in a field stands for a line break.
#pragma once

#include <charconv>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace test {

using Case = std::vector<std::string>;

// The cases of `name`; throws, failing the test, when there are none.
inline std::vector<Case> Cases(const std::string& name) {
  std::ifstream file(RLC_TEST_CASES "/" + name + ".tsv");
  std::vector<Case> rows;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    for (size_t at; (at = line.find("\\n")) != std::string::npos;) line.replace(at, 2, "\n");
    Case& row = rows.emplace_back();
    size_t from = 0;
    for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
      row.push_back(line.substr(from, tab - from));
    row.push_back(line.substr(from));
  }
  if (rows.empty()) throw std::runtime_error("no cases in " + name + ".tsv");
  return rows;
}

// The double that `text` writes, whatever the locale: also "-0.0", "inf",
// "nan" and subnormal numbers; throws, failing the test, on anything else.
inline double Number(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::invalid_argument("not a number: " + text);
  return value;
}

// Field i of `row`, empty where an editor dropped the trailing tabs.
inline std::string Field(const Case& row, size_t i) { return i < row.size() ? row[i] : ""; }

}  // namespace test
