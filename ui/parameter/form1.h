// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Form1: the start window. Seven input fields for the circuit and the
// simulation with their default texts, the compute and plot commands, three
// result boxes, two explanatory texts, the schematic and three formulas. Its
// context menu holds "Precisione del metodo…" (Ctrl+M), which the session
// answers.
#pragma once

#include <array>
#include <functional>

#include <QWidget>

#include "analysis/accuracy.h"
#include "analysis/circuit_state.h"
#include "analysis/parameters.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class Form2;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // `state` is the program's record; `load_form2` returns the waveform
  // window, loading it when none is.
  Form1(analysis::CircuitState& state, std::function<Form2&()> load_form2);

  // The seven texts as typed, never trimmed.
  analysis::ParameterTexts FieldTexts() const;

  // Called with the accuracy of every compute and plot that completes,
  // after its messages.
  void SetResultHandler(std::function<void(const analysis::Accuracy&)> handler) {
    result_handler_ = std::move(handler);
  }

  // The compute command ("calcola valori "): checks the fields, simulates
  // without the source wrap and shows Qris, fris and the peak of v(t).
  // Throws the Fault of the reading or the simulation; the results stay.
  void Command1_Click();
  // The plot command ("grafico di "v(t)" a regime"): the same checks, then
  // the plot of the fields as they are now. It never writes the results.
  // Throws the Fault of the plot.
  void Command2_Click();

 protected:
  // A window larger than its screen's free area is made to fit, and one
  // partly off it is moved inside.
  void showEvent(QShowEvent* event) override;

 private:
  // Checks the seven fields; after a message, the field in error has the
  // focus with its text selected. Returns true when all passed.
  bool CheckFields(const analysis::ParameterTexts& texts);

  analysis::CircuitState& state_;
  std::function<Form2&()> load_form2_;
  std::function<void(const analysis::Accuracy&)> result_handler_;
  QLineEdit* Text1;  // Is [A]
  QLineEdit* Text2;  // R [ohm]
  QLineEdit* Text3;  // C [F]
  QLineEdit* Text6;  // L [H]
  QLineEdit* Text7;  // f [Hz]
  QLineEdit* Text4;  // N, samples per period
  QLineEdit* Text8;  // NP, periods shown
  // The seven text boxes in the check order of the fields' table.
  std::array<QLineEdit*, 7> fields_{};
  QLabel* Label5;   // Qris
  QLabel* Label9;   // fris
  QLabel* Label12;  // peak of v(t)
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace ui
