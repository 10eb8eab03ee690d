// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The start window's two commands, in one place: each checks the fields,
// reads them, runs the simulation, finds the peaks and the accuracy, and
// hands the windows what they show. The windows only display. Both run
// inside the guard (Session); a Fault ends them with what was shown before
// still on screen.
#pragma once

#include <functional>
#include <optional>

#include "analysis/accuracy.h"
#include "analysis/circuit_state.h"

namespace ui {

class Form1;
class Form2;

// "calcola valori ": checks the fields of `form1` (a message box for the
// first that fails, the focus back in it), simulates without the source
// wrap and shows Qris, fris and the peak of v(t) in `form1`, then the
// warnings. Returns the accuracy of a compute that completed; nullopt when
// a field failed or the run was cancelled. Throws the Fault of the reading
// or the simulation.
std::optional<analysis::Accuracy> Compute(analysis::CircuitState& state, Form1& form1);

// "grafico di "v(t)" a regime": the same checks, then the waveform window
// from `load_form2` comes forward and the fields as they are now are read
// again, simulated with the source wrap, their four peaks found and their
// traces drawn over what the window shows (nothing is erased). A long run
// shows its progress and can be cancelled: a window the plot opened then
// closes, else it stays as it was. Returns the accuracy of a plot that
// completed; nullopt otherwise. Throws the Fault of the reading, the
// simulation or a point computation; a plot that fails leaves the plot on
// screen whole (a fresh window keeps its tick marks and zero lines).
std::optional<analysis::Accuracy> Plot(analysis::CircuitState& state, Form1& form1,
                                       const std::function<Form2&()>& load_form2);

}  // namespace ui
