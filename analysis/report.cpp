// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/report.h"

#include "analysis/json_text.h"
#include "analysis/numbers.h"

namespace analysis {

namespace {

using json::Number;
using json::Quoted;

std::string OrNull(const std::optional<int32_t>& value) {
  return value ? std::to_string(*value) : "null";
}

}  // namespace

std::string JsonReport(const CircuitState& s, const Accuracy& a,
                       const std::vector<std::string>& warnings) {
  std::string json = "{\"input\": {\"Is\": " + Number(s.Is) + ", \"R\": " + Number(s.R) +
                     ", \"C\": " + Number(s.C) + ", \"L\": " + Number(s.L) +
                     ", \"f\": " + Number(s.f) + ", \"N\": " + std::to_string(s.N) +
                     ", \"NP\": " + std::to_string(s.NP) + "},\n";
  json += " \"euler\": {\"fris\": " + Number(s.fris) + ", \"Qris\": " + Number(s.Qris) +
          ", \"v_peak\": " + Number(s.v_peak) + "},\n";
  // A steady state the method never reaches (unstable, or no steady state
  // of the circuit) has no peak to report.
  json += " \"euler_steady\": {\"v_peak\": ";
  json += a.method && a.MethodReached() ? Number(a.method->peak) : "null";
  json += "}";
  json += ",\n \"exact\": ";
  json += a.exact ? "{\"v_peak\": " + Number(a.exact->peak_v()) +
                        ", \"t_peak_us\": " + Number(a.exact->peak_time() * 1e6) + "}"
                  : "null";
  json += ",\n \"stability\": {\"stable\": " + std::string(a.stability.stable ? "true" : "false") +
          ", \"rho_period\": " + Number(a.stability.rho) +
          ", \"n_min\": " + OrNull(a.stability.n_min) + "},\n";
  json += " \"transient\": {\"residual\": " + Number(a.residual) +
          ", \"np_suggested\": " + OrNull(a.np_suggested) + "},\n";
  json += " \"advice\": ";
  json += a.advice ? "{\"error_target\": " + Number(kAdviceError) +
                         ", \"n\": " + OrNull(a.advice->n) + ", \"np\": " + OrNull(a.advice->np) +
                         ", \"estimated\": " + (a.advice->estimated ? "true" : "false") + "}"
                   : "null";
  json += ",\n \"warnings\": [";
  for (size_t i = 0; i < warnings.size(); ++i) json += (i > 0 ? ", " : "") + Quoted(warnings[i]);
  return json + "]}\n";
}

std::string TextReport(const CircuitState& s, const Accuracy& a,
                       const std::vector<std::string>& warnings, std::string_view separator) {
  auto format = [&](double x, const char* pattern) {
    return FormatReported(x, pattern, separator);
  };
  std::string text = "Qris = " + format(s.Qris, "0.00E+00") + "\n";
  text += "fris = " + format(s.fris, "0.0000E+00") + " Hz\n";
  text += "v(t) di picco = " + format(s.v_peak, "0.00E+00") + " V\n";
  if (a.exact)
    text += "v(t) di picco esatto = " + format(a.exact->peak_v(), "0.00E+00") +
            " V, a t = " + format(a.exact->peak_time() * 1e6, "0.00") + " usec dall'accensione\n";
  else
    text += "v(t) di picco esatto: il circuito non ha un regime periodico per questi valori\n";
  if (const std::optional<double> error = a.EulerError())
    text += "errore del metodo sul picco = " + format(100 * *error, "0.00") + " %\n";
  if (a.advice) text += AdviceSentence(*a.advice) + "\n";
  for (const std::string& warning : warnings) text += "Avviso: " + warning + "\n";
  return text;
}

}  // namespace analysis
