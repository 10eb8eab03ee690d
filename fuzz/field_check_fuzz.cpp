// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as the seven field texts (separated by newlines, in
// the order Is, R, C, L, f, N, NP) through the check, the reading and, when
// the run is small, the simulation, the peak search and the writing of the
// results. Every outcome must be a message, a Fault or a result; anything
// else (a crash, a sanitizer report, another exception, a broken invariant)
// stops the fuzzer.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis.h"

namespace {

class CountingSink : public analysis::MessageSink {
 public:
  void ShowMessage(const std::string& text) override {
    if (text.empty()) __builtin_trap();
    ++shown;
  }
  int shown = 0;
};

// Splits `data` at newlines into the seven texts; missing ones stay empty.
analysis::ParameterTexts SplitFields(std::string_view data) {
  analysis::ParameterTexts texts;
  std::string* fields[] = {&texts.Is, &texts.R, &texts.C, &texts.L, &texts.f, &texts.N, &texts.NP};
  size_t field = 0;
  for (char c : data) {
    if (c == '\n') {
      if (++field == 7) break;
    } else {
      fields[field]->push_back(c);
    }
  }
  return texts;
}

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void Report(const analysis::CircuitState& state) {
  const analysis::Accuracy accuracy = analysis::AssessAccuracy(state);
  Require(accuracy.stability.rho >= 0 && accuracy.residual >= 0);
  Require(!accuracy.stability.stable || accuracy.stability.rho < 1);
  if (accuracy.exact) Require(std::isfinite(accuracy.exact->At(state.dt).v));
  const std::vector<std::string> warnings = analysis::AccuracyWarnings(accuracy, ",");
  for (const std::string& warning : warnings) Require(!warning.empty());
  Require(!analysis::JsonReport(state, accuracy, warnings).empty());
  Require(!analysis::TextReport(state, accuracy, warnings, ".").empty());
}

void Compute(analysis::CircuitState& state, const analysis::ParameterTexts& texts, bool wrap) {
  CountingSink sink;
  const bool passed = analysis::CheckParameterFields(state, texts, sink);
  Require(state.input_error == (passed ? 0 : 1));
  Require(sink.shown <= 2);
  if (!passed) return;
  analysis::ReadParameters(state, texts);
  analysis::Format(state.Qris, "0.00E+00", ",");
  analysis::Format(state.fris, "0.0000E+00", ".");
  // Keep each input quick: at most 200000 steps and small arrays.
  // (The bounds come first: the product of two int32 and 100 overflows int64.)
  if (state.N > 4000 || state.N < -4 || state.NP > 50 || state.NP < -50) return;
  if (int64_t{100} * state.NP * state.N > 200000) return;
  analysis::RunSimulation(state, wrap);
  Require(state.cycle == (state.NP < 1 ? 1 : 100 * state.NP + 1));
  analysis::FindPeakIs(state);
  analysis::FindPeakV(state);
  analysis::FindPeakIC(state);
  analysis::FindPeakIL(state);
  Require(state.N < 1 || state.k == state.N + 1);
  for (double peak : {state.is_peak, state.v_peak, state.iC_peak, state.iL_peak}) {
    Require(state.N < 1 || (std::isfinite(peak) && peak >= 0));
    analysis::Format(peak, "0.00E+00", ".");
    analysis::Format(peak, "0.00", ",");
  }
  // How true the result is, and the reports: never a fault, whatever the
  // run left, and a warning is never empty.
  try {
    Report(state);
  } catch (const analysis::Fault&) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const analysis::ParameterTexts texts = SplitFields(bytes);
  analysis::CircuitState state;
  try {
    for (const std::string* text : {&texts.Is, &texts.N, &texts.NP}) {
      const double value = analysis::Val(*text);
      Require(std::isfinite(value));
      analysis::Format(value, "0.00", ".");
      analysis::NearestInt32(value);
    }
  } catch (const analysis::Fault&) {
  }
  try {
    Compute(state, texts, size > 0 && (data[0] & 1) != 0);
  } catch (const analysis::Fault& fault) {
    Require(std::string_view(fault.what()).size() > 0);
    // The advice of an unstable run's overflow may step millions of samples:
    // a budget of about two million keeps each input within the timeout.
    struct Budget : analysis::RunMonitor {
      int left = 64;
      bool Continue(double) override { return --left > 0; }
    } compute, plot;
    analysis::ExplainFault(fault, texts, analysis::Command::kCompute, ",", &compute);
    analysis::ExplainFault(fault, texts, analysis::Command::kPlot, ".", &plot);
  }
  return 0;
}
