// Session: the program's one CircuitState and its windows. The start window
// Form1 lives as long as the session; the waveform window Form2 exists only
// between the first plot that needs it and its exit or close. The session
// outlives every window, so a window can always reach the state.
#pragma once

#include <memory>

#include "analysis/circuit_state.h"

namespace ui {

class Form1;

class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  analysis::CircuitState& state() { return state_; }
  Form1& form1() { return *form1_; }

 private:
  analysis::CircuitState state_;
  std::unique_ptr<Form1> form1_;
};

}  // namespace ui
