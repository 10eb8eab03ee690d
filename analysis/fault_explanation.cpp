// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/fault_explanation.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "analysis/accuracy.h"
#include "analysis/euler_grid.h"
#include "analysis/numbers.h"
#include "analysis/parameters.h"
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

// The value of a field's text; 0 where it cannot be read (a step after the
// reading only fails once every value before it was read).
double ValueOf(const ParameterTexts& texts, Field field) {
  return ValInRange(texts.*FieldOf(field).text).value_or(0);
}

// The explanation of a fault from the step it names, with the texts that
// the command read.
class Explanation {
 public:
  Explanation(const ParameterTexts& texts, Command command, std::string_view separator,
              RunMonitor* monitor)
      : t_(texts), command_(command), separator_(separator), monitor_(monitor) {}

  std::string Of(const Fault& fault) const {
    const FaultCause& cause = fault.cause();
    const Field field = cause.field.value_or(Field::kIs);
    const std::string& text = t_.*FieldOf(field).text;
    const double value = ValueOf(t_, field);
    const std::string lc = " (L = " + t_.L + ", C = " + t_.C + ")";
    switch (cause.step) {
      case FaultStep::kReadValue:
        return std::string(FieldOf(field).label) + " = " + text + " supera " + Largest() + ".";
      case FaultStep::kConductance:
        if (value == 0)
          return "R è 0: la conduttanza G = 1/R sarebbe infinita; R deve essere diversa da 0.";
        return "R = " + text + " è troppo piccola: la conduttanza G = 1/R supera " + Largest() +
               ".";
      case FaultStep::kRoundCount:
        if (field == Field::kN)
          return value > 0 ? kTooLargeN : "N = " + text + " è negativo: N deve essere almeno 1.";
        return value > 0 ? kTooLargeNP : "NP = " + text + " è troppo piccolo (almeno NP = 0).";
      case FaultStep::kPeriod:
        if (value == 0)
          return "f è 0: il periodo 1/f sarebbe infinito; f deve essere diversa da 0.";
        return "f = " + text + " è troppo piccola: il periodo 1/f supera " + Largest() + ".";
      case FaultStep::kStep:
        return "N è 0: il passo dt = (1/f)/N sarebbe infinito; N deve essere almeno 1.";
      case FaultStep::kProduct:
        return "Il prodotto L·C supera " + Largest() + lc + ".";
      case FaultStep::kRoot:
        return "L e C hanno segno opposto" + lc + ": la radice di L·C, che dà fris, non esiste.";
      case FaultStep::kFris:
        // fris is infinite for L C = 0; for a tiny L C it leaves the range as Qris does.
        if (ValueOf(t_, Field::kL) * ValueOf(t_, Field::kC) == 0)
          return "L·C è 0" + lc + ": fris = 1/(2π·√(L·C)) sarebbe infinita.";
        [[fallthrough]];
      case FaultStep::kQris:
        return "Qris = R/(2π·fris·L) supera " + Largest() + ": R = " + t_.R +
               " è troppo grande rispetto a L e C.";
      case FaultStep::kTimeSpan:
        return "Il tempo mostrato dal grafico, NP·1000000/f microsecondi, supera " + Largest() +
               ": f = " + t_.f + " è troppo piccola per NP = " + t_.NP + ".";
      case FaultStep::kArraySize:
        return kTooLargeN;
      case FaultStep::kSampleIndex: {
        const int32_t N = Count(Field::kN);
        if (N >= 0) return {};
        return "N = " + std::to_string(N) +
               " è negativo: gli array dei campioni non si possono creare; N deve essere almeno 1.";
      }
      case FaultStep::kMemory:
        return Memory();
      case FaultStep::kPeriodCount:
        return Count(Field::kNP) > 0 ? kTooLargeNP : "NP è troppo piccolo (almeno NP = 0).";
      case FaultStep::kRun:
        return Run();
      case FaultStep::kUnnamed:
        break;
    }
    return {};
  }

 private:
  std::string Largest() const {
    return "il più grande numero rappresentabile (circa 1" + std::string(separator_) + "8E+308)";
  }

  // N or NP as the command read it; 0 where it was not read.
  int32_t Count(Field field) const { return NearestInt32InRange(ValueOf(t_, field)).value_or(0); }

  // What the arrays of the run need (and, for a plot, its copy on screen)
  // against what the system can give.
  std::string Memory() const {
    const int32_t N = Count(Field::kN);
    const uint64_t arrays = 4 * (static_cast<uint64_t>(N) + 2) * sizeof(double);
    const uint64_t needed = command_ == Command::kPlot ? 2 * arrays : arrays;
    const AvailableMemory available = ReadAvailableMemory();
    std::string text = "Servono " + Amount(needed, separator_) +
                       " di memoria per N = " + std::to_string(N) + " campioni";
    if (!available.bytes) return text + ", più di quanta il sistema ne possa dare.";
    return text + "; se ne possono avere " + Amount(*available.bytes, separator_) + ".";
  }

  // A run that left the double range: every value was read and derived.
  std::string Run() const {
    CircuitState s;
    ReadParameters(s, t_);
    if (s.f < 0)
      return "f è negativa: il passo dt = (1/f)/N è negativo e la simulazione cresce senza "
             "limite per ogni N; f deve essere positiva.";
    const Stability stability = StabilityOf(EulerGrid::Of(s));
    if (!stability.stable && stability.steps) {
      std::optional<Advice> advice;
      const std::optional<ExactSteadyState> exact = ExactSteadyState::Of(s.Is, s.R, s.C, s.L, s.f);
      if (exact && exact->peak_v() != 0) advice = AdviceFor(s.Is, s.R, s.C, s.L, s.f, monitor_);
      return UnstableRunExplanation(stability, s.N, advice);
    }
    return "Durante la simulazione le grandezze del circuito superano " + Largest() +
           ": Is = " + t_.Is + " è troppo grande per questi valori di R, L e C.";
  }

  const ParameterTexts& t_;
  Command command_;
  std::string_view separator_;
  RunMonitor* monitor_;
};

}  // namespace

std::string ExplainFault(const Fault& fault, const ParameterTexts& texts, Command command,
                         std::string_view decimal_separator, RunMonitor* monitor) {
  return Explanation(texts, command, decimal_separator, monitor).Of(fault);
}

}  // namespace analysis
