// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Session: what composes the program. It owns the one CircuitState and the
// windows, and runs every event handler of the windows inside the guard.
// The start window Form1 lives as long as the session; the waveform window
// Form2 exists only between the first plot that needs it and its exit or
// close.
#pragma once

#include <memory>
#include <optional>

#include <QObject>
#include <QPointer>

#include "analysis/accuracy.h"
#include "analysis/circuit_state.h"

namespace ui {

class Form1;
class Form2;
class Precisione;
class Risposta;

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

  // Opens the window "Precisione del metodo" (Ctrl+M in either window) on
  // the last compute or plot that completed, and brings it forward and
  // activates it; only this does. Its chart is computed once for each
  // such result.
  void ShowPrecision();
  // The window "Precisione del metodo", or nullptr before it first opened.
  Precisione* precision() const { return precision_.get(); }

  // Opens the window "Risposta in frequenza" (Ctrl+R in every window) on the
  // circuit of the last compute or plot that completed, and brings it
  // forward and activates it; only this does. Its curves are computed once
  // for each such result.
  void ShowResponse();
  // The window "Risposta in frequenza", or nullptr before it first opened.
  Risposta* response() const { return response_.get(); }

 protected:
  // Neither window closes while a command runs: its progress dialog keeps
  // the user's close boxes out, and this the program's own closes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Keeps the accuracy and the circuit of a command that completed; the
  // open windows "Precisione del metodo" and "Risposta in frequenza" follow
  // it without taking the focus from `window`, the window of the command.
  void OnResult(const analysis::Accuracy& accuracy, QWidget* window);
  // Show the last result in those windows, if they show another, a long
  // computation's progress over `progress_over`. REQUIRES: the window exists.
  void UpdatePrecision(QWidget* progress_over);
  void UpdateResponse(QWidget* progress_over);
  // Open those windows when "Precisione del metodo…" or "Risposta in
  // frequenza…" of `window` is chosen.
  void OnCompanions(QWidget* window);

  analysis::CircuitState state_;
  std::unique_ptr<Form1> form1_;
  QPointer<Form2> form2_;  // the window deletes itself when closed
  std::unique_ptr<Precisione> precision_;
  std::unique_ptr<Risposta> response_;
  std::optional<analysis::Accuracy> result_;  // of the last command that completed
  analysis::CircuitState circuit_;            // its numbers, without the arrays
  int result_number_ = 0;                     // counts them
  int shown_number_ = 0;                      // the one the precision window shows
  int response_number_ = 0;                   // the one the response window shows
};

}  // namespace ui
