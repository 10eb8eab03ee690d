// The annotation of the waveform window: the three time captions along the
// time axis of the plot area and the trace names and zero marks in the
// strip beside it.
#pragma once

namespace ui {

class Form2;
class Session;

// Sets span_usec = (NP * 1000000) / f (microseconds shown across the plot),
// writes span/2, span/4 and 3 span/4 with "0.00E+00" into Label1, Label2
// and Label3 of Picture1 at x = 49, 24, 74 and y = 3, gives Picture3 the
// user coordinates (0, 100)-(100, 0) and places the eight trace labels.
// REQUIRES: Picture1 has its plot coordinates; NP and f are read.
// Throws Fault(DivisionByZero) for f = 0 before any label changes.
void LabelAxes(Session& session, Form2& form);

}  // namespace ui
