// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Form1: the start window. Seven input fields for the circuit and the
// simulation with their default texts, the buttons of the compute and plot
// commands (which live in ui/app/commands and show their results here),
// three result boxes, two explanatory texts, the schematic and three
// formulas. Its context menu holds "Precisione del metodo…" (Ctrl+M) and
// "Risposta in frequenza…" (Ctrl+R), which the session answers.
#pragma once

#include <array>
#include <functional>

#include <QWidget>

#include "analysis/circuit_state.h"
#include "analysis/parameters.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class Form1 : public QWidget {
  Q_OBJECT

 public:
  Form1();

  // The seven texts as typed, never trimmed.
  analysis::ParameterTexts FieldTexts() const;
  // Shows Qris, fris and the peak of v(t) of a completed compute, in the
  // locale's format.
  void ShowResults(const analysis::CircuitState& state);
  // Gives the focus to field `failed` (its place in the check order) with
  // its text selected, ready to be typed over.
  void SelectField(int failed);
  // Replaces the text of the field f by `text`, without computing and
  // without moving the focus; Ctrl+Z in the field takes it back.
  void PutFrequency(const QString& text);

  // What the two buttons run: the commands, which the program supplies.
  void SetCommands(std::function<void()> compute, std::function<void()> plot) {
    compute_ = std::move(compute);
    plot_ = std::move(plot);
  }
  // "calcola valori " and "grafico di "v(t)" a regime": run the commands.
  // Throw the Fault of a command.
  void Command1_Click() { compute_(); }
  void Command2_Click() { plot_(); }

 protected:
  // A window larger than its screen's free area is made to fit, and one
  // partly off it is moved inside.
  void showEvent(QShowEvent* event) override;

 private:
  std::function<void()> compute_ = [] {};
  std::function<void()> plot_ = [] {};
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
