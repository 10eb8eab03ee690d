// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/frequency_report.h"

#include "analysis/json_text.h"
#include "analysis/numbers.h"

namespace analysis {

namespace {

using json::Number;

std::string NumberOrNull(const std::optional<double>& x) { return x ? Number(*x) : "null"; }

// `text` followed by blanks up to `width` characters; UTF-8 continuation
// bytes ("—", "∞", "°") take no place of their own.
std::string Padded(std::string text, size_t width) {
  size_t shown = 0;
  for (const char c : text) shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (shown < width) text.append(width - shown, ' ');
  return text;
}

}  // namespace

std::string FrequencyJsonReport(const CircuitState& s, const FrequencyResponse& r) {
  std::string json = "{\"input\": {\"Is\": " + Number(s.Is) + ", \"R\": " + Number(s.R) +
                     ", \"C\": " + Number(s.C) + ", \"L\": " + Number(s.L) +
                     ", \"f\": " + Number(s.f) + ", \"N\": " + std::to_string(s.N) +
                     ", \"NP\": " + std::to_string(s.NP) + ", \"from\": " + Number(r.range.from) +
                     ", \"to\": " + Number(r.range.to) +
                     ", \"points\": " + std::to_string(r.range.points) + "},\n";
  json += " \"resonance\": {\"f0\": " + Number(s.fris) + ", \"Q\": " + Number(s.Qris) + "},\n";
  json += " \"curve\": [";
  const std::vector<double>& f = r.frequencies.f;
  for (size_t i = 0; i < f.size(); ++i)
    json += std::string(i > 0 ? ",\n  " : "\n  ") + "{\"f\": " + Number(f[i]) +
            ", \"exact_v_peak\": " + NumberOrNull(r.exact[i]) +
            ", \"euler_v_peak\": " + NumberOrNull(r.euler[i]) + "}";
  json += "],\n \"harmonics\": ";
  if (!r.harmonics) return json + "null,\n \"power\": null}\n";
  json += "[";
  const std::vector<Harmonic>& rows = r.harmonics->rows;
  for (size_t i = 0; i < rows.size(); ++i) {
    const Harmonic& h = rows[i];
    json += std::string(i > 0 ? ",\n  " : "\n  ") + "{\"k\": " + std::to_string(h.k) +
            ", \"f\": " + Number(h.f) + ", \"I\": " + Number(h.I) +
            ", \"Z_abs\": " + Number(h.Z_abs) + ", \"Z_phase_deg\": " + Number(h.Z_phase_deg) +
            ", \"V\": " + Number(h.V) + ", \"power_share\": " + Number(h.power_share) + "}";
  }
  return json + "],\n \"power\": {\"mean_square_v\": " + Number(r.harmonics->mean_square_v) +
         ", \"listed_share\": " + Number(r.harmonics->listed_share) + "}}\n";
}

std::string FrequencyTextReport(const CircuitState& s, const FrequencyResponse& r,
                                std::string_view separator) {
  auto format = [&](double x, const char* pattern) {
    return FormatReported(x, pattern, separator);
  };
  auto peak = [&](const std::optional<double>& x) {
    return x ? format(*x, "0.00E+00") : std::string("—");
  };
  std::string text = "Risonanza: f0 = " + format(s.fris, "0.0000E+00") +
                     " Hz, Q = " + format(s.Qris, "0.00E+00") + "\n";
  text += "Picco di v a regime da " + format(r.range.from, "0.0000E+00") + " a " +
          format(r.range.to, "0.0000E+00") + " Hz:\n";
  text += Padded("f [Hz]", 14) + Padded("esatto [V]", 12) + "Eulero [V]\n";
  const CurveFrequencies& c = r.frequencies;
  for (size_t i = 0; i < c.f.size(); ++i) {
    std::string row = Padded(format(c.f[i], "0.0000E+00"), 14) + Padded(peak(r.exact[i]), 12) +
                      Padded(peak(r.euler[i]), 12);
    if (c.order[i] == 1) row += "  f0";
    if (c.order[i] > 1) row += "  f0/" + std::to_string(c.order[i]);
    if (c.current == i) row += "  f attuale";
    while (row.back() == ' ') row.pop_back();
    text += row + "\n";
  }
  if (!r.harmonics)
    return text +
           "Armoniche: nessuna (sorgente a 0 o circuito senza regime periodico per questi "
           "valori)\n";
  text += "Armoniche di v a f = " + format(s.f, "0.0000E+00") + " Hz:\n";
  text += Padded("k", 7) + Padded("k·f [Hz]", 14) + Padded("I_k [A]", 12) +
          Padded("|Z| [ohm]", 12) + Padded("arg Z [°]", 12) + Padded("V_k [V]", 12) +
          "quota di ⟨v²⟩\n";
  for (const Harmonic& h : r.harmonics->rows)
    text += Padded(std::to_string(h.k), 7) + Padded(format(h.f, "0.0000E+00"), 14) +
            Padded(format(h.I, "0.00E+00"), 12) + Padded(format(h.Z_abs, "0.00E+00"), 12) +
            Padded(format(h.Z_phase_deg, "0.00"), 12) + Padded(format(h.V, "0.00E+00"), 12) +
            format(100 * h.power_share, "0.0000") + " %\n";
  return text + "potenza elencata: " + format(100 * r.harmonics->listed_share, "0.0000") +
         " % di ⟨v²⟩ = " + format(r.harmonics->mean_square_v, "0.00E+00") + " V²\n";
}

}  // namespace analysis
