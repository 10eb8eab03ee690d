// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The four traces of the plot window, written once, in band order from the
// top: the samples and peak each shows, its band in the user units of
// Picture1 (a sample s lies at y = (s * height) / peak + zero_line), its
// colour, the labels that name it beside the plot, and its row of the
// cursor readout. The plot, the axis labels, the readout and the keyboard
// cursor all take them from here.
#pragma once

#include <cstdint>

#include "analysis/circuit_state.h"
#include "analysis/peak_search.h"
#include "ui/waveform/form2_layout.h"

namespace ui {

struct TraceSpec {
  analysis::SampleArray analysis::CircuitState::*samples;
  double analysis::CircuitState::*peak;
  void (*find_peak)(analysis::CircuitState&);
  double zero_line;  // user y of its zero line
  double height;     // user units from the zero line to the peak
  uint32_t colour;   // 0xRRGGBB: trace, zero line, option caption, value box
  // Beside the plot, in Picture3's user units: its name near the top of its
  // band, and "0" on its zero line.
  const char* name_label;
  const char* name_caption;
  double name_top;
  const char* zero_label;
  // Its row of the readout: the option button, the time and value boxes,
  // the tooltip's words, and the reading in words for a screen reader.
  const char* option;
  const char* time_box;
  const char* value_box;
  const char* tooltip_time;  // "t= ", but "t = " for iL(t)
  const char* tooltip_trace;
  const char* unit;
  const char* reading;
  const char* unit_words;
};

inline constexpr TraceSpec kTraces[4] = {
    {&analysis::CircuitState::is_t, &analysis::CircuitState::is_peak, analysis::FindPeakIs, 90, 9.5,
     kRed, "Label6", "is(t)[A]", 98.5, "Label7", "Option1", "Label16", "Label17",
     "t= ", "is(t) = ", "A", "is(t): %1 microsecondi, %2 ampere", "ampere"},
    {&analysis::CircuitState::v_t, &analysis::CircuitState::v_peak, analysis::FindPeakV, 75, 13,
     kGreen, "Label8", "v(t)[V]", 88.5, "Label9", "Option2", "Label23", "Label24",
     "t= ", "v(t) = ", "V", "v(t): %1 microsecondi, %2 volt", "volt"},
    {&analysis::CircuitState::iC_t, &analysis::CircuitState::iC_peak, analysis::FindPeakIC, 45, 13,
     kBlue, "Label10", "iC(t)[A]", 60, "Label11", "Option3", "Label29", "Label32",
     "t= ", "iC(t) = ", "A", "iC(t): %1 microsecondi, %2 ampere", "ampere"},
    {&analysis::CircuitState::iL_t, &analysis::CircuitState::iL_peak, analysis::FindPeakIL, 15, 13,
     kMagenta, "Label12", "iL(t)[A]", 30, "Label13", "Option4", "Label35", "Label36",
     "t = ", "iL(t) = ", "A", "iL(t): %1 microsecondi, %2 ampere", "ampere"},
};

}  // namespace ui
