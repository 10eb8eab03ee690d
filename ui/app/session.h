// Session: what composes the program. It owns the one CircuitState and the
// windows, and runs every event handler of the windows inside the guard.
// The start window Form1 lives as long as the session; the waveform window
// Form2 exists only between the first plot that needs it and its exit or
// close.
#pragma once

#include <memory>

#include <QObject>
#include <QPointer>

#include "analysis/circuit_state.h"

namespace ui {

class Form1;
class Form2;

class Session : public QObject {
 public:
  Session();
  ~Session() override;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  analysis::CircuitState& state() { return state_; }
  Form1& form1() { return *form1_; }

  // Returns the waveform window, creating it in its design state when none
  // is loaded. Creating does not show it.
  Form2& LoadForm2();
  // Returns the loaded waveform window, or nullptr.
  Form2* form2() const;

 protected:
  // Neither window closes while a command runs: its progress dialog keeps
  // the user's close boxes out, and this the program's own closes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  analysis::CircuitState state_;
  std::unique_ptr<Form1> form1_;
  QPointer<Form2> form2_;  // the window deletes itself when closed
};

}  // namespace ui
