// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/fault_explanation.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "analysis/accuracy.h"
#include "analysis/numbers.h"
#include "analysis/platform_memory.h"
#include "analysis/simulation.h"

namespace analysis {

namespace {

constexpr char kTooLargeN[] = "N è troppo grande (al massimo N = 2147483646).";
constexpr char kTooLargeNP[] =
    "NP è troppo grande: 100·NP periodi non si possono contare (al massimo NP = 21474836).";

// "7,45 GB" or "850,00 MB".
std::string Amount(uint64_t bytes, std::string_view separator) {
  const double b = static_cast<double>(bytes);
  return b >= 1e9 ? Format(b / 1e9, "0.00", separator) + " GB"
                  : Format(b / 1e6, "0.00", separator) + " MB";
}

// Traces the command's reading, derivations and run for `texts` in their
// order, without throwing, and explains the first step that fails.
class Trace {
 public:
  Trace(const ParameterTexts& texts, Command command, std::string_view separator,
        RunMonitor* monitor)
      : t_(texts), command_(command), separator_(separator), monitor_(monitor) {}

  std::string Explain(FaultKind kind) {
    // The sample-count warning reads N first, then the values in their order.
    if (!ValInRange(t_.N)) return BeyondDouble("N", t_.N);
    const std::string* texts[] = {&t_.Is, &t_.R, &t_.C, &t_.L, &t_.f};
    const char* labels[] = {"Is", "R", "C", "L", "f"};
    double* values[] = {&s_.Is, &s_.R, &s_.C, &s_.L, &s_.f};
    for (int i = 0; i < 5; ++i) {
      const std::optional<double> value = ValInRange(*texts[i]);
      if (!value) return BeyondDouble(labels[i], *texts[i]);
      *values[i] = *value;
    }
    s_.G = 1 / s_.R;
    if (s_.R == 0)
      return "R è 0: la conduttanza G = 1/R sarebbe infinita; R deve essere diversa da 0.";
    if (!std::isfinite(s_.G))
      return "R = " + t_.R + " è troppo piccola: la conduttanza G = 1/R supera " + Largest() + ".";
    const double n = *ValInRange(t_.N);
    const std::optional<int32_t> N = NearestInt32InRange(n);
    if (!N) return n > 0 ? kTooLargeN : "N = " + t_.N + " è negativo: N deve essere almeno 1.";
    const std::optional<double> np = ValInRange(t_.NP);
    if (!np) return BeyondDouble("NP", t_.NP);
    const std::optional<int32_t> NP = NearestInt32InRange(*np);
    if (!NP) return *np > 0 ? kTooLargeNP : "NP = " + t_.NP + " è troppo piccolo (almeno NP = 0).";
    s_.N = *N;
    s_.NP = *NP;
    if (s_.f == 0) return "f è 0: il periodo 1/f sarebbe infinito; f deve essere diversa da 0.";
    if (!std::isfinite(1 / s_.f))
      return "f = " + t_.f + " è troppo piccola: il periodo 1/f supera " + Largest() + ".";
    if (s_.N == 0) return "N è 0: il passo dt = (1/f)/N sarebbe infinito; N deve essere almeno 1.";
    s_.dt = StepOf(s_.f, s_.N);
    const double p = s_.L * s_.C;
    const std::string lc = " (L = " + t_.L + ", C = " + t_.C + ")";
    if (!std::isfinite(p)) return "Il prodotto L·C supera " + Largest() + lc + ".";
    if (p < 0)
      return "L e C hanno segno opposto" + lc + ": la radice di L·C, che dà fris, non esiste.";
    if (p == 0) return "L·C è 0" + lc + ": fris = 1/(2π·√(L·C)) sarebbe infinita.";
    const double fris = 1 / (std::sqrt(p) * kTwoPi);
    const double divisor = (fris * kTwoPi) * s_.L;
    if (!std::isfinite(fris) || !std::isfinite(divisor) || !std::isfinite(s_.R / divisor))
      return "Qris = R/(2π·fris·L) supera " + Largest() + ": R = " + t_.R +
             " è troppo grande rispetto a L e C.";
    if (command_ == Command::kPlot && !std::isfinite((static_cast<double>(s_.NP) * 1000000) / s_.f))
      return "Il tempo mostrato dal grafico, NP·1000000/f microsecondi, supera " + Largest() +
             ": f = " + t_.f + " è troppo piccola per NP = " + t_.NP + ".";
    // The run: N + 1 for the arrays, their memory, then 100 NP periods.
    if (s_.N == INT32_MAX) return kTooLargeN;
    if (s_.N < 0)
      return "N = " + std::to_string(s_.N) +
             " è negativo: gli array dei campioni non si possono creare; N deve essere almeno 1.";
    if (kind == FaultKind::OutOfMemory) return Memory();
    if (s_.NP > kMaxPeriodsShown) return kTooLargeNP;
    if (s_.NP < -kMaxPeriodsShown) return "NP è troppo piccolo (almeno NP = 0).";
    if (kind == FaultKind::Overflow || kind == FaultKind::InvalidOperation) return Run();
    return {};
  }

 private:
  std::string Largest() const {
    return "il più grande numero rappresentabile (circa 1" + std::string(separator_) + "8E+308)";
  }

  std::string BeyondDouble(const char* label, const std::string& text) const {
    return std::string(label) + " = " + text + " supera " + Largest() + ".";
  }

  // What the arrays of the run need (and, for a plot, its copy on screen)
  // against what the system can give.
  std::string Memory() const {
    const uint64_t arrays = 4 * (static_cast<uint64_t>(s_.N) + 2) * sizeof(double);
    const uint64_t needed = command_ == Command::kPlot ? 2 * arrays : arrays;
    const AvailableMemory available = ReadAvailableMemory();
    std::string text = "Servono " + Amount(needed, separator_) +
                       " di memoria per N = " + std::to_string(s_.N) + " campioni";
    if (!available.bytes) return text + ", più di quanta il sistema ne possa dare.";
    return text + "; se ne possono avere " + Amount(*available.bytes, separator_) + ".";
  }

  // A run that left the double range.
  std::string Run() const {
    if (s_.f < 0)
      return "f è negativa: il passo dt = (1/f)/N è negativo e la simulazione cresce senza "
             "limite per ogni N; f deve essere positiva.";
    const Stability stability = StabilityOf(EulerGrid::Of(s_));
    if (!stability.stable && stability.steps) {
      std::optional<Advice> advice;
      const std::optional<ExactSteadyState> exact =
          ExactSteadyState::Of(s_.Is, s_.R, s_.C, s_.L, s_.f);
      if (exact && exact->peak_v() != 0)
        advice = AdviceFor(s_.Is, s_.R, s_.C, s_.L, s_.f, monitor_);
      return UnstableRunExplanation(stability, s_.N, advice);
    }
    return "Durante la simulazione le grandezze del circuito superano " + Largest() +
           ": Is = " + t_.Is + " è troppo grande per questi valori di R, L e C.";
  }

  const ParameterTexts& t_;
  Command command_;
  std::string_view separator_;
  RunMonitor* monitor_;
  CircuitState s_;
};

}  // namespace

std::string ExplainFault(FaultKind kind, const ParameterTexts& texts, Command command,
                         std::string_view decimal_separator, RunMonitor* monitor) {
  return Trace(texts, command, decimal_separator, monitor).Explain(kind);
}

}  // namespace analysis
